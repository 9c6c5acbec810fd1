// The rule list: loading the rule folder, new, save and delete.
#include "screening/rule_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "screening/rule_file.h"
#include "store/cp932.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;

class RuleListTest : public ::testing::Test {
 protected:
  RuleListTest() {
    settings_ = testing::DefaultSettings();
    std::strcpy(settings_.dataRootDir, root_.path().c_str());
  }
  std::string RulePath(const std::string& file) const { return root_.File("Rules/" + file); }
  void WriteRule(const std::string& file, const std::string& utf8Text) {
    fs::create_directories(root_.File("Rules"));
    testing::WriteText(RulePath(file), Utf8ToCp932(utf8Text));
  }
  std::string Name(const CRuleList& list, int i) const { return Cp932ToUtf8(list.sets[i].name); }

  testing::TempDir root_;
  SettingsRecord settings_;
};

TEST_F(RuleListTest, AnEmptyFolderGivesOneNewRuleAndTheNumbersCountOn) {
  CRuleList list(&settings_);
  list.LoadRules();
  EXPECT_TRUE(fs::is_directory(root_.File("Rules")));  // made at start
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(Name(list, 0), "新規抽出条件-0");
  EXPECT_EQ(list.sets[0].rsi1Days, 14);
  EXPECT_EQ(list.FilePath(0), "");
  // The new-rule button: AddNewSet, then ResetSet on the new last index.
  list.AddNewSet();
  list.ResetSet(list.count - 1);
  ASSERT_EQ(list.count, 2);
  EXPECT_EQ(Name(list, 1), "新規抽出条件-1");
  EXPECT_EQ(list.newCounter, 2);
  EXPECT_EQ(list.chartSlots[3], 3);
  EXPECT_TRUE(fs::is_empty(root_.File("Rules")));  // nothing written until a save
}

TEST_F(RuleListTest, DeletingTheOnlyRuleLeavesAFreshOneNumberedZero) {
  CRuleList list(&settings_);
  list.LoadRules();
  list.AddNewSet();
  list.ResetSet(1);
  std::string error;
  ASSERT_TRUE(list.DeleteSet(0, &error)) << error;  // never saved: no file, leaves the list
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(Name(list, 0), "新規抽出条件-1");
  ASSERT_TRUE(list.DeleteSet(0, &error));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(Name(list, 0), "新規抽出条件-0");
  EXPECT_EQ(list.newCounter, 1);
}

TEST_F(RuleListTest, LoadsEveryRuleFileInNameOrder) {
  WriteRule("b.ERL", "[株価以上]\n300\n1\n");
  WriteRule("a.erl", "[条件型]\n1\n[評価値]\n2\n");
  WriteRule("c.Erl", "");
  WriteRule("notes.txt", "[株価以上]\n1\n");
  fs::create_directories(RulePath("folder.ERL"));
  CRuleList list(&settings_);
  list.LoadRules();
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(Name(list, 0), "a");
  EXPECT_EQ(list.sets[0].mode, 1);
  EXPECT_EQ(Name(list, 1), "b");
  EXPECT_EQ(list.sets[1].minPrice, 300);
  EXPECT_EQ(list.sets[1].enabled[0], 1);
  EXPECT_EQ(Name(list, 2), "c");
  EXPECT_EQ(list.FilePath(1), RulePath("b.ERL"));
  EXPECT_EQ(list.newCounter, 0);
  EXPECT_EQ(list.FindByName("b"), 1);
  EXPECT_EQ(list.FindByName("z"), -1);
}

TEST_F(RuleListTest, UnreadableEntriesBecomeDefaultRulesUnderTheirNames) {
  fs::create_directories(root_.File("Rules"));
  ASSERT_EQ(::mkfifo(RulePath("pipe.ERL").c_str(), 0600), 0);  // reading it would block
  fs::create_symlink(RulePath("gone"), RulePath("dangling.ERL"));
  WriteRule("ok.ERL", "[株価以下]\n10\n");
  CRuleList list(&settings_);
  list.LoadRules();
  ASSERT_EQ(list.count, 3);
  EXPECT_EQ(Name(list, 0), "dangling");
  EXPECT_EQ(list.sets[0].enabled[1], 0);
  EXPECT_EQ(Name(list, 1), "ok");
  EXPECT_EQ(list.sets[1].maxPrice, 10);
  EXPECT_EQ(Name(list, 2), "pipe");
  EXPECT_EQ(list.sets[2].dev2Days, 130);
}

TEST_F(RuleListTest, ALongTitleIsCutBetweenCharactersAndItsFileStaysReachable) {
  // 70 three-byte UTF-8 characters on disk: 140 bytes in cp932, cut to 62 (31 characters).
  std::string title;
  for (int i = 0; i < 70; ++i) title += "株";
  const std::string file = title + ".ERL";
  WriteRule(file, "[株価以上]\n5\n");
  CRuleList list(&settings_);
  list.LoadRules();
  ASSERT_EQ(list.count, 1);
  const std::string name = list.sets[0].name;
  EXPECT_EQ(name.size(), 62u);
  EXPECT_EQ(Cp932ToUtf8(name), title.substr(0, 31 * 3));
  EXPECT_EQ(list.sets[0].minPrice, 5);
  // A file with the cut name must not be the one deleted.
  WriteRule(Cp932ToUtf8(name) + ".ERL", "");
  std::string error;
  ASSERT_TRUE(list.DeleteSet(0, &error)) << error;
  EXPECT_FALSE(fs::exists(RulePath(file)));
  EXPECT_TRUE(fs::exists(RulePath(Cp932ToUtf8(name) + ".ERL")));

  // A 200-byte title of single bytes, and one in cp932 bytes rather than UTF-8.
  EXPECT_EQ(RuleNameFromTitle(std::string(200, 'r')).size(), 63u);
  EXPECT_EQ(RuleNameFromTitle("\x82\xa0"), "\x82\xa0");
  EXPECT_EQ(RuleNameFromTitle(std::string(62, 'r') + "\x82\xa0"), std::string(62, 'r'));
}

TEST_F(RuleListTest, SavingUnderANewNameRenamesTheRuleAndKeepsTheOldFile) {
  WriteRule("old.ERL", "[株価以上]\n5\n");
  CRuleList list(&settings_);
  list.LoadRules();
  ConditionSet working = list.sets[0];
  working.minPrice = 7;
  std::string error;
  ASSERT_TRUE(list.SaveSet(0, RulePath("新しい.ERL"), working, &error)) << error;
  EXPECT_EQ(Name(list, 0), "新しい");
  EXPECT_EQ(list.sets[0].minPrice, 7);
  EXPECT_TRUE(fs::exists(RulePath("old.ERL")));
  ConditionSet reread;
  InitConditionSet(&reread, settings_);
  ASSERT_TRUE(ReadRuleFileOver(RulePath("新しい.ERL"), &reread));
  EXPECT_EQ(reread.minPrice, 7);

  CRuleList again(&settings_);
  again.LoadRules();
  EXPECT_EQ(again.count, 2);  // both files are listed at the next start
}

TEST_F(RuleListTest, AFailedSaveIsReportedAndChangesNothing) {
  CRuleList list(&settings_);
  list.LoadRules();
  ConditionSet working = list.sets[0];
  working.minPrice = 9;
  std::string error;
  EXPECT_FALSE(list.SaveSet(0, root_.File("no/such/dir/x.ERL"), working, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(list.sets[0].minPrice, 0);
  EXPECT_EQ(Name(list, 0), "新規抽出条件-0");
  EXPECT_FALSE(list.SaveSet(5, RulePath("x.ERL"), working, &error));
}

TEST_F(RuleListTest, DeleteRemovesTheFileAndTheSameIndexStaysValid) {
  WriteRule("a.ERL", "");
  WriteRule("b.ERL", "");
  CRuleList list(&settings_);
  list.LoadRules();
  std::string error;
  ASSERT_TRUE(list.DeleteSet(1, &error)) << error;
  EXPECT_FALSE(fs::exists(RulePath("b.ERL")));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(Name(list, 0), "a");
  EXPECT_FALSE(list.DeleteSet(3, &error));
}

TEST_F(RuleListTest, AFileThatCannotBeRemovedStaysInTheList) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  WriteRule("a.ERL", "");
  WriteRule("b.ERL", "");
  CRuleList list(&settings_);
  list.LoadRules();
  fs::permissions(root_.File("Rules"), fs::perms::owner_write, fs::perm_options::remove);
  std::string error;
  EXPECT_FALSE(list.DeleteSet(0, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(list.count, 2);
  fs::permissions(root_.File("Rules"), fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(RuleListTest, WebModeMakesNoFolderAndAMissingFolderGivesTheDefaultRule) {
  settings_.dataSourceMode = 2;
  CRuleList list(&settings_);
  list.LoadRules();
  EXPECT_FALSE(fs::exists(root_.File("Rules")));
  ASSERT_EQ(list.count, 1);
  EXPECT_EQ(Name(list, 0), "新規抽出条件-0");
}

}  // namespace
}  // namespace korvale
