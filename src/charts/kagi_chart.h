// The kagi chart (カギ足) of the daily closes in the kagi window, drawn over the client size the
// window stored in the painter, from the painter's settings copy.
#ifndef KORVALE_CHARTS_KAGI_CHART_H_
#define KORVALE_CHARTS_KAGI_CHART_H_

#include "charts/chart_kind.h"

namespace korvale {

// The background in slot 30, then, with at least 4 usable bars, the line in slot 32 with the
// label of its last turn and the two dotted grid lines in slot 11 with their "%d円" prices.
void DrawKagi(CChartPainter& painter, Canvas& canvas);

// The chart-kind implementation (the chart-kind table's row).
const ChartKind& KagiChartKind();

}  // namespace korvale

#endif  // KORVALE_CHARTS_KAGI_CHART_H_
