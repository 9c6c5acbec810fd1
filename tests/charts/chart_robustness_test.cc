// Bad input never crashes a chart, never yields a NaN or an out-of-range coordinate: tiny
// series, flat closes, windows wider than the data, huge prices, a chart one pixel high.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "charts/auxiliary_chart.h"
#include "charts/chart_kind.h"
#include "charts/chart_painter.h"
#include "charts/information_text.h"
#include "charts/recording_canvas.h"
#include "charts/signal_chart.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::SeriesOf;

// Draws every chart of the series with every pane on, for a few chart heights, and checks
// what reached the canvas and what the read-out returns.
void DrawEverything(CPriceSeries series, int span, const std::string& what) {
  SCOPED_TRACE(what);
  const long nanBefore = NonFinitePixelCount();
  SettingsRecord s = testing::QuietChartSettings(span);
  testing::TurnEveryPaneOn(&s);
  s.dailyWeeklyBeforeSpan = 1;
  const CPriceSeries index = SeriesOf(testing::WalkBars(300, 20000, 17));
  for (const int height : {1, 0, 37, 800}) {
    for (const int theme : {0, 5}) {
      s.colourTheme = theme;
      CChartPainter p(s);
      p.SetIndexSeries(&index);
      p.Attach(series, kChartDaily);
      p.SetChartHeight(height);
      RecordingCanvas c;
      p.DrawDailyChart(c);
      p.DrawWeeklyChart(c);
      p.DrawMonthlyChart(c);
      const double row[] = {0, 1, 0.5};
      for (int style : {kSignalStyleCandles, kSignalStyleIchimoku}) {
        p.DrawSignalChart(c, style, {SignalRow{true, row, 3, 0, 1, "規則"}, SignalRow{}}, 300,
                          height);
      }
      EXPECT_LE(c.MaxAbsCoordinate(), kPixelLimit);
      for (int i = -1; i <= p.windowCount(); ++i) {
        const IndicatorValues v = p.IndicatorValuesAt(i);
        for (double x : {v.maLong, v.maShort, v.rci1, v.rci2, v.rsi1, v.rsi2, v.stochK, v.stochD,
                         v.volumeRatio}) {
          EXPECT_TRUE(std::isfinite(x)) << i;
        }
      }
      for (int px : {-1, 0, 3, 1000}) {
        p.HitTestDaily(px, -1);
        p.HitTestWeekly(px, 0);
        p.HitTestMonthly(px, 0);
      }
      p.StoreTrendLines(series);
    }
  }
  EXPECT_EQ(NonFinitePixelCount(), nanBefore);
}

TEST(ChartRobustnessTest, TinySeries) {
  DrawEverything(SeriesOf({}), 100, "no bar");
  DrawEverything(SeriesOf(testing::FlatCloses({100})), 100, "one bar");
  DrawEverything(SeriesOf(testing::FlatCloses({100, 101})), 100, "two bars");
  CPriceSeries placeholder;
  placeholder.Reset();
  DrawEverything(placeholder, 100, "placeholder");
}

TEST(ChartRobustnessTest, FlatClosesAndWindowsWiderThanTheData) {
  DrawEverything(SeriesOf(testing::FlatCloses(std::vector<int32_t>(150, 700))), 100, "flat");
  DrawEverything(
      SeriesOf(testing::FlatCloses(std::vector<int32_t>(150, 700), std::vector<int32_t>(150, 0))),
      100, "flat without volume");
  DrawEverything(SeriesOf(testing::WalkBars(50, 1000, 1)), 5000, "window wider than data");
  DrawEverything(SeriesOf(testing::WalkBars(50, 1000, 1)), 0, "empty window");
}

TEST(ChartRobustnessTest, PricesAboveSixteenBitsAndNearTheInt32Range) {
  std::vector<PriceBar> big = testing::WalkBars(200, 1000, 4);
  for (PriceBar& b : big) {
    b.open += 100000;
    b.high += 100000;
    b.low += 100000;
    b.close += 100000;
  }
  DrawEverything(SeriesOf(big), 120, "above 65535");
  std::vector<PriceBar> huge = testing::WalkBars(200, 1000, 5);
  for (size_t i = 0; i < huge.size(); ++i) {
    PriceBar& b = huge[i];
    b.high = INT_MAX;
    b.open = INT_MAX - 1000 * static_cast<int32_t>(i % 7);
    b.close = INT_MAX - 3000 * static_cast<int32_t>(i % 5);
    b.low = i % 2 ? 1 : INT_MAX - 50000;
    b.volume = INT_MAX - static_cast<int32_t>(i);
  }
  DrawEverything(SeriesOf(huge), 120, "near the int32 range");
  std::vector<PriceBar> negative = testing::WalkBars(60, 1000, 6);
  negative[10].open = negative[10].low = -5;
  negative[20].close = INT_MIN;
  negative[21].volume = -7;
  DrawEverything(SeriesOf(negative), 50, "negative values");
}

TEST(ChartRobustnessTest, NonsenseSettingsStayHarmless) {
  SettingsRecord s = testing::QuietChartSettings(60);
  testing::TurnEveryPaneOn(&s);
  s.rsiPeriod1 = 0;
  s.rciPeriod2 = -5;
  s.macdPeriod1 = 0;
  s.dmiPeriod = -1;
  s.cciPeriod = 0;
  s.stochasticsPeriod = 0;
  s.stochasticsSumPeriod = -3;
  s.volumeRatioPeriod = 1;
  s.bollingerPeriod = 0;
  s.dailyMaShort = -1;
  s.weeklyMomentumPeriod = -2;
  s.histogramPeriod = -10;
  s.sarStep = std::nan("");
  s.weeklySpanWeeks = -4;
  s.dailyIndexPeriod = 1;
  CPriceSeries series = SeriesOf(testing::WalkBars(100, 1000, 8));
  const CPriceSeries index = SeriesOf(testing::WalkBars(100, 1000, 9));
  const long nanBefore = NonFinitePixelCount();
  CChartPainter p(s);
  p.SetIndexSeries(&index);
  p.Attach(series, kChartDaily);
  p.SetChartHeight(600);
  RecordingCanvas c;
  p.DrawDailyChart(c);
  p.DrawWeeklyChart(c);
  EXPECT_EQ(NonFinitePixelCount(), nanBefore);
  EXPECT_LE(c.MaxAbsCoordinate(), kPixelLimit);
}

// The Ichimoku and auxiliary kinds on bad series, with their slider at both ends of its range
// (kagi in both modes), odd periods and client sizes down to nothing.
TEST(ChartRobustnessTest, WindowKindsOnBadInput) {
  std::vector<PriceBar> zeroClose = testing::WalkBars(120, 1000, 12);
  zeroClose[60].close = 0;
  zeroClose[61].close = zeroClose[61].volume = 0;
  const std::vector<std::pair<std::vector<PriceBar>, const char*>> inputs = {
      {{}, "no bar"},
      {testing::FlatCloses({100}), "one bar"},
      {testing::FlatCloses(std::vector<int32_t>(300, 700)), "all closes equal"},
      {zeroClose, "a close of 0"},
      {testing::FlatCloses(std::vector<int32_t>(40, 0)), "no price at all"},
  };
  const long nanBefore = NonFinitePixelCount();
  for (const auto& [bars, what] : inputs) {
    CPriceSeries series = SeriesOf(bars);
    for (const ChartKindEntry& e : ChartKinds()) {
      if (e.group == ChartKindGroup::kPeriod) continue;
      const AuxiliaryParameter range = AuxiliaryParameterOf(testing::DefaultSettings(), e.id);
      for (int mode : {0, 1}) {
        for (int value : {range.low, range.high}) {
          SCOPED_TRACE(std::string(what) + " " + e.option + " " + std::to_string(value));
          SettingsRecord s = testing::QuietChartSettings(100);
          s.kagiReversalMode = static_cast<int16_t>(mode);
          s.kagiAllPeriod = s.newPriceAllPeriod = mode;
          s.ichimokuDailyConversion = mode ? 0 : -3;
          s.ichimokuDailyLeadShiftA = mode ? -26 : 1 << 30;
          SetAuxiliaryParameter(&s, e.id, value);
          CChartPainter p(s);
          e.kind.Attach(p, series);
          for (auto [w, h] : {std::pair{320, 236}, {0, 0}, {1, 1}}) {
            e.kind.SetClientSize(p, w, h);
            RecordingCanvas c;
            e.kind.Draw(p, c);
            EXPECT_LE(c.MaxAbsCoordinate(), kPixelLimit);
            e.kind.HitTest(p, 3, 3);
          }
        }
      }
    }
  }
  EXPECT_EQ(NonFinitePixelCount(), nanBefore);
}

TEST(InformationTextTest, LinesFollowTheDataSource) {
  SettingsRecord s = testing::DefaultSettings();
  RecordingCanvas c;
  DrawInformationText(c, s, 1234, 2007, 8, 6);
  ASSERT_NE(c.FindText("登録銘柄数：1234"), nullptr);
  EXPECT_NE(c.FindText("データ最終更新日：2007/8/6"), nullptr);
  EXPECT_GE(c.FindText("登録銘柄数：1234")->y1, 40);
  EXPECT_LT(c.FindText("登録銘柄数：1234")->y1, 60);
  s.dataSourceMode = 2;
  c.Clear();
  DrawInformationText(c, s, 0, 0, 0, 0);
  EXPECT_NE(c.FindText("株価データ：Yahoo! Finance."), nullptr);
  s.dataSourceMode = 1;
  SetSettingsString(s.peerServerUrl, "http://peer.example/Korvale/KVISA.DLL?ALLST");
  c.Clear();
  DrawInformationText(c, s, 0, 0, 0, 0);
  EXPECT_NE(c.FindText("株価データ：http://peer.example/Korvale/KVISA.DLL?ALLST"), nullptr);
  const auto fills = c.OpsOf(CanvasOp::kFill);
  ASSERT_EQ(fills.size(), 3u);
  EXPECT_EQ(fills[2].x2, 620);
}

// The signal chart's Ichimoku style draws the cloud over the daily bars once the series is long
// enough for the lines; with fewer bars it shows the candles the other style shows.
TEST(ChartRobustnessTest, SignalChartIchimokuStyleNeedsTheLinesBars) {
  for (const int bars : {300, 40}) {
    SCOPED_TRACE(bars);
    CPriceSeries series = SeriesOf(testing::WalkBars(bars, 1000, 5));
    CChartPainter p(testing::QuietChartSettings(60));
    p.Attach(series, kChartDaily);
    size_t polygons[2];
    for (int style : {kSignalStyleCandles, kSignalStyleIchimoku}) {
      RecordingCanvas c;
      p.DrawSignalChart(c, style, {}, 300, 400);
      polygons[style] = c.OpsOf(CanvasOp::kPolygon).size();
    }
    EXPECT_EQ(polygons[kSignalStyleCandles], 0u);
    EXPECT_EQ(polygons[kSignalStyleIchimoku] > 0, bars == 300);
  }
}

}  // namespace
}  // namespace korvale
