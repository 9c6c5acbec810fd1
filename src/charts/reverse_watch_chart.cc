#include "charts/reverse_watch_chart.h"

#include <algorithm>

#include "charts/auxiliary_chart.h"
#include "charts/pane_drawing.h"
#include "charts/reverse_watch_curve.h"

namespace korvale {

namespace {

// A circle on the point and, 6 pixels right of it, the date of its bar in the frame's colours;
// a date that would run past the right edge `right` stands as far left of the point instead.
void MarkPoint(const CChartPainter& painter, const PaneTools& t, const PriceBar& bar, double x,
               double y, int right) {
  painter.SelectColour(t.canvas, kSlotReverseWatchCurve);
  t.mapper.Circle(x, y, 2);
  painter.SelectTextColours(t.canvas, kSlotReverseWatchFrame, kSlotBackground);
  const std::string date = StringPrintf("%2d/%02d", bar.month, bar.day);
  // Digits and the slash are half as wide as the text is high, or a little less.
  const int width = static_cast<int>(date.size()) * (t.textHeight / 2 + 1);
  const CanvasPoint at = t.mapper.ToPixel(x, y);
  const int left = at.x + 6 + width <= right ? at.x + 6 : std::max(at.x - 6 - width, 0);
  t.canvas.TextOut(left, at.y - t.mapper.labelLift(), date);
}

}  // namespace

void DrawReverseWatch(CChartPainter& painter, Canvas& canvas) {
  CChartMapper mapper;
  const CChartPainter::ClientSize size = BeginAuxiliaryChart(
      painter, canvas, &mapper, kChartReverseWatch, kSlotReverseWatchBackground);
  const CPriceSeries* series = painter.series();
  const ReverseWatchCurve c =
      series ? ComputeReverseWatchCurve(series->bars.data(), series->barCount(), painter.settings())
             : ReverseWatchCurve{};
  const PaneTools t{painter.palette(), canvas, mapper, painter.textHeight()};
  // x is the volume average, y the price average, each over the span of its values.
  const double xs = static_cast<double>(c.volumeHigh - c.volumeLow);
  const double ys = static_cast<double>(c.priceHigh - c.priceLow);
  const int width = std::max(size.width - 36, 0), height = std::max(size.height - 48, 0);
  mapper.Reset(16, 16, width, height, xs, ys);

  // The frame and its centre lines over the same rectangle in halves, so that a flat curve (a
  // span of 0) still has them.
  CChartMapper frame = mapper;
  frame.Reset(16, 16, width, height, 2, 2);
  painter.SelectColour(canvas, kSlotReverseWatchFrame);
  frame.Rect(0, 0, 2, 2, false);
  frame.DottedLine(1, 0, 1, 2);
  frame.DottedLine(0, 1, 2, 1);
  painter.SelectTextColours(canvas, kSlotReverseWatchFrame, kSlotBackground);
  frame.MoveTo(1, 0);
  frame.MoveBy(0, 10 + t.textHeight);
  frame.Label("出来高");
  frame.MoveTo(0, 1);
  frame.MoveBy(-10, -10);
  frame.Label("株");
  frame.MoveBy(0, 20);
  frame.Label("価");

  if (!c.points.empty()) {
    painter.SelectColour(canvas, kSlotReverseWatchCurve);
    auto x = [&](const ReverseWatchPoint& p) {
      return static_cast<double>(p.volume - c.volumeLow);
    };
    auto y = [&](const ReverseWatchPoint& p) { return static_cast<double>(p.price - c.priceLow); };
    mapper.MoveTo(x(c.points.front()), y(c.points.front()));
    for (size_t i = 1; i < c.points.size(); ++i) mapper.LineTo(x(c.points[i]), y(c.points[i]));
    const std::vector<PriceBar>& bars = series->bars;
    MarkPoint(painter, t, bars[c.points.front().bar], x(c.points.front()), y(c.points.front()),
              size.width);
    MarkPoint(painter, t, bars[c.points.back().bar], x(c.points.back()), y(c.points.back()),
              size.width);
  }
  painter.EndChart(canvas);
}

const ChartKind& ReverseWatchChartKind() {
  static const AuxiliaryChart kKind(kChartReverseWatch, DrawReverseWatch);
  return kKind;
}

}  // namespace korvale
