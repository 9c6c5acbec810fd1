// The panes of the shared indicator routines (RCI, RSI, volume ratio), the psychological line
// and the stochastics.
#include <algorithm>
#include <cmath>

#include "charts/chart_indicators.h"
#include "charts/indicator_panes.h"
#include "indicators/shared_indicators.h"

namespace korvale {

namespace {

using SharedIndicator = double (*)(const PriceBar*, int, int);

// Truncated indicator values of the window bars from max(0, n - hidden); the others have no
// value. An empty result when the period does not fit the series.
std::vector<double> WindowValues(const DailyBars& d, int n, SharedIndicator indicator, int* first) {
  std::vector<double> v(d.windowCount, kNoValue);
  *first = std::max(0, n - d.hidden);
  if (n < 1 || n >= d.count) {
    *first = d.windowCount;
    return v;
  }
  for (int i = *first; i < d.windowCount; ++i) {
    v[i] = std::trunc(indicator(d.bars, i + d.hidden, n));
  }
  return v;
}

// The RSI and RCI panes: two curves in slots 10 and 9, each from its first computed bar.
void DrawTwoPeriodPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                       int period2, SharedIndicator indicator, double span, double shift,
                       const char* labelFormat) {
  const int wc = d.windowCount;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, span);
  DrawFrame(t, wc, span, span / 2);
  const int slots[2] = {kSlotShortCurve, kSlotLongCurve};
  const int periods[2] = {period1, period2};
  for (int k = 0; k < 2; ++k) {
    int first = 0;
    const std::vector<double> v = WindowValues(d, periods[k], indicator, &first);
    t.palette.SelectColour(t.canvas, slots[k]);
    Polyline(t.mapper, first, wc, [&](int i) { return v[i] + shift; });
  }
  LabelBlock labels(t, rect, 12);
  labels.First(StringPrintf(labelFormat, period1), kSlotShortCurve);
  labels.Next(StringPrintf(labelFormat, period2), kSlotLongCurve);
}

}  // namespace

void DrawRsiPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                 int period2) {
  DrawTwoPeriodPane(t, rect, d, period1, period2, RelativeStrength, 100, 0, "RSI%d");
}

void DrawRciPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                 int period2) {
  DrawTwoPeriodPane(t, rect, d, period1, period2, RankCorrelation, 200, 100, "RCI%d");
}

void DrawVolumeRatioPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period) {
  const int wc = d.windowCount;
  t.palette.SelectColour(t.canvas, kSlotRatioCurve);
  int span = 200;
  if (wc >= period) {
    int first = 0;
    const std::vector<double> v = WindowValues(d, period, VolumeRatio, &first);
    double largest = -1e300;
    for (int i = first; i < wc; ++i) largest = std::max(largest, v[i]);
    span = VolumeRatioSpan(largest);
    t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, span);
    t.mapper.DottedLine(0, 100, wc, 100);
    // Each value is drawn one bar to the right of its bar.
    for (int i = first + 1; i < wc; ++i) t.mapper.Line(i, v[i - 1], i + 1, v[i]);
  }
  LabelBlock labels(t, rect, 12);
  labels.First(StringPrintf("ボリュームレシオ %d%%", span), kSlotRatioCurve);
}

void DrawPsychologicalPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d) {
  const int wc = d.windowCount;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, 12);
  DrawFrame(t, wc, 12, 6);
  if (wc > 14) {
    const std::vector<int> u = PsychologicalCounts(d.bars + d.hidden, wc);
    t.palette.SelectColour(t.canvas, kSlotRatioCurve);
    for (int i = 14; i < wc; ++i) t.mapper.Line(i, u[i - 1], i + 1, u[i]);
  }
  LabelBlock labels(t, rect, 24);
  labels.First("サイコロジ");
  labels.Next("カルライン");
}

template <typename BarT>
void DrawStochasticsPane(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                         int hidden, int period, int sumPeriod) {
  const int wc = count - hidden;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, 1);
  DrawFrame(t, wc, 1, 0.5);
  if (period < 1 || sumPeriod < 1 || count < period || count < sumPeriod) return;
  std::vector<double> k, d;
  StochasticsSeries(bars, count, period, sumPeriod, std::max(hidden - sumPeriod - 2, 0), &k, &d);
  t.palette.SelectColour(t.canvas, kSlotRatioCurve);
  t.palette.SelectColour(t.canvas, kSlotFastCurve);
  Polyline(t.mapper, std::max(period + 1, hidden) - hidden, wc,
           [&](int i) { return k[i + hidden]; });
  if (sumPeriod < count) {
    t.palette.SelectColour(t.canvas, kSlotLongCurve);
    Polyline(t.mapper, std::max(period + 1 + sumPeriod, hidden) - hidden, wc,
             [&](int i) { return d[i + hidden]; });
  }
  LabelBlock labels(t, rect, 12);
  labels.First("ストキャスティック");
}

template void DrawStochasticsPane<PriceBar>(const PaneTools&, const PaneRect&, const PriceBar*, int,
                                            int, int, int);
template void DrawStochasticsPane<WeeklyBar>(const PaneTools&, const PaneRect&, const WeeklyBar*,
                                             int, int, int, int);

}  // namespace korvale
