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
    DrawFrame(t.painter, t.canvas, t.mapper, wc, span, span / 2);
    const int start = r.lead < d.hidden ? 0 : r.lead;
    // Each curve begins at its first point inside the scale.
    auto curve = [&](const std::vector<double>& v, int slot) {
      int first = start;
      while (first < wc && !(v[first + d.hidden] >= bottom && v[first + d.hidden] <= top)) {
        ++first;
      }
      t.painter.SelectColour(t.canvas, slot);
      Polyline(t.mapper, first, wc, [&](int i) { return v[i + d.hidden] - bottom; });
    };
    curve(r.signal, 8);
    curve(r.macd, 10);
  }
  LabelBlock labels(t.painter, t.canvas, t.mapper, rect, 12);
  labels.FromTop("MACD", 10, t.painter.textHeight());
  labels.Then("Signal", 8, t.painter.textHeight());
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
  t.painter.SelectColour(t.canvas, 1);
  t.mapper.Line(0, 0, wc, 0);
  t.mapper.Line(0, span, wc, span);
  t.painter.SelectColour(t.canvas, 8);
  Polyline(t.mapper, 0, static_cast<int>(r.obv.size()), [&](int i) { return r.obv[i] - lo; });
  LabelBlock labels(t.painter, t.canvas, t.mapper, rect, 12);
  labels.FromTop("OBV", 8, t.painter.textHeight());
}

void DrawDmiPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period) {
  const int wc = d.windowCount;
  const DmiSeriesResult r = DmiSeries(d.bars, d.count, d.hidden, period);
  if (r.drawable) {
    t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, 100);
    DrawFrame(t.painter, t.canvas, t.mapper, wc, 100, 50);
    const int start = d.hidden == 0 ? 2 * period + 1 : 0;
    auto curve = [&](const std::vector<double>& v, int slot, int from) {
      t.painter.SelectColour(t.canvas, slot);
      Polyline(t.mapper, from, wc, [&](int i) { return v[i]; });
    };
    curve(r.plusDi, 60, start);
    curve(r.minusDi, 61, start);
    curve(r.adx, 62, start);
    int adxrFrom = start;
    while (adxrFrom < wc && !(r.adxr[adxrFrom] >= 0 && r.adxr[adxrFrom] <= 100)) ++adxrFrom;
    curve(r.adxr, 63, adxrFrom);
  }
  const int th = t.painter.textHeight();
  LabelBlock labels(t.painter, t.canvas, t.mapper, rect, 12);
  labels.FromTop("-DI", 61, th);
  labels.Then("+DI", 60, th + 2);
  labels.Then("ADX", 62, th + 4);
  labels.Then("ADXR", 63, th + 6);
}

void DrawCciPane(const PaneTools& t, const PaneRect& rect, const DailyBars& d, int period) {
  const int wc = d.windowCount;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, wc, 700);
  t.painter.SelectColour(t.canvas, 1);
  for (double y : {100, 200, 400, 500, 600}) t.mapper.DottedLine(0, y, wc, y);
  for (double y : {0, 300, 700}) t.mapper.Line(0, y, wc, y);
  const std::vector<double> cci = CciSeries(d.bars, d.count, d.hidden, period);
  t.painter.SelectColour(t.canvas, 8);
  Polyline(t.mapper, d.hidden == 0 ? std::max(period, 0) : 0, wc,
           [&](int i) { return cci[i] + 300; });
  LabelBlock labels(t.painter, t.canvas, t.mapper, rect, 12);
  labels.FromTop("CCI", 8, t.painter.textHeight());
}

}  // namespace korvale
