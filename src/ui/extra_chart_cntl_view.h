// The control part of an auxiliary chart window: a slider and a read-only number setting the
// chart's one parameter (kagi reversal amount, new-price reversal lines, reverse-watch
// moving-average days) in the document painter's settings copy, live.
#ifndef KORVALE_UI_EXTRA_CHART_CNTL_VIEW_H_
#define KORVALE_UI_EXTRA_CHART_CNTL_VIEW_H_

#include <QWidget>

class QLabel;
class QLineEdit;
class QSlider;

namespace korvale {

class CKorvaleDoc;
struct SettingsRecord;

class CExtraChartCntlView : public QWidget {
  Q_OBJECT

 public:
  // The slider of kind `kindId` over the application's `settings` (read, never written);
  // `chart` is the view repainted after every move. All outlive the control.
  CExtraChartCntlView(CKorvaleDoc* doc, const SettingsRecord& settings, int kindId, QWidget* chart,
                      QWidget* parent = nullptr);

  // Takes range and value from the application's settings again (kagi: percent or yen by
  // kagiReversalMode); the number shows the stored value.
  void Reload();

  QSlider* slider() const { return slider_; }
  QLineEdit* number() const { return number_; }
  QSize sizeHint() const override { return QSize(320, 80); }

 private:
  void moved(int value);

  CKorvaleDoc* doc_;
  const SettingsRecord& settings_;
  int kindId_;
  QWidget* chart_;
  QLabel* caption_ = nullptr;
  QSlider* slider_ = nullptr;
  QLineEdit* number_ = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_EXTRA_CHART_CNTL_VIEW_H_
