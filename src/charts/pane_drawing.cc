#include "charts/pane_drawing.h"

namespace korvale {

int TextWidthEstimate(const std::string& utf8, int textHeight) {
  int units = 0;  // half-height steps: two per full-width character
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    const bool halfWidthKana = length == 3 && c == 0xEF && i + 1 < utf8.size() &&
                               (static_cast<unsigned char>(utf8[i + 1]) == 0xBD ||
                                static_cast<unsigned char>(utf8[i + 1]) == 0xBE);
    units += length == 1 || halfWidthKana ? 1 : 2;
    i += length;
  }
  return units * textHeight / 2;
}

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
  t_.mapper.Reset(t.LabelX(rect), rect.top, kLabelColumn, rect.height, rect.width, spanY);
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
