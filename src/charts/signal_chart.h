// What the signal chart draws besides the daily chart: the value rows of up to four rules, in a
// style, supplied by whoever knows the rules (the signal chart window, the command line).
#ifndef KORVALE_CHARTS_SIGNAL_CHART_H_
#define KORVALE_CHARTS_SIGNAL_CHART_H_

#include <vector>

#include "charts/chart_painter.h"

namespace korvale {

// The signal chart's drawing styles.
inline constexpr int kSignalStyleCandles = 0;
inline constexpr int kSignalStyleIchimoku = 1;

struct SignalChartRows {
  int style = kSignalStyleCandles;
  std::vector<SignalRow> rows;  // their values stay valid until the source's next Rows call
};

class SignalRowSource {
 public:
  virtual ~SignalRowSource() = default;
  // The rows for the painter's series as it is attached now, asked before each drawing of the
  // signal chart.
  virtual const SignalChartRows& Rows(const CChartPainter& painter) = 0;
};

class ChartKind;

// The signal chart as a chart kind: the daily bars over the painter's signal canvas (it fits the
// canvas and never scrolls) with the rows of the painter's signal source in place of the
// indicator panes; its hit test reads the signal chart's own mapping.
const ChartKind& SignalChartKind();

}  // namespace korvale

#endif  // KORVALE_CHARTS_SIGNAL_CHART_H_
