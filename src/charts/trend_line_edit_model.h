// What the trend-line editor does with the mouse and its commands, apart from any window: the
// mode, the drag in progress and its rubber band, and the changes to the painter's lines. The
// editor window feeds it mouse events in chart pixels (scrolling already added) and repaints by
// what each call reports.
#ifndef KORVALE_CHARTS_TREND_LINE_EDIT_MODEL_H_
#define KORVALE_CHARTS_TREND_LINE_EDIT_MODEL_H_

#include "charts/canvas.h"
#include "charts/chart_painter.h"

namespace korvale {

enum class LineEditMode { kSelect, kDraw };

// The line that follows the mouse while the button is down, in chart pixels.
struct RubberBand {
  bool shown = false;
  CanvasPoint from;
  CanvasPoint to;
  bool endCircles = false;  // a whole line being moved shows its ends
  bool operator==(const RubberBand&) const = default;
};

// What a call changed.
struct LineEditChange {
  bool lines = false;     // lines or the selection look different: repaint the charts
  bool commands = false;  // whether "削除" and "抵抗線<->支持線" apply may have changed
  bool band = false;      // the rubber band moved, appeared or went
  LineEditChange& operator|=(const LineEditChange& o) {
    lines |= o.lines;
    commands |= o.commands;
    band |= o.band;
    return *this;
  }
};

// Draws the band in exclusive-or fashion, so that drawing it again restores what was under it.
// Leaves the canvas's XOR mode off.
void DrawRubberBand(Canvas& canvas, const RubberBand& band);

// The kind a line gets from "抵抗線<->支持線": 1 and 2 swap, 3 and 4 swap, anything else
// becomes 1.
int SwitchedLineKind(int kind);

// A point of two drawn at fewer than this many pixels from each other in both directions makes
// no line.
inline constexpr int kMinimumLinePixels = 40;

class CTrendLineEditModel {
 public:
  // Starts in draw mode on no chart.
  CTrendLineEditModel() = default;

  // The painter of the stock shown (null for none); any drag is dropped. The painter holds the
  // lines and the selection and must have drawn its editor chart before the mouse is used.
  void SetPainter(CChartPainter* painter);
  CChartPainter* painter() const { return painter_; }

  // "選択" and "線分": sets the mode and drops any drag (a line being moved keeps its place).
  LineEditChange SetMode(LineEditMode mode);
  LineEditMode mode() const { return mode_; }
  // The selected line, -1 for none.
  int selected() const;
  // Whether "削除" and "抵抗線<->支持線" apply: select mode with a selection.
  bool CanEditSelection() const;

  // The left button went down, moved with the button held, came up; (px, py) in chart pixels.
  LineEditChange ButtonDown(int px, int py);
  LineEditChange Drag(int px, int py);
  LineEditChange ButtonUp(int px, int py);
  bool buttonDown() const { return buttonDown_; }

  // "削除": the selection is deleted and none is left. Nothing without one or in draw mode.
  LineEditChange DeleteSelected();
  // "抵抗線<->支持線" on the selection. Nothing without one or in draw mode.
  LineEditChange SwitchKind();

  const RubberBand& rubberBand() const { return band_; }

 private:
  enum class DragState { kNone, kDrawing, kPending, kEnd, kWhole };

  // A segment between two chart pixels makes a line when both lie in the chart and they are
  // at least kMinimumLinePixels apart in one direction.
  bool Acceptable(CanvasPoint a, CanvasPoint b) const;
  // The nearest line (in pixels) whose hit test takes the point; -1 for none.
  int LineAt(int px, int py) const;
  // A drag that ended without a new line gives the line it started from back.
  LineEditChange GiveUpDrag();
  void UpdateBand();

  CChartPainter* painter_ = nullptr;
  LineEditMode mode_ = LineEditMode::kDraw;
  bool buttonDown_ = false;
  DragState drag_ = DragState::kNone;
  CanvasPoint anchor_;   // where the button went down, or the fixed end of an end drag
  CanvasPoint current_;  // the mouse
  int dragged_ = -1;     // the line an end or whole-line drag started from
  int fixedBar_ = 0, fixedPrice_ = 0;  // the end that stays put in an end drag
  RubberBand band_;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_TREND_LINE_EDIT_MODEL_H_
