#include "charts/thumbnail_chart.h"

#include <algorithm>
#include <cstring>

#include "charts/chart_numerics.h"
#include "charts/pane_drawing.h"
#include "store/cp932.h"
#include "store/stock_files.h"
#include "store/string_printf.h"

namespace korvale {

Rgb ThumbnailCaptionColour(double ratio) {
  if (ratio < -0.05) return 0xB4B4E0;
  if (ratio < -0.01) return 0xCCCCE0;
  if (ratio < 0.01) return 0xE0E0E0;
  if (ratio < 0.05) return 0xE0CCCC;
  return 0xE0B4B4;
}

double ThumbnailChangeRatio(const CPriceSeries& series) {
  const int n = series.barCount();
  if (n <= 2) return 0;
  const double previous = series.bars[n - 2].close;
  if (previous == 0) return 0;
  return (series.bars[n - 1].close - previous) / previous;
}

SettingsRecord ThumbnailPainterSettings(const SettingsRecord& settings) {
  SettingsRecord s = settings;
  s.dailySpanDays = kThumbnailBars;
  s.dailyAllPeriod = 0;
  return s;
}

CTableGrid ThumbnailGrid(const SettingsRecord& s) {
  return CTableGrid(std::clamp(s.thumbnailColumns, 1, 20), std::clamp(s.thumbnailWidth, 32, 320),
                    std::clamp(s.thumbnailHeight, 32, 320), std::clamp(s.thumbnailRows, 1, 20));
}

bool LoadThumbnailStock(const CStockDictionary& dictionary, int itemIndex, ThumbnailStock* stock) {
  StockFiles files;
  if (!ResolveItemFiles(dictionary, itemIndex, "", &files)) return false;
  const StockListItem& item = dictionary.items[static_cast<size_t>(itemIndex)];
  stock->code = item.code;
  stock->name.assign(item.name, strnlen(item.name, sizeof item.name));
  // Neither margin balances nor trend lines show in a thumbnail.
  files.marginPath.clear();
  files.linePath.clear();
  StockLoadLimit tail;
  tail.tail = true;
  stock->loaded = LoadStock(files, &stock->series, tail);
  stock->ratio = stock->loaded ? ThumbnailChangeRatio(stock->series) : 0;
  return true;
}

void CChartPainter::DrawThumbnail(Canvas& canvas, int left, int top, int width, int height) const {
  canvas.FillRect(left, top, left + width, top + height, palette_.brush(kSlotBackground));
  const CPriceSeries* source = series_ ? series_ : barsOnly_;
  if (!source || windowCount_ <= 0 || width <= 0 || height <= 0) return;
  const PriceBar* window = source->bars.data() + hiddenCount_;
  const int wc = windowCount_;
  const PriceRangeResult range = PriceRange(window, wc, 10);
  const double lowD = static_cast<double>(range.low);
  CChartMapper mapper;
  mapper.Init(&canvas, textHeight_, left, top, width, height, wc,
              static_cast<double>(range.high - range.low));
  if (settings_.thumbnailBarStyle) {
    SelectColour(canvas, kSlotForeground);
    Polyline(mapper, 0, wc, [&](int i) { return window[i].close - lowD; });
  } else {
    for (int i = 0; i < wc; ++i) {
      const PriceBar& b = window[i];
      if (b.open <= 0) continue;  // a day without trading has no candle
      Candle(canvas, mapper, i, b.open - lowD, b.high - lowD, b.low - lowD, b.close - lowD);
    }
  }
  if (settings_.thumbnailShowVolume && range.maxVolume > 0) {
    SelectColour(canvas, kSlotVolume);
    const int third = height / 3;
    mapper.Reset(left, top + height - third, width, third, wc,
                 static_cast<double>(range.maxVolume));
    for (int i = 0; i < wc; ++i) mapper.Rect(i + 0.25, 0, i + 0.75, window[i].volume, true);
  }
}

void DrawThumbnailCell(CChartPainter& painter, Canvas& canvas, const ThumbnailStock& stock,
                       const CellRect& cell, Rgb frameColour) {
  const int captionBottom = cell.y + kThumbnailCaptionHeight;
  const Rgb captionColour =
      stock.loaded ? ThumbnailCaptionColour(stock.ratio) : kThumbnailNeutralColour;
  canvas.FillRect(cell.x, cell.y, cell.x + cell.width, captionBottom, Brush{captionColour});
  canvas.SelectFont(LabelFont{kThumbnailCaptionFontHeight});
  canvas.SetTextColour(0x000000);
  canvas.SetTextBackground(captionColour);
  canvas.TextOut(cell.x + 2, cell.y + 2,
                 StringPrintf("%d %s", stock.code, Cp932ToUtf8(stock.name).c_str()));
  // The chart comes after the text, so that a tall font's box does not reach into it.
  const int chartHeight = cell.height - kThumbnailCaptionHeight;
  if (stock.loaded) {
    painter.AttachBarsOnly(stock.series);
    painter.DrawThumbnail(canvas, cell.x, captionBottom, cell.width, chartHeight);
  } else {
    canvas.FillRect(cell.x, captionBottom, cell.x + cell.width, cell.y + cell.height,
                    painter.palette().brush(kSlotBackground));
  }
  canvas.SelectPen(Pen{frameColour, 1});
  canvas.MoveTo(cell.x, captionBottom);
  canvas.LineTo(cell.x + cell.width, captionBottom);
}

void DrawThumbnailOutline(Canvas& canvas, const CellRect& cell, bool selected, Rgb frameColour) {
  // The right and bottom edges stand on the next cell's first pixels, as the grid's extra
  // scroll pixel expects; the selected cell's 2-pixel pen stays inside it.
  const int inset = selected ? 1 : 0;
  const int left = cell.x + inset, top = cell.y + inset;
  const int right = cell.x + cell.width - inset, bottom = cell.y + cell.height - inset;
  canvas.SelectPen(Pen{frameColour, selected ? 2 : 1});
  canvas.MoveTo(left, top);
  canvas.LineTo(right, top);
  canvas.LineTo(right, bottom);
  canvas.LineTo(left, bottom);
  canvas.LineTo(left, top);
}

}  // namespace korvale
