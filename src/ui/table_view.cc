#include "ui/table_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace korvale {

CTableView::CTableView(const CTableGrid& grid, QWidget* parent)
    : QAbstractScrollArea(parent), grid_(grid) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

int CTableView::scrollY() const { return verticalScrollBar()->value(); }

void CTableView::SetCount(int count) {
  grid_.SetCount(count);
  selected_ = -1;
  updateScrollRange();
  verticalScrollBar()->setValue(0);
  viewport()->update();
}

void CTableView::SetGrid(const CTableGrid& grid) {
  const int count = grid_.count();
  grid_ = grid;
  grid_.SetCount(count);
  updateScrollRange();
  viewport()->update();
}

void CTableView::ScrollToEntry(int entry) {
  if (entry < 0 || entry >= grid_.count()) return;
  verticalScrollBar()->setValue(grid_.CellOf(entry).y);
}

void CTableView::updateScrollRange() {
  const int height = viewport()->height();
  verticalScrollBar()->setRange(0, std::max(0, grid_.scrollHeight() - height));
  verticalScrollBar()->setPageStep(std::max(height, 1));
  verticalScrollBar()->setSingleStep(grid_.cellHeight());
}

void CTableView::paintEvent(QPaintEvent*) {
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  if (page_.size() != size) page_ = QImage(size, QImage::Format_RGB32);
  drawPage(&page_, 0, scrollY());
  QPainter(viewport()).drawImage(0, 0, page_);
}

void CTableView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  const int width = grid_.cellWidth(), rows = grid_.rowsShown();
  if (fitting_) grid_.FitClient(viewport()->width(), viewport()->height());
  updateScrollRange();
  if (grid_.cellWidth() != width || grid_.rowsShown() != rows) emit GridFitted();
}

// Scrolling moves every cell: the whole view is painted again.
void CTableView::scrollContentsBy(int, int) { viewport()->update(); }

void CTableView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  const int entry = grid_.EntryAt(p.x(), p.y() + scrollY());
  if (entry < 0 || event->button() != Qt::LeftButton) return;
  selected_ = entry;
  viewport()->update();
  emit CellClicked(entry);
}

}  // namespace korvale
