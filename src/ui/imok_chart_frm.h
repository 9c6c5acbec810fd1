// The Ichimoku window (一目均衡表): the Ichimoku view of the main document's stock, a tool bar
// choosing daily, weekly or monthly bars and opening the settings dialog at its Ichimoku page,
// and a status bar with the read-out and the period shown.
#ifndef KORVALE_UI_IMOK_CHART_FRM_H_
#define KORVALE_UI_IMOK_CHART_FRM_H_

#include <QMainWindow>
#include <map>

class QAction;
class QLabel;

namespace korvale {

class CIMokuChartView;
class CKorvaleApp;
class CKorvaleDoc;

class CIMokChartFrm : public QMainWindow {
  Q_OBJECT

 public:
  // The command that opens the settings dialog (its tool-bar button "初期設定...").
  static constexpr int kSettingsCommand = 32814;

  // A window on `doc` with the settings of `app` (both outlive it); its size is the stored
  // Ichimoku window size when both sides are above 0, and closing it keeps its size there. It
  // deletes itself on close.
  CIMokChartFrm(CKorvaleApp* app, CKorvaleDoc* doc, QWidget* parent = nullptr);

  CIMokuChartView* view() const { return view_; }
  // The tool-bar action of 32772, 32773, 32774 or kSettingsCommand; null for any other id.
  QAction* action(int commandId) const;
  // 0: the read-out, 1: the period shown ("日足", "週足" or "月足").
  QLabel* statusPane(int index) const { return statusPanes_[index]; }

  // After the document opened another stock or its painter took new settings: scroll to the
  // newest bars and redraw.
  void Refresh();

 signals:
  // The settings dialog opened from this window closed with OK or "設定を保存": the
  // application's settings hold the new values. The main window lets the painter copy them
  // and repaints every view.
  void SettingsApplied();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createToolBar();
  void createStatusBar();
  // A tool-bar command: the document keeps the period for this window, which shows it.
  void setPeriod(int period);
  void editSettings();

  CKorvaleApp* app_;
  CKorvaleDoc* doc_;
  CIMokuChartView* view_ = nullptr;
  std::map<int, QAction*> actions_;
  QLabel* statusPanes_[2] = {};
};

}  // namespace korvale

#endif  // KORVALE_UI_IMOK_CHART_FRM_H_
