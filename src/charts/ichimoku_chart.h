// The Ichimoku chart (一目均衡表) of the painter's daily, weekly or monthly window: the bars in
// the second candle set with the five Ichimoku lines and the cloud, 26 bars wider than the
// window so that the leading spans show ahead of the last bar. It draws through the painter of
// the document's stock, over the client height its window stored for the kind.
#ifndef KORVALE_CHARTS_ICHIMOKU_CHART_H_
#define KORVALE_CHARTS_ICHIMOKU_CHART_H_

#include "charts/chart_kind.h"
#include "charts/pane_drawing.h"

namespace korvale {

// The chart's width in pixels: 4 per bar of the period's window plus 104 for the leading spans.
// `period` is 32772 daily, 32773 weekly or 32774 monthly (anything else counts as daily).
int IchimokuWidth(const CChartPainter& painter, int period);

// Draw the chart of a period over the client height stored for its kind. Without an attached
// series only the background is drawn.
void DrawIchimokuDaily(CChartPainter& painter, Canvas& canvas);
void DrawIchimokuWeekly(CChartPainter& painter, Canvas& canvas);
void DrawIchimokuMonthly(CChartPainter& painter, Canvas& canvas);

// What the Ichimoku window shows without a stock: "一目均衡表" in a box 420 x 20 at the top
// left.
void DrawIchimokuCaption(Canvas& canvas);

// The Ichimoku price pane of daily bars over `price` (the signal chart's Ichimoku style): the
// leading spans and the cloud, the bars in the second candle set with their grid, the
// conversion, base and lagging lines. `all` holds `count` bars, the first `hidden` before the
// window of `windowCount`; `low` and `range` are the pane's price scale. Draws nothing and
// returns false while the lines are not complete (too few bars).
bool DrawIchimokuDailyPane(const PaneTools& t, const SettingsRecord& settings,
                           const PriceBar* all, int count, int hidden, int windowCount,
                           const PaneRect& price, int64_t low, int64_t range);

// The chart-kind implementation of a period (the chart-kind table's rows).
const ChartKind& IchimokuChartKind(int period);

}  // namespace korvale

#endif  // KORVALE_CHARTS_ICHIMOKU_CHART_H_
