// The new-price chart (新値足) of the daily closes in the new-price window, drawn over the
// client size the window stored in the painter, from the painter's settings copy.
#ifndef KORVALE_CHARTS_NEW_PRICE_CHART_H_
#define KORVALE_CHARTS_NEW_PRICE_CHART_H_

#include "charts/chart_kind.h"

namespace korvale {

// The background in slot 24, then, with enough usable bars, the boxes in the candle colours
// (rising 4/3/2, falling 7/6/5) with their reversal labels and the two dotted grid lines in
// slot 11 with their "%d円" prices.
void DrawNewPrice(CChartPainter& painter, Canvas& canvas);

// The chart-kind implementation (the chart-kind table's row).
const ChartKind& NewPriceChartKind();

}  // namespace korvale

#endif  // KORVALE_CHARTS_NEW_PRICE_CHART_H_
