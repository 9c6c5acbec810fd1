#include "charts/chart_palette.h"

#include <algorithm>

namespace korvale {

namespace {
bool IsSlot(int slot) { return slot >= 0 && slot < kPaletteSize; }
}  // namespace

ChartPalette::ChartPalette(int theme) {
  for (int slot = 0; slot < kPaletteSize; ++slot) {
    colours_[slot] = ThemeColour(theme, slot);
    pens_[slot] = Pen{colours_[slot], SlotPenWidth(slot)};
    brushes_[slot] = Brush{colours_[slot]};
  }
  font_.pixelHeight = 9;
}

Rgb ChartPalette::colour(int slot) const { return IsSlot(slot) ? colours_[slot] : 0; }

const Pen& ChartPalette::pen(int slot) const {
  return pens_[IsSlot(slot) ? slot : kSlotForeground];
}

const Brush& ChartPalette::brush(int slot) const {
  return brushes_[IsSlot(slot) ? slot : kSlotForeground];
}

void ChartPalette::SelectColour(Canvas& canvas, int slot) const {
  if (!IsSlot(slot)) slot = kSlotForeground;
  canvas.SelectBrush(brushes_[slot]);
  canvas.SelectPen(pens_[slot]);
  canvas.SetTextColour(colours_[slot]);
}

void ChartPalette::SelectTextColours(Canvas& canvas, int foregroundSlot, int backgroundSlot) const {
  SelectColour(canvas, foregroundSlot);
  canvas.SetTextBackground(colour(backgroundSlot));
}

void ChartPalette::FillBackground(Canvas& canvas, int slot, int width, int height) const {
  if (!IsSlot(slot)) slot = kSlotBackground;
  canvas.FillRect(0, -2, width, height + 2, brushes_[slot]);
}

void ChartPalette::Candle(Canvas& canvas, const CChartMapper& mapper, double x, double open,
                          double high, double low, double close, bool secondSet) const {
  const bool rising = close >= open;
  int body, outline, wick;
  if (secondSet) {
    body = rising ? kSlotRisingBody2 : kSlotFallingBody2;
    outline = rising ? kSlotRisingOutline2 : kSlotFallingOutline2;
    wick = rising ? kSlotRisingWick2 : kSlotFallingWick2;
  } else {
    body = rising ? kSlotRisingBody : kSlotFallingBody;
    outline = rising ? kSlotRisingOutline : kSlotFallingOutline;
    wick = rising ? kSlotRisingWick : kSlotFallingWick;
  }
  SelectColour(canvas, body);
  mapper.Rect(x, close, x + 1, open, true);
  SelectColour(canvas, outline);
  mapper.Rect(x, close, x + 1, open, false);
  SelectColour(canvas, wick);
  const double top = std::max(open, close), bottom = std::min(open, close);
  mapper.Line(x + 0.5, top, x + 0.5, high);
  mapper.Line(x + 0.5, bottom, x + 0.5, low);
}

}  // namespace korvale
