// The back-test of the validation report: its counts against the literal procedure on sample
// stocks, and the outcome and eligibility rules at their edges.
#include "screening/backtest.h"

#include <gtest/gtest.h>

#include "screening/rule_list.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"
#include "support/literal_backtest.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DefaultSettings;

std::string Text(const std::vector<OutcomeCounters>& counters) {
  std::string s;
  for (const OutcomeCounters& c : counters) {
    s += std::to_string(c.events) + "/" + std::to_string(c.rises) + "/" +
         std::to_string(c.neutrals) + "/" + std::to_string(c.falls) + " ";
  }
  return s;
}

// Rules that reach the fields the sample rules leave alone: the index fields, DMI, SAR, OBV and
// stochastics, weighted 2 and -1 so that scores fall on both sides of the threshold.
std::vector<ConditionSet> MoreRules(const SettingsRecord& settings) {
  ConditionSet index, trend;
  InitConditionSet(&index, settings);
  index.enabled[32] = 1;  // index correlation at or above 20
  index.corrValue = 20;
  index.enabled[33] = 1;  // index deviation at or below 0
  index.devIndexValue = 0;
  index.devIndexDirection = kAtOrBelow;
  InitConditionSet(&trend, settings);
  trend.mode = 1;
  trend.scoreThreshold = 1;
  for (int type : {26, 27, 30, 31, 20}) {
    trend.enabled[type] = 1;
    trend.weights[type] = 2;
  }
  trend.weights[20] = -1;
  trend.obvValue = 60;
  trend.stochKValue = 80;
  return {index, trend};
}

TEST(BacktestTest, CountsEqualTheLiteralProcedureOnSampleStocks) {
  testing::TempDir root;
  testing::SampleWithIndex sample;
  std::string error;
  ASSERT_TRUE(testing::MakeSampleWithIndex(root.path(), 200, 2, &sample, &error)) << error;
  const CStockDictionary& dictionary = *sample.dictionary;
  const CPriceSeries& index = sample.index;
  StockFiles files;
  SettingsRecord base = DefaultSettings();
  SetSettingsString(base.dataRootDir, root.path());
  CRuleList list(&base);
  list.LoadRules();
  ASSERT_EQ(list.count, 4);
  std::vector<ConditionSet> rules = list.sets;
  for (const ConditionSet& r : MoreRules(base)) rules.push_back(r);
  bool bothModes[2] = {false, false};
  for (const ConditionSet& r : rules) bothModes[r.mode != 0] = true;
  ASSERT_TRUE(bothModes[0] && bothModes[1]);

  struct Setup {
    int span;
    int useIndex;
    ValidationParams params;
  };
  ValidationParams after = DefaultValidationParams(2025, 1);
  ValidationParams within = after;
  within.afterMode = 0;
  within.horizonDays = 10;
  within.risePercent = 5;
  within.fallPercent = 4;
  within.wholePeriod = 0;
  within.fromYear = 2024;
  within.fromMonth = 11;
  within.toYear = 2025;
  within.toMonth = 6;
  ValidationParams shortAfter = within;
  shortAfter.afterMode = 1;
  shortAfter.horizonDays = 3;
  const Setup setups[] = {{245, 0, after}, {245, 1, within}, {30, 1, shortAfter}};
  std::vector<int32_t> picked(rules.size(), 0);  // bars each rule picked in any setup
  for (const Setup& setup : setups) {
    SettingsRecord settings = base;
    settings.dailySpanDays = static_cast<int16_t>(setup.span);
    settings.useIndexAnalysis = setup.useIndex;
    std::vector<OutcomeCounters> fast(rules.size() + 1), literal(rules.size() + 1);
    CHistoryReplay replay;
    CPriceSeries series;
    int evaluated = 0;
    for (int item = 0; item < dictionary.itemCount; ++item) {
      if (!ResolveItemFiles(dictionary, item, "", &files)) continue;
      if (!series.LoadMerged(files.pricePath, nullptr, 0)) continue;
      const bool counted = BacktestStock(series, setup.params, rules, settings, &index, &replay,
                                         fast.data());
      EXPECT_EQ(counted, testing::LiteralBacktestStock(series, setup.params, rules, settings,
                                                      &index, &literal));
      evaluated += counted;
    }
    EXPECT_GT(evaluated, 100);
    EXPECT_EQ(fast, literal) << "span " << setup.span << " index " << setup.useIndex << "\n"
                             << Text(fast) << "\n"
                             << Text(literal);
    for (size_t j = 1; j < fast.size(); ++j) picked[j - 1] += fast[j].events;
  }
  for (size_t j = 0; j < rules.size(); ++j) EXPECT_GT(picked[j], 0) << "rule " << j;
}

// A stock of `count` bars rising one yen a day from 1000, every day traded.
CPriceSeries Rising(int count) {
  std::vector<int32_t> closes;
  for (int i = 0; i < count; ++i) closes.push_back(1000 + i);
  return testing::SeriesOf(testing::CloseBars(closes));
}

TEST(BacktestTest, EligibleStocksAndBars) {
  const SettingsRecord settings = DefaultSettings();
  ValidationParams params = DefaultValidationParams(2025, 1);
  CHistoryReplay replay;
  struct Case {
    int bars;
    int horizon;
    bool evaluated;
    int32_t events;
  };
  // 163 bars with n = 20 are counted at bars 140 and 141 (i < 163 - 20 - 1); 162 bars never.
  const Case cases[] = {{0, 20, false, 0},   {162, 20, false, 0}, {163, 20, true, 2},
                        {163, 0, true, 22}, {163, 300, true, 0}};
  for (const Case& c : cases) {
    params.horizonDays = c.horizon;
    std::vector<OutcomeCounters> counters(1);
    EXPECT_EQ(BacktestStock(Rising(c.bars), params, {}, settings, nullptr, &replay,
                            counters.data()),
              c.evaluated)
        << c.bars << " bars, n " << c.horizon;
    EXPECT_EQ(counters[0].events, c.events) << c.bars << " bars, n " << c.horizon;
  }
  // A stock whose traded days are too few is left out.
  CPriceSeries idle = Rising(200);
  for (int i = 0; i < 100; ++i) idle.bars[static_cast<size_t>(i)].volume = 0;
  std::vector<OutcomeCounters> counters(1);
  params.horizonDays = 20;
  EXPECT_FALSE(BacktestStock(idle, params, {}, settings, nullptr, &replay, counters.data()));
  params.tradedPercent = 40;
  EXPECT_TRUE(BacktestStock(idle, params, {}, settings, nullptr, &replay, counters.data()));
}

TEST(BacktestTest, PeriodBoundsAreInclusiveAndAPeriodOutsideTheDataCountsNothing) {
  ValidationParams p = DefaultValidationParams(2025, 1);
  p.wholePeriod = 0;
  p.fromYear = 2024;
  p.fromMonth = 11;
  p.toYear = 2025;
  p.toMonth = 2;
  EXPECT_TRUE(InValidationPeriod(testing::FlatBar(2024, 11, 1, 1), p));
  EXPECT_TRUE(InValidationPeriod(testing::FlatBar(2025, 2, 28, 1), p));
  EXPECT_FALSE(InValidationPeriod(testing::FlatBar(2024, 10, 31, 1), p));
  EXPECT_FALSE(InValidationPeriod(testing::FlatBar(2025, 3, 1, 1), p));
  p.fromYear = p.toYear = 1980;
  CHistoryReplay replay;
  std::vector<OutcomeCounters> counters(1);
  EXPECT_TRUE(BacktestStock(Rising(400), p, {}, DefaultSettings(), nullptr, &replay,
                            counters.data()));
  EXPECT_EQ(counters[0].events, 0);
}

TEST(BacktestTest, OutcomeOfTheFollowingCloses) {
  struct Case {
    const char* name;
    std::vector<int32_t> closes;  // bar 0 is the base
    uint8_t afterMode;
    int horizon, rise, fall;
    bool rose, fell;
  };
  const Case cases[] = {
      {"within: exactly the rise on the n-th day", {100, 101, 102, 110}, 0, 3, 10, 8, true, false},
      {"after: an intermediate rise does not count", {100, 115, 104, 105}, 1, 3, 10, 8, false,
       false},
      {"within: a rise and later a fall are both counted", {100, 110, 99, 92}, 0, 3, 10, 8, true,
       true},
      {"after: a fall to exactly the fall percentage", {100, 120, 92}, 1, 2, 10, 8, false, true},
      {"within n = 0: never a hit", {100, 200}, 0, 0, 10, 8, false, false},
      {"after n = 0 with rise 0: the close itself rises by 0 %", {100}, 1, 0, 0, 8, true, false},
      {"rise 100 needs a doubled close", {100, 199, 200}, 0, 2, 100, 100, true, false},
      {"fall 100 needs a close of 0", {100, 1, 0}, 0, 2, 100, 100, false, true},
      {"a base close of 0 measures nothing", {0, 100, 0}, 0, 2, 10, 8, false, false},
  };
  for (const Case& c : cases) {
    ValidationParams p = DefaultValidationParams(2025, 1);
    p.afterMode = c.afterMode;
    p.horizonDays = c.horizon;
    p.risePercent = c.rise;
    p.fallPercent = c.fall;
    const std::vector<PriceBar> bars = testing::CloseBars(c.closes);
    const BarOutcome o = MeasureOutcome(bars.data(), 0, p);
    EXPECT_EQ(o.rise, c.rose) << c.name;
    EXPECT_EQ(o.fall, c.fell) << c.name;
  }
  // Both flags count once each besides the event, so the shares may add up beyond 100 %.
  OutcomeCounters counters;
  CountOutcome(BarOutcome{true, true}, &counters);
  CountOutcome(BarOutcome{false, false}, &counters);
  EXPECT_EQ(counters.events, 2);
  EXPECT_EQ(counters.rises, 1);
  EXPECT_EQ(counters.falls, 1);
  EXPECT_EQ(counters.neutrals, 1);
}

TEST(BacktestTest, AScoreEqualToTheThresholdDoesNotCount) {
  const SettingsRecord settings = DefaultSettings();
  ConditionSet rule;
  InitConditionSet(&rule, settings);
  rule.mode = 1;
  rule.enabled[0] = 1;  // price at least 0 yen: always holds
  rule.minPrice = 0;
  rule.weights[0] = 2;
  ValidationParams params = DefaultValidationParams(2025, 1);
  CHistoryReplay replay;
  std::vector<OutcomeCounters> counters(3);
  ConditionSet above = rule;
  above.scoreThreshold = 1.5;
  rule.scoreThreshold = 2;
  EXPECT_TRUE(BacktestStock(Rising(200), params, {rule, above}, settings, nullptr, &replay,
                            counters.data()));
  EXPECT_EQ(counters[1].events, 0);
  EXPECT_EQ(counters[2].events, counters[0].events);
}

}  // namespace
}  // namespace korvale
