// The panes built on moving averages (deviation, oscillator, weekly momentum), the weekly
// margin balances and the index correlation.
#include <algorithm>
#include <cmath>

#include "charts/chart_indicators.h"
#include "charts/chart_numerics.h"
#include "charts/indicator_panes.h"

namespace korvale {

namespace {

// Ratio of two averages, or no value when the divisor is 0 or missing.
double Ratio(double numerator, double divisor) {
  if (!HasValue(numerator) || !HasValue(divisor) || divisor == 0) return kNoValue;
  return numerator / divisor;
}

// The distance from 100 the oscillator and momentum scales are chosen by.
double FurthestFrom100(const std::vector<double>& values) {
  double lo = 100, hi = 100;
  for (double v : values) {
    if (!HasValue(v)) continue;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  return std::max(std::fabs(lo - 100), std::fabs(100 - hi));
}

}  // namespace

AverageCurves DailyAverageCurves(const DailyBars& d, int shortPeriod, int longPeriod) {
  AverageCurves c;
  c.windowCount = d.windowCount;
  c.shortPeriod = shortPeriod;
  c.longPeriod = longPeriod;
  c.close.resize(d.windowCount);
  for (int i = 0; i < d.windowCount; ++i) c.close[i] = d.bars[i + d.hidden].close;
  auto fill = [&](int period, std::vector<double>* out, int* start, bool* defined) {
    out->assign(d.windowCount, kNoValue);
    *defined = period >= 1 && period < d.count;
    *start = std::max(period - d.hidden + 1, 1);
    if (!*defined) return;
    std::vector<double> ma;
    MovingAverage(d.bars, d.count, period, kFieldClose, &ma);
    for (int i = *start; i < d.windowCount; ++i) (*out)[i] = ma[i + d.hidden];
  };
  fill(shortPeriod, &c.shortAverage, &c.shortStart, &c.shortDefined);
  fill(longPeriod, &c.longAverage, &c.longStart, &c.longDefined);
  return c;
}

AverageCurves WeeklyAverageCurves(const WeeklyBar* window, int count, int shortPeriod,
                                  int longPeriod) {
  AverageCurves c;
  c.windowCount = count;
  c.shortPeriod = shortPeriod;
  c.longPeriod = longPeriod;
  c.close.resize(count);
  for (int i = 0; i < count; ++i) c.close[i] = window[i].close;
  auto fill = [&](int period, std::vector<double>* out, int* start, bool* defined) {
    out->assign(count, kNoValue);
    *defined = period >= 1 && period + 1 < count;
    *start = std::max(period + 1, 1);
    if (!*defined) return;
    std::vector<int64_t> ma;
    WindowMovingAverageInt(window, count, period, kFieldClose, &ma);
    for (int i = *start; i < count; ++i) (*out)[i] = static_cast<double>(ma[i]);
  };
  fill(shortPeriod, &c.shortAverage, &c.shortStart, &c.shortDefined);
  fill(longPeriod, &c.longAverage, &c.longStart, &c.longDefined);
  return c;
}

void DrawDeviationPane(const PaneTools& t, const PaneRect& rect, const AverageCurves& c) {
  const int n = c.windowCount;
  std::vector<double> ds(n, kNoValue), dl(n, kNoValue);
  double largest = 0.1;
  auto deviations = [&](bool defined, int start, const std::vector<double>& ma,
                        std::vector<double>* out) {
    if (!defined) return;
    for (int i = std::max(start, 0); i < n; ++i) {
      const double d = Ratio(c.close[i] - ma[i], ma[i]);
      (*out)[i] = d;
      if (HasValue(d)) largest = std::max(largest, std::fabs(d));
    }
  };
  deviations(c.shortDefined, c.shortStart, c.shortAverage, &ds);
  deviations(c.longDefined, c.longStart, c.longAverage, &dl);
  const int q = DeviationPercent(largest);
  const double half = 0.01 * q;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, n, 2 * half);
  DrawFrame(t, n, 2 * half, half);
  t.palette.SelectColour(t.canvas, kSlotShortCurve);
  Polyline(t.mapper, 0, n, [&](int i) { return ds[i] + half; });
  t.palette.SelectColour(t.canvas, kSlotLongCurve);
  Polyline(t.mapper, 0, n, [&](int i) { return dl[i] + half; });

  LabelBlock labels(t, rect, 24);
  labels.First(StringPrintf("移動平均線 %d%%", q));
  labels.Next("乖離率");
  labels.Middle("0%");
  labels.Bottom(StringPrintf("-%d%%", q));
}

void DrawOscillatorPane(const PaneTools& t, const PaneRect& rect, const AverageCurves& c) {
  int m = 0;
  if (c.shortDefined && c.longDefined) {
    const int n = c.windowCount;
    std::vector<double> o(n, kNoValue);
    for (int i = std::max({c.longStart, c.shortStart, 0}); i < n; ++i) {
      const double r = Ratio(c.shortAverage[i], c.longAverage[i]);
      if (HasValue(r)) o[i] = r * 100;
    }
    m = OscillatorHalfSpan(FurthestFrom100(o));
    t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, n, 2.0 * m);
    DrawFrame(t, n, 2.0 * m, m, kSlotLongCurve);
    Polyline(t.mapper, 0, n, [&](int i) { return o[i] - (100 - m); });
  }
  LabelBlock labels(t, rect, 12);
  labels.First(StringPrintf("オシレーター %d%%", m));
  labels.Middle("0%");
  labels.Bottom(StringPrintf("-%d%%", m));
}

void DrawMomentumPane(const PaneTools& t, const PaneRect& rect, const WeeklyBar* window, int count,
                      int averagePeriod, int momentumPeriod) {
  std::vector<double> mo(std::max(count, 0), kNoValue);
  if (averagePeriod >= 1 && momentumPeriod >= 0) {
    std::vector<int64_t> ma;
    WindowMovingAverageInt(window, count, averagePeriod, kFieldClose, &ma);
    for (int i = averagePeriod + momentumPeriod + 1; i < count; ++i) {
      const double r =
          Ratio(static_cast<double>(ma[i]), static_cast<double>(ma[i - momentumPeriod]));
      if (HasValue(r)) mo[i] = r * 100;
    }
  }
  const int m = OscillatorHalfSpan(FurthestFrom100(mo));
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, count, 2.0 * m);
  DrawFrame(t, count, 2.0 * m, m, kSlotRatioCurve);
  t.palette.SelectColour(t.canvas, kSlotFastCurve);
  Polyline(t.mapper, 0, count, [&](int i) { return mo[i] - (100 - m); });

  LabelBlock labels(t, rect, 12);
  labels.First(StringPrintf("モーメンタム %d%%", m));
  labels.Middle("0%");
  labels.Bottom(StringPrintf("-%d%%", m));
}

void DrawMarginPane(const PaneTools& t, const PaneRect& rect, const WeeklyBar* window, int count) {
  double largest = 0;
  for (int i = 0; i < count; ++i) {
    largest = std::max({largest, static_cast<double>(window[i].marginSell),
                        static_cast<double>(window[i].marginBuy)});
  }
  const double span = 1.1 * largest;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, count, span);
  t.palette.SelectColour(t.canvas, kSlotForeground);
  t.mapper.Line(0, 0, count, 0);
  t.mapper.Line(0, span, count, span);
  // A balance of 0 or less is a week without a report: the line breaks there.
  t.palette.SelectColour(t.canvas, kSlotShortCurve);
  Polyline(t.mapper, 0, count, [&](int i) {
    return window[i].marginSell > 0 ? static_cast<double>(window[i].marginSell) : kNoValue;
  });
  t.palette.SelectColour(t.canvas, kSlotLongCurve);
  Polyline(t.mapper, 0, count, [&](int i) {
    return window[i].marginBuy > 0 ? static_cast<double>(window[i].marginBuy) : kNoValue;
  });

  LabelBlock labels(t, rect, 12);
  labels.First("売り残", kSlotShortCurve);
  labels.Next("買い残", kSlotLongCurve);
}

void DrawIndexCorrelationPane(const PaneTools& t, const PaneRect& rect, int windowCount,
                              const std::vector<double>& correlation,
                              const std::vector<double>& relative, int offset) {
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, windowCount, 2);
  DrawFrame(t, windowCount, 2, 1);
  auto segments = [&](const std::vector<double>& v, int slot) {
    t.palette.SelectColour(t.canvas, slot);
    auto at = [&](int i) {
      const int64_t k = int64_t{i} + offset;
      if (k < 0 || k >= static_cast<int64_t>(v.size())) return kIndexValueMissing;
      return HasValue(v[k]) ? v[k] : kIndexValueMissing;
    };
    for (int i = 1; i < windowCount; ++i) {
      const double a = at(i - 1), b = at(i);
      if (a == kIndexValueMissing || b == kIndexValueMissing) continue;
      t.mapper.Line(i - 1, a + 1, i, b + 1);
    }
  };
  segments(correlation, kSlotShortCurve);
  segments(relative, kSlotLongCurve);

  LabelBlock labels(t, rect, 12);
  labels.First("Index相関");
}

}  // namespace korvale
