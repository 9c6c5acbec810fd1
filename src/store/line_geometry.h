// A trend line as a straight line in (bar index, price) space, with its hit tests.
#ifndef KORVALE_STORE_LINE_GEOMETRY_H_
#define KORVALE_STORE_LINE_GEOMETRY_H_

#include <cstdint>

namespace korvale {

class CLineGeometry {
 public:
  enum Form : int32_t { kSloped = 0, kHorizontal = 1, kVertical = 2, kPoint = 3 };

  // The line through (x1, y1) and (x2, y2); x in bars, y in price.
  CLineGeometry(double x1, double y1, double x2, double y2);
  virtual ~CLineGeometry() = default;

  void SetTolerance(double tolX, double tolY);
  // True when (px, py) lies within the tolerances of the segment.
  bool HitTest(double px, double py) const;
  // True when (px, py) is near an end point; `point` gets 0 for the first, 1 for the second.
  bool HitEndpoint(double px, double py, int* point) const;

  // Tolerances the users of lines apply: 5 bars, and the first price / 20 (at least 1).
  static double StandardTolX() { return 5; }
  static double StandardTolY(int32_t firstPrice);

  double slope = 0;
  double intercept = 0;
  int32_t form = kSloped;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double tolX = 0, tolY = 0;
};

}  // namespace korvale

#endif  // KORVALE_STORE_LINE_GEOMETRY_H_
