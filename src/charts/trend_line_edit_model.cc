#include "charts/trend_line_edit_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace korvale {

namespace {

// Distance in pixels from p to the segment a-b.
double DistanceToSegment(CanvasPoint p, CanvasPoint a, CanvasPoint b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length2 = dx * dx + dy * dy;
  double t = 0;
  if (length2 > 0) t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length2, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The radius of the circles at the ends of a line being moved.
constexpr int kEndCircleRadius = 2;

}  // namespace

void DrawRubberBand(Canvas& canvas, const RubberBand& band) {
  if (!band.shown) return;
  // Black combined by NOT-XOR inverts what lies under the band, visible on every theme.
  canvas.SetXorMode(true);
  canvas.SelectPen(Pen{0x000000, 1});
  canvas.SelectBrush(Brush{0x000000});
  canvas.MoveTo(band.from.x, band.from.y);
  canvas.LineTo(band.to.x, band.to.y);
  if (band.endCircles) {
    for (const CanvasPoint& p : {band.from, band.to}) {
      canvas.Ellipse(p.x - kEndCircleRadius, p.y - kEndCircleRadius, p.x + kEndCircleRadius,
                     p.y + kEndCircleRadius);
    }
  }
  canvas.SetXorMode(false);
}

int SwitchedLineKind(int kind) {
  switch (kind) {
    case 1:
      return 2;
    case 2:
      return 1;
    case 3:
      return 4;
    case 4:
      return 3;
    default:
      return 1;
  }
}

void CTrendLineEditModel::SetPainter(CChartPainter* painter) {
  painter_ = painter;
  buttonDown_ = false;
  drag_ = DragState::kNone;
  dragged_ = -1;
  band_ = {};
}

int CTrendLineEditModel::selected() const { return painter_ ? painter_->selectedTrendLine() : -1; }

bool CTrendLineEditModel::CanEditSelection() const {
  const int s = selected();
  return mode_ == LineEditMode::kSelect && s >= 0 && !painter_->trendLines()[s].deleted;
}

LineEditChange CTrendLineEditModel::SetMode(LineEditMode mode) {
  LineEditChange change = GiveUpDrag();
  change.band = band_.shown;
  band_ = {};
  buttonDown_ = false;
  drag_ = DragState::kNone;
  mode_ = mode;
  change.commands = true;
  return change;
}

bool CTrendLineEditModel::Acceptable(CanvasPoint a, CanvasPoint b) const {
  int bar = 0, price = 0;
  if (!painter_->EditorToWorld(a.x, a.y, &bar, &price)) return false;
  if (!painter_->EditorToWorld(b.x, b.y, &bar, &price)) return false;
  return std::abs(int64_t{b.x} - a.x) >= kMinimumLinePixels ||
         std::abs(int64_t{b.y} - a.y) >= kMinimumLinePixels;
}

// Of the lines whose hit test takes the point, the nearest on the screen: with lines close
// together the one under the mouse is picked, not merely the oldest within reach.
int CTrendLineEditModel::LineAt(int px, int py) const {
  int bar = 0, price = 0;
  if (!painter_->EditorToWorld(px, py, &bar, &price)) return -1;
  const std::vector<ChartTrendLine>& lines = painter_->trendLines();
  int best = -1;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < lines.size(); ++i) {
    const ChartTrendLine& line = lines[i];
    if (line.deleted || line.unresolved || !line.geometry->HitTest(bar, price)) continue;
    const double d = DistanceToSegment({px, py}, painter_->EditorToPixel(line.x1, line.price1),
                                       painter_->EditorToPixel(line.x2, line.price2));
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  return best;
}

LineEditChange CTrendLineEditModel::ButtonDown(int px, int py) {
  if (!painter_) return {};
  LineEditChange change;
  change |= GiveUpDrag();  // a drag whose button-up never came
  buttonDown_ = true;
  anchor_ = current_ = {px, py};
  if (mode_ == LineEditMode::kDraw) {
    drag_ = DragState::kDrawing;
    UpdateBand();
    change.band = true;
    return change;
  }
  const int before = selected();
  const int hit = LineAt(px, py);
  painter_->SelectTrendLine(hit);
  drag_ = DragState::kPending;
  change.lines |= hit != before;
  change.commands = true;
  return change;
}

LineEditChange CTrendLineEditModel::Drag(int px, int py) {
  if (!painter_ || !buttonDown_) return {};
  current_ = {px, py};
  if (drag_ == DragState::kDrawing || drag_ == DragState::kEnd || drag_ == DragState::kWhole) {
    UpdateBand();
    return {.band = true};
  }
  const int s = selected();
  if (drag_ != DragState::kPending || s < 0) return {};
  int bar = 0, price = 0;
  if (!painter_->EditorToWorld(px, py, &bar, &price)) return {};
  const ChartTrendLine& line = painter_->trendLines()[s];
  int end = 0;
  if (line.geometry->HitEndpoint(bar, price, &end)) {
    // The other end stays where it is and the band runs from it to the mouse.
    fixedBar_ = end == 0 ? line.x2 : line.x1;
    fixedPrice_ = end == 0 ? line.price2 : line.price1;
    anchor_ = painter_->EditorToPixel(fixedBar_, fixedPrice_);
    drag_ = DragState::kEnd;
  } else if (line.geometry->HitTest(bar, price)) {
    drag_ = DragState::kWhole;  // moved by the offset from where the button went down
  } else {
    return {};
  }
  dragged_ = s;
  painter_->MarkTrendLineDeleted(s);
  UpdateBand();
  return {.lines = true, .commands = true, .band = true};
}

LineEditChange CTrendLineEditModel::ButtonUp(int px, int py) {
  if (!painter_ || !buttonDown_) return {};
  buttonDown_ = false;
  current_ = {px, py};
  LineEditChange change;
  change.band = band_.shown;
  band_ = {};
  const DragState drag = drag_;
  drag_ = DragState::kNone;
  int bar = 0, price = 0, bar2 = 0, price2 = 0;
  switch (drag) {
    case DragState::kDrawing:
      if (Acceptable(anchor_, current_)) {
        painter_->EditorToWorld(anchor_.x, anchor_.y, &bar, &price);
        painter_->EditorToWorld(current_.x, current_.y, &bar2, &price2);
        painter_->AddTrendLine(bar, price, bar2, price2);
        change.lines = true;
      }
      break;
    case DragState::kEnd:
      if (Acceptable(anchor_, current_)) {
        painter_->EditorToWorld(current_.x, current_.y, &bar, &price);
        painter_->SelectTrendLine(painter_->AddTrendLine(fixedBar_, fixedPrice_, bar, price));
        dragged_ = -1;
        change.lines = change.commands = true;
      }
      break;
    case DragState::kWhole: {
      // Both ends move by the mouse's offset in bars and yen, so a line moved along one axis
      // keeps its place on the other exactly.
      int fromBar = 0, fromPrice = 0;
      if (painter_->EditorToWorld(anchor_.x, anchor_.y, &fromBar, &fromPrice) &&
          painter_->EditorToWorld(current_.x, current_.y, &bar, &price)) {
        const ChartTrendLine& line = painter_->trendLines()[dragged_];
        const int64_t db = int64_t{bar} - fromBar, dp = int64_t{price} - fromPrice;
        const int x1 = static_cast<int>(line.x1 + db), x2 = static_cast<int>(line.x2 + db);
        const int p1 =
            static_cast<int>(std::clamp<int64_t>(line.price1 + dp, INT32_MIN, INT32_MAX));
        const int p2 =
            static_cast<int>(std::clamp<int64_t>(line.price2 + dp, INT32_MIN, INT32_MAX));
        if (Acceptable(painter_->EditorToPixel(x1, p1), painter_->EditorToPixel(x2, p2))) {
          painter_->SelectTrendLine(painter_->AddTrendLine(x1, p1, x2, p2));
          dragged_ = -1;
          change.lines = change.commands = true;
        }
      }
      break;
    }
    default:
      break;
  }
  change |= GiveUpDrag();
  return change;
}

// A line taken up by a drag that made no new line stays where it was: a release outside the
// chart or too short a segment does not delete it.
LineEditChange CTrendLineEditModel::GiveUpDrag() {
  if (dragged_ < 0 || !painter_ || dragged_ >= static_cast<int>(painter_->trendLines().size())) {
    dragged_ = -1;
    return {};
  }
  painter_->RestoreTrendLine(dragged_);
  painter_->SelectTrendLine(dragged_);
  dragged_ = -1;
  return {.lines = true, .commands = true};
}

LineEditChange CTrendLineEditModel::DeleteSelected() {
  if (!CanEditSelection()) return {};
  painter_->MarkTrendLineDeleted(selected());
  painter_->SelectTrendLine(-1);
  return {.lines = true, .commands = true};
}

LineEditChange CTrendLineEditModel::SwitchKind() {
  if (!CanEditSelection()) return {};
  const int s = selected();
  painter_->SetTrendLineKind(s, SwitchedLineKind(painter_->trendLines()[s].kind));
  return {.lines = true};
}

void CTrendLineEditModel::UpdateBand() {
  band_ = {};
  switch (drag_) {
    case DragState::kDrawing:
    case DragState::kEnd:
      band_ = {true, anchor_, current_, false};
      break;
    case DragState::kWhole: {
      const ChartTrendLine& line = painter_->trendLines()[dragged_];
      const int dx = current_.x - anchor_.x, dy = current_.y - anchor_.y;
      const CanvasPoint a = painter_->EditorToPixel(line.x1, line.price1);
      const CanvasPoint b = painter_->EditorToPixel(line.x2, line.price2);
      band_ = {true, {a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}, true};
      break;
    }
    default:
      break;
  }
}

}  // namespace korvale
