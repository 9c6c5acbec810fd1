// A chart's colours: the 68 slots of its theme with one pen and one brush each, and the label
// font. Pane code draws through a palette without needing the whole painter.
#ifndef KORVALE_CHARTS_CHART_PALETTE_H_
#define KORVALE_CHARTS_CHART_PALETTE_H_

#include <array>

#include "charts/canvas.h"
#include "charts/chart_mapper.h"
#include "charts/colour_themes.h"

namespace korvale {

// The slots, named by what selects them. Slots no chart selects have no name.
enum ColourSlot : int {
  kSlotBackground = 0,  // every chart's background; the box behind label text
  kSlotForeground = 1,  // label text, axes, pane frames, scale ticks; the default line colour
  kSlotRisingWick = 2,  // rising candles and new-price boxes
  kSlotRisingOutline = 3,
  kSlotRisingBody = 4,
  kSlotFallingWick = 5,  // falling candles and new-price boxes
  kSlotFallingOutline = 6,
  kSlotFallingBody = 7,
  kSlotVolume = 8,          // volume bars, the price-volume histogram; MACD signal, OBV and CCI
  kSlotLongCurve = 9,       // long average; second RSI and RCI; long deviation; oscillator; %D;
                            // the index pane's relative line; margin buying
  kSlotShortCurve = 10,     // short average; first RSI and RCI; short deviation; MACD; index
                            // correlation; margin selling
  kSlotAuxiliaryGrid = 11,  // grid of the kagi and new-price charts
  kSlotRatioCurve = 12,     // volume ratio and psychological line; the momentum frame
  kSlotNewPriceBackground = 24,
  kSlotKagiBackground = 30,
  kSlotFastCurve = 32,  // stochastics %K, momentum, the kagi line
  kSlotReverseWatchBackground = 36,
  kSlotReverseWatchCurve = 37,
  kSlotReverseWatchFrame = 38,  // its frame, grid and labels
  kSlotCloud = 43,              // the Ichimoku cloud, pen and fill
  kSlotRisingWick2 = 44,        // the second candle set (the Ichimoku price pane)
  kSlotRisingOutline2 = 45,
  kSlotRisingBody2 = 46,
  kSlotFallingWick2 = 47,
  kSlotFallingOutline2 = 48,
  kSlotFallingBody2 = 49,
  kSlotIchimokuClose = 50,  // pen width 2
  kSlotConversionLine = 51,
  kSlotBaseLine = 52,
  kSlotLeadingSpanB = 53,
  kSlotLeadingSpanA = 54,
  kSlotLaggingSpan = 55,
  kSlotVolumeLongAverage = 56,
  kSlotVolumeShortAverage = 57,
  kSlotResistanceLine = 58,  // trend lines of kinds 1 and 3
  kSlotSupportLine = 59,     // trend lines of the other kinds
  kSlotPlusDi = 60,          // pen width 2
  kSlotMinusDi = 61,         // pen width 2
  kSlotAdx = 62,
  kSlotAdxr = 63,
  kSlotParabolic = 64,  // pen width 2
  kSlotBollinger1 = 66,
  kSlotBollinger2 = 67,
};

class ChartPalette {
 public:
  // The colours of `theme` (outside 0-5: the standard theme) with their pens and brushes, and
  // the 9-pixel label font.
  explicit ChartPalette(int theme);

  // The slot's colour; 0 for a slot outside 0-67.
  Rgb colour(int slot) const;
  // The slot's pen and brush; the foreground's for a slot outside 0-67.
  const Pen& pen(int slot) const;
  const Brush& brush(int slot) const;
  const LabelFont& labelFont() const { return font_; }

  // Selects the slot's pen and brush and sets the text colour to the slot's colour (a slot
  // outside 0-67 selects the foreground).
  void SelectColour(Canvas& canvas, int slot) const;
  // The foreground slot's pen, brush and text colour, on the background slot's colour.
  void SelectTextColours(Canvas& canvas, int foregroundSlot, int backgroundSlot) const;
  void SelectLabelFont(Canvas& canvas) const { canvas.SelectFont(font_); }
  // Fills (0, -2)-(width, height + 2) with the slot's brush (the background's outside 0-67).
  void FillBackground(Canvas& canvas, int slot, int width, int height) const;
  // One candle at bar x with prices relative to the pane's low: body filled and outlined, then
  // both wicks. Rising (close >= open) in the rising slots, falling in the falling ones; the
  // second set with `secondSet`.
  void Candle(Canvas& canvas, const CChartMapper& mapper, double x, double open, double high,
              double low, double close, bool secondSet = false) const;

 private:
  std::array<Rgb, kPaletteSize> colours_{};
  std::array<Pen, kPaletteSize> pens_{};
  std::array<Brush, kPaletteSize> brushes_{};
  LabelFont font_;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_PALETTE_H_
