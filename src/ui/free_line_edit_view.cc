#include "ui/free_line_edit_view.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "app/korvale_doc.h"
#include "render/qpainter_canvas.h"

namespace korvale {

CFreeLineEditView::CFreeLineEditView(CKorvaleDoc* doc, const SettingsRecord& settings,
                                     QWidget* parent)
    : CKorvaleView(doc, settings, parent) {
  model_.SetPainter(doc->painter());
}

const ChartKindEntry& CFreeLineEditView::entry() const {
  return ChartKindOrDaily(kChartTrendLineEditor);
}

void CFreeLineEditView::DocumentChanged() {
  model_.SetPainter(document()->painter());
  drawnBand_ = {};
  ShowLatest();
  emit CommandStatesChanged();
}

void CFreeLineEditView::syncPainter() {
  if (model_.painter() != document()->painter()) model_.SetPainter(document()->painter());
}

void CFreeLineEditView::SetMode(LineEditMode mode) {
  syncPainter();
  apply(model_.SetMode(mode));
}

void CFreeLineEditView::DeleteSelected() {
  syncPainter();
  apply(model_.DeleteSelected());
}

void CFreeLineEditView::SwitchKind() {
  syncPainter();
  apply(model_.SwitchKind());
}

void CFreeLineEditView::apply(const LineEditChange& change) {
  if (change.lines) {
    // The chart is drawn again, and the band with it (chartRendered).
    Redraw();
    emit LinesChanged();
  } else if (change.band) {
    redrawBand();
  }
  if (change.commands) emit CommandStatesChanged();
}

void CFreeLineEditView::redrawBand() {
  QPainterCanvas canvas(&chartImage());
  canvas.SetOrigin(scrollX(), 0);
  DrawRubberBand(canvas, drawnBand_);  // a second time: gone
  drawnBand_ = model_.rubberBand();
  DrawRubberBand(canvas, drawnBand_);
  viewport()->update();
}

void CFreeLineEditView::chartRendered() {
  drawnBand_ = model_.rubberBand();
  if (!drawnBand_.shown) return;
  QPainterCanvas canvas(&chartImage());
  canvas.SetOrigin(scrollX(), 0);
  DrawRubberBand(canvas, drawnBand_);
}

void CFreeLineEditView::mousePressEvent(QMouseEvent* event) {
  CKorvaleView::mousePressEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  syncPainter();
  apply(model_.ButtonDown(p.x() + scrollX(), p.y()));
}

void CFreeLineEditView::mouseMoveEvent(QMouseEvent* event) {
  CKorvaleView::mouseMoveEvent(event);
  if (!(event->buttons() & Qt::LeftButton)) return;
  const QPoint p = event->position().toPoint();
  syncPainter();
  apply(model_.Drag(p.x() + scrollX(), p.y()));
}

void CFreeLineEditView::mouseReleaseEvent(QMouseEvent* event) {
  CKorvaleView::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  syncPainter();
  apply(model_.ButtonUp(p.x() + scrollX(), p.y()));
}

void CFreeLineEditView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
    DeleteSelected();
    return;
  }
  CKorvaleView::keyPressEvent(event);
}

}  // namespace korvale
