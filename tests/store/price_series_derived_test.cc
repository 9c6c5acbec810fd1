#include <gtest/gtest.h>

#include "store/price_series.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::FlatBar;

CPriceSeries SeriesOf(const std::vector<PriceBar>& bars) {
  CPriceSeries s;
  s.bars = bars;
  return s;
}

TEST(WeeklyBarsTest, WeeksBreakAtTheWeekNumberAndMergeHighLowCloseVolume) {
  // Mon 2006-01-09 .. Fri 01-13 then Mon 01-16.
  CPriceSeries s = SeriesOf({
      Bar(2006, 1, 9, 100, 110, 95, 105, 10),
      Bar(2006, 1, 10, 105, 120, 100, 101, 20),
      Bar(2006, 1, 13, 101, 102, 90, 99, 30),
      Bar(2006, 1, 16, 99, 100, 98, 100, 5),
  });
  int weekIndex = -1;
  s.BuildWeekly(3, &weekIndex);
  ASSERT_EQ(s.weekCount(), 2);
  const WeeklyBar& w = s.weeks[0];
  EXPECT_EQ(w.day, 9);
  EXPECT_EQ(w.week, 2);
  EXPECT_EQ(w.open, 100);
  EXPECT_EQ(w.high, 120);
  EXPECT_EQ(w.low, 90);
  EXPECT_EQ(w.close, 99);
  EXPECT_EQ(w.volume, 60);
  EXPECT_EQ(s.weeks[1].week, 3);
  // Bar 3 opens the second week; the week current when it was reached is the first.
  EXPECT_EQ(weekIndex, 0);
  s.BuildWeekly(1, &weekIndex);
  EXPECT_EQ(weekIndex, 0);
  s.BuildWeekly(99, &weekIndex);
  EXPECT_EQ(weekIndex, 0);
}

TEST(WeeklyBarsTest, YearEndAndNewYearOfOneCalendarWeekMakeTwoWeeklyBars) {
  // Mon 2008-12-29 .. Wed 12-31 and Thu 2009-01-01, Fri 01-02: one calendar week.
  CPriceSeries s = SeriesOf({FlatBar(2008, 12, 29, 1), FlatBar(2008, 12, 31, 2),
                             FlatBar(2009, 1, 1, 3), FlatBar(2009, 1, 2, 4)});
  s.BuildWeekly(0, nullptr);
  ASSERT_EQ(s.weekCount(), 2);
  EXPECT_EQ(s.weeks[0].week, 53);
  EXPECT_EQ(s.weeks[1].week, 1);
  EXPECT_EQ(s.weeks[1].year, 2009);
  EXPECT_EQ(s.weeks[1].open, 3);
}

TEST(WeeklyBarsTest, OnlyTheWeekNumberIsComparedNotTheYear) {
  // Week 2 of 2006 followed by week 2 of 2007: merged into one weekly bar.
  CPriceSeries s = SeriesOf({FlatBar(2006, 1, 10, 1), FlatBar(2007, 1, 9, 2)});
  s.BuildWeekly(0, nullptr);
  EXPECT_EQ(s.weekCount(), 1);
  EXPECT_EQ(s.weeks[0].close, 2);
}

TEST(WeeklyBarsTest, VolumesAreDividedBy1000WhenTheFirstDayTradedAboveTenMillion) {
  CPriceSeries big = SeriesOf({FlatBar(2006, 1, 9, 1, 10000001), FlatBar(2006, 1, 10, 1, 1999),
                               FlatBar(2006, 2, 1, 1, 5000)});
  big.BuildWeekly(0, nullptr);
  big.BuildMonthly();
  EXPECT_EQ(big.weeks[0].volume, 10000 + 1);  // per day, truncated, before summing
  EXPECT_EQ(big.months[0].volume, 10001);
  EXPECT_EQ(big.months[1].volume, 5);
  CPriceSeries edge = SeriesOf({FlatBar(2006, 1, 9, 1, 10000000), FlatBar(2006, 1, 10, 1, 1999)});
  edge.BuildWeekly(0, nullptr);
  EXPECT_EQ(edge.weeks[0].volume, 10001999);
}

TEST(WeeklyBarsTest, BarsWithImpossibleDatesAreSkipped) {
  CPriceSeries s = SeriesOf({FlatBar(2006, 1, 9, 1), FlatBar(0, 1, 10, 50), FlatBar(2006, 13, 1, 60),
                             FlatBar(2006, 1, 10, 2)});
  s.BuildWeekly(0, nullptr);
  ASSERT_EQ(s.weekCount(), 1);
  EXPECT_EQ(s.weeks[0].high, 2);
  s.BuildMonthly();
  ASSERT_EQ(s.monthCount(), 1);
  EXPECT_EQ(s.months[0].close, 2);
}

TEST(WeeklyBarsTest, MarginBalancesAttachByYearAndWeekAndLaterRecordsWin) {
  testing::TempDir dir;
  const std::string margin = dir.File("SZ7203.SDT");
  std::vector<uint8_t> bytes;
  auto add = [&](MarginRecord m) {
    uint8_t rec[kMarginRecordSize];
    EncodeMarginRecord(m, rec);
    bytes.insert(bytes.end(), rec, rec + kMarginRecordSize);
  };
  add({2006, 1, 13, 100, 200});   // week 2
  add({2006, 1, 14, 111, 222});   // Saturday of week 2: overwrites
  add({2006, 1, 20, 300, 400});   // week 3
  add({2005, 1, 14, 9, 9});       // week 2 of another year: no weekly bar
  add({2006, 0, 14, 9, 9});       // impossible date: ignored
  bytes.push_back(1);             // trailing partial record
  testing::WriteBytes(margin, bytes);
  CPriceSeries s = SeriesOf({FlatBar(2006, 1, 9, 1), FlatBar(2006, 1, 16, 2), FlatBar(2006, 1, 23, 3)});
  s.SetMarginPath(margin);
  s.BuildWeekly(0, nullptr);
  ASSERT_EQ(s.weekCount(), 3);
  EXPECT_EQ(s.weeks[0].marginSell, 111);
  EXPECT_EQ(s.weeks[0].marginBuy, 222);
  EXPECT_EQ(s.weeks[1].marginSell, 300);
  EXPECT_EQ(s.weeks[2].marginSell, 0);
  s.SetMarginPath(dir.File("missing.SDT"));
  s.BuildWeekly(0, nullptr);
  EXPECT_EQ(s.weeks[0].marginSell, 0);
}

TEST(MonthlyBarsTest, MonthsBreakWhenTheMonthChangesOnly) {
  CPriceSeries s = SeriesOf({Bar(2006, 1, 30, 10, 12, 9, 11, 1), Bar(2006, 1, 31, 11, 15, 10, 14, 2),
                             Bar(2006, 2, 1, 14, 14, 13, 13, 3), Bar(2007, 2, 1, 20, 20, 20, 20, 4)});
  s.BuildMonthly();
  ASSERT_EQ(s.monthCount(), 2);
  EXPECT_EQ(s.months[0].year, 2006);
  EXPECT_EQ(s.months[0].month, 1);
  EXPECT_EQ(s.months[0].open, 10);
  EXPECT_EQ(s.months[0].high, 15);
  EXPECT_EQ(s.months[0].close, 14);
  EXPECT_EQ(s.months[0].volume, 3);
  EXPECT_EQ(s.months[1].close, 20);  // February 2007 merged into February 2006
  EXPECT_EQ(s.months[1].volume, 7);
}

TEST(DerivedBarsTest, NoBarsGiveNoWeeksOrMonths) {
  CPriceSeries s;
  int weekIndex = 5;
  s.BuildWeekly(0, &weekIndex);
  s.BuildMonthly();
  EXPECT_EQ(s.weekCount(), 0);
  EXPECT_EQ(s.monthCount(), 0);
  EXPECT_EQ(weekIndex, 0);
}

}  // namespace
}  // namespace korvale
