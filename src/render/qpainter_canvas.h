// The canvas over a QImage. Lines and filled rectangles are rasterised here, straight into the
// image, so that the pixel rules of the charts hold exactly (a line's end point is not painted,
// its pixels depend on its direction, a line to the current position paints nothing, nothing is
// antialiased); texts, ellipses and polygons go through a QPainter on the same image.
#ifndef KORVALE_RENDER_QPAINTER_CANVAS_H_
#define KORVALE_RENDER_QPAINTER_CANVAS_H_

#include <QFont>
#include <QImage>
#include <memory>

#include "charts/canvas.h"

class QPainter;

namespace korvale {

class QPainterCanvas : public Canvas {
 public:
  // Draws into `image`, which must be Format_RGB32 (or ARGB32) and outlive the canvas. An image
  // with a device pixel ratio above 1 is drawn at that density: canvas coordinates are logical
  // pixels, each covering ratio x ratio pixels of the image, and texts use the full density.
  explicit QPainterCanvas(QImage* image);
  ~QPainterCanvas() override;
  QPainterCanvas(const QPainterCanvas&) = delete;
  QPainterCanvas& operator=(const QPainterCanvas&) = delete;

  // The canvas position of the image's top-left pixel: (100, 0) shows a chart scrolled 100
  // pixels to the right.
  void SetOrigin(int x, int y);

  void FillRect(int left, int top, int right, int bottom, const Brush& brush) override;
  void SelectPen(const Pen& pen) override { pen_ = pen; }
  Pen CurrentPen() const override { return pen_; }
  void SelectBrush(const Brush& brush) override { brush_ = brush; }
  Brush CurrentBrush() const override { return brush_; }
  void SelectFont(const LabelFont& font) override;
  void SetTextColour(Rgb colour) override { textColour_ = colour; }
  void SetTextBackground(Rgb colour) override { textBackground_ = colour; }
  void MoveTo(int x, int y) override { position_ = {x, y}; }
  void LineTo(int x, int y) override;
  CanvasPoint CurrentPosition() const override { return position_; }
  void Ellipse(int left, int top, int right, int bottom) override;
  void Polygon(const CanvasPoint* points, int count) override;
  void TextOut(int x, int y, const std::string& utf8) override;
  int TextHeight() const override;
  int TextWidth(const std::string& utf8) const override;
  void SetXorMode(bool on) override { xor_ = on; }
  void SetLineClip(int left, int top, int right, int bottom) override {
    clip_ = {left, top, right, bottom};
    clipped_ = true;
  }
  void ClearLineClip() override { clipped_ = false; }

 private:
  QPainter& Painter();
  // The painter set up with the selected pen, brush and XOR mode, for ellipses and polygons.
  QPainter& ShapePainter();
  void Plot(int64_t x, int64_t y, uint32_t argb);
  // The image column (row) where a logical coordinate starts, within 0 .. limit.
  int64_t Device(int64_t logical, int64_t limit) const;
  void RasterLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t argb);

  QImage* image_;
  uint32_t* bits_ = nullptr;
  int64_t stride_ = 0;  // in pixels
  int width_ = 0, height_ = 0;              // logical pixels
  int deviceWidth_ = 0, deviceHeight_ = 0;  // pixels of the image
  double scale_ = 1;                        // the image's device pixel ratio
  int originX_ = 0, originY_ = 0;
  std::unique_ptr<QPainter> painter_;
  Pen pen_;
  Brush brush_;
  LabelFont labelFont_;
  QFont font_;
  int ascent_ = 0, lineHeight_ = 0;
  Rgb textColour_ = 0;
  Rgb textBackground_ = 0xFFFFFF;
  CanvasPoint position_;
  bool xor_ = false;
  struct {
    int64_t left, top, right, bottom;  // canvas coordinates
  } clip_{};
  bool clipped_ = false;
};

}  // namespace korvale

#endif  // KORVALE_RENDER_QPAINTER_CANVAS_H_
