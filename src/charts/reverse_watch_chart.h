// The reverse-watch curve (逆ウォッチ曲線) of the daily bars in its window, drawn over the client
// size the window stored in the painter, from the painter's settings copy.
#ifndef KORVALE_CHARTS_REVERSE_WATCH_CHART_H_
#define KORVALE_CHARTS_REVERSE_WATCH_CHART_H_

#include "charts/chart_kind.h"

namespace korvale {

// The background in slot 36, the frame with its centre lines and axis captions in slot 38, and
// the curve in slot 37 with the dates of its first and last point.
void DrawReverseWatch(CChartPainter& painter, Canvas& canvas);

// The chart-kind implementation (the chart-kind table's row).
const ChartKind& ReverseWatchChartKind();

}  // namespace korvale

#endif  // KORVALE_CHARTS_REVERSE_WATCH_CHART_H_
