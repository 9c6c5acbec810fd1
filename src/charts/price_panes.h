// The panes of the price section shared by the daily, weekly and monthly charts: the date
// axes, the bars with their grid, the grid price labels, the volume bars and the price-volume
// histogram. Each takes its pane rectangle and the bars of its window.
#ifndef KORVALE_CHARTS_PRICE_PANES_H_
#define KORVALE_CHARTS_PRICE_PANES_H_

#include <cstdint>
#include <vector>

#include "charts/pane_drawing.h"
#include "store/price_series.h"

namespace korvale {

// The date axis of a daily or weekly window (span x = count, span y = 8): top line, a
// vertical line and a "%02d/%2d" label at every change of month (never the first bar),
// bottom line.
template <typename BarT>
void DrawDateAxis(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count);
// The monthly axis: top and bottom lines to count + extension, a line and a "%4d" label at
// every change of year, and one more for the following year twelve months after the last mark
// when that still lies inside.
void DrawMonthlyAxis(const PaneTools& t, const PaneRect& rect, const MonthlyBar* bars, int count,
                     int extension);

struct GridPrices {
  int64_t g1 = 0;
  int64_t g2 = 0;
};
// How a price pane draws its bars: a close line in `closeLineSlot` from the pane's bottom-left
// corner, or candles (the second candle set with `secondCandleSet`, as the Ichimoku chart).
struct BarStyle {
  bool closeLine = false;
  int closeLineSlot = kSlotForeground;
  bool secondCandleSet = false;
};
// Sets the mapper to the pane (span x = count, span y = range, prices relative to `low`),
// draws the two dotted grid lines and the bars: the close line, or a candle for every bar with
// a positive open. Returns the grid prices.
template <typename BarT>
GridPrices DrawPriceBars(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                         int64_t low, int64_t range, const BarStyle& style);
template <typename BarT>
GridPrices DrawPriceBars(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                         int64_t low, int64_t range, bool closeLine) {
  return DrawPriceBars(t, rect, bars, count, low, range, BarStyle{closeLine});
}
// "%d円" of both grid prices at 1 pixel and at 32 pixels left of the pane's width, in label
// colours; leaves the mapper on the label column.
void DrawGridLabels(const PaneTools& t, const PaneRect& rect, int64_t low, int64_t range,
                    const GridPrices& grid);
// A polyline of averages through (i, value[i] - low) for window indexes from `from`, reading
// value[i + offset].
void DrawAverage(const PaneTools& t, int slot, const std::vector<double>& values, int offset,
                 int from, int count, double low);
void DrawAverage(const PaneTools& t, int slot, const std::vector<int64_t>& values, int offset,
                 int from, int count, double low);

// Sets the mapper to the volume pane (span y = maxVolume), draws the dotted grid line at
// GridRound(maxVolume / 3) and a bar per bar in slot 8.
template <typename BarT>
void DrawVolumeBars(const PaneTools& t, const PaneRect& rect, const BarT* bars, int count,
                    int64_t maxVolume);
// The grid volume at the left edge and "千株" one text height lower, in label colours.
void DrawVolumeLabels(const PaneTools& t, int64_t maxVolume);

// The price-volume histogram: the volumes of bars[from .. count) summed into 50 price bands
// (30 when the range is below 300) of the range above `low`, drawn as horizontal bars.
void DrawPriceVolumeHistogram(const PaneTools& t, const PaneRect& rect, const PriceBar* bars,
                              int from, int count, int64_t low, int64_t range);

}  // namespace korvale

#endif  // KORVALE_CHARTS_PRICE_PANES_H_
