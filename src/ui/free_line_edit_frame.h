// The trend-line editor window ("トレンドライン編集"): the editor view of the main document's
// stock, the menu "コマンド(&C)" and a tool bar with 選択, 線分, 削除 and 抵抗線<->支持線, and
// a status bar with the read-out and "日足". The main window's command 32861 opens and
// closes it.
#ifndef KORVALE_UI_FREE_LINE_EDIT_FRAME_H_
#define KORVALE_UI_FREE_LINE_EDIT_FRAME_H_

#include <QMainWindow>
#include <map>

class QAction;
class QLabel;

namespace korvale {

class CFreeLineEditView;
class CKorvaleDoc;
struct SettingsRecord;

enum LineEditCommandId : int {
  kCmdLineSelect = 32857,
  kCmdLineDraw = 32858,
  kCmdLineDelete = 32859,
  kCmdLineSwitchKind = 32863,
};

class CFreeLineEditFrame : public QMainWindow {
  Q_OBJECT

 public:
  // A window of its own (a child of `parent`, closed with it) on `doc`, which outlives it; the
  // size is the settings' editor window size when both values are set.
  CFreeLineEditFrame(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent);

  CFreeLineEditView* view() const { return view_; }
  QAction* action(int commandId) const;
  QLabel* readOut() const { return readOut_; }
  // The main window opened another stock: the editor shows it.
  void DocumentChanged();

 signals:
  // The lines changed: the main chart repaints.
  void LinesChanged();

 protected:
  // Writes the lines to the stock's line file as the window goes; a failure is shown.
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createToolBar();
  void createStatusBar();
  void updateCommandStates();

  CKorvaleDoc* doc_;
  CFreeLineEditView* view_;
  QLabel* readOut_ = nullptr;
  std::map<int, QAction*> actions_;
};

}  // namespace korvale

#endif  // KORVALE_UI_FREE_LINE_EDIT_FRAME_H_
