#include "charts/table_grid.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace korvale {

CTableGrid::CTableGrid(int columns, int cellWidth, int cellHeight, int rowsShown)
    : columns_(std::max(columns, 1)),
      cellWidth_(std::max(cellWidth, 1)),
      cellHeight_(std::max(cellHeight, 1)),
      rowsShown_(std::max(rowsShown, 1)) {}

void CTableGrid::SetCount(int count) { count_ = std::max(count, 0); }

int CTableGrid::totalRows() const { return (count_ + columns_ - 1) / columns_; }

int CTableGrid::scrollHeight() const {
  return static_cast<int>(std::min<int64_t>(int64_t{totalRows()} * cellHeight_, INT_MAX));
}

void CTableGrid::FitClient(int clientWidth, int clientHeight) {
  cellWidth_ = std::max(clientWidth / columns_, 1);
  rowsShown_ = std::max(clientHeight / cellHeight_, 1);
}

int CTableGrid::EntryAt(int x, int y) const {
  if (x < 0 || y < 0) return -1;
  const int column = x / cellWidth_, row = y / cellHeight_;
  if (column >= columns_) return -1;
  const int64_t entry = int64_t{row} * columns_ + column;
  return entry < count_ ? static_cast<int>(entry) : -1;
}

CellRect CTableGrid::CellOf(int entry) const {
  const int row = entry / columns_, column = entry % columns_;
  return {column * cellWidth_,
          static_cast<int>(std::min<int64_t>(int64_t{row} * cellHeight_, INT_MAX)), cellWidth_,
          cellHeight_};
}

void CTableGrid::VisibleRows(int top, int height, int* firstRow, int* endRow) const {
  const int rows = totalRows();
  const int64_t first = std::max(top, 0) / cellHeight_;
  const int64_t end =
      (int64_t{std::max(top, 0)} + std::max(height, 0) + cellHeight_ - 1) / cellHeight_;
  *firstRow = static_cast<int>(std::min<int64_t>(first, rows));
  *endRow = static_cast<int>(std::clamp<int64_t>(end, *firstRow, rows));
}

}  // namespace korvale
