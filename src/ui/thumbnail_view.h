// The thumbnail view: the grid of small daily charts, one per stock of the thumbnail document.
#ifndef KORVALE_UI_THUMBNAIL_VIEW_H_
#define KORVALE_UI_THUMBNAIL_VIEW_H_

#include <memory>
#include <vector>

#include "render/thumbnail_page.h"
#include "ui/table_view.h"

namespace korvale {

class CThumbnailView : public CTableView {
  Q_OBJECT

 public:
  // The grid and style of `settings`' thumbnail fields, stocks from `dictionary` (which
  // outlives the view).
  CThumbnailView(const SettingsRecord& settings, const CStockDictionary& dictionary,
                 QWidget* parent = nullptr);

  // The cells' stocks as dictionary positions (-1: an empty cell); the cache empties.
  void ShowEntries(const std::vector<int>& entries);
  // The settings changed: the grid and the charts follow their thumbnail fields, over the same
  // stocks.
  void ApplySettings(const SettingsRecord& settings);
  const CThumbnailRenderer& renderer() const { return *renderer_; }

 protected:
  void drawPage(QImage* page, int scrollX, int scrollY) override;

 private:
  const CStockDictionary& dictionary_;
  std::unique_ptr<CThumbnailRenderer> renderer_;
};

}  // namespace korvale

#endif  // KORVALE_UI_THUMBNAIL_VIEW_H_
