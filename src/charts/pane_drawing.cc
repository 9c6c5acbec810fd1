#include "charts/pane_drawing.h"

namespace korvale {

void DrawFrame(const PaneTools& t, double count, double span, double reference, int slot) {
  t.palette.SelectColour(t.canvas, slot);
  t.mapper.DottedLine(0, reference, count, reference);
  t.mapper.Line(0, 0, count, 0);
  t.mapper.Line(0, span, count, span);
}

LabelBlock::LabelBlock(const PaneTools& t, const PaneRect& rect, double spanY)
    : t_(t), spanY_(spanY) {
  t_.palette.SelectTextColours(t_.canvas, kSlotForeground, kSlotBackground);
  t_.palette.SelectLabelFont(t_.canvas);
  t_.mapper.Reset(rect.x, rect.top, kLabelColumn, rect.height, rect.width, spanY);
}

void LabelBlock::Write(const std::string& text, int slot) {
  t_.palette.SelectColour(t_.canvas, slot);
  t_.mapper.Label(text);
}

void LabelBlock::First(const std::string& text, int slot) {
  FromTop(text, slot, t_.textHeight + 2);
}

void LabelBlock::Next(const std::string& text, int slot) { Then(text, slot, t_.textHeight); }

void LabelBlock::FromTop(const std::string& text, int slot, int dy) {
  t_.mapper.MoveTo(0, spanY_);
  t_.mapper.MoveBy(0, dy);
  Write(text, slot);
}

void LabelBlock::Then(const std::string& text, int slot, int dy) {
  t_.mapper.MoveBy(0, dy);
  Write(text, slot);
}

void LabelBlock::Middle(const std::string& text, int slot) {
  t_.mapper.MoveTo(0, spanY_ / 2);
  Write(text, slot);
}

void LabelBlock::Bottom(const std::string& text, int slot) {
  t_.mapper.MoveTo(0, 1);
  Write(text, slot);
}

}  // namespace korvale
