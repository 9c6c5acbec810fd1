// Grid rounding, price range, moving averages and standard deviation of the charts.
#include "charts/chart_numerics.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/chart_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::FlatCloses;

TEST(GridRoundTest, KeepsTwoLeadingDigits) {
  EXPECT_EQ(GridRound(99), 90);
  EXPECT_EQ(GridRound(100), 100);
  EXPECT_EQ(GridRound(999), 990);
  EXPECT_EQ(GridRound(1234), 1200);
  EXPECT_EQ(GridRound(98765), 98000);
  EXPECT_EQ(GridRound(1999999), 1900000);
  EXPECT_EQ(GridRound(123456789), 120000000);
  EXPECT_EQ(GridRound(1000000000), 1000000000);
  EXPECT_EQ(GridRound(2147483647), 2147483647);
  EXPECT_EQ(GridRound(5), 0);
}

TEST(MinMaxOfTest, StartFromTheFirstValue) {
  const int32_t v[] = {5, -3, 9, 9};
  EXPECT_EQ(MinOf(v, 4), -3);
  EXPECT_EQ(MaxOf(v, 4), 9);
  EXPECT_EQ(MinOf(v, 1), 5);
  EXPECT_EQ(MaxOf(v, 0), 0);
}

TEST(PriceRangeTest, SkipsUntradedDaysAndWidensByTheMargin) {
  const std::vector<PriceBar> bars = {Bar(2006, 1, 5, 100, 120, 90, 110, 500),
                                      Bar(2006, 1, 6, 0, 1000, 1, 5, 9999),  // open 0: skipped
                                      Bar(2006, 1, 9, 110, 130, 100, 120, 700)};
  PriceRangeResult r = PriceRange(bars.data(), 3, 10);  // margin (130 - 90) / 10 = 4
  EXPECT_EQ(r.low, 86);
  EXPECT_EQ(r.high, 134);
  EXPECT_EQ(r.maxVolume, 700);
  r = PriceRange(bars.data(), 3, 4);  // the trend-line editor's quarter: 10
  EXPECT_EQ(r.low, 80);
  EXPECT_EQ(r.high, 140);
  r = PriceRange(bars.data(), 3, 0);
  EXPECT_EQ(r.low, 90);
  EXPECT_EQ(r.high, 130);
  // A margin below zero is cut at 0.
  const std::vector<PriceBar> low = {Bar(2006, 1, 5, 10, 100, 5, 50, 1)};
  r = PriceRange(low.data(), 1, 10);
  EXPECT_EQ(r.low, 0);
  EXPECT_EQ(r.high, 109);
  // No traded day: a range of zeros, which the charts draw without dividing by it.
  r = PriceRange(bars.data() + 1, 1, 10);
  EXPECT_EQ(r.low, 0);
  EXPECT_EQ(r.high, 0);
  EXPECT_EQ(r.maxVolume, 0);
}

TEST(MovingAverageTest, DoubleAveragesStartTwoBarsAfterThePeriod) {
  const auto bars = FlatCloses({1, 2, 3, 4, 5, 6, 7});
  std::vector<double> out;
  MovingAverage(bars.data(), 7, 5, kFieldClose, &out);
  ASSERT_EQ(out.size(), 7u);
  for (int i = 0; i <= 5; ++i) EXPECT_EQ(out[i], 0) << i;
  EXPECT_DOUBLE_EQ(out[6], 5.0);  // (3 + 4 + 5 + 6 + 7) / 5
  MovingAverage(bars.data(), 7, 0, kFieldClose, &out);
  EXPECT_EQ(out, std::vector<double>(7, 0.0));
}

TEST(MovingAverageTest, IntegerAveragesTruncateAndNeedTwoBarsBeyondThePeriod) {
  const auto bars = FlatCloses({1, 2, 4, 8, 16});
  std::vector<int64_t> out;
  MovingAverageInt(bars.data(), 5, 3, kFieldClose, &out);
  EXPECT_EQ(out, (std::vector<int64_t>{0, 0, 2, 4, 9}));   // 7/3, 14/3, 28/3
  MovingAverageInt(bars.data(), 4, 3, kFieldClose, &out);  // period + 1 >= count
  EXPECT_EQ(out, (std::vector<int64_t>(4, 0)));
  WindowMovingAverageInt(bars.data(), 5, 2, kFieldClose, &out);  // from index 3 only
  EXPECT_EQ(out, (std::vector<int64_t>{0, 0, 0, 6, 12}));
  // Volumes near the int32 range sum without wrapping.
  const auto big = FlatCloses({1, 1, 1, 1}, {2000000000, 2000000000, 2000000000, 2000000000});
  MovingAverageInt(big.data(), 4, 2, kFieldVolume, &out);
  EXPECT_EQ(out[3], 2000000000);
}

TEST(StdDevTest, PopulationDeviationOfTheClosesFromPeriodPlusOne) {
  const auto bars = FlatCloses({1, 2, 3, 4, 6});
  std::vector<double> out;
  StdDev(bars.data(), 5, 3, &out);
  for (int i = 0; i <= 3; ++i) EXPECT_EQ(out[i], 0);
  // {3, 4, 6}: mean 13/3, squares 16/9 + 1/9 + 25/9 = 42/9, over 3.
  EXPECT_NEAR(out[4], std::sqrt(42.0 / 27), 1e-12);
}

}  // namespace
}  // namespace korvale
