#include "ui/korvale_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtMath>
#include <algorithm>
#include <iterator>

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

namespace {
// The pixels per bar the daily chart zooms through.
constexpr int kPitches[] = {2, 3, 4, 6, 8, 12, 16};
}  // namespace

int CKorvaleView::scrollX() const { return dailyShown() ? 0 : horizontalScrollBar()->value(); }

bool CKorvaleView::dailyShown() const { return doc_->painter() && entry().id == kChartDaily; }

void CKorvaleView::applyDailyView() {
  CChartPainter* painter = doc_->painter();
  if (!painter) return;
  if (!dailyShown()) {
    // The other charts keep the settings' daily window: the weekly and monthly bars and the
    // windows that share the painter read it.
    if (dailyBars_ != 0) painter->SetDailyView(0, 0, kBarPitch);
    dailyBars_ = 0;
    return;
  }
  // As many bars as the view holds at the pitch, less what the histogram and the weekly
  // section take (the section grows with the window, so fit it in a few steps).
  const int client = std::max(viewport()->width(), 1);
  const int histogram = painter->settings().dailyShowPriceVolumeHistogram ? kHistogramWidth : 0;
  int bars = std::max((client - histogram) / pitch_, 1);
  painter->SetDailyView(bars, barsAfter_, pitch_);
  for (int i = 0; i < 4 && painter->dailyWidth() > client && bars > 1; ++i) {
    bars = std::max(bars - (painter->dailyWidth() - client + pitch_ - 1) / pitch_, 1);
    painter->SetDailyView(bars, barsAfter_, pitch_);
  }
  dailyBars_ = bars;
  barsAfter_ = painter->barsAfter();
}

void CKorvaleView::Zoom(int direction) {
  if (!dailyShown()) return;
  const int* at = std::lower_bound(std::begin(kPitches), std::end(kPitches), pitch_);
  int index = static_cast<int>(at - std::begin(kPitches)) + (direction > 0 ? 1 : -1);
  index = std::clamp(index, 0, static_cast<int>(std::size(kPitches)) - 1);
  if (kPitches[index] == pitch_) return;
  pitch_ = kPitches[index];
  Redraw();
}

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
  const QSignalBlocker quiet(horizontalScrollBar());
  if (dailyShown()) {
    // The daily chart scrolls through the whole history a bar at a time.
    const CChartPainter* painter = doc_->painter();
    const int last = std::max(painter->dailyCount() - painter->windowCount(), 0);
    horizontalScrollBar()->setRange(0, last);
    horizontalScrollBar()->setPageStep(std::max(painter->windowCount(), 1));
    horizontalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setValue(last - painter->barsAfter());
    return;
  }
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
  barsAfter_ = 0;
  applyDailyView();
  updateScrollRange();
  if (!dailyShown()) {
    const QSignalBlocker quiet(horizontalScrollBar());
    horizontalScrollBar()->setValue(std::max(0, chartWidth() - viewport()->width()));
  }
  cacheValid_ = false;
  renderChart();  // the hit test needs the mappers of a drawn chart
  viewport()->update();
  emitReadOut(HitAt(-1, -1));
}

void CKorvaleView::Redraw() {
  if (CChartPainter* painter = doc_->painter()) {
    kind().SetClientSize(*painter, viewport()->width(), viewport()->height());
  }
  applyDailyView();
  updateScrollRange();
  cacheValid_ = false;
  viewport()->update();
}

void CKorvaleView::renderChart() {
  const QSize size = viewport()->size();
  if (size.isEmpty()) return;
  // Drawn at the screen's density, so that a scaled desktop shows sharp texts and lines.
  const qreal ratio = std::max<qreal>(viewport()->devicePixelRatioF(), 1);
  const QSize pixels(qCeil(size.width() * ratio), qCeil(size.height() * ratio));
  if (cache_.size() != pixels) cache_ = QImage(pixels, QImage::Format_RGB32);
  cache_.setDevicePixelRatio(ratio);
  cache_.fill(Qt::white);
  QPainterCanvas canvas(&cache_);
  if (CChartPainter* painter = doc_->painter()) {
    canvas.SetOrigin(scrollX(), 0);
    painter->SetLabelLeft(scrollX());
    kind().SetClientSize(*painter, size.width(), size.height());
    kind().Draw(*painter, canvas);
  } else {
    drawWithoutPainter(canvas);
  }
  cacheValid_ = true;
  chartRendered();
}

void CKorvaleView::drawWithoutPainter(Canvas& canvas) {
  const int stocks = doc_->dictionary() ? doc_->dictionary()->itemCount : 0;
  DrawInformationText(canvas, settings_, stocks, doc_->latestYear(), doc_->latestMonth(),
                      doc_->latestDay());
}

void CKorvaleView::paintEvent(QPaintEvent*) {
  if (!cacheValid_ || cache_.deviceIndependentSize().toSize() != viewport()->size()) renderChart();
  QPainter p(viewport());
  p.drawImage(0, 0, cache_);
  if (crosshairShown_) DrawCrosshair(p, crosshair_);
}

void CKorvaleView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Redraw();
}

void CKorvaleView::scrollContentsBy(int, int) {
  if (dailyShown()) {
    const CChartPainter* painter = doc_->painter();
    const int last = std::max(painter->dailyCount() - painter->windowCount(), 0);
    barsAfter_ = std::max(last - horizontalScrollBar()->value(), 0);
    applyDailyView();
  }
  crosshairShown_ = false;
  cacheValid_ = false;
  viewport()->update();
}

ChartHit CKorvaleView::HitAt(int x, int y) const {
  const CChartPainter* painter = doc_->painter();
  return painter ? kind().HitTest(*painter, x, y) : ChartHit{};
}

void CKorvaleView::readOutAt(int x, int y) { emitReadOut(HitAt(x + scrollX(), y)); }

void CKorvaleView::mouseMoveEvent(QMouseEvent* event) { trackMouse(event); }

void CKorvaleView::mousePressEvent(QMouseEvent* event) { trackMouse(event); }

void CKorvaleView::trackMouse(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  readOutAt(pos.x(), pos.y());
  const bool wanted = CrosshairWanted(settings_.cursorMode, event->buttons());
  if (wanted || crosshairShown_) {
    crosshairShown_ = wanted;
    crosshair_ = pos;
    viewport()->update();
  }
}

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

void CKorvaleView::keyPressEvent(QKeyEvent* event) {
  QScrollBar* bar = horizontalScrollBar();
  switch (event->key()) {
    case Qt::Key_Left:
      bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
      break;
    case Qt::Key_Right:
      bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
      break;
    case Qt::Key_PageUp:
      bar->triggerAction(QAbstractSlider::SliderPageStepSub);
      break;
    case Qt::Key_PageDown:
      bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
      break;
    case Qt::Key_Home:
      bar->triggerAction(QAbstractSlider::SliderToMinimum);
      break;
    case Qt::Key_End:
      bar->triggerAction(QAbstractSlider::SliderToMaximum);
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      Zoom(+1);
      break;
    case Qt::Key_Minus:
      Zoom(-1);
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  event->accept();
}

void CKorvaleView::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const int steps = (std::abs(delta.y()) >= std::abs(delta.x()) ? delta.y() : -delta.x()) / 120;
  if (steps == 0) return;
  if (event->modifiers() & Qt::ControlModifier) {
    Zoom(steps > 0 ? +1 : -1);
  } else {
    // Turning the wheel away looks back in time, three steps a notch.
    QScrollBar* bar = horizontalScrollBar();
    bar->setValue(bar->value() - steps * 3 * bar->singleStep());
  }
  event->accept();
}

void CKorvaleView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  leaveEvent(nullptr);
}

}  // namespace korvale
