// Helpers for the chart tests: quiet settings to switch single panes on, synthetic bars, and
// questions about what a recording canvas received.
#ifndef KORVALE_TESTS_SUPPORT_CHART_FIXTURES_H_
#define KORVALE_TESTS_SUPPORT_CHART_FIXTURES_H_

#include <cstdint>
#include <vector>

#include "charts/recording_canvas.h"
#include "store/price_records.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale::testing {

// Defaults with every indicator pane, the volume, averages, bands, SAR, histogram and weekly
// section off, and a fixed daily span of `span` bars (automatic span off).
SettingsRecord QuietChartSettings(int span);

// Every daily and weekly pane on (index panes included), with the histogram.
void TurnEveryPaneOn(SettingsRecord* s);

// `count` weekday bars from Monday 2000-01-03: a seeded random walk from `start` with highs,
// lows and volumes around it.
std::vector<PriceBar> WalkBars(int count, int32_t start, unsigned seed);

// Flat bars (open = high = low = close) on consecutive weekdays from Monday 2006-01-09, with the
// volumes given (1000 where none).
std::vector<PriceBar> FlatCloses(const std::vector<int32_t>& closes,
                                 const std::vector<int32_t>& volumes = {});

// A trend line of a series from bar `index1` at `price1` to bar `index2` at `price2`, of `kind`
// (1 resistance, 2 support); `unresolved` as read from a file whose day is not among the bars.
TrendLine TrendLineOf(int32_t index1, int32_t price1, int32_t index2, int32_t price2,
                      int32_t kind, uint8_t unresolved = 0);

// The line ops drawn with a pen of this colour, in order.
std::vector<CanvasOp> LinesOfColour(const RecordingCanvas& canvas, Rgb colour);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_CHART_FIXTURES_H_
