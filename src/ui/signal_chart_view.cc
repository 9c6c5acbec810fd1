#include "ui/signal_chart_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "charts/chart_kind.h"
#include "render/qpainter_canvas.h"
#include "ui/crosshair.h"

namespace korvale {

namespace {

const ChartKind& SignalKind() { return FindChartKind(kChartSignal)->kind; }

}  // namespace

CSignalChartView::CSignalChartView(CKorvaleDoc* doc, CRuleList* rules,
                                   const SettingsRecord& settings, QWidget* parent)
    : QWidget(parent),
      doc_(doc),
      settings_(settings),
      source_(*rules, rules->chartSlots) {
  setObjectName("signalChartView");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
  setMinimumWidth(16);
}

CSignalChartView::~CSignalChartView() = default;

void CSignalChartView::Redraw() {
  cacheValid_ = false;
  crosshairShown_ = false;
  update();
}

void CSignalChartView::MarkDirty() {
  source_.MarkDirty();
  Redraw();
}

void CSignalChartView::SetStyle(int style) {
  source_.SetStyle(style);
  Redraw();
}

void CSignalChartView::renderChart() {
  const QSize size = this->size();
  if (size.isEmpty()) return;
  if (cache_.size() != size) cache_ = QImage(size, QImage::Format_RGB32);
  cache_.fill(Qt::white);
  CChartPainter* painter = doc_->painter();
  if (!painter) {
    QPainter p(&cache_);
    p.setPen(Qt::black);
    p.drawText(QRect(0, 0, 480, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QString::fromUtf8(kSignalChartTitle));
    cacheValid_ = true;
    return;
  }
  QPainterCanvas canvas(&cache_);
  painter->SetSignalCanvasSize(size.width(), size.height());
  // The document's painter draws for the main view too: the rows are lent for this drawing.
  painter->SetSignalSource(&source_);
  SignalKind().Draw(*painter, canvas);
  painter->SetSignalSource(nullptr);
  cacheValid_ = true;
}

void CSignalChartView::paintEvent(QPaintEvent*) {
  if (!cacheValid_ || cache_.size() != size()) renderChart();
  QPainter p(this);
  p.drawImage(0, 0, cache_);
  if (crosshairShown_) DrawCrosshair(p, crosshair_);
}

void CSignalChartView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Redraw();
}

ChartHit CSignalChartView::HitAt(int x, int y) const {
  const CChartPainter* painter = doc_->painter();
  return painter ? SignalKind().HitTest(*painter, x, y) : ChartHit{};
}

void CSignalChartView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  emit ReadOut(QString::fromStdString(SignalKind().Readout(HitAt(pos.x(), pos.y()))));
  const bool wanted = CrosshairWanted(settings_.cursorMode, event->buttons());
  if (wanted || crosshairShown_) {
    crosshairShown_ = wanted;
    crosshair_ = pos;
    update();
  }
}

void CSignalChartView::mousePressEvent(QMouseEvent* event) { mouseMoveEvent(event); }

void CSignalChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (crosshairShown_ && !CrosshairWanted(settings_.cursorMode, event->buttons())) {
    crosshairShown_ = false;
    update();
  }
}

void CSignalChartView::leaveEvent(QEvent*) {
  if (crosshairShown_) {
    crosshairShown_ = false;
    update();
  }
}

void CSignalChartView::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  leaveEvent(nullptr);
}

}  // namespace korvale
