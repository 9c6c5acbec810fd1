// The validation report's texts and file, and the batch that makes it.
#include <gtest/gtest.h>

#include "sample/sample_database.h"
#include "screening/analize_rule_report_doc.h"
#include "screening/validation_job.h"
#include "store/cp932.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

TEST(ValidationReportTest, NameFieldKeepsDoubleByteSpacesWhole) {
  struct Case {
    const char* name;  // UTF-8
    const char* field;
  };
  const Case cases[] = {
      // 7 bytes: a half-width space, then ideographic spaces up to 18 bytes.
      {"ABC高値", "ABC高値 　　　　　"},
      {"高値圏スコア", "高値圏スコア　　　"},
      // 22 bytes cut at 18.
      {"出来高ゴールデンクロス", "出来高ゴールデンク"},
      // A cut at 18 bytes would split a character: 17 bytes and a half-width space.
      {"A出来高ゴールデンクロス", "A出来高ゴールデン "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp932ToUtf8(ReportNameField(Utf8ToCp932(c.name))), c.field) << c.name;
  }
}

CAnalizeRuleReportDoc SmallReport(uint8_t afterMode, uint8_t wholePeriod) {
  ValidationParams p = DefaultValidationParams(2024, 4);
  p.afterMode = afterMode;
  p.wholePeriod = wholePeriod;
  p.toYear = 2025;
  p.toMonth = 3;
  return CAnalizeRuleReportDoc(
      p, {Utf8ToCp932("ABC高値"), Utf8ToCp932("空")},
      {OutcomeCounters{8, 2, 5, 2}, OutcomeCounters{3, 1, 2, 0}, OutcomeCounters{}});
}

TEST(ValidationReportTest, WindowLinesAndTexts) {
  const CAnalizeRuleReportDoc after = SmallReport(1, 1);
  EXPECT_EQ(after.CriterionText(), "20日後に10%以上上昇または8%以上下落");
  EXPECT_EQ(after.PeriodText(), "蓄積データ全期間");
  EXPECT_EQ(after.UniverseText(), "値付き率80%以上の銘柄");
  const CAnalizeRuleReportDoc within = SmallReport(0, 0);
  EXPECT_EQ(within.CriterionText(), "20日以内に10%以上上昇または8%以上下落");
  EXPECT_EQ(within.PeriodText(), "2024年4月～2025年3月");
  ASSERT_EQ(after.lineCount(), 3);
  EXPECT_EQ(Cp932ToUtf8(after.ViewLine(0)),
            "全事象　　　　　　  \t       8\t25.0%\t62.5%\t25.0%");
  EXPECT_EQ(Cp932ToUtf8(after.ViewLine(1)),
            "ABC高値 　　　　　  \t       3\t33.3%\t66.7%\t 0.0%");
  // No events: 0.0 % in every column.
  EXPECT_EQ(Cp932ToUtf8(after.ViewLine(2)), "空　　　　　　　　  \t       0\t 0.0%\t 0.0%\t 0.0%");
}

TEST(ValidationReportTest, FileBytes) {
  const std::string expected =
      "評価基準：20日以内に10%以上上昇または8%以上下落\r\n"
      "検証期間：2024年4月～2025年3月\r\n"
      "評価対象：値付き率80%以上の銘柄\r\n"
      "\r\n"
      "全事象              ,        8, 25.0%, 62.5%, 25.0%\r\n"
      "ABC高値             ,        3, 33.3%, 66.7%,  0.0%\r\n"
      "空                  ,        0,  0.0%,  0.0%,  0.0%\r\n";
  EXPECT_EQ(SmallReport(0, 0).FileText(), Utf8ToCp932(expected));
}

class ValidationJobTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new testing::TempDir;
    SampleOptions options;
    options.stocks = 40;
    options.years = 2;
    std::string error;
    ASSERT_TRUE(MakeSampleDatabase(root_->path(), options, nullptr, &error)) << error;
  }
  static void TearDownTestSuite() {
    delete root_;
    root_ = nullptr;
  }
  void SetUp() override {
    settings_ = testing::DefaultSettings();
    SetSettingsString(settings_.dataRootDir, root_->path());
    dictionary_ = std::make_unique<CStockDictionary>(root_->path(), root_->path());
    rules_ = std::make_unique<CRuleList>(&settings_);
    rules_->LoadRules();
  }
  // The report of a job run to its end on `threads` threads, in steps of five stocks.
  std::unique_ptr<CAnalizeRuleReportDoc> Run(int threads) {
    CValidationJob job(*dictionary_, *rules_, settings_, nullptr, params_);
    job.SetThreads(threads);
    AnalysisJobStatus status = job.Start();
    while (status == AnalysisJobStatus::kRunning) status = job.Step(kValidationStocksPerTick);
    EXPECT_EQ(job.done(), dictionary_->itemCount);
    return job.Finish();
  }

  static testing::TempDir* root_;
  SettingsRecord settings_;
  std::unique_ptr<CStockDictionary> dictionary_;
  std::unique_ptr<CRuleList> rules_;
  ValidationParams params_ = DefaultValidationParams(2025, 1);
};
testing::TempDir* ValidationJobTest::root_ = nullptr;

TEST_F(ValidationJobTest, ThreadsGiveTheSameReport) {
  const auto one = Run(1);
  const auto two = Run(2);
  ASSERT_TRUE(one && two);
  EXPECT_GT(one->counters(0).events, 1000);
  EXPECT_EQ(one->FileText(), two->FileText());
}

TEST_F(ValidationJobTest, CancelMakesNoReport) {
  CValidationJob job(*dictionary_, *rules_, settings_, nullptr, params_);
  job.Start();
  job.Step(kValidationStocksPerTick);
  job.Cancel();
  EXPECT_EQ(job.Step(kValidationStocksPerTick), AnalysisJobStatus::kCancelled);
  EXPECT_EQ(job.Finish(), nullptr);
}

TEST_F(ValidationJobTest, TheReportKeepsTheRulesOfTheStart) {
  CValidationJob job(*dictionary_, *rules_, settings_, nullptr, params_);
  AnalysisJobStatus status = job.Start();
  const std::string firstName = rules_->sets[0].name;
  // The list changes while the batch runs: a rule goes, a new one comes.
  rules_->RemoveSet(0);
  rules_->AddNewSet();
  rules_->AddNewSet();
  while (status == AnalysisJobStatus::kRunning) status = job.Step(kValidationStocksPerTick);
  const auto report = job.Finish();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->lineCount(), 5);
  EXPECT_EQ(report->LineName(1), firstName);
}

TEST_F(ValidationJobTest, AnEmptyRuleListReportsTheBaselineOnly) {
  rules_->sets.clear();
  rules_->count = 0;
  const auto report = Run(1);
  ASSERT_TRUE(report);
  EXPECT_EQ(report->lineCount(), 1);
  EXPECT_GT(report->counters(0).events, 0);
}

}  // namespace
}  // namespace korvale
