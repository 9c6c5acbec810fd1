// Hit tests, read-out texts and the values the detail panel reads at a bar.
#include <gtest/gtest.h>

#include <cmath>

#include "charts/chart_numerics.h"
#include "charts/chart_painter.h"
#include "charts/recording_canvas.h"
#include "indicators/shared_indicators.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::QuietChartSettings;
using testing::SeriesOf;

std::vector<PriceBar> FourDays() {
  return {Bar(2006, 1, 9, 100, 110, 90, 100, 1000), Bar(2006, 1, 10, 101, 111, 91, 105, 2000),
          Bar(2006, 1, 11, 104, 108, 99, 102, 3000), Bar(2006, 1, 12, 102, 103, 101, 102, 4000)};
}

TEST(ReadoutTest, DailyHitTestFindsTheBarUnderThePixelWithItsChange) {
  CPriceSeries series = SeriesOf(FourDays());
  CChartPainter p(QuietChartSettings(4));
  p.Attach(series, kChartDaily);
  p.SetChartHeight(100);
  // Nothing is kept before the first drawing, except the last bar that (-1, -1) asks for.
  EXPECT_FALSE(p.HitTestDaily(5, 50).found);
  EXPECT_EQ(ReadoutText(p.HitTestDaily(-1, -1), false), "2006/1/12 102 103 101 102 4000 ±0");
  RecordingCanvas c;
  p.DrawDailyChart(c);
  EXPECT_EQ(ReadoutText(p.HitTestDaily(1, 50), false), "2006/1/9 100 110 90 100 1000 ±0");
  EXPECT_EQ(ReadoutText(p.HitTestDaily(5, 99), false), "2006/1/10 101 111 91 105 2000 △5");
  EXPECT_EQ(ReadoutText(p.HitTestDaily(11, 0), false), "2006/1/11 104 108 99 102 3000 ▼3");
  EXPECT_EQ(p.HitTestDaily(11, 0).index, 2);
  EXPECT_EQ(ReadoutText(p.HitTestDaily(15, 0), false), "2006/1/12 102 103 101 102 4000 ±0");
  EXPECT_EQ(ReadoutText(p.HitTestDaily(16, 50), false), " ");  // right of the last bar
  EXPECT_FALSE(p.HitTestDaily(-1, 50).found);                  // left of the first bar
  // A weekly hit test does not read the daily chart's mapping.
  EXPECT_FALSE(p.HitTestWeekly(1, 50).found);
}

TEST(ReadoutTest, WeeklyAndMonthlyHitTestsUseTheirWindowsAndFormats) {
  std::vector<PriceBar> bars = FourDays();
  bars.push_back(Bar(2006, 2, 1, 102, 120, 100, 118, 5000));  // a second week and month
  CPriceSeries series = SeriesOf(bars);
  CChartPainter p(QuietChartSettings(5));
  p.Attach(series, kChartDaily);
  p.SetChartHeight(100);
  RecordingCanvas c;
  p.DrawWeeklyChart(c);
  EXPECT_EQ(ReadoutText(p.HitTestWeekly(1, 10), false), "2006/1/9 100 111 90 102 10000 ±0");
  EXPECT_EQ(ReadoutText(p.HitTestWeekly(5, 10), false), "2006/2/1 102 120 100 118 5000 △16");
  EXPECT_FALSE(p.HitTestDaily(1, 10).found);
  p.DrawMonthlyChart(c);
  EXPECT_EQ(ReadoutText(p.HitTestMonthly(2, 10), true), "2006/1 100 111 90 102 10000 ±0");
  EXPECT_EQ(ReadoutText(p.HitTestMonthly(-1, -1), true), "2006/2 102 120 100 118 5000 △16");
}

TEST(ReadoutTest, IndicatorValuesAreTheSharedRoutinesAtTheBarAndZeroOutside) {
  const std::vector<PriceBar> bars = testing::WalkBars(60, 1000, 9);
  CPriceSeries series = SeriesOf(bars);
  SettingsRecord s = QuietChartSettings(30);
  s.rsiPeriod1 = 5;
  s.rsiPeriod2 = 9;
  s.rciPeriod1 = 5;
  s.rciPeriod2 = 9;
  s.volumeRatioPeriod = 5;
  s.stochasticsPeriod = 5;
  s.stochasticsSumPeriod = 3;
  s.dailyMaShort = 3;
  s.dailyMaLong = 6;
  CChartPainter p(s);
  p.Attach(series, kChartDaily);
  const IndicatorValues v = p.IndicatorValuesAt(10);  // series bar 40
  EXPECT_DOUBLE_EQ(v.rsi1, RelativeStrength(bars.data(), 40, 5));
  EXPECT_DOUBLE_EQ(v.rsi2, RelativeStrength(bars.data(), 40, 9));
  EXPECT_DOUBLE_EQ(v.rci1, RankCorrelation(bars.data(), 40, 5));
  EXPECT_DOUBLE_EQ(v.rci2, RankCorrelation(bars.data(), 40, 9));
  EXPECT_DOUBLE_EQ(v.volumeRatio, VolumeRatio(bars.data(), 40, 5));
  double sum = 0;
  for (int k = 38; k <= 40; ++k) sum += bars[k].close;
  EXPECT_DOUBLE_EQ(v.maShort, sum / 3);
  // %K in percent from the closes of bars 36 .. 40.
  int32_t lo = bars[36].close, hi = bars[36].close;
  for (int k = 37; k <= 40; ++k) {
    lo = std::min(lo, bars[k].close);
    hi = std::max(hi, bars[k].close);
  }
  if (hi > lo) {
    EXPECT_NEAR(v.stochK, (bars[40].close - lo) * 100.0 / (hi - lo), 1e-9);
  }
  for (int outside : {-31, 30, 1000000}) {
    const IndicatorValues z = p.IndicatorValuesAt(outside);
    EXPECT_EQ(z.rsi1, 0) << outside;
    EXPECT_EQ(z.maLong, 0) << outside;
  }
  EXPECT_NE(p.IndicatorValuesAt(29).rsi1, 0);  // the last bar still has its values
}

}  // namespace
}  // namespace korvale
