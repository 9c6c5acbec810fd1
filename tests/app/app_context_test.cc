#include "app/app_context.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "sample/sample_rules.h"
#include "screening/condition_catalogue.h"
#include "store/cp932.h"
#include "support/test_support.h"

namespace korvale {
namespace {

SettingsRecord SettingsFor(const testing::TempDir& root) {
  SettingsRecord s;
  ApplySettingsDefaults(&s, root.path());
  return s;
}

TEST(AppContextTest, LoadsEveryRuleAtConstructionAndTheIndexOnRequest) {
  testing::TempDir root;
  std::filesystem::create_directories(root.File("Rules"));
  testing::WriteText(root.File("Rules/x.ERL"), "[RCI1]\r\n13\r\n5\r\n1\r\n");
  CAppContext context(SettingsFor(root));
  ASSERT_EQ(context.rules().count, 1);
  EXPECT_STREQ(context.rules().sets[0].name, "x");
  EXPECT_EQ(context.rules().sets[0].rci1Value, 5);
  EXPECT_EQ(context.indexSeries(), nullptr);

  testing::WritePriceFile(root.File("KD1010.KDT"), testing::WeekdayBars(2006, 1, 5, {1, 2, 3}));
  const auto lookup = [&](int code, std::string* folder) {
    *folder = root.path();
    return code == 1010;
  };
  const CPriceSeries* index = context.LoadIndex(lookup);
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(index->barCount(), 3);
  EXPECT_EQ(index->weekCount(), 2);
  context.settings().indexStockCode = 0;
  EXPECT_EQ(context.LoadIndex(lookup), nullptr);
  EXPECT_EQ(context.indexSeries(), nullptr);
}

TEST(SampleRulesTest, WritesRulesTheListLoads) {
  testing::TempDir root;
  const SettingsRecord settings = SettingsFor(root);
  std::string error;
  ASSERT_TRUE(WriteSampleRules(root.path(), settings, &error)) << error;
  CAppContext context(settings);
  const CRuleList& rules = context.rules();
  ASSERT_EQ(rules.count, 4);
  const int rsi = rules.FindByName(Utf8ToCp932("RSI売られすぎ反発"));
  ASSERT_GE(rsi, 0);
  const ConditionSet& r = rules.sets[rsi];
  EXPECT_EQ(r.mode, 0);
  EXPECT_EQ(r.enabled[15], 1);
  EXPECT_EQ(DescribeCondition(r, 15), "(14日線) 35.00%以下");
  EXPECT_EQ(DescribeCondition(r, 29), "MACDとシグナルとのゴールデンクロス");
  const int score = rules.FindByName(Utf8ToCp932("高値圏スコア"));
  ASSERT_GE(score, 0);
  EXPECT_EQ(rules.sets[score].mode, 1);
  EXPECT_EQ(rules.sets[score].scoreThreshold, 4);
  EXPECT_EQ(rules.sets[score].weights[10], 2);

  // A root where the folder cannot be made reports the failure.
  testing::WriteText(root.File("file"), "");
  EXPECT_FALSE(WriteSampleRules(root.File("file"), settings, &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace korvale
