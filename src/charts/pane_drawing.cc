#include "charts/pane_drawing.h"

namespace korvale {

void DrawFrame(const CChartPainter& painter, Canvas& canvas, const CChartMapper& mapper,
               double count, double span, double reference, int slot) {
  painter.SelectColour(canvas, slot);
  mapper.DottedLine(0, reference, count, reference);
  mapper.Line(0, 0, count, 0);
  mapper.Line(0, span, count, span);
}

LabelBlock::LabelBlock(const CChartPainter& painter, Canvas& canvas, CChartMapper& mapper,
                       const PaneRect& rect, double spanY)
    : painter_(painter), canvas_(canvas), mapper_(mapper), spanY_(spanY) {
  painter_.SelectTextColours(canvas_, 1, 0);
  painter_.SelectLabelFont(canvas_);
  mapper_.Reset(rect.x, rect.top, kLabelColumn, rect.height, rect.width, spanY);
}

void LabelBlock::Write(const std::string& text, int slot) {
  painter_.SelectColour(canvas_, slot);
  mapper_.Label(text);
}

void LabelBlock::First(const std::string& text, int slot) {
  FromTop(text, slot, painter_.textHeight() + 2);
}

void LabelBlock::Next(const std::string& text, int slot) {
  Then(text, slot, painter_.textHeight());
}

void LabelBlock::FromTop(const std::string& text, int slot, int dy) {
  mapper_.MoveTo(0, spanY_);
  mapper_.MoveBy(0, dy);
  Write(text, slot);
}

void LabelBlock::Then(const std::string& text, int slot, int dy) {
  mapper_.MoveBy(0, dy);
  Write(text, slot);
}

void LabelBlock::Middle(const std::string& text, int slot) {
  mapper_.MoveTo(0, spanY_ / 2);
  Write(text, slot);
}

void LabelBlock::Bottom(const std::string& text, int slot) {
  mapper_.MoveTo(0, 1);
  Write(text, slot);
}

}  // namespace korvale
