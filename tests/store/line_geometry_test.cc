#include "store/line_geometry.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(LineGeometryTest, FormsFollowFromThePoints) {
  EXPECT_EQ(CLineGeometry(1, 2, 1, 2).form, CLineGeometry::kPoint);
  EXPECT_EQ(CLineGeometry(1, 2, 1, 5).form, CLineGeometry::kVertical);
  CLineGeometry h(1, 7, 9, 7);
  EXPECT_EQ(h.form, CLineGeometry::kHorizontal);
  EXPECT_EQ(h.intercept, 7);
  CLineGeometry s(0, 100, 10, 200);
  EXPECT_EQ(s.form, CLineGeometry::kSloped);
  EXPECT_DOUBLE_EQ(s.slope, 10);
  EXPECT_DOUBLE_EQ(s.intercept, 100);
}

TEST(LineGeometryTest, SlopedHitsUseTheFootOfThePerpendicularAndTheSpan) {
  CLineGeometry g(10, 100, 20, 200);  // y = 10x
  g.SetTolerance(5, 5);
  EXPECT_TRUE(g.HitTest(15, 150));
  EXPECT_TRUE(g.HitTest(15, 153));
  EXPECT_FALSE(g.HitTest(5, 150));  // ten bars left of the foot of the perpendicular
  EXPECT_TRUE(g.HitTest(24, 240));   // within tolX beyond the second point
  EXPECT_FALSE(g.HitTest(40, 400));  // on the line but far beyond the span
}

TEST(LineGeometryTest, HorizontalVerticalAndPointHits) {
  CLineGeometry h(10, 50, 20, 50);
  h.SetTolerance(2, 3);
  EXPECT_TRUE(h.HitTest(8, 53));
  EXPECT_FALSE(h.HitTest(7, 50));
  EXPECT_FALSE(h.HitTest(15, 54));
  CLineGeometry v(10, 80, 10, 40);  // points out of order in y
  v.SetTolerance(2, 3);
  EXPECT_TRUE(v.HitTest(11, 37));
  EXPECT_FALSE(v.HitTest(11, 36));
  EXPECT_FALSE(v.HitTest(13, 60));
  CLineGeometry p(5, 5, 5, 5);
  p.SetTolerance(1, 1);
  EXPECT_TRUE(p.HitTest(6, 4));
  EXPECT_FALSE(p.HitTest(7, 5));
}

TEST(LineGeometryTest, EndpointHitsPreferTheFirstPoint) {
  CLineGeometry g(10, 100, 12, 100);
  g.SetTolerance(5, 5);
  int point = -1;
  EXPECT_TRUE(g.HitEndpoint(11, 100, &point));
  EXPECT_EQ(point, 0);
  EXPECT_TRUE(g.HitEndpoint(16, 100, &point));
  EXPECT_EQ(point, 1);
  EXPECT_FALSE(g.HitEndpoint(30, 100, &point));
  EXPECT_EQ(CLineGeometry::StandardTolY(1234), 61);
  EXPECT_EQ(CLineGeometry::StandardTolY(10), 1);
}

}  // namespace
}  // namespace korvale
