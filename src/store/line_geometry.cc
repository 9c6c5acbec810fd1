#include "store/line_geometry.h"

#include <algorithm>
#include <cmath>

namespace korvale {

CLineGeometry::CLineGeometry(double ax1, double ay1, double ax2, double ay2)
    : x1(ax1), y1(ay1), x2(ax2), y2(ay2) {
  if (x1 == x2 && y1 == y2) {
    form = kPoint;
  } else if (x1 == x2) {
    form = kVertical;
  } else if (y1 == y2) {
    form = kHorizontal;
    intercept = y1;
    slope = 0;
  } else {
    form = kSloped;
    slope = (y1 - y2) / (x1 - x2);
    intercept = (x1 * y2 - y1 * x2) / (x1 - x2);
  }
}

void CLineGeometry::SetTolerance(double tx, double ty) {
  tolX = tx;
  tolY = ty;
}

double CLineGeometry::StandardTolY(int32_t firstPrice) {
  return std::max<int32_t>(firstPrice / 20, 1);
}

bool CLineGeometry::HitTest(double px, double py) const {
  double fx = x1, fy = y1;
  const double minX = std::min(x1, x2), maxX = std::max(x1, x2);
  switch (form) {
    case kSloped: {
      const double d = slope * slope + 1;
      fx = (px + slope * py - slope * intercept) / d;
      fy = (intercept + slope * (px + slope * py)) / d;
      if (fx < minX - tolX || fx > maxX + tolX) return false;
      break;
    }
    case kHorizontal:
      if (px < minX - tolX || px > maxX + tolX) return false;
      fx = px;
      fy = y1;
      break;
    case kVertical:
      if (py < std::min(y1, y2) - tolY || py > std::max(y1, y2) + tolY) return false;
      fx = x1;
      fy = py;
      break;
    default:
      break;
  }
  return std::fabs(px - fx) <= tolX && std::fabs(py - fy) <= tolY;
}

bool CLineGeometry::HitEndpoint(double px, double py, int* point) const {
  if (std::fabs(px - x1) <= tolX && std::fabs(py - y1) <= tolY) {
    if (point) *point = 0;
    return true;
  }
  if (std::fabs(px - x2) <= tolX && std::fabs(py - y2) <= tolY) {
    if (point) *point = 1;
    return true;
  }
  return false;
}

}  // namespace korvale
