#include "charts/recording_canvas.h"

#include <cstdlib>

namespace korvale {

void RecordingCanvas::Note(int v) {
  const int a = v < 0 ? -v : v;
  if (a > maxAbs_) maxAbs_ = a;
}

CanvasOp RecordingCanvas::Base(CanvasOp::Kind kind) const {
  CanvasOp op;
  op.kind = kind;
  op.pen = pen_;
  op.brush = brush_;
  op.textColour = textColour_;
  op.textBackground = textBackground_;
  op.xorMode = xor_;
  return op;
}

void RecordingCanvas::FillRect(int left, int top, int right, int bottom, const Brush& brush) {
  for (int v : {left, top, right, bottom}) Note(v);
  CanvasOp op = Base(CanvasOp::kFill);
  op.x1 = left;
  op.y1 = top;
  op.x2 = right;
  op.y2 = bottom;
  op.brush = brush;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::MoveTo(int x, int y) {
  Note(x);
  Note(y);
  position_ = {x, y};
}

void RecordingCanvas::LineTo(int x, int y) {
  Note(x);
  Note(y);
  CanvasOp op = Base(CanvasOp::kLine);
  op.x1 = position_.x;
  op.y1 = position_.y;
  op.x2 = x;
  op.y2 = y;
  ops_.push_back(std::move(op));
  position_ = {x, y};
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
  for (int v : {left, top, right, bottom}) Note(v);
  CanvasOp op = Base(CanvasOp::kEllipse);
  op.x1 = left;
  op.y1 = top;
  op.x2 = right;
  op.y2 = bottom;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::Polygon(const CanvasPoint* points, int count) {
  CanvasOp op = Base(CanvasOp::kPolygon);
  for (int i = 0; i < count; ++i) {
    Note(points[i].x);
    Note(points[i].y);
    op.points.push_back(points[i]);
  }
  ops_.push_back(std::move(op));
}

void RecordingCanvas::TextOut(int x, int y, const std::string& utf8) {
  Note(x);
  Note(y);
  CanvasOp op = Base(CanvasOp::kText);
  op.x1 = x;
  op.y1 = y;
  op.text = utf8;
  ops_.push_back(std::move(op));
}

std::vector<CanvasOp> RecordingCanvas::OpsOf(CanvasOp::Kind kind) const {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : ops_) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
  std::vector<std::string> out;
  for (const CanvasOp& op : ops_) {
    if (op.kind == CanvasOp::kText) out.push_back(op.text);
  }
  return out;
}

const CanvasOp* RecordingCanvas::FindText(const std::string& text) const {
  for (const CanvasOp& op : ops_) {
    if (op.kind == CanvasOp::kText && op.text == text) return &op;
  }
  return nullptr;
}

}  // namespace korvale
