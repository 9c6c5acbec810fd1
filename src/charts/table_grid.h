// The geometry of a scrolling grid of equal cells, as the thumbnail window shows them: cells in
// a fixed number of columns, one per entry, filled row by row.
#ifndef KORVALE_CHARTS_TABLE_GRID_H_
#define KORVALE_CHARTS_TABLE_GRID_H_

namespace korvale {

struct CellRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const CellRect&) const = default;
};

class CTableGrid {
 public:
  // Columns, cell size and rows shown are brought to at least 1.
  CTableGrid(int columns, int cellWidth, int cellHeight, int rowsShown);

  // The number of entries; the rows are as many as they fill.
  void SetCount(int count);
  int count() const { return count_; }
  int columns() const { return columns_; }
  int cellWidth() const { return cellWidth_; }
  int cellHeight() const { return cellHeight_; }
  int rowsShown() const { return rowsShown_; }
  // ceil(count / columns).
  int totalRows() const;

  // The size the grid scrolls over: columns * cell width + 1 (the right edge of the last
  // outline) by total rows * cell height.
  int scrollWidth() const { return columns_ * cellWidth_ + 1; }
  int scrollHeight() const;
  // The client size that shows the rows shown exactly: columns * cell width by rows shown *
  // cell height.
  int fittedWidth() const { return columns_ * cellWidth_; }
  int fittedHeight() const { return rowsShown_ * cellHeight_; }
  // Whether the rows shown leave rows to scroll to.
  bool needsScrollBar() const { return rowsShown_ < totalRows(); }

  // After the client area changed: the cell width becomes width / columns, the rows shown
  // height / cell height (at least 1 each).
  void FitClient(int clientWidth, int clientHeight);

  // The entry whose cell holds the pixel (x, y) of the whole grid (scrolling added); -1 for
  // none (outside the columns, or a cell past the last entry).
  int EntryAt(int x, int y) const;
  // The cell of an entry in pixels of the whole grid.
  CellRect CellOf(int entry) const;
  // The rows with a pixel inside [top, top + height): first row and one past the last, both
  // within the total rows.
  void VisibleRows(int top, int height, int* firstRow, int* endRow) const;

 private:
  int columns_;
  int cellWidth_;
  int cellHeight_;
  int rowsShown_;
  int count_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_CHARTS_TABLE_GRID_H_
