// The chart part of an auxiliary chart window: draws the kagi, new-price or reverse-watch chart
// of the main document's stock through the document's painter, over its own client size.
#ifndef KORVALE_UI_EXTRA_CHART_VIEW_H_
#define KORVALE_UI_EXTRA_CHART_VIEW_H_

#include <QWidget>

namespace korvale {

class CKorvaleDoc;

class CExtraChartView : public QWidget {
  Q_OBJECT

 public:
  // Shows kind `kindId` (kChartKagi, kChartNewPrice or kChartReverseWatch) of `doc`, which
  // outlives the view.
  CExtraChartView(CKorvaleDoc* doc, int kindId, QWidget* parent = nullptr);

  QSize sizeHint() const override { return QSize(320, 236); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  CKorvaleDoc* doc_;
  int kindId_;
};

}  // namespace korvale

#endif  // KORVALE_UI_EXTRA_CHART_VIEW_H_
