// Last-bar basics, moving averages, position and crossing codes, candle pairs and extremes.
#include <gtest/gtest.h>

#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Analyse;
using testing::Bar;
using testing::CloseBars;
using testing::DefaultSettings;

TEST(AnalysisPriceFieldsTest, OneBarHasNoBasicsButItsExtremes) {
  const AnalysisRecord r = Analyse({Bar(2006, 3, 1, 100, 110, 90, 105, 5000)}, DefaultSettings());
  EXPECT_EQ(r.stockIndex, 7);
  EXPECT_EQ(r.lastClose, 0);
  EXPECT_EQ(r.priceChange, 0);
  EXPECT_EQ(r.priceChangePercent, 0);
  EXPECT_EQ(r.lastVolume, 0);
  EXPECT_EQ(r.volumeChange, 0);
  EXPECT_EQ(r.highThisYear, 110);
  EXPECT_EQ(r.lowThisYear, 90);
  EXPECT_EQ(r.highAll, 110);
  EXPECT_EQ(r.lowAll, 90);
  EXPECT_EQ(r.periodHigh, 110);
  EXPECT_EQ(r.periodLow, 90);
}

TEST(AnalysisPriceFieldsTest, TwoBarsGiveChangesAndRatios) {
  auto bars = CloseBars({100, 110});
  bars[0].volume = 1000;
  bars[1].volume = 3000;
  const AnalysisRecord r = Analyse(bars, DefaultSettings());
  EXPECT_EQ(r.lastClose, 110);
  EXPECT_EQ(r.priceChange, 10);
  EXPECT_NEAR(r.priceChangePercent, 10, 1e-9);
  EXPECT_EQ(r.lastVolume, 3000);
  EXPECT_EQ(r.volumeChange, 3.0);  // a ratio, not a percentage
}

TEST(AnalysisPriceFieldsTest, ZeroClosesAndVolumesGiveTheInvalidZeroNotInfinity) {
  auto bars = CloseBars({0, 50});
  bars[0].volume = 0;
  AnalysisRecord r = Analyse(bars, DefaultSettings());
  EXPECT_EQ(r.lastClose, 50);
  EXPECT_EQ(r.priceChangePercent, 0);  // previous close 0
  EXPECT_EQ(r.priceChange, 0);         // needs a positive previous close
  EXPECT_EQ(r.volumeChange, 0);        // previous volume 0

  r = Analyse(CloseBars({100, 0}), DefaultSettings());
  EXPECT_EQ(r.lastClose, 0);
  EXPECT_EQ(r.priceChange, 0);
  EXPECT_EQ(r.priceChangePercent, 0);

  // A negative previous close (damaged file) still gives a finite percentage, and no change.
  r = Analyse(CloseBars({-50, 100}), DefaultSettings());
  EXPECT_NEAR(r.priceChangePercent, -300, 1e-9);
  EXPECT_EQ(r.priceChange, 0);
}

TEST(AnalysisPriceFieldsTest, AveragesNeedTwoBarsMoreThanTheirPeriod) {
  SettingsRecord s = DefaultSettings();
  s.dailyMaShort = 3;
  s.dailyMaLong = 4;
  AnalysisRecord r = Analyse(CloseBars({10, 20, 30, 40}), s);  // n = 3 + 1
  EXPECT_EQ(r.maShort, 0);
  EXPECT_EQ(r.maShortPrev, 0);
  EXPECT_EQ(r.maLong, 0);

  r = Analyse(CloseBars({10, 20, 30, 40, 50}), s);  // n = 3 + 2
  EXPECT_EQ(r.maShort, 40);                         // (30 + 40 + 50) / 3
  EXPECT_EQ(r.maShortPrev, 30);                     // (20 + 30 + 40) / 3
  EXPECT_EQ(r.maLong, 0);                           // n = 4 + 1
  r = Analyse(CloseBars({10, 20, 30, 40, 50, 60}), s);
  EXPECT_EQ(r.maLong, 45);
  EXPECT_EQ(r.maLongPrev, 35);
  EXPECT_EQ(r.oscillator, 50.0 / 45.0);  // short over long
}

struct PositionCase {
  std::vector<int32_t> closes;
  int32_t code;
};

TEST(AnalysisPriceFieldsTest, PositionCodeOrdersPriceShortAndLong) {
  SettingsRecord s = DefaultSettings();
  s.dailyMaShort = 2;
  s.dailyMaLong = 3;
  const PositionCase cases[] = {
      {{10, 100, 100, 10, 110}, 0},  // P 110 > L 73.3 > S 60
      {{10, 20, 30, 40, 50}, 1},     // P 50 > S 45 > L 40
      {{10, 10, 100, 10, 40}, 2},    // L 50 > P 40 > S 25
      {{50, 40, 30, 20, 10}, 3},     // L 20 > S 15 > P 10
      {{10, 10, 10, 100, 50}, 4},    // S 75 > L 53.3 > P 50
      {{10, 10, 10, 100, 60}, 5},    // S 80 > P 60 > L 56.7
      {{10, 10, 10, 10, 10}, 9999},  // all equal
      {{10, 20, 30}, 9999},          // averages 0 for lack of bars
  };
  for (const PositionCase& c : cases) {
    EXPECT_EQ(Analyse(CloseBars(c.closes), s).positionCode, c.code) << c.closes.back();
  }
}

TEST(AnalysisPriceFieldsTest, CrossFlagsAddUpTheCrossings) {
  SettingsRecord s = DefaultSettings();
  s.dailyMaShort = 2;
  s.dailyMaLong = 3;
  // p 40 below S0 45 and L0 46.7, c 60 above S1 50 and L1 50.
  EXPECT_EQ(Analyse(CloseBars({50, 50, 50, 40, 60}), s).crossFlags, 1 + 2);
  // p 60 above S0 55 and L0 53.3, c 40 below both averages (50).
  EXPECT_EQ(Analyse(CloseBars({50, 50, 50, 60, 40}), s).crossFlags, 4 + 8);
  // Long 36.7 under short 50, then long 36.7 over short 30; the price fell through the long.
  EXPECT_EQ(Analyse(CloseBars({30, 10, 50, 50, 10}), s).crossFlags, 16 + 4);
  // Long 23.3 over short 10, then under short 30; the price rose through the long.
  EXPECT_EQ(Analyse(CloseBars({30, 50, 10, 10, 50}), s).crossFlags, 32 + 1);
  // No crossing at all without averages.
  EXPECT_EQ(Analyse(CloseBars({10, 50}), s).crossFlags, 0);
}

TEST(AnalysisPriceFieldsTest, CandlePairsAreEngulfingOrInsideNeverBoth) {
  const SettingsRecord s = DefaultSettings();
  auto flags = [&](PriceBar a, PriceBar b) { return Analyse({a, b}, s).crossFlags & 192; };
  // Falling then rising, the second bar's range beyond the first body: engulfing.
  EXPECT_EQ(flags(Bar(2006, 1, 5, 100, 110, 90, 95, 1), Bar(2006, 1, 6, 90, 115, 85, 105, 1)), 64);
  // Rising then falling, the second body inside the first range: inside.
  EXPECT_EQ(flags(Bar(2006, 1, 5, 90, 120, 80, 110, 1), Bar(2006, 1, 6, 105, 106, 94, 95, 1)), 128);
  // Both tests hold: only the engulfing bit is set.
  EXPECT_EQ(flags(Bar(2006, 1, 5, 100, 150, 50, 95, 1), Bar(2006, 1, 6, 80, 125, 75, 120, 1)), 64);
  // Two rising candles (a doji counts as rising) never qualify.
  EXPECT_EQ(flags(Bar(2006, 1, 5, 100, 110, 95, 110, 1), Bar(2006, 1, 6, 90, 130, 80, 120, 1)), 0);
  EXPECT_EQ(flags(Bar(2006, 1, 5, 100, 110, 95, 100, 1), Bar(2006, 1, 6, 90, 130, 80, 120, 1)), 0);
  // A doji followed by a falling bar does.
  EXPECT_EQ(flags(Bar(2006, 1, 5, 100, 105, 95, 100, 1), Bar(2006, 1, 6, 110, 130, 80, 90, 1)), 64);
}

TEST(AnalysisPriceFieldsTest, YearAndPeriodExtremes) {
  std::vector<PriceBar> bars = {
      Bar(2000, 6, 1, 10, 900, 1, 10, 1),  // six years back: only in "all"
      Bar(2001, 6, 1, 10, 800, 2, 10, 1),  // five years back
      Bar(2005, 6, 1, 10, 700, 3, 10, 1),  // last year
  };
  // 30 bars of 2006; the one of them outside the last 21 bars has the highest high.
  auto recent = testing::WeekdayBars(2006, 1, 5, std::vector<int32_t>(30, 100));
  recent[5].high = 600;
  recent[20].high = 300;
  recent[25].low = 50;
  bars.insert(bars.end(), recent.begin(), recent.end());
  SettingsRecord s = DefaultSettings();
  s.highLowMonths = 1;  // 21 bars
  const AnalysisRecord r = Analyse(bars, s);
  EXPECT_EQ(r.highThisYear, 600);
  EXPECT_EQ(r.lowThisYear, 50);
  EXPECT_EQ(r.highSinceLastYear, 700);
  EXPECT_EQ(r.lowSinceLastYear, 3);
  EXPECT_EQ(r.highFiveYears, 800);
  EXPECT_EQ(r.lowFiveYears, 2);
  EXPECT_EQ(r.highAll, 900);
  EXPECT_EQ(r.lowAll, 1);
  EXPECT_EQ(r.periodHigh, 300);
  EXPECT_EQ(r.periodLow, 50);

  s.highLowMonths = 0x7fffffff;  // the window overflows int: every bar
  EXPECT_EQ(Analyse(bars, s).periodHigh, 900);
  s.highLowMonths = -3;  // no bar
  EXPECT_EQ(Analyse(bars, s).periodHigh, 0);
}

}  // namespace
}  // namespace korvale
