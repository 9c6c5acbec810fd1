// The scrolling chart view of the main window: draws the document's chart (or the information
// text when no stock is loaded), follows the mouse with the read-out and the crosshair. The
// Ichimoku window's view is one of these showing another kind of the same document.
#ifndef KORVALE_UI_KORVALE_VIEW_H_
#define KORVALE_UI_KORVALE_VIEW_H_

#include <QAbstractScrollArea>
#include <QImage>
#include <QPoint>

#include "charts/chart_kind.h"

namespace korvale {

class Canvas;
class CKorvaleDoc;
struct SettingsRecord;

class CKorvaleView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  CKorvaleView(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent = nullptr);

  // After a stock was loaded or the chart kind changed: scroll to the newest bars, repaint,
  // forget the crosshair and read out the last displayed bar.
  void ShowLatest();
  // Repaints with the current document and settings (kept scroll position).
  void Redraw();
  // The read-out of the pixel (x, y) of the unscrolled chart; (-1, -1) the last displayed bar.
  ChartHit HitAt(int x, int y) const;
  int scrollX() const;
  // Docked side bars, for the scroll width without a painter.
  void SetDockedBars(int count) { dockedBars_ = count; }

 signals:
  // The read-out text (UTF-8 as QString) and the hit behind it.
  void ReadOut(const QString& text, const ChartHit& hit, int chartKind);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

  // The table's entry of the kind this view shows: the document's chart period here.
  virtual const ChartKindEntry& entry() const;
  // Sets the scroll bar's range for the chart's width and the client width.
  virtual void updateScrollRange();
  // What the view shows while the document has no stock: the information text here.
  virtual void drawWithoutPainter(Canvas& canvas);
  const ChartKind& kind() const { return entry().kind; }
  int chartWidth() const;
  CKorvaleDoc* doc() const { return doc_; }

 private:
  void emitReadOut(const ChartHit& hit);
  void renderChart();
  void readOutAt(int x, int y);

  CKorvaleDoc* doc_;
  const SettingsRecord& settings_;
  QImage cache_;
  bool cacheValid_ = false;
  QPoint crosshair_{-1, -1};
  bool crosshairShown_ = false;
  int dockedBars_ = 2;
};

}  // namespace korvale

#endif  // KORVALE_UI_KORVALE_VIEW_H_
