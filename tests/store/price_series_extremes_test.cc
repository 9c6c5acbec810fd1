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

TEST(PlausibilityTest, EachRuleOfTheCheckCatchesItsBar) {
  EXPECT_EQ(SeriesOf({}).HasBadBar(), 0);
  EXPECT_EQ(SeriesOf({Bar(2006, 1, 4, 100, 110, 90, 105, 1)}).HasBadBar(), 0);
  EXPECT_EQ(SeriesOf({Bar(2006, 1, 4, 120, 110, 90, 105, 1)}).HasBadBar(), 1);  // open > high
  EXPECT_EQ(SeriesOf({Bar(2006, 1, 4, 100, 110, 90, 80, 1)}).HasBadBar(), 1);   // close < low
  EXPECT_EQ(SeriesOf({Bar(2006, 1, 4, 0, 0, 0, 0, 1)}).HasBadBar(), 1);         // zero prices
  EXPECT_EQ(SeriesOf({Bar(2006, 1, 4, 50, 100, 50, 100, 1)}).HasBadBar(), 1);   // close/open = 2
  EXPECT_EQ(SeriesOf({Bar(2006, 1, 4, 51, 100, 50, 100, 1)}).HasBadBar(), 0);
  // A jump to half or double from one day to the next.
  EXPECT_EQ(SeriesOf({FlatBar(2006, 1, 4, 100), FlatBar(2006, 1, 5, 200)}).HasBadBar(), 1);
  EXPECT_EQ(SeriesOf({FlatBar(2006, 1, 4, 100), FlatBar(2006, 1, 5, 199)}).HasBadBar(), 0);
  EXPECT_EQ(SeriesOf({FlatBar(2006, 1, 4, 100), FlatBar(2006, 1, 5, 50)}).HasBadBar(), 1);
}

TEST(TradedShareTest, CountsTradedDaysFromTheSecondAgainstAllBars) {
  // 4 bars, the first untraded does not matter; 2 of bars 1..3 traded: 2/4 = 50 %.
  CPriceSeries s = SeriesOf({FlatBar(2006, 1, 4, 1, 9), FlatBar(2006, 1, 5, 1, 0),
                             FlatBar(2006, 1, 6, 1, 5), FlatBar(2006, 1, 9, 1, 5)});
  EXPECT_EQ(s.HasTradedShare(50), 1);
  EXPECT_EQ(s.HasTradedShare(51), 0);
  EXPECT_EQ(SeriesOf({FlatBar(2006, 1, 4, 1, 9)}).HasTradedShare(0), 0);
}

TEST(ExtremesTest, YearWindowsNestAndEarliestBarWinsTies) {
  CPriceSeries s = SeriesOf({
      Bar(1999, 6, 1, 10, 500, 5, 10, 1),    // beyond six years: only "all"
      Bar(2001, 6, 1, 10, 300, 7, 10, 1),    // six years
      Bar(2005, 6, 1, 10, 200, 8, 10, 1),    // last year
      Bar(2006, 3, 1, 10, 150, 9, 10, 1),    // this year
      Bar(2006, 3, 2, 10, 150, 20, 10, 1),
  });
  YearExtremesResult y = s.YearExtremes();
  EXPECT_EQ(y.highThisYear, 150);
  EXPECT_EQ(y.lowThisYear, 9);
  EXPECT_EQ(y.highTwoYears, 200);
  EXPECT_EQ(y.lowTwoYears, 8);
  EXPECT_EQ(y.highSixYears, 300);
  EXPECT_EQ(y.lowSixYears, 7);
  EXPECT_EQ(y.highAll, 500);
  EXPECT_EQ(y.lowAll, 5);
  YearExtremesResult none = SeriesOf({}).YearExtremes();
  EXPECT_EQ(none.lowAll, 0);
  EXPECT_EQ(none.highAll, 0);
}

TEST(ExtremesTest, SeriesExtremesOverTheLastNBars) {
  CPriceSeries s = SeriesOf({Bar(2006, 1, 4, 1, 90, 1, 1, 1), Bar(2006, 1, 5, 5, 50, 5, 5, 1),
                             Bar(2006, 1, 6, 6, 60, 4, 6, 1)});
  int32_t high = -1, low = -1;
  s.SeriesExtremes(2, &high, &low);
  EXPECT_EQ(high, 60);
  EXPECT_EQ(low, 4);
  s.SeriesExtremes(100, &high, &low);
  EXPECT_EQ(high, 90);
  EXPECT_EQ(low, 1);
  SeriesOf({}).SeriesExtremes(5, &high, &low);
  EXPECT_EQ(high, 0);
  EXPECT_EQ(low, 0);
}

TEST(ExtremesTest, WindowExtremesSplitTheCurrentYearFromEarlierOnes) {
  CPriceSeries s = SeriesOf({
      Bar(2005, 12, 28, 1, 300, 50, 1, 1),  // index 0
      Bar(2005, 12, 29, 1, 100, 40, 1, 1),  // index 1
      Bar(2006, 1, 4, 1, 200, 45, 1, 1),    // index 2
      Bar(2006, 1, 5, 1, 300, 30, 1, 1),    // index 3: ties the earlier high, lower low
  });
  WindowExtremesResult w = s.WindowExtremes(4);
  EXPECT_EQ(w.yearHigh, 300);
  EXPECT_EQ(w.yearHighIndex, 3);
  EXPECT_EQ(w.yearLow, 30);
  EXPECT_EQ(w.yearLowIndex, 3);
  EXPECT_EQ(w.windowHigh, 300);
  EXPECT_EQ(w.windowHighIndex, 0);  // the earlier year's bar keeps a tie
  EXPECT_EQ(w.windowLow, 30);
  EXPECT_EQ(w.windowLowIndex, 3);
  // A window wholly inside the last bar's year: the four window results are zero.
  WindowExtremesResult inside = s.WindowExtremes(2);
  EXPECT_EQ(inside.yearHigh, 300);
  EXPECT_EQ(inside.windowHigh, 0);
  EXPECT_EQ(inside.windowLow, 0);
  EXPECT_EQ(inside.windowHighIndex, 0);
}

}  // namespace
}  // namespace korvale
