#include "indicators/shared_indicators.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_support.h"

namespace korvale {
namespace {

std::vector<PriceBar> Closes(const std::vector<int32_t>& closes,
                             const std::vector<int32_t>& volumes = {}) {
  std::vector<PriceBar> bars = testing::WeekdayBars(2006, 1, 9, closes);
  for (size_t i = 0; i < volumes.size() && i < bars.size(); ++i) bars[i].volume = volumes[i];
  return bars;
}

TEST(RelativeStrengthTest, FlatIsFiftyRisingIsHundredMixedIsGainsOverMoves) {
  auto flat = Closes({5, 5, 5, 5, 5});
  EXPECT_EQ(RelativeStrength(flat.data(), 4, 5), 50);
  auto rising = Closes({1, 2, 4, 7, 8});
  EXPECT_EQ(RelativeStrength(rising.data(), 4, 5), 100);
  // Changes +3, -1, 0, -2 over the last five: G = 3, L = -3 -> 50; over four: +(-1,0,-2) -> 0.
  auto mixed = Closes({9, 10, 13, 12, 12, 10});
  EXPECT_EQ(RelativeStrength(mixed.data(), 5, 5), 50);
  EXPECT_EQ(RelativeStrength(mixed.data(), 5, 4), 0);
  EXPECT_EQ(RelativeStrength(mixed.data(), 5, 1), 50);
}

TEST(RankCorrelationTest, TiesShareTheirMeanRankAndTheDenominatorIsNCubedMinusOne) {
  // Strictly rising, newest highest: price rank = date rank, D = 0.
  auto rising = Closes({1, 2, 3, 4, 5, 6, 7, 8, 9});
  EXPECT_DOUBLE_EQ(RankCorrelation(rising.data(), 8, 9), 100);
  // Strictly falling with N = 9: D = sum (10 - 2k)^2 = 240; (1 - 6*240/728) * 100.
  auto falling = Closes({9, 8, 7, 6, 5, 4, 3, 2, 1});
  EXPECT_NEAR(RankCorrelation(falling.data(), 8, 9), (1 - 6.0 * 240 / 728) * 100, 1e-9);
  EXPECT_NEAR(RankCorrelation(falling.data(), 8, 9), -97.8, 0.01);
  // Ten equal closes: every price rank 5.5; D = sum (5.5 - k)^2, k = 1..10 = 82.5.
  auto equal = Closes(std::vector<int32_t>(10, 7));
  EXPECT_NEAR(RankCorrelation(equal.data(), 9, 10), (1 - 6 * 82.5 / 999) * 100, 1e-9);
  // Window taken at its end: closes 3, 1, 2 (newest 2): price ranks 1, 3, 2; date 3, 2, 1.
  auto window = Closes({50, 3, 1, 2});
  EXPECT_NEAR(RankCorrelation(window.data(), 3, 3), (1 - 6.0 * (4 + 1 + 1) / 26) * 100, 1e-9);
}

TEST(VolumeRatioTest, RisingFallingAndUnchangedDaysSplitTheVolume) {
  // Pairs: up (vol 100), down (vol 40), unchanged (vol 31 -> 15 to both).
  auto bars = Closes({10, 11, 9, 9}, {999, 100, 40, 31});
  EXPECT_DOUBLE_EQ(VolumeRatio(bars.data(), 3, 4), (100.0 + 15) / (40 + 15) * 100);
  // No falling day in the window (the first bar's volume never counts).
  auto noFall = Closes({10, 11, 12}, {5, 5, 5});
  EXPECT_EQ(VolumeRatio(noFall.data(), 2, 3), kVolumeRatioInvalid);
  EXPECT_EQ(VolumeRatio(noFall.data(), 2, 1), kVolumeRatioInvalid);
}

TEST(ParabolicSarTest, RisingTrendAcceleratesAndTurnsOnTheBreak) {
  std::vector<PriceBar> bars;
  const int32_t highs[] = {10, 12, 14, 16, 8};
  const int32_t lows[] = {5, 7, 9, 11, 4};
  for (int i = 0; i < 5; ++i) bars.push_back(testing::Bar(2006, 1, 9 + i, lows[i], highs[i], lows[i], highs[i], 1));
  std::vector<double> sar(5, -1);
  ParabolicSarSeries(bars.data(), 0, 4, 0.02, 0.2, sar.data());
  // Bar 0: sar = ep = low 5, af 0.02, next 5.
  EXPECT_DOUBLE_EQ(sar[0], 5);
  // Bar 1: sar = 5 + 0.02 * (5 - 5) = 5; hh 12, ep 12, af 0.04; next = 5 + 0.04 * 7 = 5.28.
  EXPECT_DOUBLE_EQ(sar[1], 5);
  // Bar 2: sar = 5 + 0.04 * (12 - 5) = 5.28; hh 14, af 0.06.
  EXPECT_DOUBLE_EQ(sar[2], 5.28);
  // Bar 3: sar = 5.28 + 0.06 * (14 - 5.28) = 5.8032; hh 16, af 0.08.
  EXPECT_NEAR(sar[3], 5.8032, 1e-12);
  // Bar 4: low 4 < next (5.8032 + 0.08 * (16 - 5.8032)): turn to falling, sar = previous hh 16.
  EXPECT_DOUBLE_EQ(sar[4], 16);
}

TEST(ParabolicSarTest, AccelerationStopsAtTheCap) {
  std::vector<PriceBar> bars;
  for (int i = 0; i < 40; ++i) bars.push_back(testing::Bar(2006, 1, 1, 100 + 10 * i, 105 + 10 * i, 100 + 10 * i, 105 + 10 * i, 1));
  std::vector<double> sar(40);
  ParabolicSarSeries(bars.data(), 0, 39, 0.02, 0.2, sar.data());
  // With af capped at 0.2 the line closes a fifth of the gap to the high each bar.
  const double gap38 = bars[38].high - sar[38];
  EXPECT_NEAR(sar[39] - sar[38], 0.2 * gap38, 1e-9);
}

}  // namespace
}  // namespace korvale
