// A canvas that draws nothing and logs every primitive with the pen, brush and text colours in
// effect, so that tests can assert the exact lines, rectangles and texts a chart produces.
#ifndef KORVALE_CHARTS_RECORDING_CANVAS_H_
#define KORVALE_CHARTS_RECORDING_CANVAS_H_

#include <string>
#include <vector>

#include "charts/canvas.h"

namespace korvale {

struct CanvasOp {
  enum Kind { kFill, kLine, kEllipse, kPolygon, kText };
  Kind kind = kLine;
  // kFill, kEllipse: the rectangle (x1, y1)-(x2, y2). kLine: from (x1, y1) to (x2, y2), the end
  // excluded. kText: the top-left corner in (x1, y1).
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Pen pen;
  Brush brush;  // for kFill the brush passed in
  Rgb textColour = 0;
  Rgb textBackground = 0;
  bool xorMode = false;
  std::string text;
  std::vector<CanvasPoint> points;
};

class RecordingCanvas : public Canvas {
 public:
  // `textHeight` is what TextHeight reports for the label font.
  explicit RecordingCanvas(int textHeight = 9) : textHeight_(textHeight) {}

  void FillRect(int left, int top, int right, int bottom, const Brush& brush) override;
  void SelectPen(const Pen& pen) override { pen_ = pen; }
  Pen CurrentPen() const override { return pen_; }
  void SelectBrush(const Brush& brush) override { brush_ = brush; }
  Brush CurrentBrush() const override { return brush_; }
  void SelectFont(const LabelFont& font) override { font_ = font; }
  void SetTextColour(Rgb colour) override { textColour_ = colour; }
  void SetTextBackground(Rgb colour) override { textBackground_ = colour; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  CanvasPoint CurrentPosition() const override { return position_; }
  void Ellipse(int left, int top, int right, int bottom) override;
  void Polygon(const CanvasPoint* points, int count) override;
  void TextOut(int x, int y, const std::string& utf8) override;
  int TextHeight() const override { return textHeight_; }
  void SetXorMode(bool on) override { xor_ = on; }

  const std::vector<CanvasOp>& ops() const { return ops_; }
  void Clear() { ops_.clear(); }
  // The logged operations of one kind, in order.
  std::vector<CanvasOp> OpsOf(CanvasOp::Kind kind) const;
  // Texts written, in order.
  std::vector<std::string> Texts() const;
  // The first text op whose text equals `text`, or null.
  const CanvasOp* FindText(const std::string& text) const;
  // Largest absolute coordinate handed to any operation (moves included).
  int MaxAbsCoordinate() const { return maxAbs_; }
  const LabelFont& font() const { return font_; }

 private:
  void Note(int v);
  CanvasOp Base(CanvasOp::Kind kind) const;

  int textHeight_;
  Pen pen_;
  Brush brush_;
  LabelFont font_;
  Rgb textColour_ = 0;
  Rgb textBackground_ = 0xFFFFFF;
  CanvasPoint position_;
  bool xor_ = false;
  int maxAbs_ = 0;
  std::vector<CanvasOp> ops_;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_RECORDING_CANVAS_H_
