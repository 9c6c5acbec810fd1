#include "charts/kagi_chart.h"

#include <algorithm>

#include "charts/auxiliary_chart.h"
#include "charts/kagi_lines.h"
#include "charts/pane_drawing.h"

namespace korvale {

void DrawKagi(CChartPainter& painter, Canvas& canvas) {
  CChartMapper mapper;
  const CChartPainter::ClientSize size =
      BeginAuxiliaryChart(painter, canvas, &mapper, kChartKagi, kSlotKagiBackground);
  const CPriceSeries* series = painter.series();
  const KagiLines k =
      series ? ComputeKagiLines(series->bars.data(), series->barCount(), painter.settings())
             : KagiLines{};
  if (!k.drawn) {
    painter.EndChart(canvas);
    return;
  }
  const PaneTools t{painter.palette(), canvas, mapper, painter.textHeight()};
  const int64_t range = int64_t{k.high} - k.low;
  mapper.Reset(0, 10, size.width, std::max(size.height - 20, 0), k.xSpan,
               static_cast<double>(range));
  const double low = k.low;
  painter.SelectColour(canvas, kSlotFastCurve);
  for (size_t i = 0; i < k.strokes.size(); ++i) {
    if (k.label.present && k.label.beforeStroke == i) {
      mapper.MoveTo(k.label.x, static_cast<double>(k.label.price) - low);
      mapper.Label(k.label.text);
    }
    const KagiStroke& s = k.strokes[i];
    mapper.Line(s.x1, static_cast<double>(s.price1) - low, s.x2,
                static_cast<double>(s.price2) - low);
  }
  DrawAuxiliaryGrid(t, k.low, range, k.xSpan, 0);
  painter.EndChart(canvas);
}

const ChartKind& KagiChartKind() {
  static const AuxiliaryChart kKind(kChartKagi, DrawKagi);
  return kKind;
}

}  // namespace korvale
