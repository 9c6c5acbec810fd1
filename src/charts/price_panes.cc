#include "charts/price_panes.h"

#include <algorithm>

#include "charts/chart_numerics.h"

namespace korvale {

namespace {

int TwoDigitYear(int year) { return year >= 2000 ? year - 2000 : year - 1900; }

// Places a label 6 pixels right of the current world point's pixel and 1 pixel below it.
void AxisLabel(const PaneTools& t, double x, double y, const std::string& text) {
  t.mapper.MoveTo(x, y);
  t.mapper.MoveBy(6, 1 + t.mapper.labelLift());
  t.mapper.Label(text);
}

void StartAxis(const PaneTools& t, const PaneRect& rect, double spanX) {
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, spanX, 8);
  t.palette.SelectTextColours(t.canvas, kSlotForeground, kSlotBackground);
  t.palette.SelectLabelFont(t.canvas);
}

}  // namespace

template <typename BarT>
void DrawDateAxis(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count) {
  StartAxis(t, rect, count);
  t.mapper.Line(-0.5, 8, count, 8);
  for (int i = 1; i < count; ++i) {
    if (bars[i].month == bars[i - 1].month) continue;
    t.mapper.Line(i, 0, i, 8);
    AxisLabel(t, i, 8, StringPrintf("%02d/%2d", TwoDigitYear(bars[i].year), bars[i].month));
  }
  t.mapper.Line(-0.5, 0, count, 0);
}

void DrawMonthlyAxis(const PaneTools& t, const PaneRect& rect, const MonthlyBar* bars, int count,
                     int extension) {
  StartAxis(t, rect, count);
  const double end = static_cast<double>(count) + extension;
  t.mapper.Line(-0.5, 8, end, 8);
  int lastMark = -1, lastYear = 0;
  for (int i = 1; i < count; ++i) {
    if (bars[i].year == bars[i - 1].year) continue;
    t.mapper.Line(i, 0, i, 8);
    AxisLabel(t, i, 8, StringPrintf("%4d", bars[i].year));
    lastMark = i;
    lastYear = bars[i].year;
  }
  if (lastMark >= 0 && lastMark + 12 < end) {
    t.mapper.Line(lastMark + 12, 0, lastMark + 12, 8);
    AxisLabel(t, lastMark + 12, 8, StringPrintf("%4d", lastYear + 1));
  }
  t.mapper.Line(-0.5, 0, end, 0);
}

template <typename BarT>
GridPrices DrawPriceBars(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                         int64_t low, int64_t range, const BarStyle& style) {
  t.palette.SelectColour(t.canvas, kSlotForeground);
  const int64_t third = range / 3;
  GridPrices grid{GridRound(low + third), GridRound(low + 2 * third)};
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, count, static_cast<double>(range));
  const double lowD = static_cast<double>(low);
  t.mapper.DottedLine(0, grid.g1 - lowD, count, grid.g1 - lowD);
  t.mapper.DottedLine(0, grid.g2 - lowD, count, grid.g2 - lowD);
  if (style.closeLine) {
    t.palette.SelectColour(t.canvas, style.closeLineSlot);
    t.mapper.MoveTo(0, 0);
    for (int i = 0; i < count; ++i) t.mapper.LineTo(i, bars[i].close - lowD);
    return grid;
  }
  for (int i = 0; i < count; ++i) {
    const BarT& b = bars[i];
    // A day without trading has no candle.
    if (b.open <= 0) continue;
    t.palette.Candle(t.canvas, t.mapper, i, b.open - lowD, b.high - lowD, b.low - lowD,
                     b.close - lowD, style.secondCandleSet);
  }
  return grid;
}

void DrawGridLabels(const PaneTools& t, const PaneRect& rect, int64_t low, int64_t range,
                    const GridPrices& grid) {
  t.palette.SelectTextColours(t.canvas, kSlotForeground, kSlotBackground);
  t.mapper.Reset(rect.x, rect.top, kLabelColumn, rect.height, kLabelColumn,
                 static_cast<double>(range));
  for (int64_t g : {grid.g1, grid.g2}) {
    const std::string text = StringPrintf("%lld円", static_cast<long long>(g));
    const double y = static_cast<double>(g - low);
    t.mapper.MoveTo(1, y);
    t.mapper.Label(text);
    t.mapper.MoveTo(rect.width - 32, y);
    t.mapper.Label(text);
  }
}

void DrawAverage(const PaneTools& t, int slot, const std::vector<double>& values, int offset,
                 int from, int count, double low) {
  t.palette.SelectColour(t.canvas, slot);
  Polyline(t.mapper, std::max(from, 0), count, [&](int i) {
    const int64_t k = int64_t{i} + offset;
    return k >= 0 && k < static_cast<int64_t>(values.size()) ? values[k] - low : kNoValue;
  });
}

void DrawAverage(const PaneTools& t, int slot, const std::vector<int64_t>& values, int offset,
                 int from, int count, double low) {
  t.palette.SelectColour(t.canvas, slot);
  Polyline(t.mapper, std::max(from, 0), count, [&](int i) {
    const int64_t k = int64_t{i} + offset;
    return k >= 0 && k < static_cast<int64_t>(values.size()) ? static_cast<double>(values[k]) - low
                                                             : kNoValue;
  });
}

template <typename BarT>
void DrawVolumeBars(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                    int64_t maxVolume) {
  t.palette.SelectColour(t.canvas, kSlotVolume);
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, count, static_cast<double>(maxVolume));
  const double grid = static_cast<double>(GridRound(maxVolume / 3));
  t.mapper.DottedLine(0, grid, count, grid);
  for (int i = 0; i < count; ++i) t.mapper.Rect(i + 0.25, 0, i + 0.75, bars[i].volume, true);
}

void DrawVolumeLabels(const PaneTools& t, int64_t maxVolume) {
  t.palette.SelectTextColours(t.canvas, kSlotForeground, kSlotBackground);
  const int64_t grid = GridRound(maxVolume / 3);
  t.mapper.MoveTo(0, static_cast<double>(grid));
  t.mapper.Label(StringPrintf("%lld", static_cast<long long>(grid)));
  t.mapper.MoveBy(0, t.textHeight);
  t.mapper.Label("千株");
}

void DrawPriceVolumeHistogram(const PaneTools& t, const PaneRect& rect, const PriceBar* bars,
                              int from, int count, int64_t low, int64_t range) {
  const int bands = range < 300 ? 30 : 50;
  const double bandWidth = static_cast<double>(range) / bands;
  std::vector<double> totals(bands, 0.0);
  for (int i = std::max(from, 0); i < count; ++i) {
    int band = 0;
    if (bandWidth > 0) {
      const double position = (bars[i].close - static_cast<double>(low)) / bandWidth;
      band = static_cast<int>(std::clamp(std::trunc(position), 0.0, bands - 1.0));
    }
    totals[band] += bars[i].volume;
  }
  double largest = *std::max_element(totals.begin(), totals.end());
  if (largest <= 0) largest = 1;
  t.mapper.Reset(rect.x, rect.top, rect.width, rect.height, largest, static_cast<double>(range));
  t.palette.SelectColour(t.canvas, kSlotForeground);
  t.mapper.Line(0, 0, 0, static_cast<double>(range));
  t.mapper.Line(0, 0, largest, 0);
  t.palette.SelectColour(t.canvas, kSlotVolume);
  for (int j = 0; j < bands; ++j) {
    t.mapper.Rect(0, j * bandWidth, totals[j], (j + 1) * bandWidth, true);
  }
}

template void DrawDateAxis<PriceBar>(const PaneTools&, const PaneRect&, const PriceBar*, int);
template void DrawDateAxis<WeeklyBar>(const PaneTools&, const PaneRect&, const WeeklyBar*, int);
template GridPrices DrawPriceBars<PriceBar>(const PaneTools&, const PaneRect&, const PriceBar*, int,
                                            int64_t, int64_t, const BarStyle&);
template GridPrices DrawPriceBars<WeeklyBar>(const PaneTools&, const PaneRect&, const WeeklyBar*,
                                             int, int64_t, int64_t, const BarStyle&);
template GridPrices DrawPriceBars<MonthlyBar>(const PaneTools&, const PaneRect&, const MonthlyBar*,
                                              int, int64_t, int64_t, const BarStyle&);
template void DrawVolumeBars<PriceBar>(const PaneTools&, const PaneRect&, const PriceBar*, int,
                                       int64_t);
template void DrawVolumeBars<WeeklyBar>(const PaneTools&, const PaneRect&, const WeeklyBar*, int,
                                        int64_t);
template void DrawVolumeBars<MonthlyBar>(const PaneTools&, const PaneRect&, const MonthlyBar*, int,
                                         int64_t);

}  // namespace korvale
