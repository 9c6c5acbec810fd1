// The chart pane of the signal chart: the main window's stock as a daily chart over the whole
// pane with the four rules' rows under it, drawn through the document's painter. It follows the
// mouse with the read-out and the cursor lines.
#ifndef KORVALE_UI_SIGNAL_CHART_VIEW_H_
#define KORVALE_UI_SIGNAL_CHART_VIEW_H_

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

#include "app/rule_signal_source.h"
#include "charts/chart_painter.h"

namespace korvale {

class CKorvaleDoc;

class CSignalChartView : public QWidget {
  Q_OBJECT

 public:
  // Shows `doc`'s stock with the rules of `rules` in its chartSlots; `settings` gives the
  // cursor mode. All must outlive the view.
  CSignalChartView(CKorvaleDoc* doc, CRuleList* rules, const SettingsRecord& settings,
                   QWidget* parent = nullptr);
  ~CSignalChartView() override;

  // Draws again at the next paint: after a new stock, a new span, new settings.
  void Redraw();
  // A row's rule changed: its values are computed again at the next paint.
  void MarkDirty();
  // 0 candles, 1 Ichimoku (drawn as candles until the Ichimoku chart exists).
  void SetStyle(int style);
  int style() const { return source_.style(); }
  // The rows of the last drawing (scales and values by slot) and how often they were computed.
  const CRuleSignalSource& source() const { return source_; }
  // The read-out of the pixel (x, y) of the pane; (-1, -1) the last displayed bar.
  ChartHit HitAt(int x, int y) const;

 signals:
  // The read-out text under the mouse ("%d/%d/%d …", or " " outside any bar).
  void ReadOut(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void renderChart();

  CKorvaleDoc* doc_;
  const SettingsRecord& settings_;
  CRuleSignalSource source_;
  QImage cache_;
  bool cacheValid_ = false;
  QPoint crosshair_{-1, -1};
  bool crosshairShown_ = false;
};

}  // namespace korvale

#endif  // KORVALE_UI_SIGNAL_CHART_VIEW_H_
