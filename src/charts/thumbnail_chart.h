// One cell of the thumbnail window: the stock's newest days as a small daily chart under a
// caption coloured by the last day's change, and the cell's outline.
#ifndef KORVALE_CHARTS_THUMBNAIL_CHART_H_
#define KORVALE_CHARTS_THUMBNAIL_CHART_H_

#include <string>

#include "charts/canvas.h"
#include "charts/chart_painter.h"
#include "charts/table_grid.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"

namespace korvale {

inline constexpr int kThumbnailCaptionHeight = 14;
inline constexpr int kThumbnailCaptionFontHeight = 12;
inline constexpr int kThumbnailBars = 32;

// The caption's colour for a change ratio: below -0.05 B4B4E0, below -0.01 CCCCE0, below 0.01
// E0E0E0, below 0.05 E0CCCC, else E0B4B4.
Rgb ThumbnailCaptionColour(double ratio);
// The caption colour of a stock whose prices could not be read.
inline constexpr Rgb kThumbnailNeutralColour = 0xE0E0E0;

// (last close - previous close) / previous close when the series has more than two bars, else
// 0 (also when the previous close is 0).
double ThumbnailChangeRatio(const CPriceSeries& series);

// The settings a thumbnail painter is made from: the caller's with a 32-day daily span.
SettingsRecord ThumbnailPainterSettings(const SettingsRecord& settings);
// The grid of the settings' thumbnail fields, each brought into its range: 1-20 columns and
// rows shown, cells 32-320 pixels wide and high.
CTableGrid ThumbnailGrid(const SettingsRecord& settings);

// A stock as its cell shows it.
struct ThumbnailStock {
  int code = 0;
  std::string name;     // the dictionary's list name, cp932
  bool loaded = false;  // the price file gave bars
  double ratio = 0;
  CPriceSeries series;  // the newest 32 days
};

// Reads dictionary item `itemIndex`'s newest 32 days from its price file (through the stock's
// files as every loader finds them). False, and nothing to show, for an index outside the
// dictionary; a stock whose file cannot be read is returned with `loaded` false.
bool LoadThumbnailStock(const CStockDictionary& dictionary, int itemIndex, ThumbnailStock* stock);

// The caption and the chart of a stock in the cell: the caption (14 pixels high) filled in the
// colour of its change (neutral when not loaded), "%d %s" (code, name) in black at 2 pixels from
// the corner in the 12-pixel caption font; under it the chart (`painter` made from
// ThumbnailPainterSettings; attached here) or, without prices, the chart's background; a line
// under the caption in `frameColour`.
void DrawThumbnailCell(CChartPainter& painter, Canvas& canvas, const ThumbnailStock& stock,
                       const CellRect& cell, Rgb frameColour);
// The cell's outline in a 1-pixel pen, or for the selected cell in a 2-pixel pen one pixel in,
// in `frameColour` (the theme's text colour).
void DrawThumbnailOutline(Canvas& canvas, const CellRect& cell, bool selected, Rgb frameColour);

}  // namespace korvale

#endif  // KORVALE_CHARTS_THUMBNAIL_CHART_H_
