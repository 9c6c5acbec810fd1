// Building blocks the chart panes share: pane rectangles, polylines with gaps, frames and the
// label block in a pane's left column.
#ifndef KORVALE_CHARTS_PANE_DRAWING_H_
#define KORVALE_CHARTS_PANE_DRAWING_H_

#include <cmath>
#include <limits>
#include <string>

#include "charts/chart_mapper.h"
#include "charts/chart_metrics.h"
#include "charts/chart_palette.h"
#include "store/string_printf.h"

namespace korvale {

// A pane's pixel rectangle.
struct PaneRect {
  int x = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// Keeps the lines drawn during its life inside a pane (an average that starts far below the
// window's prices would otherwise run across the panes under it).
class PaneLineClip {
 public:
  PaneLineClip(Canvas& canvas, const PaneRect& r) : canvas_(canvas) {
    canvas.SetLineClip(r.x, r.top, r.x + r.width, r.top + r.height);
  }
  ~PaneLineClip() { canvas_.ClearLineClip(); }
  PaneLineClip(const PaneLineClip&) = delete;
  PaneLineClip& operator=(const PaneLineClip&) = delete;

 private:
  Canvas& canvas_;
};

// Everything a pane draws with: the chart's palette, the canvas, the mapper it re-initialises
// for each pane, the label font's measured height and the chart column where a view's visible
// area begins (the label columns stand there, so a scrolled chart keeps its scales in view).
struct PaneTools {
  const ChartPalette& palette;
  Canvas& canvas;
  CChartMapper& mapper;
  int textHeight;
  int labelLeft = 0;
  // The left edge of a pane's label column: the pane's own, or the visible area's when the pane
  // begins left of it.
  int LabelX(const PaneRect& rect) const { return rect.x > labelLeft ? rect.x : labelLeft; }
};

// Marks a value a curve does not have (a division by zero, a bar before the curve's start).
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
inline bool HasValue(double v) { return std::isfinite(v); }

// A polyline through (i + xOffset, value(i)) for i in [from, to): a move to the first point
// and a line to each following one. A value without a number breaks the line; it resumes with
// a move at the next value.
template <typename ValueAt>
void Polyline(const CChartMapper& mapper, int from, int to, ValueAt value, double xOffset = 0) {
  bool drawing = false;
  for (int i = from; i < to; ++i) {
    const double v = value(i);
    if (!HasValue(v)) {
      drawing = false;
      continue;
    }
    if (drawing) {
      mapper.LineTo(i + xOffset, v);
    } else {
      mapper.MoveTo(i + xOffset, v);
      drawing = true;
    }
  }
}

// The width a label font of `textHeight` pixels gives a UTF-8 text, counted as the charts
// count it: half the text height for a half-width character (ASCII, half-width kana), the
// whole height for any other.
int TextWidthEstimate(const std::string& utf8, int textHeight);

// In `slot`: a dotted line at `reference`, and lines along the bottom (0) and top (`span`),
// each from x = 0 to x = `count`.
void DrawFrame(const PaneTools& t, double count, double span, double reference,
               int slot = kSlotForeground);

// The labels in a pane's label column. Construction selects the label colours (1 on 0) and
// font and sets the mapper to the column: (x, top, label column, height) with span x = pane
// width and span y = `spanY` (12, or 24 for panes whose first label has two lines).
class LabelBlock {
 public:
  LabelBlock(const PaneTools& t, const PaneRect& rect, double spanY);
  // 2 pixels below the pane's top.
  void First(const std::string& text, int slot = 1);
  // One text height below the previous label.
  void Next(const std::string& text, int slot = 1);
  // Standing `dy` pixels below the pane's top minus the text height (dy = text height puts
  // the text's top on the pane's top).
  void FromTop(const std::string& text, int slot, int dy);
  // `dy` pixels below where the previous label stood.
  void Then(const std::string& text, int slot, int dy);
  // Standing on the middle (y = span / 2) and on y = 1.
  void Middle(const std::string& text, int slot = 1);
  void Bottom(const std::string& text, int slot = 1);

 private:
  void Write(const std::string& text, int slot);

  const PaneTools& t_;
  double spanY_;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_PANE_DRAWING_H_
