// The trend-line editor's view: the document's daily chart in the editor's layout, with the
// mouse drawing, selecting and moving lines. What the mouse does is the edit model's; the view
// feeds it, draws its rubber band and repaints what changed.
#ifndef KORVALE_UI_FREE_LINE_EDIT_VIEW_H_
#define KORVALE_UI_FREE_LINE_EDIT_VIEW_H_

#include "charts/trend_line_edit_model.h"
#include "ui/korvale_view.h"

namespace korvale {

class CFreeLineEditView : public CKorvaleView {
  Q_OBJECT

 public:
  // A view of `doc` (which outlives it) in draw mode.
  CFreeLineEditView(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent = nullptr);

  const CTrendLineEditModel& model() const { return model_; }
  // The document shows another stock (or none): editing starts over on its chart.
  void DocumentChanged();
  // The commands "選択" / "線分", "削除" and "抵抗線<->支持線".
  void SetMode(LineEditMode mode);
  void DeleteSelected();
  void SwitchKind();

 signals:
  // The lines changed: the main chart shows them too.
  void LinesChanged();
  // The mode or the selection changed: the commands' states follow.
  void CommandStatesChanged();

 protected:
  // The editor's chart, whatever the main window's period; nothing while no stock is shown.
  const ChartKindEntry& entry() const override;
  void drawWithoutPainter(Canvas&) override {}
  void chartRendered() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The document may have opened another stock since the last event: editing moves to its
  // chart.
  void syncPainter();
  void apply(const LineEditChange& change);
  // Erases the band drawn on the chart image and draws the model's.
  void redrawBand();

  CTrendLineEditModel model_;
  RubberBand drawnBand_;  // the band now on the chart image
};

}  // namespace korvale

#endif  // KORVALE_UI_FREE_LINE_EDIT_VIEW_H_
