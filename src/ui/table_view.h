// A scrolling grid of equal cells (the base of the thumbnail view): it paints only the cells
// in view, selects the cell clicked, and fits its cells to the client area when resized. The
// vertical scroll bar always stands, so the client width does not change with the list.
#ifndef KORVALE_UI_TABLE_VIEW_H_
#define KORVALE_UI_TABLE_VIEW_H_

#include <QAbstractScrollArea>
#include <QImage>

#include "charts/table_grid.h"

namespace korvale {

class CTableView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // A grid of `grid`'s columns and cell size with no entries.
  CTableView(const CTableGrid& grid, QWidget* parent = nullptr);

  const CTableGrid& grid() const { return grid_; }
  // The entries change: no cell is selected and the grid shows its top.
  void SetCount(int count);
  // Another grid (the settings changed) over the same entries; the selection stays.
  void SetGrid(const CTableGrid& grid);
  // The selected entry, -1 for none.
  int selected() const { return selected_; }
  int scrollY() const;
  // Scrolls so that the row of `entry` stands at the top (as far as the grid reaches).
  void ScrollToEntry(int entry);
  // From now on a new client size sets the cell width and the rows shown (off at first, so
  // that the window can take its first size without changing the cells).
  void FitCellsToClient() { fitting_ = true; }

 signals:
  // A cell was clicked and selected.
  void CellClicked(int entry);
  // The cell width or the rows shown changed with the client area.
  void GridFitted();

 protected:
  // Draws the cells that show in `page` (the viewport) with the grid scrolled to (x, y).
  virtual void drawPage(QImage* page, int scrollX, int scrollY) = 0;

  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void updateScrollRange();

  CTableGrid grid_;
  int selected_ = -1;
  bool fitting_ = false;
  QImage page_;
};

}  // namespace korvale

#endif  // KORVALE_UI_TABLE_VIEW_H_
