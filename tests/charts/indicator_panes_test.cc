// The indicator panes: formulas worked out by hand, scale switches, start bars and labels.
#include "charts/indicator_panes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "charts/chart_indicators.h"
#include "charts/chart_painter.h"
#include "charts/recording_canvas.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::FlatCloses;
using testing::LinesOfColour;
using testing::QuietChartSettings;
using testing::SeriesOf;

struct Segment {
  int x1, y1, x2, y2;
  bool operator==(const Segment&) const = default;
};
std::vector<Segment> Segments(const std::vector<CanvasOp>& ops) {
  std::vector<Segment> out;
  for (const CanvasOp& op : ops) out.push_back({op.x1, op.y1, op.x2, op.y2});
  return out;
}

// Draws the daily chart of `bars` (all displayed, 4 pixels per bar) 400 pixels high with one
// pane switched on by `setup`: the pane occupies rows 300 .. 400.
struct OnePane {
  std::unique_ptr<CChartPainter> painter;
  RecordingCanvas canvas{9};
};
std::unique_ptr<OnePane> DrawOnePane(const std::vector<PriceBar>& bars,
                                     const std::function<void(SettingsRecord*)>& setup,
                                     int span = -1) {
  auto out = std::make_unique<OnePane>();
  static CPriceSeries series;
  series = SeriesOf(bars);
  SettingsRecord s = QuietChartSettings(span < 0 ? static_cast<int>(bars.size()) : span);
  setup(&s);
  out->painter = std::make_unique<CChartPainter>(s);
  out->painter->Attach(series, kChartDaily);
  out->painter->SetChartHeight(400);
  out->painter->DrawDailyChart(out->canvas);
  return out;
}

TEST(RsiPaneTest, TruncatedValuesFromTheFirstComputedBar) {
  // n = 3 over closes 10 12 11 13 13 12 15: bar 3 (12, 11, 13): 2 / 3 -> 66; bar 4 (11, 13,
  // 13): 100; bar 5 (13, 13, 12): 0; bar 6 (13, 12, 15): 3 / 4 -> 75.
  auto d = DrawOnePane(FlatCloses({10, 12, 11, 13, 13, 12, 15}), [](SettingsRecord* s) {
    s->dailyShowRsi = 1;
    s->rsiPeriod1 = 3;
    s->rsiPeriod2 = 50;  // not below the bar count: no curve, label kept
  });
  EXPECT_EQ(Segments(LinesOfColour(d->canvas, d->painter->colour(10))),
            (std::vector<Segment>{{12, 334, 16, 300}, {16, 300, 20, 400}, {20, 400, 24, 325}}));
  EXPECT_NE(d->canvas.FindText("RSI3"), nullptr);
  EXPECT_NE(d->canvas.FindText("RSI50"), nullptr);
}

TEST(RciPaneTest, FallingClosesStandJustAboveMinusHundred) {
  // n = 3, strictly falling: D = 2^2 + 0 + 2^2 = 8, (1 - 48 / 26) * 100 = -84.6 -> -84, drawn
  // at 16 of 200 on a pane of 100 pixels: row 392.
  auto d = DrawOnePane(FlatCloses({20, 19, 18, 17, 16, 15}), [](SettingsRecord* s) {
    s->dailyShowRci = 1;
    s->rciPeriod1 = 3;
    s->rciPeriod2 = 4;
  });
  const auto first = LinesOfColour(d->canvas, d->painter->colour(10));
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first[0].x1, 12);  // from bar n = 3
  EXPECT_EQ(first[0].y1, 392);
  EXPECT_EQ(first[0].y2, 392);
}

TEST(VolumeRatioPaneTest, ScaleSwitchesFrom200To400AbovePoint200) {
  EXPECT_EQ(VolumeRatioSpan(200), 200);
  EXPECT_EQ(VolumeRatioSpan(201), 400);
  EXPECT_EQ(VolumeRatioSpan(401), 600);
  EXPECT_EQ(VolumeRatioSpan(601), 800);
  EXPECT_EQ(VolumeRatioSpan(5000), 800);
  EXPECT_EQ(VolumeRatioSpan(-10000), 200);
  // Bar 3 over n = 3: a rise with volume U, then a fall with volume 1000: U / 10, truncated.
  for (const auto& [up, label] :
       {std::pair{2009, "ボリュームレシオ 200%"}, std::pair{2015, "ボリュームレシオ 400%"}}) {
    auto d = DrawOnePane(FlatCloses({10, 10, 11, 10}, {0, 0, up, 1000}), [](SettingsRecord* s) {
      s->dailyShowVolumeRatio = 1;
      s->volumeRatioPeriod = 3;
    });
    EXPECT_NE(d->canvas.FindText(label), nullptr) << up;
  }
  // Fewer bars than the period: only the label.
  auto d = DrawOnePane(FlatCloses({10, 11}), [](SettingsRecord* s) {
    s->dailyShowVolumeRatio = 1;
    s->volumeRatioPeriod = 3;
  });
  EXPECT_NE(d->canvas.FindText("ボリュームレシオ 200%"), nullptr);
  EXPECT_TRUE(LinesOfColour(d->canvas, d->painter->colour(12)).empty());
}

TEST(DeviationPaneTest, LargestDeviationPicksThePercentScale) {
  EXPECT_EQ(DeviationPercent(0), 15);
  EXPECT_EQ(DeviationPercent(0.12), 15);
  EXPECT_EQ(DeviationPercent(0.15), 20);
  EXPECT_EQ(DeviationPercent(0.29), 30);
  EXPECT_EQ(DeviationPercent(0.4), 50);
  EXPECT_EQ(DeviationPercent(0.99), 100);
  EXPECT_EQ(DeviationPercent(3), 200);
  // Long average (3) of 100, 100, 119 is 106.3: the close deviates 0.119; the short one less.
  auto setup = [](SettingsRecord* s) {
    s->dailyShowDeviation = 1;
    s->dailyMaShort = 2;
    s->dailyMaLong = 3;
  };
  auto d = DrawOnePane(FlatCloses({100, 100, 100, 100, 100, 119}), setup);
  EXPECT_NE(d->canvas.FindText("移動平均線 15%"), nullptr);
  EXPECT_NE(d->canvas.FindText("-15%"), nullptr);
  EXPECT_NE(d->canvas.FindText("乖離率"), nullptr);
  d = DrawOnePane(FlatCloses({100, 100, 100, 100, 100, 125}), setup);  // 0.154
  EXPECT_NE(d->canvas.FindText("移動平均線 20%"), nullptr);
}

TEST(OscillatorPaneTest, ValuesWithinNineOfHundredUseTen) {
  EXPECT_EQ(OscillatorHalfSpan(0), 10);
  EXPECT_EQ(OscillatorHalfSpan(9), 10);
  EXPECT_EQ(OscillatorHalfSpan(10), 20);
  EXPECT_EQ(OscillatorHalfSpan(49.9), 50);
  EXPECT_EQ(OscillatorHalfSpan(50), 100);
  std::vector<int32_t> closes;
  for (int i = 0; i < 30; ++i) closes.push_back(1000 + 3 * i);
  auto d = DrawOnePane(FlatCloses(closes), [](SettingsRecord* s) {
    s->dailyShowOscillator = 1;
    s->dailyMaShort = 3;
    s->dailyMaLong = 10;
  });
  EXPECT_NE(d->canvas.FindText("オシレーター 10%"), nullptr);
  EXPECT_NE(d->canvas.FindText("-10%"), nullptr);
  // Periods not below the bar count: the labels only, with 0.
  d = DrawOnePane(FlatCloses({1, 2, 3}), [](SettingsRecord* s) {
    s->dailyShowOscillator = 1;
    s->dailyMaShort = 3;
    s->dailyMaLong = 10;
  });
  EXPECT_NE(d->canvas.FindText("オシレーター 0%"), nullptr);
  EXPECT_TRUE(LinesOfColour(d->canvas, d->painter->colour(9)).empty());
}

TEST(CciPaneTest, WholeSeriesStartsAtThePeriodAndValueIsFromTheMeanDeviation) {
  // Flat bars: TP = close. At bar 5 over n = 5: TP 1..5, mean 3, deviations sum 6;
  // 5 * 2 * (200/3) / 6 = 111.1, drawn at 411.1 of 700: row 300 + trunc(100 - 58.7) = 341.
  auto d = DrawOnePane(FlatCloses({9, 1, 2, 3, 4, 5, 5}), [](SettingsRecord* s) {
    s->dailyShowCci = 1;
    s->cciPeriod = 5;
  });
  const auto curve = LinesOfColour(d->canvas, d->painter->colour(8));
  ASSERT_FALSE(curve.empty());
  EXPECT_EQ(curve[0].x1, 20);  // x = cciPeriod bars
  EXPECT_EQ(curve[0].y1, 341);
  const std::vector<double> cci = CciSeries(FlatCloses({9, 1, 2, 3, 4, 5}).data(), 6, 0, 5);
  EXPECT_NEAR(cci[5], 1000.0 / 9, 1e-9);
  EXPECT_FALSE(HasValue(cci[3]));  // before a full period
}

TEST(DmiPaneTest, DirectionalIndexesWorkedByHand) {
  const std::vector<PriceBar> bars = {
      Bar(2006, 1, 9, 9, 10, 8, 9, 1),     Bar(2006, 1, 10, 10, 11, 9, 10, 1),
      Bar(2006, 1, 11, 11, 12, 10, 11, 1), Bar(2006, 1, 12, 12, 13, 11, 12, 1),
      Bar(2006, 1, 13, 14, 15, 12, 14, 1), Bar(2006, 1, 16, 11, 14, 10, 11, 1),
      Bar(2006, 1, 17, 15, 16, 11, 15, 1), Bar(2006, 1, 18, 14, 15, 13, 14, 1)};
  const DmiSeriesResult r = DmiSeries(bars.data(), 8, 0, 2);
  ASSERT_TRUE(r.drawable);
  // From bar 4 (2n) on: +DM 2, 0, 2, 0; -DM 0, 2, 0, 0; TR 3, 4, 5, 2.
  EXPECT_EQ(r.plusDi[4], 66);
  EXPECT_EQ(r.plusDi[5], 28);
  EXPECT_EQ(r.minusDi[5], 28);
  EXPECT_EQ(r.plusDi[6], 22);
  EXPECT_EQ(r.plusDi[7], 28);
  EXPECT_EQ(r.minusDi[7], 0);
  EXPECT_EQ(r.adx[4], 50);  // DX 0, 100
  EXPECT_EQ(r.adx[5], 50);  // DX 100, 0
  EXPECT_EQ(r.adx[6], 0);
  EXPECT_EQ(r.adx[7], 50);
  EXPECT_EQ(r.adxr[5], 25);  // ADX 0, 0, 50, 50
  EXPECT_EQ(r.adxr[7], 37);  // ADX 50, 50, 0, 50
  EXPECT_FALSE(HasValue(r.plusDi[0]));
  // Whole series displayed: the lines start at 2n + 1.
  auto d = DrawOnePane(bars, [](SettingsRecord* s) {
    s->dailyShowDmi = 1;
    s->dmiPeriod = 2;
  });
  const auto plus = LinesOfColour(d->canvas, d->painter->colour(60));
  ASSERT_FALSE(plus.empty());
  EXPECT_EQ(plus[0].x1, 20);
  EXPECT_EQ(plus[0].pen.width, 2);
  EXPECT_FALSE(DmiSeries(bars.data(), 3, 0, 2).drawable);  // fewer bars than 2n
}

TEST(MacdPaneTest, ExponentialAveragesAndASimpleSignal) {
  const auto bars = FlatCloses({10, 10, 12, 14, 13, 15, 16, 14});
  const MacdSeriesResult r = MacdSeries(bars.data(), 8, 0, 2, 3, 2);
  ASSERT_TRUE(r.valid);
  EXPECT_EQ(r.start, 1);
  EXPECT_EQ(r.lead, 5);
  // Fast seeded at bar 2 with (10 + 12) / 2, slow at bar 3 with (10 + 12 + 14) / 3.
  EXPECT_NEAR(r.macd[2], 11, 1e-12);
  EXPECT_NEAR(r.macd[3], 13 - 12, 1e-12);
  EXPECT_NEAR(r.macd[5], 43.0 / 3 - 13.75, 1e-12);
  EXPECT_NEAR(r.signal[3], (11 + 1) / 2.0, 1e-12);
  EXPECT_NEAR(r.signal[4], (1 + 0.5) / 2, 1e-12);
  EXPECT_EQ(r.signal[2], 0);
  EXPECT_FALSE(MacdSeries(bars.data(), 3, 0, 2, 3, 2).valid);
  // Drawn from bar 5, each curve from its first point within the scale of bars 6 and 7: the
  // signal at 5 lies inside, the MACD at 5 above the top.
  auto d = DrawOnePane(bars, [](SettingsRecord* s) {
    s->dailyShowMacd = 1;
    s->macdPeriod1 = 2;
    s->macdPeriod2 = 3;
    s->macdSignalPeriod = 2;
  });
  ASSERT_FALSE(LinesOfColour(d->canvas, d->painter->colour(10)).empty());
  EXPECT_EQ(LinesOfColour(d->canvas, d->painter->colour(10))[0].x1, 24);
  const CanvasOp* macdLabel = d->canvas.FindText("MACD");
  ASSERT_NE(macdLabel, nullptr);
  EXPECT_EQ(macdLabel->y1, 300);
  EXPECT_EQ(d->canvas.FindText("Signal")->textColour, d->painter->colour(8));
}

TEST(ObvPaneTest, RunningSumOfVolumesByDirection) {
  const auto bars = FlatCloses({10, 11, 11, 9, 12}, {5, 7, 3, 4, 6});
  ObvSeriesResult r = ObvSeries(bars.data(), 5, 0);
  EXPECT_EQ(r.start, 1);
  EXPECT_EQ(r.obv, (std::vector<double>{7, 7, 3, 9}));
  r = ObvSeries(bars.data(), 5, 3);
  EXPECT_EQ(r.start, 2);
  EXPECT_EQ(r.obv, (std::vector<double>{0, -4, 2}));
  EXPECT_TRUE(ObvSeries(bars.data(), 1, 0).obv.empty());
  // One bar: no frame and no label.
  auto d = DrawOnePane(FlatCloses({10}), [](SettingsRecord* s) { s->dailyShowObv = 1; });
  EXPECT_EQ(d->canvas.FindText("OBV"), nullptr);
}

TEST(StochasticsPaneTest, ClosesOnlyWithSumsOverTheSumPeriod) {
  const auto bars = FlatCloses({1, 3, 2, 5, 4, 4, 4});
  std::vector<double> k, d;
  StochasticsSeries(bars.data(), 7, 3, 2, 0, &k, &d);
  EXPECT_DOUBLE_EQ(k[2], 0.5);
  EXPECT_DOUBLE_EQ(k[3], 1.0);
  EXPECT_DOUBLE_EQ(k[4], 2.0 / 3);
  EXPECT_DOUBLE_EQ(d[3], 4.0 / 5);
  EXPECT_DOUBLE_EQ(d[4], 5.0 / 6);
  EXPECT_FALSE(HasValue(k[1]));
  EXPECT_DOUBLE_EQ(k[5], 0);  // 5 4 4: at the low
  StochasticsSeries(FlatCloses({4, 4, 4}).data(), 3, 3, 1, 0, &k, &d);
  EXPECT_FALSE(HasValue(k[2]));  // a flat window has no value: a gap in the curve
  // Fewer bars than a period: the frame only.
  auto pane = DrawOnePane(FlatCloses({1, 2}), [](SettingsRecord* s) {
    s->dailyShowStochastics = 1;
    s->stochasticsPeriod = 3;
  });
  EXPECT_EQ(pane->canvas.FindText("ストキャスティック"), nullptr);
}

TEST(PsychologicalPaneTest, CountsRisesOverTwelveChanges) {
  std::vector<int32_t> closes;
  for (int i = 0; i < 18; ++i) closes.push_back(100 + i % 2);  // rises at odd bars
  const auto bars = FlatCloses(closes);
  const std::vector<int> u = PsychologicalCounts(bars.data(), 18);
  EXPECT_EQ(u[12], 0);
  EXPECT_EQ(u[13], 6);
  EXPECT_EQ(u[14], 6);
  auto d = DrawOnePane(bars, [](SettingsRecord* s) { s->dailyShowPsychological = 1; });
  // The first segment runs from bar 14 to 15 at 6 of 12: row 350.
  std::vector<Segment> curve;
  for (const CanvasOp& op : LinesOfColour(d->canvas, d->painter->colour(12))) {
    if (op.x1 != op.x2 - 1 && op.x2 - op.x1 == 4) curve.push_back({op.x1, op.y1, op.x2, op.y2});
  }
  ASSERT_FALSE(curve.empty());
  EXPECT_EQ(curve[0], (Segment{56, 350, 60, 350}));
}

TEST(WeeklyPanesTest, MomentumScaleAndMarginLinesBreakAtMissingBalances) {
  std::vector<WeeklyBar> weeks(6);
  const int32_t closes[] = {100, 100, 100, 100, 110, 121};
  const int32_t sells[] = {0, 5, 6, 0, 7, 8};
  for (int i = 0; i < 6; ++i) {
    weeks[i].year = 2006;
    weeks[i].month = 1;
    weeks[i].open = weeks[i].high = weeks[i].low = weeks[i].close = closes[i];
    weeks[i].marginSell = sells[i];
    weeks[i].marginBuy = 10;
  }
  const CChartPainter p(testing::DefaultSettings());
  RecordingCanvas c(9);
  CChartMapper m(&c, 9);
  const PaneTools t{p.palette(), c, m, 9};
  // Averages over 2 from week 3: 100, 105, 115; momentum over 1 week 105, 109.5: within 10.
  DrawMomentumPane(t, PaneRect{0, 0, 24, 100}, weeks.data(), 6, 2, 1);
  EXPECT_NE(c.FindText("モーメンタム 10%"), nullptr);
  c.Clear();
  DrawMarginPane(t, PaneRect{0, 0, 24, 100}, weeks.data(), 6);
  const auto sell = LinesOfColour(c, p.colour(10));
  ASSERT_EQ(sell.size(), 2u);  // weeks 1-2 and 4-5; weeks 0 and 3 have no balance
  EXPECT_EQ(sell[0].x1, 4);
  EXPECT_EQ(sell[0].x2, 8);
  EXPECT_EQ(sell[1].x1, 16);
  EXPECT_EQ(sell[1].x2, 20);
  EXPECT_EQ(c.FindText("売り残")->textColour, p.colour(10));
  EXPECT_EQ(c.FindText("買い残")->textColour, p.colour(9));
}

}  // namespace
}  // namespace korvale
