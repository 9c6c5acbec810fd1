#include "render/qpainter_canvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace korvale {

namespace {

uint32_t Argb(Rgb rgb) { return 0xFF000000u | (rgb & 0xFFFFFFu); }

QColor ToQColor(Rgb rgb) { return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// Floor division for a positive divisor.
int64_t FloorDiv(int64_t a, int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

QPainterCanvas::QPainterCanvas(QImage* image) : image_(image) {
  // Taken before any QPainter opens on the image, so the pointer stays that of the image the
  // painter draws into.
  bits_ = reinterpret_cast<uint32_t*>(image_->bits());
  stride_ = image_->bytesPerLine() / 4;
  deviceWidth_ = image_->width();
  deviceHeight_ = image_->height();
  scale_ = std::max(image_->devicePixelRatio(), 1.0);
  width_ = static_cast<int>(std::ceil(deviceWidth_ / scale_));
  height_ = static_cast<int>(std::ceil(deviceHeight_ / scale_));
  SelectFont(LabelFont{});
}

QPainterCanvas::~QPainterCanvas() {
  if (painter_) painter_->end();
}

QPainter& QPainterCanvas::Painter() {
  if (!painter_) {
    painter_ = std::make_unique<QPainter>(image_);
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->translate(-originX_, -originY_);
  }
  return *painter_;
}

QPainter& QPainterCanvas::ShapePainter() {
  QPainter& p = Painter();
  QPen pen(ToQColor(pen_.colour));
  pen.setWidth(pen_.width);
  p.setPen(pen);
  p.setBrush(ToQColor(brush_.colour));
  p.setCompositionMode(xor_ ? QPainter::RasterOp_NotSourceXorDestination
                            : QPainter::CompositionMode_SourceOver);
  return p;
}

void QPainterCanvas::SetOrigin(int x, int y) {
  originX_ = x;
  originY_ = y;
  if (painter_) {
    painter_->resetTransform();
    painter_->translate(-originX_, -originY_);
  }
}

void QPainterCanvas::FillRect(int left, int top, int right, int bottom, const Brush& brush) {
  const int64_t x0 = std::max<int64_t>(int64_t{left} - originX_, 0);
  const int64_t x1 = std::min<int64_t>(int64_t{right} - originX_, width_);
  const int64_t y0 = std::max<int64_t>(int64_t{top} - originY_, 0);
  const int64_t y1 = std::min<int64_t>(int64_t{bottom} - originY_, height_);
  if (x0 >= x1 || y0 >= y1) return;
  const uint32_t argb = Argb(brush.colour);
  const int64_t dx0 = Device(x0, deviceWidth_), dx1 = Device(x1, deviceWidth_);
  const int64_t dy0 = Device(y0, deviceHeight_), dy1 = Device(y1, deviceHeight_);
  for (int64_t y = dy0; y < dy1; ++y)
    std::fill(bits_ + y * stride_ + dx0, bits_ + y * stride_ + dx1, argb);
}

int64_t QPainterCanvas::Device(int64_t logical, int64_t limit) const {
  if (scale_ == 1.0) return logical;
  return std::clamp<int64_t>(static_cast<int64_t>(std::floor(logical * scale_)), 0, limit);
}

void QPainterCanvas::Plot(int64_t x, int64_t y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (clipped_ && (x + originX_ < clip_.left || x + originX_ >= clip_.right ||
                   y + originY_ < clip_.top || y + originY_ >= clip_.bottom)) {
    return;
  }
  // On a high-density screen a chart pixel is the block of device pixels it covers, so lines
  // stay as sharp and as heavy as on a plain screen while texts are drawn at full resolution.
  const int64_t dx0 = Device(x, deviceWidth_), dx1 = std::max(Device(x + 1, deviceWidth_), dx0 + 1);
  const int64_t dy0 = Device(y, deviceHeight_), dy1 = std::max(Device(y + 1, deviceHeight_), dy0 + 1);
  for (int64_t dy = dy0; dy < dy1 && dy < deviceHeight_; ++dy) {
    for (int64_t dx = dx0; dx < dx1 && dx < deviceWidth_; ++dx) {
      uint32_t& pixel = bits_[dy * stride_ + dx];
      // Exclusive-or drawing combines the pen with the screen by NOT-XOR, so that drawing the
      // same line twice restores the pixels.
      pixel = xor_ ? 0xFF000000u | (~(argb ^ pixel) & 0xFFFFFFu) : argb;
    }
  }
}

// Bresenham from (x0, y0) towards (x1, y1), the end point excluded, walking the major axis and
// rounding the minor one half up; only the steps whose major coordinate lies on the image are
// visited, so a line reaching far outside costs no more than one across the image.
void QPainterCanvas::RasterLine(int64_t x0, int64_t y0, int64_t x1, int64_t y1, uint32_t argb) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int64_t sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const bool xMajor = adx >= ady;
  const int64_t steps = xMajor ? adx : ady;
  if (steps == 0) return;
  const int64_t major0 = xMajor ? x0 : y0, majorStep = xMajor ? sx : sy;
  const int64_t limit = xMajor ? width_ : height_;
  // Steps t with 0 <= major0 + majorStep * t < limit.
  int64_t tFrom, tTo;
  if (majorStep > 0) {
    tFrom = -major0;
    tTo = limit - major0;
  } else {
    tFrom = major0 - limit + 1;
    tTo = major0 + 1;
  }
  tFrom = std::max<int64_t>(tFrom, 0);
  tTo = std::min(tTo, steps);
  const int64_t minor = xMajor ? ady : adx;
  for (int64_t t = tFrom; t < tTo; ++t) {
    const int64_t along = FloorDiv(2 * t * minor + steps, 2 * steps);
    if (xMajor) {
      Plot(x0 + sx * t, y0 + sy * along, argb);
    } else {
      Plot(x0 + sx * along, y0 + sy * t, argb);
    }
  }
}

void QPainterCanvas::LineTo(int x, int y) {
  const int64_t x0 = int64_t{position_.x} - originX_, y0 = int64_t{position_.y} - originY_;
  const int64_t x1 = int64_t{x} - originX_, y1 = int64_t{y} - originY_;
  const uint32_t argb = Argb(pen_.colour);
  RasterLine(x0, y0, x1, y1, argb);
  if (pen_.width >= 2) {
    // A two-pixel pen doubles the line on the side below or right of it.
    if (std::abs(x1 - x0) >= std::abs(y1 - y0)) {
      RasterLine(x0, y0 + 1, x1, y1 + 1, argb);
    } else {
      RasterLine(x0 + 1, y0, x1 + 1, y1, argb);
    }
  }
  position_ = {x, y};
}

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom) {
  if (right - left < 1 || bottom - top < 1) return;
  ShapePainter().drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::Polygon(const CanvasPoint* points, int count) {
  if (count < 2) return;
  QPolygon polygon;
  for (int i = 0; i < count; ++i) polygon << QPoint(points[i].x, points[i].y);
  ShapePainter().drawPolygon(polygon);
}

void QPainterCanvas::SelectFont(const LabelFont& font) {
  if (font == labelFont_ && lineHeight_ > 0) return;
  labelFont_ = font;
  // A Japanese-capable face at the requested character height, drawn without smoothing like
  // the rest of the chart. Full hinting keeps the glyphs on whole pixels: without it the small
  // unsmoothed glyphs run into each other ("0%").
  font_ = QFont();
  font_.setFamilies({"IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "Noto Sans Mono CJK JP"});
  font_.setStyleHint(QFont::TypeWriter);
  font_.setPixelSize(std::max(font.pixelHeight, 1));
  font_.setStyleStrategy(QFont::NoAntialias);
  font_.setHintingPreference(QFont::PreferFullHinting);
  const QFontMetrics metrics(font_);
  ascent_ = metrics.ascent();
  lineHeight_ = metrics.height();
  if (painter_) painter_->setFont(font_);
}

int QPainterCanvas::TextHeight() const { return lineHeight_; }

int QPainterCanvas::TextWidth(const std::string& utf8) const {
  return QFontMetrics(font_).horizontalAdvance(
      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void QPainterCanvas::TextOut(int x, int y, const std::string& utf8) {
  const int64_t ix = int64_t{x} - originX_, iy = int64_t{y} - originY_;
  if (iy >= height_ || iy + lineHeight_ <= 0 || ix >= width_ || ix < -4096) return;
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QPainter& p = Painter();
  p.setFont(font_);
  const int advance = p.fontMetrics().horizontalAdvance(text);
  // Texts stand on a box of the text background colour, as on the screen.
  FillRect(x, y, x + advance, y + lineHeight_, Brush{textBackground_});
  p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  p.setPen(ToQColor(textColour_));
  p.drawText(QPoint(x, y + ascent_), text);
}

}  // namespace korvale
