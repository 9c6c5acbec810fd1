#include "charts/chart_mapper.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace korvale {

namespace {
std::atomic<long> g_nonFinite{0};

double Scale(int pixels, double span) {
  if (span == 0 || !std::isfinite(span)) return 0;
  const double s = pixels / span;
  return std::isfinite(s) ? s : 0;
}
}  // namespace

int PixelFromDouble(double v) {
  if (std::isnan(v)) {
    g_nonFinite.fetch_add(1, std::memory_order_relaxed);
    return 0;
  }
  v = std::trunc(v);
  if (v > kPixelLimit) return kPixelLimit;
  if (v < -kPixelLimit) return -kPixelLimit;
  return static_cast<int>(v);
}

long NonFinitePixelCount() { return g_nonFinite.load(std::memory_order_relaxed); }

void CChartMapper::Init(Canvas* canvas, int labelLift, int originX, int originY, int width,
                        int height, double spanX, double spanY) {
  canvas_ = canvas;
  labelLift_ = labelLift;
  Reset(originX, originY, width, height, spanX, spanY);
}

void CChartMapper::Reset(int originX, int originY, int width, int height, double spanX,
                         double spanY) {
  originX_ = originX;
  originY_ = originY;
  width_ = width;
  height_ = height;
  spanX_ = spanX;
  spanY_ = spanY;
  scaleX_ = Scale(width, spanX);
  scaleY_ = Scale(height, spanY);
}

CanvasPoint CChartMapper::ToPixel(double x, double y) const {
  // Truncate the scaled offset first, then add the origin, as the pixel rules are stated; the
  // sum is formed in double so that nothing overflows before the clamp.
  const double px = std::trunc(x * scaleX_) + originX_;
  const double py = std::trunc(height_ - y * scaleY_) + originY_;
  return {PixelFromDouble(px), PixelFromDouble(py)};
}

void CChartMapper::ToWorld(int px, int py, double* x, double* y) const {
  *x = scaleX_ == 0 ? 0 : (px - originX_) / scaleX_;
  *y = scaleY_ == 0 ? 0 : (height_ - py + originY_) / scaleY_;
}

void CChartMapper::MoveTo(double x, double y) const {
  const CanvasPoint p = ToPixel(x, y);
  canvas_->MoveTo(p.x, p.y);
}

void CChartMapper::LineTo(double x, double y) const {
  const CanvasPoint p = ToPixel(x, y);
  canvas_->LineTo(p.x, p.y);
}

void CChartMapper::Line(double x1, double y1, double x2, double y2) const {
  MoveTo(x1, y1);
  LineTo(x2, y2);
}

void CChartMapper::DottedLine(double x1, double y1, double x2, double y2) const {
  const CanvasPoint a = ToPixel(x1, y1);
  const CanvasPoint b = ToPixel(x2, y2);
  canvas_->MoveTo(a.x, a.y);
  if (a.y == b.y) {
    const int from = std::min(a.x, b.x), to = std::max(a.x, b.x);
    for (int x = from; x < to; x += 4) {
      canvas_->MoveTo(x, a.y);
      canvas_->LineTo(x + 1, a.y);
    }
  } else if (a.x == b.x) {
    const int from = std::min(a.y, b.y), to = std::max(a.y, b.y);
    for (int y = from; y < to; y += 4) {
      canvas_->MoveTo(a.x, y);
      canvas_->LineTo(a.x, y + 1);
    }
  }
}

void CChartMapper::Rect(double x1, double y1, double x2, double y2, bool fill) const {
  const CanvasPoint a = ToPixel(x1, y1);
  const CanvasPoint b = ToPixel(x2, y2);
  if (fill) {
    canvas_->FillRect(a.x, std::min(a.y, b.y), b.x, std::max(a.y, b.y), canvas_->CurrentBrush());
    return;
  }
  canvas_->MoveTo(a.x, a.y);
  canvas_->LineTo(a.x, b.y);
  canvas_->LineTo(b.x, b.y);
  canvas_->LineTo(b.x, a.y);
  canvas_->LineTo(a.x, a.y);
}

void CChartMapper::Circle(double x, double y, double radius) const {
  const CanvasPoint c = ToPixel(x, y);
  const int r = PixelFromDouble(radius);
  canvas_->Ellipse(c.x - r, c.y - r, c.x + r, c.y + r);
}

void CChartMapper::MoveBy(int dx, int dy) const {
  const CanvasPoint p = canvas_->CurrentPosition();
  canvas_->MoveTo(p.x + dx, p.y + dy);
}

void CChartMapper::Label(const std::string& utf8) const {
  const CanvasPoint p = canvas_->CurrentPosition();
  canvas_->TextOut(p.x, p.y - labelLift_, utf8);
}

}  // namespace korvale
