// The signal chart's values against the literal procedure (load the file up to each displayed
// day, compute the whole record), and the rows' scales.
#include "screening/signal_rows.h"

#include <gtest/gtest.h>

#include <set>

#include "screening/condition_catalogue.h"
#include "support/literal_backtest.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DefaultSettings;

// A weighted rule whose score tells which of many conditions held: each weight a power of two.
ConditionSet Fingerprint(const SettingsRecord& settings) {
  ConditionSet rule;
  InitConditionSet(&rule, settings);
  rule.mode = 1;
  const int types[] = {2, 4, 6, 13, 15, 20, 21, 23, 25, 26, 27, 28, 29, 30, 31, 14, 32, 33, 9};
  double weight = 1;
  for (int type : types) {
    rule.enabled[type] = 1;
    rule.weights[type] = weight;
    weight *= 2;
  }
  rule.rci1Value = 0;
  rule.rsi1Value = 50;
  rule.stochKValue = 50;
  rule.stochDValue = 50;
  rule.cciValue = 0;
  rule.macdValue = 0;
  rule.obvValue = 50;
  rule.vrValue = 100;
  rule.bbWidthValue = 5;
  rule.corrValue = 0;
  rule.devIndexValue = 0;
  rule.oscValue = 1;
  rule.maCrossChoice = 4;
  return rule;
}

// The walk of a stock over weekdays from 2005, with the first and last records as given.
std::vector<PriceBar> Stock(int count, uint32_t seed) {
  std::vector<int32_t> closes;
  uint32_t r = seed;
  int32_t c = 800;
  for (int i = 0; i < count; ++i) {
    r = r * 1103515245u + 12345u;
    c = std::max(50, c + static_cast<int32_t>((r >> 16) % 41) - 20);
    closes.push_back(c);
  }
  std::vector<PriceBar> bars = testing::WeekdayBars(2005, 1, 3, closes);
  for (size_t i = 0; i < bars.size(); ++i) {
    bars[i].high += static_cast<int32_t>(i % 7);
    bars[i].low -= static_cast<int32_t>(i % 5);
    bars[i].volume = 1000 + static_cast<int32_t>(i % 13) * 100;
  }
  return bars;
}

TEST(SignalRowsTest, ValuesEqualTheLiteralLoadUntilProcedure) {
  testing::TempDir dir;
  SettingsRecord settings = DefaultSettings();
  settings.dailySpanDays = 60;
  settings.useIndexAnalysis = 1;
  CPriceSeries index = testing::SeriesOf(Stock(700, 99));
  index.BuildWeekly(0, nullptr);
  CRuleList rules(&settings);
  rules.sets = {Fingerprint(settings), Fingerprint(settings)};
  rules.sets[1].mode = 0;  // all conditions: 1 or 0
  rules.count = 2;
  const int32_t slots[kSignalSlots] = {0, 1, 0, 7};

  struct FileCase {
    const char* name;
    std::vector<PriceBar> records;
  };
  std::vector<PriceBar> plain = Stock(400, 1);
  std::vector<PriceBar> leading = Stock(400, 2);  // unpriced first days, dropped by the loads
  for (int i = 0; i < 3; ++i) leading[i].open = leading[i].high = leading[i].low = 0;
  for (int i = 0; i < 3; ++i) leading[i].close = leading[i].volume = 0;
  std::vector<PriceBar> repeated = Stock(400, 3);  // the last days again, the final two swapped
  repeated.insert(repeated.end(), repeated.end() - 3, repeated.end());
  std::swap(repeated[repeated.size() - 1], repeated[repeated.size() - 2]);
  std::vector<PriceBar> late = Stock(400, 4);  // an unpriced first record dated after the rest
  late.insert(late.begin(), testing::Bar(2030, 1, 1, 0, 0, 0, 0, 0));
  const FileCase files[] = {{"plain", plain},
                            {"unpriced first days", leading},
                            {"a repeated tail", repeated},
                            {"a late unpriced first record", late}};
  CSignalRowBuilder builder;
  for (const FileCase& f : files) {
    SCOPED_TRACE(f.name);
    const std::string path = dir.File(std::string(f.name) + ".KDT");
    testing::WritePriceFile(path, f.records);
    CPriceSeries chart;
    chart.LoadAll(path);
    const int shown = 75;
    std::array<SignalRowValues, kSignalSlots> rows;
    builder.Compute(chart, shown, rules, slots, settings, &index, &rows);
    const std::vector<AnalysisRecord> literal =
        testing::LiteralSignalRecords(chart, path, shown, settings, &index);
    const int first = chart.barCount() - shown;
    for (int i = 0; i < chart.barCount(); ++i) {
      const size_t bar = static_cast<size_t>(i);
      double scored = 0, all = 0;
      if (i >= first) {
        scored = Score(rules.sets[0], literal[bar - static_cast<size_t>(first)]);
        all = MatchesAll(rules.sets[1], literal[bar - static_cast<size_t>(first)]) ? 1 : 0;
      }
      ASSERT_EQ(rows[0].values[bar], scored) << "bar " << i;
      ASSERT_EQ(rows[1].values[bar], all) << "bar " << i;
    }
    if (std::string(f.name) != "a late unpriced first record") {
      std::set<double> seen(rows[0].values.begin() + first, rows[0].values.end());
      EXPECT_GT(seen.size(), 5u) << "the fingerprint tells the records apart";
    }
    // The same rule in two slots gives two identical rows; a slot beyond the list, none.
    EXPECT_EQ(rows[2].values, rows[0].values);
    EXPECT_FALSE(rows[3].present);
  }
  // A file that cannot be read: every shown day gets the record of no bars.
  CPriceSeries gone = testing::SeriesOf(plain);
  gone.filePath = dir.File("missing.KDT");
  std::array<SignalRowValues, kSignalSlots> rows;
  builder.Compute(gone, 10, rules, slots, settings, &index, &rows);
  const AnalysisRecord none = testing::LiteralRecord(CPriceSeries(), 0, 0, settings, &index);
  EXPECT_EQ(rows[0].values.back(), Score(rules.sets[0], none));
}

TEST(SignalRowsTest, ScaleOfARow) {
  const SettingsRecord settings = DefaultSettings();
  struct Case {
    int32_t mode;
    std::vector<std::pair<int, double>> weights;
    double low, high;
  };
  const Case cases[] = {
      {1, {{2, 0.5}, {3, 0.3}}, 0, 1},   // the sum 0.8 does not raise the top above 1
      {1, {{2, 2}, {3, -1}}, -1, 2},
      {0, {{2, 2}, {3, -1}}, 0, 1},     // all conditions: 0 or 1 whatever the weights
      {1, {{2, 2}, {3, -1}, {4, -3}}, -4, 2},
  };
  for (const Case& c : cases) {
    ConditionSet rule;
    InitConditionSet(&rule, settings);
    rule.mode = c.mode;
    for (auto [type, weight] : c.weights) {
      rule.enabled[type] = 1;
      rule.weights[type] = weight;
    }
    rule.weights[5] = 9;  // a type switched off counts nothing
    double low, high;
    SignalRowScale(rule, &low, &high);
    EXPECT_EQ(low, c.low);
    EXPECT_EQ(high, c.high);
  }
}

}  // namespace
}  // namespace korvale
