// The world-to-pixel mapper and its primitives, asserted on the recording canvas.
#include "charts/chart_mapper.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "charts/recording_canvas.h"

namespace korvale {
namespace {

struct Segment {
  int x1, y1, x2, y2;
  bool operator==(const Segment&) const = default;
};

std::vector<Segment> Lines(const RecordingCanvas& c) {
  std::vector<Segment> out;
  for (const CanvasOp& op : c.OpsOf(CanvasOp::kLine)) out.push_back({op.x1, op.y1, op.x2, op.y2});
  return out;
}

// A 100 x 100 pixel rectangle at the canvas origin showing 100 x 100 world units.
CChartMapper UnitMapper(RecordingCanvas* c) {
  CChartMapper m;
  m.Init(c, 9, 0, 0, 100, 100, 100, 100);
  return m;
}

TEST(ChartMapperTest, ToPixelMapsTheBottomEdgeAndTheTopEdgeAndTruncates) {
  RecordingCanvas c;
  CChartMapper m;
  m.Init(&c, 9, 10, 20, 100, 50, 25, 200);                // 4 pixels per unit across, 1/4 up
  EXPECT_EQ(m.ToPixel(0, 0), (CanvasPoint{10, 70}));      // bottom edge: origin y + height
  EXPECT_EQ(m.ToPixel(25, 200), (CanvasPoint{110, 20}));  // span y maps to origin y
  // 1.9 * 4 = 7.6 -> 7; 50 - 3.9 / 4 = 49.025 -> 49.
  EXPECT_EQ(m.ToPixel(1.9, 3.9), (CanvasPoint{17, 69}));
  double x = 0, y = 0;
  m.ToWorld(14, 45, &x, &y);
  EXPECT_DOUBLE_EQ(x, 1.0);
  EXPECT_DOUBLE_EQ(y, 100.0);
}

TEST(ChartMapperTest, ZeroSpansAndFarValuesStayFiniteAndInRange) {
  RecordingCanvas c;
  CChartMapper m;
  m.Init(&c, 9, 10, 20, 100, 50, 0, 0);
  EXPECT_EQ(m.ToPixel(5, 1e9), (CanvasPoint{10, 70}));
  double x = 1, y = 1;
  m.ToWorld(50, 50, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  m.Reset(0, 0, 100, 100, 1, 1e-300);
  EXPECT_EQ(m.ToPixel(0, -1e12).y, kPixelLimit);
  EXPECT_EQ(m.ToPixel(-1e300, 0).x, -kPixelLimit);
  const long before = NonFinitePixelCount();
  EXPECT_EQ(m.ToPixel(std::numeric_limits<double>::quiet_NaN(), 0).x, 0);
  EXPECT_EQ(NonFinitePixelCount(), before + 1);
}

TEST(ChartMapperTest, HorizontalDottedLinePaintsOnePixelInFour) {
  RecordingCanvas c;
  CChartMapper m = UnitMapper(&c);
  m.DottedLine(10, 50, 21, 50);  // pixels 10 .. 21 at row 50
  const std::vector<Segment> expected = {{10, 50, 11, 50}, {14, 50, 15, 50}, {18, 50, 19, 50}};
  EXPECT_EQ(Lines(c), expected);
  c.Clear();
  m.DottedLine(21, 50, 10, 50);  // given right to left: the same dots
  EXPECT_EQ(Lines(c), expected);
}

TEST(ChartMapperTest, VerticalDottedLineRunsDownFromTheUpperPixelAndSlantedDrawsNothing) {
  RecordingCanvas c;
  CChartMapper m = UnitMapper(&c);
  m.DottedLine(5, 0, 5, 9);  // rows 100 up to 91
  EXPECT_EQ(Lines(c), (std::vector<Segment>{{5, 91, 5, 92}, {5, 95, 5, 96}, {5, 99, 5, 100}}));
  c.Clear();
  m.DottedLine(0, 0, 10, 10);
  EXPECT_TRUE(Lines(c).empty());
  EXPECT_EQ(c.CurrentPosition(), (CanvasPoint{0, 100}));  // still moved to the first point
}

TEST(ChartMapperTest, FilledRectangleIsTheSameWhicheverCornerComesFirst) {
  RecordingCanvas c;
  CChartMapper m = UnitMapper(&c);
  c.SelectBrush(Brush{0x123456});
  m.Rect(2, 10, 6, 3, true);
  m.Rect(2, 3, 6, 10, true);
  const auto fills = c.OpsOf(CanvasOp::kFill);
  ASSERT_EQ(fills.size(), 2u);
  for (const CanvasOp& f : fills) {
    EXPECT_EQ(f.x1, 2);
    EXPECT_EQ(f.y1, 90);  // top: world 10
    EXPECT_EQ(f.x2, 6);
    EXPECT_EQ(f.y2, 97);  // bottom, excluded: world 3
    EXPECT_EQ(f.brush.colour, 0x123456u);
  }
}

TEST(ChartMapperTest, OutlineRectangleRunsAroundFromTheFirstCorner) {
  RecordingCanvas c;
  CChartMapper m = UnitMapper(&c);
  m.Rect(2, 3, 6, 10, false);
  EXPECT_EQ(Lines(c),
            (std::vector<Segment>{{2, 97, 2, 90}, {2, 90, 6, 90}, {6, 90, 6, 97}, {6, 97, 2, 97}}));
}

TEST(ChartMapperTest, CircleLabelAndMoveByWorkInPixels) {
  RecordingCanvas c;
  CChartMapper m = UnitMapper(&c);
  m.Circle(50, 50, 2.7);
  const auto ellipses = c.OpsOf(CanvasOp::kEllipse);
  ASSERT_EQ(ellipses.size(), 1u);
  EXPECT_EQ(ellipses[0].x1, 48);
  EXPECT_EQ(ellipses[0].y1, 48);
  EXPECT_EQ(ellipses[0].x2, 52);
  EXPECT_EQ(ellipses[0].y2, 52);
  m.MoveTo(10, 50);
  m.MoveBy(3, -2);
  m.Label("x");  // stands on the position: raised by the label lift of 9
  const CanvasOp* text = c.FindText("x");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->x1, 13);
  EXPECT_EQ(text->y1, 39);
}

}  // namespace
}  // namespace korvale
