// The pixel rules of the charts on the image canvas: a line's end point is not painted, its
// pixels follow its direction, rectangles exclude their right and bottom edges, nothing is
// smoothed.
#include "render/qpainter_canvas.h"

#include <gtest/gtest.h>

#include <set>

#include "charts/chart_mapper.h"
#include "render/chart_image.h"

namespace korvale {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

QImage WhiteImage(int w, int h) {
  EnsureGuiApplication();
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(kWhite);
  return image;
}

// The x of every black pixel of a row.
std::vector<int> BlackInRow(const QImage& image, int y) {
  std::vector<int> out;
  for (int x = 0; x < image.width(); ++x) {
    if (image.pixel(x, y) == kBlack) out.push_back(x);
  }
  return out;
}

std::vector<int> Range(int from, int to) {
  std::vector<int> out;
  for (int x = from; x <= to; ++x) out.push_back(x);
  return out;
}

TEST(QPainterCanvasTest, LinesLeaveTheirEndPointAndFollowTheirDirection) {
  QImage image = WhiteImage(40, 20);
  {
    QPainterCanvas c(&image);
    c.SelectPen(Pen{0x000000, 1});
    c.MoveTo(10, 5);
    c.LineTo(21, 5);
    c.MoveTo(21, 7);
    c.LineTo(10, 7);
    c.MoveTo(30, 9);
    c.LineTo(30, 9);  // to the current position: nothing
    c.MoveTo(0, 12);
    c.LineTo(4, 14);
  }
  EXPECT_EQ(BlackInRow(image, 5), Range(10, 20));
  EXPECT_EQ(BlackInRow(image, 7), Range(11, 21));
  EXPECT_TRUE(BlackInRow(image, 9).empty());
  EXPECT_EQ(BlackInRow(image, 12), (std::vector<int>{0}));
  EXPECT_EQ(BlackInRow(image, 13), (std::vector<int>{1, 2}));
  EXPECT_EQ(BlackInRow(image, 14), (std::vector<int>{3}));  // (4, 14) itself stays white
}

TEST(QPainterCanvasTest, TwoPixelPenAndFilledRectangleEdges) {
  QImage image = WhiteImage(20, 20);
  {
    QPainterCanvas c(&image);
    c.SelectPen(Pen{0x000000, 2});
    c.MoveTo(2, 2);
    c.LineTo(8, 2);
    c.FillRect(2, 10, 5, 13, Brush{0x000000});
    c.FillRect(9, 10, 9, 13, Brush{0x000000});    // empty
    c.FillRect(15, 13, 12, 10, Brush{0x000000});  // inverted
  }
  EXPECT_EQ(BlackInRow(image, 2), Range(2, 7));
  EXPECT_EQ(BlackInRow(image, 3), Range(2, 7));
  for (int y = 10; y < 13; ++y) EXPECT_EQ(BlackInRow(image, y), Range(2, 4)) << y;
  EXPECT_TRUE(BlackInRow(image, 13).empty());
}

TEST(QPainterCanvasTest, DottedGridLinePaintsOnePixelInFour) {
  QImage image = WhiteImage(40, 20);
  {
    QPainterCanvas c(&image);
    c.SelectPen(Pen{0x000000, 1});
    CChartMapper m;
    m.Init(&c, 9, 0, 0, 40, 20, 40, 20);
    m.DottedLine(10, 10, 21, 10);  // row 20 - 10 = 10
  }
  EXPECT_EQ(BlackInRow(image, 10), (std::vector<int>{10, 14, 18}));
}

TEST(QPainterCanvasTest, ExclusiveOrDrawingTwiceRestoresThePixels) {
  QImage image = WhiteImage(20, 10);
  image.setPixel(5, 5, 0xFF123456);
  const QImage before = image.copy();
  {
    QPainterCanvas c(&image);
    c.SelectPen(Pen{0x000000, 1});
    c.SetXorMode(true);
    c.MoveTo(0, 5);
    c.LineTo(19, 5);
    EXPECT_EQ(image.pixel(3, 5), kBlack);  // a black pen NOT-XOR white gives black
    c.MoveTo(0, 5);
    c.LineTo(19, 5);
  }
  EXPECT_EQ(image, before);
}

TEST(QPainterCanvasTest, OriginScrollsAndFarLinesAreClipped) {
  QImage image = WhiteImage(20, 10);
  {
    QPainterCanvas c(&image);
    c.SetOrigin(100, 0);
    c.SelectPen(Pen{0x000000, 1});
    c.MoveTo(105, 2);
    c.LineTo(108, 2);
    c.MoveTo(-kPixelLimit, 6);
    c.LineTo(kPixelLimit, 6);
    c.MoveTo(110, -kPixelLimit);
    c.LineTo(110, kPixelLimit);
  }
  EXPECT_EQ(BlackInRow(image, 2), (std::vector<int>{5, 6, 7, 10}));
  EXPECT_EQ(BlackInRow(image, 6), Range(0, 19));
}

TEST(QPainterCanvasTest, TextStandsOnItsBackgroundBoxBelowAndRightOfItsCorner) {
  QImage image = WhiteImage(120, 40);
  int height = 0;
  {
    QPainterCanvas c(&image);
    c.SelectFont(LabelFont{9});
    height = c.TextHeight();
    c.SetTextColour(0x000000);
    c.SetTextBackground(0x00FF00);
    c.TextOut(10, 10, "RSI14 乖離率");
  }
  EXPECT_GE(height, 9);
  EXPECT_LE(height, 13);
  int ink = 0, box = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      const bool inside = x >= 10 && y >= 10 && y < 10 + height;
      if (p == kBlack) {
        ++ink;
        EXPECT_TRUE(inside) << x << "," << y;
      } else if (p == 0xFF00FF00) {
        ++box;
        EXPECT_TRUE(inside) << x << "," << y;
      } else {
        EXPECT_EQ(p, kWhite) << "a smoothed pixel at " << x << "," << y;
      }
    }
  }
  EXPECT_GT(ink, 30);
  EXPECT_GT(box, 100);
}

}  // namespace
}  // namespace korvale
