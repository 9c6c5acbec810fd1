// Pages of the thumbnail grid as images: what the thumbnail window paints and what
// `korvale-cli render --thumbnails` writes. Each stock is read and drawn once while it stays
// in use; later pages copy its cell from the cache.
#ifndef KORVALE_RENDER_THUMBNAIL_PAGE_H_
#define KORVALE_RENDER_THUMBNAIL_PAGE_H_

#include <QImage>
#include <vector>

#include "charts/chart_painter.h"
#include "charts/table_grid.h"
#include "charts/thumbnail_cache.h"
#include "charts/thumbnail_chart.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"

namespace korvale {

class CThumbnailRenderer {
 public:
  // Draws the stocks of `dictionary` (which must outlive the renderer) in the colour theme and
  // thumbnail style of `settings` (copied).
  CThumbnailRenderer(const SettingsRecord& settings, const CStockDictionary& dictionary);

  // The cells' stocks as dictionary positions (-1: an empty cell). The cache is emptied.
  void SetEntries(std::vector<int> entries);
  const std::vector<int>& entries() const { return entries_; }

  // Fills `page` (the viewport) white and draws the cells of `grid` that show in it when the
  // grid is scrolled to (scrollX, scrollY): each stock's caption and chart, then the outlines,
  // the cell of entry `selected` (-1 none) in the thick pen. Cells past the last entry and
  // entries without a stock stay empty.
  void DrawPage(QImage* page, const CTableGrid& grid, int scrollX, int scrollY, int selected);

  // How many stocks the cache holds, and how many price files were read so far.
  size_t cachedCount() const { return cache_.size(); }
  int loadCount() const { return loads_; }

 private:
  struct Cell {
    ThumbnailStock stock;
    QImage image;  // caption and chart at the last cell size
  };
  // The cell image of a dictionary position at the grid's cell size, read and drawn when the
  // cache has none.
  const QImage& CellImage(int position, const CTableGrid& grid);

  const CStockDictionary& dictionary_;
  CChartPainter painter_;
  Rgb frameColour_;
  std::vector<int> entries_;
  CThumbnailCache<Cell> cache_;
  int loads_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_RENDER_THUMBNAIL_PAGE_H_
