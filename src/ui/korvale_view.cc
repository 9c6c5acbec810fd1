#include "ui/korvale_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "app/korvale_doc.h"
#include "charts/information_text.h"
#include "render/qpainter_canvas.h"
#include "ui/crosshair.h"

namespace korvale {

CKorvaleView::CKorvaleView(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), settings_(settings) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

int CKorvaleView::scrollX() const { return horizontalScrollBar()->value(); }

const ChartKindEntry& CKorvaleView::entry() const { return ChartKindOrDaily(doc_->chartPeriod()); }

int CKorvaleView::chartWidth() const {
  const CChartPainter* painter = doc_->painter();
  if (!painter) return viewport()->width() - 110 * dockedBars_;
  return kind().Width(*painter);
}

void CKorvaleView::emitReadOut(const ChartHit& hit) {
  emit ReadOut(QString::fromStdString(kind().Readout(hit)), hit, entry().id);
}

void CKorvaleView::updateScrollRange() {
  const int client = viewport()->width();
  const int scrollWidth = std::max(chartWidth(), client + 1);
  horizontalScrollBar()->setPageStep(client);
  horizontalScrollBar()->setSingleStep(16);
  horizontalScrollBar()->setRange(0, std::max(0, scrollWidth - client));
}

void CKorvaleView::ShowLatest() {
  crosshairShown_ = false;
  crosshair_ = {-1, -1};
  if (CChartPainter* painter = doc_->painter()) {
    kind().SetClientSize(*painter, viewport()->width(), viewport()->height());
  }
  updateScrollRange();
  horizontalScrollBar()->setValue(std::max(0, chartWidth() - viewport()->width()));
  cacheValid_ = false;
  renderChart();  // the hit test needs the mappers of a drawn chart
  viewport()->update();
  emitReadOut(HitAt(-1, -1));
}

void CKorvaleView::Redraw() {
  if (CChartPainter* painter = doc_->painter()) {
    kind().SetClientSize(*painter, viewport()->width(), viewport()->height());
  }
  updateScrollRange();
  cacheValid_ = false;
  viewport()->update();
}

void CKorvaleView::renderChart() {
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  if (cache_.size() != size) cache_ = QImage(size, QImage::Format_RGB32);
  cache_.fill(Qt::white);
  QPainterCanvas canvas(&cache_);
  if (CChartPainter* painter = doc_->painter()) {
    canvas.SetOrigin(scrollX(), 0);
    kind().SetClientSize(*painter, size.width(), size.height());
    kind().Draw(*painter, canvas);
  } else {
    drawWithoutPainter(canvas);
  }
  cacheValid_ = true;
}

void CKorvaleView::drawWithoutPainter(Canvas& canvas) {
  const int stocks = doc_->dictionary() ? doc_->dictionary()->itemCount : 0;
  DrawInformationText(canvas, settings_, stocks, doc_->latestYear(), doc_->latestMonth(),
                      doc_->latestDay());
}

void CKorvaleView::paintEvent(QPaintEvent*) {
  if (!cacheValid_ || cache_.size() != viewport()->size()) renderChart();
  QPainter p(viewport());
  p.drawImage(0, 0, cache_);
  if (crosshairShown_) DrawCrosshair(p, crosshair_);
}

void CKorvaleView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Redraw();
}

void CKorvaleView::scrollContentsBy(int, int) {
  crosshairShown_ = false;
  cacheValid_ = false;
  viewport()->update();
}

ChartHit CKorvaleView::HitAt(int x, int y) const {
  const CChartPainter* painter = doc_->painter();
  return painter ? kind().HitTest(*painter, x, y) : ChartHit{};
}

void CKorvaleView::readOutAt(int x, int y) { emitReadOut(HitAt(x + scrollX(), y)); }

void CKorvaleView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  readOutAt(pos.x(), pos.y());
  const bool wanted = CrosshairWanted(settings_.cursorMode, event->buttons());
  if (wanted || crosshairShown_) {
    crosshairShown_ = wanted;
    crosshair_ = pos;
    viewport()->update();
  }
}

void CKorvaleView::mousePressEvent(QMouseEvent* event) { mouseMoveEvent(event); }

void CKorvaleView::mouseReleaseEvent(QMouseEvent* event) {
  if (crosshairShown_ && !CrosshairWanted(settings_.cursorMode, event->buttons())) {
    crosshairShown_ = false;
    viewport()->update();
  }
}

void CKorvaleView::leaveEvent(QEvent*) {
  if (crosshairShown_) {
    crosshairShown_ = false;
    viewport()->update();
  }
}

void CKorvaleView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  leaveEvent(nullptr);
}

}  // namespace korvale
