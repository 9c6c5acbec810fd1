// Maps a rectangle of world coordinates (bars across, prices or indicator values up) onto a
// rectangle of pixels, and draws the charts' primitives through that mapping.
#ifndef KORVALE_CHARTS_CHART_MAPPER_H_
#define KORVALE_CHARTS_CHART_MAPPER_H_

#include <string>

#include "charts/canvas.h"

namespace korvale {

// Pixel coordinates are clamped to +-kPixelLimit, so a value far outside a pane (a volume ratio
// of -10000, a price near the int32 range) still gives a coordinate every canvas can clip.
inline constexpr int kPixelLimit = 1 << 22;

// Converts a pixel position computed in double to int: truncation toward zero, clamped to
// +-kPixelLimit. NaN gives 0 and is counted (see NonFinitePixelCount).
int PixelFromDouble(double v);
// How many NaN coordinates have reached PixelFromDouble in this process; the charts never
// produce one, and the tests check that.
long NonFinitePixelCount();

class CChartMapper {
 public:
  CChartMapper() = default;
  CChartMapper(Canvas* canvas, int labelLift) : canvas_(canvas), labelLift_(labelLift) {}

  // Stores the canvas, the label lift (pixels a label is raised above the current position) and
  // the rectangle, and computes both scales. A span of 0 (or not finite) gives the scale 0, so
  // everything in that direction lands on the rectangle's left or bottom edge.
  void Init(Canvas* canvas, int labelLift, int originX, int originY, int width, int height,
            double spanX, double spanY);
  // As Init, keeping the canvas and the label lift.
  void Reset(int originX, int originY, int width, int height, double spanX, double spanY);

  // World to pixel: X = trunc(x * scaleX) + originX, Y = trunc(height - y * scaleY) + originY.
  CanvasPoint ToPixel(double x, double y) const;
  // Pixel to world; 0 in a direction whose scale is 0.
  void ToWorld(int px, int py, double* x, double* y) const;

  void MoveTo(double x, double y) const;
  void LineTo(double x, double y) const;
  void Line(double x1, double y1, double x2, double y2) const;
  // A horizontal or vertical line of one-pixel dots, one every four pixels from the first
  // point's pixel, stopping before the second; a slanted line draws nothing. Leaves the current
  // position at the first point.
  void DottedLine(double x1, double y1, double x2, double y2) const;
  // With `fill`, fills the pixel rectangle between the corners (right and bottom edges
  // excluded) in the selected brush, whichever corner comes first vertically; without, draws
  // the outline (x1,y1)-(x1,y2)-(x2,y2)-(x2,y1)-(x1,y1) in the selected pen.
  void Rect(double x1, double y1, double x2, double y2, bool fill) const;
  // An ellipse in the square of half-side trunc(radius) pixels around the point.
  void Circle(double x, double y, double radius) const;
  // Moves the current position by whole pixels.
  void MoveBy(int dx, int dy) const;
  // Writes the text with its top-left corner at (current X, current Y - label lift).
  void Label(const std::string& utf8) const;

  Canvas* canvas() const { return canvas_; }
  int labelLift() const { return labelLift_; }
  int originX() const { return originX_; }
  int originY() const { return originY_; }
  int width() const { return width_; }
  int height() const { return height_; }
  double spanX() const { return spanX_; }
  double spanY() const { return spanY_; }
  double scaleX() const { return scaleX_; }
  double scaleY() const { return scaleY_; }

 private:
  Canvas* canvas_ = nullptr;
  int labelLift_ = 0;
  double scaleX_ = 0, scaleY_ = 0;
  int originX_ = 0, originY_ = 0;
  int width_ = 0, height_ = 0;
  double spanX_ = 0, spanY_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_MAPPER_H_
