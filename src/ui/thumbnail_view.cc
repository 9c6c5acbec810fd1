#include "ui/thumbnail_view.h"

#include "charts/thumbnail_chart.h"

namespace korvale {

CThumbnailView::CThumbnailView(const SettingsRecord& settings, const CStockDictionary& dictionary,
                               QWidget* parent)
    : CTableView(ThumbnailGrid(settings), parent),
      dictionary_(dictionary),
      renderer_(std::make_unique<CThumbnailRenderer>(settings, dictionary)) {}

void CThumbnailView::ShowEntries(const std::vector<int>& entries) {
  renderer_->SetEntries(entries);
  SetCount(static_cast<int>(entries.size()));
}

void CThumbnailView::ApplySettings(const SettingsRecord& settings) {
  // A renderer of the new style; its cache starts empty, so every cell is drawn anew.
  auto renderer = std::make_unique<CThumbnailRenderer>(settings, dictionary_);
  renderer->SetEntries(renderer_->entries());
  renderer_ = std::move(renderer);
  SetGrid(ThumbnailGrid(settings));
}

void CThumbnailView::drawPage(QImage* page, int scrollX, int scrollY) {
  renderer_->DrawPage(page, grid(), scrollX, scrollY, selected());
}

}  // namespace korvale
