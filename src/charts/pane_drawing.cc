#include "charts/pane_drawing.h"

#include <cstdarg>
#include <cstdio>

namespace korvale {

std::string StringPrintf(const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (n < 0) return std::string();
  if (static_cast<size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<size_t>(n));
  std::string out(static_cast<size_t>(n) + 1, '\0');
  va_start(args, format);
  std::vsnprintf(out.data(), out.size(), format, args);
  va_end(args);
  out.resize(static_cast<size_t>(n));
  return out;
}

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
