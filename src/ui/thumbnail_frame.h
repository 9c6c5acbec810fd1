// The thumbnail window ("日足サムネイル"): a grid of small daily charts of the main window's
// stock list, with its own document (the list's stocks and a title). A click on a cell opens
// the stock in the main window. The main window's command 32867 opens and closes it.
#ifndef KORVALE_UI_THUMBNAIL_FRAME_H_
#define KORVALE_UI_THUMBNAIL_FRAME_H_

#include <QMainWindow>

#include "app/thumbnail_doc.h"

namespace korvale {

class CThumbnailView;
struct SettingsRecord;

class CThumbnailFrame : public QMainWindow {
  Q_OBJECT

 public:
  // A window of its own (a child of `parent`, closed with it), sized to show the settings'
  // rows and columns of cells; its stocks come from `dictionary`, which outlives it.
  CThumbnailFrame(const SettingsRecord& settings, const CStockDictionary& dictionary,
                  QWidget* parent);

  CThumbnailView* view() const { return view_; }
  const CThumbnailDoc& document() const { return doc_; }
  // The main window's list changed: its stocks and title are shown.
  void ShowList(const ShownStockList& list);
  // A title of the list's making (a screening run's rule, a ranking), UTF-8.
  void SetTitle(const QString& title);
  // The settings changed: the grid, the cells' size and the charts' style follow, and the
  // window fits the new grid.
  void ApplySettings(const SettingsRecord& settings);

 signals:
  // The cell of list row `row` was clicked.
  void StockChosen(int row);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void updateTitle();
  // Resizes the window so that the client area holds whole cells.
  void fitToGrid();

  const CStockDictionary& dictionary_;
  CThumbnailDoc doc_;
  CThumbnailView* view_;
  bool shown_ = false;
};

}  // namespace korvale

#endif  // KORVALE_UI_THUMBNAIL_FRAME_H_
