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
  // Repaints with the current document and settings (kept scroll position; a daily chart keeps
  // the day it looks back to).
  void Redraw();
  // The read-out of the pixel (x, y) of the unscrolled chart; (-1, -1) the last displayed bar.
  ChartHit HitAt(int x, int y) const;
  // The pixel offset of the drawn chart (0 for the daily chart, which scrolls by bars).
  int scrollX() const;
  // Daily chart: pixels per bar (2-16) and the bars after the window (0 shows the newest).
  int pitch() const { return pitch_; }
  int barsAfter() const { return barsAfter_; }
  // Steps the daily chart's pixels per bar up (+1) or down (-1) through 2, 3, 4, 6, 8, 12, 16,
  // keeping the window's newest bar.
  void Zoom(int direction);
  CKorvaleDoc* document() const { return doc_; }
  // Docked side bars, for the scroll width without a painter.
  void SetDockedBars(int count) { dockedBars_ = count; }

 signals:
  // The read-out text (UTF-8 as QString) and the hit behind it.
  void ReadOut(const QString& text, const ChartHit& hit, int chartKind);

 protected:
  // The chart as last drawn, in viewport pixels (scrolled by scrollX()).
  QImage& chartImage() { return cache_; }
  // Called each time the chart was drawn afresh into chartImage(), before it is shown.
  virtual void chartRendered() {}
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

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
  // Whether the chart shown is the daily chart of a stock (it scrolls by bars and zooms).
  bool dailyShown() const;
  // Fits the daily window to the view at the pitch, ending barsAfter_ bars before the newest.
  void applyDailyView();
  void renderChart();
  void readOutAt(int x, int y);
  // The read-out and the crosshair follow the mouse.
  void trackMouse(QMouseEvent* event);

  CKorvaleDoc* doc_;
  const SettingsRecord& settings_;
  QImage cache_;
  bool cacheValid_ = false;
  QPoint crosshair_{-1, -1};
  bool crosshairShown_ = false;
  int dockedBars_ = 2;
  int pitch_ = kBarPitch;
  int barsAfter_ = 0;
  int dailyBars_ = 0;  // bars of the fitted daily window
};

}  // namespace korvale

#endif  // KORVALE_UI_KORVALE_VIEW_H_
