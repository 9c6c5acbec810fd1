// The trend-line editor's chart: the daily price pane alone, with room to the right for lines
// drawn into the days to come, and the mapping between its pixels and (bar, price).
#include <algorithm>
#include <cmath>

#include "charts/chart_numerics.h"
#include "charts/chart_painter.h"
#include "charts/price_panes.h"

namespace korvale {

namespace {

// Pixels to the right of the last bar, where lines may reach into the future.
constexpr int kEditorRoom = 104;
// How many bars past the window a point may lie.
constexpr int kEditorBarsBeyond = 40;
// Radius of the circles that mark the ends of the selected line.
constexpr double kSelectionCircleRadius = 2;

}  // namespace

int CChartPainter::editorWidth() const { return kBarPitch * windowCount_ + kEditorRoom; }

void CChartPainter::DrawTrendLineEditor(Canvas& canvas) {
  CChartMapper mapper;
  // The editor window's client height; before the window gave one, the painter's chart height.
  const int given = clientSize(kChartTrendLineEditor).height;
  const int H = given > 0 ? given : chartHeight();
  BeginChart(canvas, &mapper, kSlotBackground, editorWidth(), H);
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  if (!source) {
    EndChart(canvas);
    return;
  }
  const PaneTools t{palette_, canvas, mapper, textHeight_};
  const int wc = windowCount_, th = textHeight_;
  const PriceBar* window = source->bars.data() + hiddenCount_;
  // A quarter of the range as margin leaves room above and below for lines off the prices.
  const PriceRangeResult range = PriceRange(window, wc, 4);
  const int64_t low = range.low, r = range.high - range.low;
  const int paneWidth = kBarPitch * wc;
  DrawDateAxis(t, PaneRect{0, H - th, paneWidth, th}, window, wc);
  DrawDailyPricePane(canvas, mapper, PaneRect{0, 0, paneWidth, H - th}, low, r, &editorMapper_);
  editorLow_ = low;
  editorDrawn_ = true;

  const double lowD = static_cast<double>(low);
  for (size_t i = 0; i < trendLines_.size(); ++i) {
    const ChartTrendLine& line = trendLines_[i];
    if (line.deleted || line.unresolved) continue;
    SelectColour(canvas, line.kind == 1 || line.kind == 3 ? kSlotResistanceLine : kSlotSupportLine);
    editorMapper_.Line(line.x1, line.price1 - lowD, line.x2, line.price2 - lowD);
    if (static_cast<int>(i) == selectedLine_) {
      editorMapper_.Circle(line.x1, line.price1 - lowD, kSelectionCircleRadius);
      editorMapper_.Circle(line.x2, line.price2 - lowD, kSelectionCircleRadius);
    }
  }
  EndChart(canvas);
}

bool CChartPainter::EditorToWorld(int px, int py, int* bar, int* price) const {
  if (!editorDrawn_) return false;
  double x = 0, y = 0;
  editorMapper_.ToWorld(px, py, &x, &y);
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  const double b = std::trunc(x);
  if (b < 0 || b >= int64_t{windowCount_} + kEditorBarsBeyond) return false;
  const double p = std::trunc(y) + static_cast<double>(editorLow_);
  *bar = static_cast<int>(b);
  *price = static_cast<int>(std::clamp<double>(p, INT32_MIN, INT32_MAX));
  return true;
}

CanvasPoint CChartPainter::EditorToPixel(double bar, double price) const {
  return editorMapper_.ToPixel(bar, price - static_cast<double>(editorLow_));
}

}  // namespace korvale
