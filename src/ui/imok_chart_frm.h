// The Ichimoku window (一目均衡表): the Ichimoku view of the main document's stock, a tool bar
// choosing daily, weekly or monthly bars (and, once there is a settings dialog, opening it at
// its Ichimoku page), and a status bar with the read-out and the period shown.
#ifndef KORVALE_UI_IMOK_CHART_FRM_H_
#define KORVALE_UI_IMOK_CHART_FRM_H_

#include <QMainWindow>
#include <map>

class QAction;
class QLabel;

namespace korvale {

class CIMokuChartView;
class CKorvaleDoc;
struct SettingsRecord;

class CIMokChartFrm : public QMainWindow {
  Q_OBJECT

 public:
  // The command that opens the settings dialog (its tool-bar button "初期設定...").
  static constexpr int kSettingsCommand = 32814;

  // A window on `doc` (which outlives it) with the application's `settings`; its size is
  // ichimokuWindowWidth x ichimokuWindowHeight when both are above 0. It deletes itself on close.
  CIMokChartFrm(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent = nullptr);

  CIMokuChartView* view() const { return view_; }
  // The tool-bar action of 32772, 32773, 32774 or kSettingsCommand; null for any other id.
  QAction* action(int commandId) const;
  // 0: the read-out, 1: the period shown ("日足", "週足" or "月足").
  QLabel* statusPane(int index) const { return statusPanes_[index]; }

  // After the document opened another stock or its painter took new settings: scroll to the
  // newest bars and redraw.
  void Refresh();

 private:
  void createToolBar();
  void createStatusBar();
  // A tool-bar command: the document keeps the period for this window, which shows it.
  void setPeriod(int period);

  CKorvaleDoc* doc_;
  CIMokuChartView* view_ = nullptr;
  std::map<int, QAction*> actions_;
  QLabel* statusPanes_[2] = {};
};

}  // namespace korvale

#endif  // KORVALE_UI_IMOK_CHART_FRM_H_
