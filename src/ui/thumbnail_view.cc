#include "ui/thumbnail_view.h"

#include "charts/thumbnail_chart.h"

namespace korvale {

CThumbnailView::CThumbnailView(const SettingsRecord& settings, const CStockDictionary& dictionary,
                               QWidget* parent)
    : CTableView(ThumbnailGrid(settings), parent), renderer_(settings, dictionary) {}

void CThumbnailView::ShowEntries(const std::vector<int>& entries) {
  renderer_.SetEntries(entries);
  SetCount(static_cast<int>(entries.size()));
}

void CThumbnailView::drawPage(QImage* page, int scrollX, int scrollY) {
  renderer_.DrawPage(page, grid(), scrollX, scrollY, selected());
}

}  // namespace korvale
