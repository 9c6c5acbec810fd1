#include "charts/new_price_chart.h"

#include <cmath>

#include "charts/auxiliary_chart.h"
#include "charts/new_price_boxes.h"
#include "charts/pane_drawing.h"

namespace korvale {

void DrawNewPrice(CChartPainter& painter, Canvas& canvas) {
  CChartMapper mapper;
  const CChartPainter::ClientSize size =
      BeginAuxiliaryChart(painter, canvas, &mapper, kChartNewPrice, kSlotNewPriceBackground);
  const CPriceSeries* series = painter.series();
  const NewPriceBoxes b =
      series ? ComputeNewPriceBoxes(series->bars.data(), series->barCount(), painter.settings())
             : NewPriceBoxes{};
  if (!b.drawn) {
    painter.EndChart(canvas);
    return;
  }
  const PaneTools t{painter.palette(), canvas, mapper, painter.textHeight()};
  const int64_t range = int64_t{b.high} - b.low;
  // The boxes take 1.2 times the range, the low standing a tenth of the range above the bottom.
  mapper.Reset(0, 0, size.width, size.height, b.xSpan,
               std::trunc(1.2 * static_cast<double>(range)));
  const double shift = static_cast<double>(b.base) - b.low;
  size_t label = 0;
  for (size_t i = 0; i < b.boxes.size(); ++i) {
    for (; label < b.labels.size() && b.labels[label].beforeBox == i; ++label) {
      mapper.MoveTo(b.labels[label].x, static_cast<double>(b.labels[label].price) + shift);
      mapper.Label(b.labels[label].text);
    }
    const NewPriceBox& box = b.boxes[i];
    const double from = box.from + shift, to = box.to + shift;
    painter.SelectColour(canvas, box.rising ? kSlotRisingBody : kSlotFallingBody);
    mapper.Rect(box.x, from, box.x + 1, to, true);
    painter.SelectColour(canvas, box.rising ? kSlotRisingOutline : kSlotFallingOutline);
    mapper.Rect(box.x, from, box.x + 1, to, false);
    painter.SelectColour(canvas, box.rising ? kSlotRisingWick : kSlotFallingWick);
  }
  if (b.marksLastClose) {
    mapper.Line(b.markX, b.markPrice + shift, b.markX + 2, b.markPrice + shift);
  }
  DrawAuxiliaryGrid(t, b.low, range, b.xSpan, static_cast<double>(b.base));
  painter.EndChart(canvas);
}

const ChartKind& NewPriceChartKind() {
  static const AuxiliaryChart kKind(kChartNewPrice, DrawNewPrice);
  return kKind;
}

}  // namespace korvale
