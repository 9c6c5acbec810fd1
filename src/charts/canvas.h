// The drawing surface every chart paints on. Charts never see a toolkit: they select pens,
// brushes and the label font, move a current position and draw lines from it, fill rectangles
// and write texts. A canvas over an image (src/render) and a recording canvas for tests
// implement it.
#ifndef KORVALE_CHARTS_CANVAS_H_
#define KORVALE_CHARTS_CANVAS_H_

#include <cstdint>
#include <string>

namespace korvale {

// A colour as 0xRRGGBB.
using Rgb = uint32_t;

struct CanvasPoint {
  int x = 0;
  int y = 0;
  bool operator==(const CanvasPoint&) const = default;
};

// A solid pen, 1 or 2 pixels wide.
struct Pen {
  Rgb colour = 0;
  int width = 1;
  bool operator==(const Pen&) const = default;
};

// A solid brush.
struct Brush {
  Rgb colour = 0xFFFFFF;
  bool operator==(const Brush&) const = default;
};

// The one font the charts use: a character height in pixels, a fixed-pitch-neutral
// Japanese-capable face chosen by the canvas.
struct LabelFont {
  int pixelHeight = 9;
  bool operator==(const LabelFont&) const = default;
};

// Pixel coordinates grow right and down. Every operation accepts any int coordinate; whatever
// falls outside the surface is clipped.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // Fills left <= x < right, top <= y < bottom; an empty or inverted rectangle paints nothing.
  virtual void FillRect(int left, int top, int right, int bottom, const Brush& brush) = 0;

  virtual void SelectPen(const Pen& pen) = 0;
  virtual Pen CurrentPen() const = 0;
  virtual void SelectBrush(const Brush& brush) = 0;
  virtual Brush CurrentBrush() const = 0;
  virtual void SelectFont(const LabelFont& font) = 0;
  virtual void SetTextColour(Rgb colour) = 0;
  virtual void SetTextBackground(Rgb colour) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current position to (x, y) in the selected pen; (x, y) itself is not
  // painted and becomes the current position. A line to the current position paints nothing.
  virtual void LineTo(int x, int y) = 0;
  virtual CanvasPoint CurrentPosition() const = 0;

  // The ellipse inside left <= x < right, top <= y < bottom: outline in the pen, inside in the
  // brush.
  virtual void Ellipse(int left, int top, int right, int bottom) = 0;
  // A closed polygon: outline in the pen, inside in the brush.
  virtual void Polygon(const CanvasPoint* points, int count) = 0;

  // Writes UTF-8 text with its top-left corner at (x, y), in the text colour on a box of the
  // text background colour.
  virtual void TextOut(int x, int y, const std::string& utf8) = 0;
  // Height in pixels of a line of text in the selected font.
  virtual int TextHeight() const = 0;
  // Width in pixels of `utf8` in the selected font. A canvas that cannot measure takes half the
  // text height a byte (about a digit's width).
  virtual int TextWidth(const std::string& utf8) const {
    return static_cast<int>(utf8.size()) * TextHeight() / 2;
  }

  // While on, lines combine the pen with what is already there so that drawing the same line
  // twice restores the pixels (crosshair, rubber band).
  virtual void SetXorMode(bool on) = 0;

  // Lines drawn after this paint only inside left <= x < right, top <= y < bottom until the
  // clip is cleared, so that a pane's curves stay in their pane. Texts and shapes are not
  // clipped. A canvas that only records may ignore it.
  virtual void SetLineClip(int left, int top, int right, int bottom) {
    (void)left, (void)top, (void)right, (void)bottom;
  }
  virtual void ClearLineClip() {}
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_CANVAS_H_
