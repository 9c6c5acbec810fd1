// The signal chart's rows are computed again only when what they show changed.
#include "app/rule_signal_source.h"

#include <gtest/gtest.h>

#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

TEST(RuleSignalSourceTest, ComputesOnlyWhenTheStockASlotOrTheSpanChanges) {
  testing::TempDir dir;
  const SettingsRecord settings = testing::DefaultSettings();
  std::vector<int32_t> closes;
  for (int i = 0; i < 300; ++i) closes.push_back(1000 + (i * 37) % 50);
  testing::WritePriceFile(dir.File("a.KDT"), testing::CloseBars(closes));
  testing::WritePriceFile(dir.File("b.KDT"), testing::CloseBars(closes));
  CRuleList rules(&settings);
  rules.sets.resize(2);
  rules.count = 2;
  for (ConditionSet& set : rules.sets) InitConditionSet(&set, settings);
  int32_t slots[kSignalSlots] = {0, 1, 0, 1};
  CRuleSignalSource source(rules, slots);

  CPriceSeries a, b;
  a.LoadAll(dir.File("a.KDT"));
  b.LoadAll(dir.File("b.KDT"));
  SettingsRecord span = settings;
  span.dailySpanDays = 50;
  CChartPainter painter(span);
  painter.Attach(a, kChartDaily);
  source.Rows(painter);
  source.Rows(painter);
  EXPECT_EQ(source.computations(), 1);  // a repaint computes nothing
  slots[2] = 1;
  source.MarkDirty();
  source.Rows(painter);
  EXPECT_EQ(source.computations(), 2);  // a slot changed
  painter.Attach(b, kChartDaily);
  source.Rows(painter);
  EXPECT_EQ(source.computations(), 3);  // another stock
  span.dailySpanDays = 80;
  painter.ReplaceSettings(span);
  const SignalChartRows& rows = source.Rows(painter);
  EXPECT_EQ(source.computations(), 4);  // a wider window shows bars not computed yet
  ASSERT_EQ(rows.rows.size(), 4u);
  EXPECT_EQ(rows.rows[0].valueCount, 300);
  EXPECT_EQ(rows.rows[0].values[300 - 80], 1.0);  // nothing enabled: every day matches
  EXPECT_EQ(rows.rows[0].values[300 - 81], 0.0);  // before the window: not computed
}

}  // namespace
}  // namespace korvale
