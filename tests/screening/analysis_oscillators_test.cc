// Rank correlation, relative strength, volume ratio, stochastics, Bollinger band and CCI.
#include <gtest/gtest.h>

#include <cmath>

#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Analyse;
using testing::Bar;
using testing::CloseBars;
using testing::DefaultSettings;

TEST(AnalysisOscillatorsTest, RciUsesTheCubeMinusOneDenominatorAndSharedTieRanks) {
  SettingsRecord s = DefaultSettings();
  s.rciPeriod1 = 9;
  s.rciPeriod2 = 10;
  // Nine falling closes: D = 64+36+16+4+0+4+16+36+64 = 240, (1 - 1440/728) * 100.
  AnalysisRecord r = Analyse(CloseBars({100, 90, 80, 70, 60, 50, 40, 30, 20, 10}), s);
  EXPECT_NEAR(r.rci1, -97.8021978, 1e-6);
  EXPECT_EQ(r.rci2, -10000);  // N = n

  // Ten equal closes all rank 5.5: D = 2 * (4.5^2 + 3.5^2 + 2.5^2 + 1.5^2 + 0.5^2) = 82.5,
  // (1 - 495 / 999) * 100.
  r = Analyse(CloseBars(std::vector<int32_t>(11, 500)), s);
  EXPECT_NEAR(r.rci2, 50.4504505, 1e-6);

  // Closes 10, 20, 20, 30 (oldest first): the two 20s share ranks 2 and 3, D = 0.5.
  s.rciPeriod1 = 4;
  r = Analyse(CloseBars({99, 10, 20, 20, 30}), s);
  EXPECT_NEAR(r.rci1, (1 - 3.0 / 63) * 100, 1e-9);
}

TEST(AnalysisOscillatorsTest, RsiOfFlatRisingAndMixedCloses) {
  SettingsRecord s = DefaultSettings();
  s.rsiPeriod1 = 4;
  s.rsiPeriod2 = 5;
  AnalysisRecord r = Analyse(CloseBars({7, 7, 7, 7, 7}), s);
  EXPECT_EQ(r.rsi1, 50);
  EXPECT_EQ(r.rsi2, -10000);  // N = n
  r = Analyse(CloseBars({1, 2, 3, 4, 5, 6}), s);
  EXPECT_EQ(r.rsi1, 100);
  EXPECT_EQ(r.rsi2, 100);
  // Last four closes 10, 12, 11, 14: gains 2 + 3, loss -1: 5 / 6.
  r = Analyse(CloseBars({99, 10, 12, 11, 14}), s);
  EXPECT_NEAR(r.rsi1, 500.0 / 6, 1e-9);
}

TEST(AnalysisOscillatorsTest, VolumeRatioSplitsUnchangedDaysAndNeedsAFallingDay) {
  SettingsRecord s = DefaultSettings();
  s.volumeRatioPeriod = 4;
  auto bars = CloseBars({99, 10, 12, 12, 11});
  bars[2].volume = 100;  // rising: U
  bars[3].volume = 51;   // unchanged: 25 to each
  bars[4].volume = 40;   // falling: D
  EXPECT_NEAR(Analyse(bars, s).volumeRatio, 125.0 / 65 * 100, 1e-9);
  // No falling day, and the unchanged day's half volume truncates to 0: D is 0.
  bars[4].close = 13;
  bars[3].volume = 1;
  EXPECT_EQ(Analyse(bars, s).volumeRatio, -10000);
  bars[3].volume = 2;  // now 1 to each side: U = 100 + 1 + 40, D = 1
  EXPECT_NEAR(Analyse(bars, s).volumeRatio, 14100, 1e-9);
  s.volumeRatioPeriod = 1;
  EXPECT_EQ(Analyse(bars, s).volumeRatio, -10000);
  s.volumeRatioPeriod = 5;  // N = n
  EXPECT_EQ(Analyse(bars, s).volumeRatio, -10000);
}

TEST(AnalysisOscillatorsTest, StochasticsOverClosesOnly) {
  SettingsRecord s = DefaultSettings();
  s.stochasticsPeriod = 3;
  s.stochasticsSumPeriod = 2;
  auto bars = CloseBars({5, 10, 20, 15, 30, 25});
  for (PriceBar& b : bars) {  // highs and lows take no part
    b.high = 1000;
    b.low = 1;
  }
  AnalysisRecord r = Analyse(bars, s);
  // %K over 15, 30, 25: (25 - 15) / (30 - 15).
  EXPECT_NEAR(r.stochK, 1000.0 / 15, 1e-9);
  // %D: windows 15,30,25 (close 25) and 20,15,30 (close 30): (10 + 15) / (15 + 15).
  EXPECT_NEAR(r.stochD, 2500.0 / 30, 1e-9);

  bars.pop_back();  // N + M = n
  r = Analyse(bars, s);
  EXPECT_EQ(r.stochD, -1000);
  EXPECT_NE(r.stochK, 0);

  // Equal closes: no range, both keep their invalid values.
  r = Analyse(CloseBars({8, 8, 8, 8, 8, 8}), s);
  EXPECT_EQ(r.stochK, 0);
  EXPECT_EQ(r.stochD, -1000);
}

TEST(AnalysisOscillatorsTest, BollingerBreaksAtExactlyTwoSigma) {
  SettingsRecord s = DefaultSettings();
  s.bollingerPeriod = 5;
  // Mean 18, sigma 16, band 18 +- 32: the close 50 is exactly on the upper band.
  AnalysisRecord r = Analyse(CloseBars({1, 10, 10, 10, 10, 50}), s);
  EXPECT_DOUBLE_EQ(r.bollingerWidth, 64);  // 32 / 50 * 100
  EXPECT_EQ(r.bollingerBreak, 0);
  r = Analyse(CloseBars({1, 50, 50, 50, 50, 10}), s);
  EXPECT_DOUBLE_EQ(r.bollingerWidth, 320);
  EXPECT_EQ(r.bollingerBreak, 1);
  r = Analyse(CloseBars({1, 10, 12, 10, 12, 11}), s);
  EXPECT_EQ(r.bollingerBreak, -1);

  r = Analyse(CloseBars({1, 10, 10, 10, 10, 0}), s);  // last close 0
  EXPECT_EQ(r.bollingerWidth, -1000);
  r = Analyse(CloseBars({10, 10, 10, 10, 50}), s);  // N = n
  EXPECT_EQ(r.bollingerWidth, -1000);
  EXPECT_EQ(r.bollingerBreak, -1);
}

TEST(AnalysisOscillatorsTest, CciFromTypicalPrices) {
  SettingsRecord s = DefaultSettings();
  s.cciPeriod = 3;
  // Typical prices 9, 12, 15: mean 12, mean deviation 2, (15 - 12) / (0.015 * 2) = 100.
  const std::vector<PriceBar> bars = {Bar(2006, 1, 5, 9, 12, 6, 9, 1),
                                      Bar(2006, 1, 6, 12, 16, 8, 12, 1),
                                      Bar(2006, 1, 9, 15, 20, 10, 15, 1)};
  EXPECT_NEAR(Analyse(bars, s).cci, 100, 1e-9);  // n = N is enough
  s.cciPeriod = 4;
  EXPECT_EQ(Analyse(bars, s).cci, 0);
  s.cciPeriod = 2;
  EXPECT_EQ(Analyse(CloseBars({5, 5, 5}), s).cci, 0);  // equal typical prices
}

}  // namespace
}  // namespace korvale
