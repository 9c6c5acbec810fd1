// The Ichimoku chart: its lines worked out by hand on small series, their shifts, and what the
// drawing puts where.
#include "charts/ichimoku_chart.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "charts/ichimoku_lines.h"
#include "charts/recording_canvas.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"

namespace korvale {
namespace {

using testing::SeriesOf;

std::vector<PriceBar> BarsOf(const std::vector<std::array<int32_t, 3>>& lowHighClose) {
  std::vector<PriceBar> bars = testing::FlatCloses(std::vector<int32_t>(lowHighClose.size(), 1));
  for (size_t i = 0; i < bars.size(); ++i) {
    bars[i].low = lowHighClose[i][0];
    bars[i].high = lowHighClose[i][1];
    bars[i].open = bars[i].close = lowHighClose[i][2];
  }
  return bars;
}

std::vector<int64_t> Values(const IchimokuLine& line) { return line.values; }

// Six bars, periods 2 (conversion), 3 (base), 4 (span A), both leads 2, lagging 1, all shown:
// every value below is worked out by hand from the lows and highs.
TEST(IchimokuLinesTest, SmallSeriesByHand) {
  const std::vector<PriceBar> bars =
      BarsOf({{10, 20, 15}, {12, 30, 25}, {8, 14, 10}, {16, 26, 20}, {20, 40, 30}, {18, 22, 19}});
  const IchimokuLines l =
      ComputeIchimokuLines(bars.data(), 6, 0, IchimokuPeriods{2, 3, 4, 2, 2, 1});
  ASSERT_TRUE(l.complete);
  EXPECT_EQ(l.conversion.firstX, 2);
  EXPECT_EQ(Values(l.conversion), (std::vector<int64_t>{19, 17, 28, 29}));
  EXPECT_EQ(l.base.firstX, 3);
  EXPECT_EQ(Values(l.base), (std::vector<int64_t>{19, 24, 28}));
  // Leading span B, (conversion + base) / 2, two bars ahead: 18, 26, 28 (57 / 2) at x 5..7.
  EXPECT_EQ(l.spanB.firstX, 5);
  EXPECT_EQ(Values(l.spanB), (std::vector<int64_t>{18, 26, 28}));
  // Leading span A, the midpoint of four bars, two bars ahead, from bar 4 on.
  EXPECT_EQ(l.spanA.firstX, 6);
  EXPECT_EQ(Values(l.spanA), (std::vector<int64_t>{24, 24}));
  // The lagging span: closes from bar 1, one bar back.
  EXPECT_EQ(l.lagging.firstX, 0);
  EXPECT_EQ(Values(l.lagging), (std::vector<int64_t>{25, 10, 20, 30, 19}));
  // The cloud: span B from the last bar back to bar 4, then span A forward.
  EXPECT_EQ(l.cloud, (std::vector<IchimokuPoint>{{7, 28}, {6, 26}, {6, 24}, {7, 24}}));

  // A span period not below the bar count: nothing but the axis.
  const IchimokuLines none = ComputeIchimokuLines(bars.data(), 6, 0, {2, 3, 6, 2, 2, 1});
  EXPECT_FALSE(none.complete);
  EXPECT_TRUE(none.conversion.empty() && none.spanA.empty() && none.cloud.empty());
}

TEST(IchimokuLinesTest, MidpointOverMoreBarsThanThereAreUsesTheBarsFromTheFirst) {
  const std::vector<PriceBar> bars = BarsOf({{10, 20, 15}, {12, 30, 25}, {8, 14, 10}});
  EXPECT_EQ(MidpointSeries(bars.data(), 3, 10, 0), (std::vector<int64_t>{15, 20, 19}));
  EXPECT_EQ(MidpointSeries(bars.data(), 3, 0, 1), (std::vector<int64_t>{21, 11}));  // period 1
}

// The edge cases of the text: 100 bars all shown with the default periods, and a window of 10
// bars behind 90 hidden ones, shorter than every period.
TEST(IchimokuLinesTest, DefaultPeriodsShiftTheSpansAheadAndTheLaggingSpanBack) {
  const std::vector<PriceBar> bars = testing::WalkBars(100, 1000, 3);
  const IchimokuPeriods defaults = IchimokuPeriodsOf(testing::DefaultSettings(), kChartDaily);
  const IchimokuLines all = ComputeIchimokuLines(bars.data(), 100, 0, defaults);
  EXPECT_EQ(all.spanA.firstX, 52 + 26);
  EXPECT_EQ(all.spanA.lastX(), 99 + 26);
  EXPECT_EQ(all.spanB.lastX(), 99 + 26);
  EXPECT_EQ(all.lagging.lastX(), 99 - 26);
  EXPECT_EQ(all.lagging.values.back(), bars[99].close);
  EXPECT_EQ(all.cloud.size(), 2u * (100 - 52));

  const IchimokuLines window = ComputeIchimokuLines(bars.data(), 100, 90, defaults);
  // The leading spans start at the window's left edge with values of bars before it.
  EXPECT_EQ(window.spanA.firstX, 0);
  EXPECT_EQ(window.spanA.values.front(), MidpointSeries(bars.data(), 100, 52, 64)[0]);
  EXPECT_EQ(window.spanB.firstX, 0);
  EXPECT_EQ(window.conversion.firstX, -26);
  EXPECT_EQ(window.conversion.lastX(), 9);
  // The lagging span stands wholly left of a window shorter than its shift.
  EXPECT_EQ(window.lagging.lastX(), 9 - 26);
  EXPECT_EQ(window.cloud.size(), 2u * (100 - 64));
}

class IchimokuChartTest : public ::testing::Test {
 protected:
  void Draw(const std::vector<PriceBar>& bars, int period, const SettingsRecord& s) {
    series_ = SeriesOf(bars);
    painter_ = std::make_unique<CChartPainter>(s);
    const ChartKind& kind = IchimokuChartKind(period);
    kind.Attach(*painter_, series_);
    kind.SetClientSize(*painter_, 600, 300);
    canvas_.Clear();
    kind.Draw(*painter_, canvas_);
  }
  CPriceSeries series_;
  std::unique_ptr<CChartPainter> painter_;
  RecordingCanvas canvas_;
};

TEST_F(IchimokuChartTest, CloudStandsAheadOfTheLastBarUnderTheCandles) {
  const SettingsRecord s = testing::QuietChartSettings(100);
  Draw(testing::WalkBars(100, 1000, 5), kChartDaily, s);
  EXPECT_EQ(IchimokuWidth(*painter_, kChartDaily), 4 * 100 + 104);
  const std::vector<CanvasOp> polygons = canvas_.OpsOf(CanvasOp::kPolygon);
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].brush.colour, painter_->colour(kSlotCloud));
  EXPECT_EQ(polygons[0].points.size(), 2u * (100 - 52));
  int right = 0;
  for (const CanvasPoint& p : polygons[0].points) right = std::max(right, p.x);
  EXPECT_EQ(right, 4 * (99 + 26));  // 26 bars beyond the last one, inside the 104 extra pixels
  // The cloud lies under the candles of the second set, drawn after it.
  const auto& ops = canvas_.ops();
  const auto cloud = std::find_if(ops.begin(), ops.end(),
                                  [](const CanvasOp& o) { return o.kind == CanvasOp::kPolygon; });
  const auto candle = std::find_if(ops.begin(), ops.end(), [&](const CanvasOp& o) {
    return o.kind == CanvasOp::kFill &&
           (o.brush.colour == painter_->colour(kSlotRisingBody2) ||
            o.brush.colour == painter_->colour(kSlotFallingBody2)) &&
           o.y1 < 300 - 9;
  });
  ASSERT_NE(candle, ops.end());
  EXPECT_LT(cloud - ops.begin(), candle - ops.begin());
  // The lagging span's last point is the last close, 26 bars back.
  const std::vector<CanvasOp> lagging =
      testing::LinesOfColour(canvas_, painter_->colour(kSlotLaggingSpan));
  ASSERT_FALSE(lagging.empty());
  EXPECT_EQ(lagging.front().x1, 4 * (99 - 26));

  // The read-out goes through the Ichimoku mapping: the bar under a pixel, the last for -1.
  const ChartKind& kind = IchimokuChartKind(kChartDaily);
  EXPECT_EQ(kind.HitTest(*painter_, 4 * 10 + 1, 50).index, 10);
  EXPECT_EQ(kind.HitTest(*painter_, -1, -1).index, 99);
  EXPECT_FALSE(kind.HitTest(*painter_, 4 * 110, 50).found);  // over the leading spans only
}

TEST_F(IchimokuChartTest, SpanPeriodNotBelowTheBarsDrawsTheAxisOnly) {
  SettingsRecord s = testing::QuietChartSettings(100);
  s.ichimokuDailySpanPeriod = 40;
  Draw(testing::WalkBars(40, 1000, 6), kChartDaily, s);
  EXPECT_TRUE(canvas_.OpsOf(CanvasOp::kPolygon).empty());
  EXPECT_TRUE(testing::LinesOfColour(canvas_, painter_->colour(kSlotConversionLine)).empty());
  for (const CanvasOp& f : canvas_.OpsOf(CanvasOp::kFill)) {
    EXPECT_NE(f.brush.colour, painter_->colour(kSlotRisingBody2)) << "no candle";
  }
  EXPECT_FALSE(canvas_.Texts().empty());  // the month labels of the date axis
}

TEST_F(IchimokuChartTest, WeeklyAndMonthlyUseTheirOwnSetsAndWindows) {
  SettingsRecord s = testing::QuietChartSettings(100);
  s.ichimokuBarStyle = 1;  // a close line in slot 50
  Draw(testing::WalkBars(1500, 1000, 8), kChartMonthly, s);
  const int months = painter_->monthlyWindowCount();
  EXPECT_EQ(IchimokuWidth(*painter_, kChartMonthly), 4 * (months + 26));
  EXPECT_FALSE(testing::LinesOfColour(canvas_, painter_->colour(kSlotIchimokuClose)).empty());
  EXPECT_EQ(canvas_.OpsOf(CanvasOp::kPolygon).size(), 1u);
  Draw(testing::WalkBars(1500, 1000, 8), kChartWeekly, s);
  EXPECT_EQ(IchimokuWidth(*painter_, kChartWeekly), 4 * (painter_->weeklyWindowCount() + 26));
  EXPECT_EQ(canvas_.OpsOf(CanvasOp::kPolygon).size(), 1u);
}

}  // namespace
}  // namespace korvale
