// The MACD, OBV, DMI and CCI panes of the daily chart.
#include <algorithm>
#include <cmath>

#include "charts/chart_indicators.h"
#include "charts/indicator_panes.h"

namespace korvale {

void DrawMacdPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period1,
                  int period2, int signalPeriod) {
  const int wc = d.windowCount;
  const MacdSeriesResult r = MacdSeries(d.bars, d.count, d.hidden, period1, period2, signalPeriod);
  if (r.valid) {
    double top = 0, bottom = HUGE_VAL;
    for (int k = std::max(d.hidden, r.start + r.lead); k < d.count; ++k) {
      top = std::max(top, r.macd[k]);
      bottom = std::min(bottom, r.macd[k]);
    }
    if (bottom == HUGE_VAL) bottom = 10.0 * d.bars[d.count - 1].close;
    const double span = top - bottom;
    t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, span);
    DrawFrame(t, wc, span, span / 2);
    const int start = r.lead < d.hidden ? 0 : r.lead;
    // Each curve begins at its first point inside the scale.
    auto curve = [&](const std::vector<double>& v, int slot) {
      int first = start;
      while (first < wc && !(v[first + d.hidden] >= bottom && v[first + d.hidden] <= top)) {
        ++first;
      }
      t.palette.SelectColour(t.canvas, slot);
      Polyline(t.mapper, first, wc, [&](int i) { return v[i + d.hidden] - bottom; });
    };
    curve(r.signal, kSlotVolume);
    curve(r.macd, kSlotShortCurve);
  }
  LabelBlock labels(t, rect, 12);
  labels.FromTop("MACD", kSlotShortCurve, t.textHeight);
  labels.Then("Signal", kSlotVolume, t.textHeight);
}

void DrawObvPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d) {
  if (d.count < 2) return;
  const ObvSeriesResult r = ObvSeries(d.bars, d.count, d.hidden);
  double hi = 0, lo = 1e10;
  for (double v : r.obv) {
    hi = std::max(hi, v);
    lo = std::min(lo, v);
  }
  const double span = hi - lo;
  const int wc = d.windowCount;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, span);
  t.palette.SelectColour(t.canvas, kSlotForeground);
  t.mapper.Line(0, 0, wc, 0);
  t.mapper.Line(0, span, wc, span);
  t.palette.SelectColour(t.canvas, kSlotVolume);
  Polyline(t.mapper, 0, static_cast<int>(r.obv.size()), [&](int i) { return r.obv[i] - lo; });
  LabelBlock labels(t, rect, 12);
  labels.FromTop("OBV", kSlotVolume, t.textHeight);
}

void DrawDmiPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period) {
  const int wc = d.windowCount;
  const DmiSeriesResult r = DmiSeries(d.bars, d.count, d.hidden, period);
  if (r.drawable) {
    t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, 100);
    DrawFrame(t, wc, 100, 50);
    const int start = d.hidden == 0 ? 2 * period + 1 : 0;
    auto curve = [&](const std::vector<double>& v, int slot, int from) {
      t.palette.SelectColour(t.canvas, slot);
      Polyline(t.mapper, from, wc, [&](int i) { return v[i]; });
    };
    curve(r.plusDi, kSlotPlusDi, start);
    curve(r.minusDi, kSlotMinusDi, start);
    curve(r.adx, kSlotAdx, start);
    int adxrFrom = start;
    while (adxrFrom < wc && !(r.adxr[adxrFrom] >= 0 && r.adxr[adxrFrom] <= 100)) ++adxrFrom;
    curve(r.adxr, kSlotAdxr, adxrFrom);
  }
  const int th = t.textHeight;
  LabelBlock labels(t, rect, 12);
  labels.FromTop("-DI", kSlotMinusDi, th);
  labels.Then("+DI", kSlotPlusDi, th + 2);
  labels.Then("ADX", kSlotAdx, th + 4);
  labels.Then("ADXR", kSlotAdxr, th + 6);
}

void DrawCciPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period) {
  const int wc = d.windowCount;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, 700);
  t.palette.SelectColour(t.canvas, kSlotForeground);
  for (double y : {100, 200, 400, 500, 600}) t.mapper.DottedLine(0, y, wc, y);
  for (double y : {0, 300, 700}) t.mapper.Line(0, y, wc, y);
  const std::vector<double> cci = CciSeries(d.bars, d.count, d.hidden, period);
  t.palette.SelectColour(t.canvas, kSlotVolume);
  Polyline(t.mapper, d.hidden == 0 ? std::max(period, 0) : 0, wc,
           [&](int i) { return cci[i] + 300; });
  LabelBlock labels(t, rect, 12);
  labels.FromTop("CCI", kSlotVolume, t.textHeight);
}

}  // namespace korvale
