// The Ichimoku window's view: a further view of the main document that shows the document's
// stock as the Ichimoku chart of the period the document keeps for this window, scrolls over it
// and reads out the bar under the mouse.
#ifndef KORVALE_UI_IMOKU_CHART_VIEW_H_
#define KORVALE_UI_IMOKU_CHART_VIEW_H_

#include "ui/korvale_view.h"

namespace korvale {

class CIMokuChartView : public CKorvaleView {
  Q_OBJECT

 public:
  CIMokuChartView(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent = nullptr);

 protected:
  // The Ichimoku row of the document's Ichimoku period.
  const ChartKindEntry& entry() const override;
  // Scrolls over the Ichimoku width; a client within a pixel of it takes the client's width.
  void updateScrollRange() override;
  // "一目均衡表" in a box at the top left.
  void drawWithoutPainter(Canvas& canvas) override;
};

}  // namespace korvale

#endif  // KORVALE_UI_IMOKU_CHART_VIEW_H_
