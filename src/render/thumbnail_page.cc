#include "render/thumbnail_page.h"

#include <QPainter>
#include <memory>

#include "render/qpainter_canvas.h"

namespace korvale {

CThumbnailRenderer::CThumbnailRenderer(const SettingsRecord& settings,
                                       const CStockDictionary& dictionary)
    : dictionary_(dictionary),
      painter_(ThumbnailPainterSettings(settings)),
      frameColour_(painter_.colour(kSlotForeground)) {}

void CThumbnailRenderer::SetEntries(std::vector<int> entries) {
  entries_ = std::move(entries);
  cache_.Clear();
}

const QImage& CThumbnailRenderer::CellImage(int position, const CTableGrid& grid) {
  Cell* cell = cache_.Find(position);
  if (!cell) {
    auto fresh = std::make_unique<Cell>();
    LoadThumbnailStock(dictionary_, position, &fresh->stock);
    ++loads_;
    cell = cache_.Insert(position, std::move(fresh));
  }
  const QSize size(grid.cellWidth(), grid.cellHeight());
  if (cell->image.size() != size) {
    // A new cell size draws the stock again from the prices already read.
    cell->image = QImage(size, QImage::Format_RGB32);
    QPainterCanvas canvas(&cell->image);
    DrawThumbnailCell(painter_, canvas, cell->stock, CellRect{0, 0, size.width(), size.height()},
                      frameColour_);
  }
  return cell->image;
}

void CThumbnailRenderer::DrawPage(QImage* page, const CTableGrid& grid, int scrollX, int scrollY,
                                  int selected) {
  page->fill(Qt::white);
  int firstRow = 0, endRow = 0;
  grid.VisibleRows(scrollY, page->height(), &firstRow, &endRow);
  const int count = std::min(grid.count(), static_cast<int>(entries_.size()));
  const int64_t first = int64_t{firstRow} * grid.columns();
  const int64_t end = std::min<int64_t>(int64_t{endRow} * grid.columns(), count);
  // An entry without a stock of the dictionary leaves its cell empty.
  auto shows = [&](int64_t e) {
    const int position = entries_[static_cast<size_t>(e)];
    return position >= 0 && position < dictionary_.itemCount;
  };
  {
    QPainter blit(page);
    for (int64_t e = first; e < end; ++e) {
      if (!shows(e)) continue;
      const CellRect r = grid.CellOf(static_cast<int>(e));
      blit.drawImage(r.x - scrollX, r.y - scrollY,
                     CellImage(entries_[static_cast<size_t>(e)], grid));
    }
  }
  QPainterCanvas canvas(page);
  canvas.SetOrigin(scrollX, scrollY);
  for (int64_t e = first; e < end; ++e) {
    if (!shows(e) || e == selected) continue;
    DrawThumbnailOutline(canvas, grid.CellOf(static_cast<int>(e)), false, frameColour_);
  }
  // The selected outline last, so that no neighbour's thin edge crosses it.
  if (selected >= first && selected < end && shows(selected)) {
    DrawThumbnailOutline(canvas, grid.CellOf(selected), true, frameColour_);
  }
  cache_.Trim((grid.rowsShown() + 2) * grid.columns());
}

}  // namespace korvale
