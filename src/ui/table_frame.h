// The price table window ("株価表"): the daily, weekly or monthly bars of the main document's
// stock as rows of numbers. Its menu chooses the kind (日足株価 / 週足株価 / 月足株価, the chosen
// one checked), opens the settings at their auxiliary page and closes the window.
#ifndef KORVALE_UI_TABLE_FRAME_H_
#define KORVALE_UI_TABLE_FRAME_H_

#include <QMainWindow>
#include <map>

class QAction;

namespace korvale {

class CChartTableView;
class CKorvaleDoc;
struct SettingsRecord;

enum TableCommandId : int {
  kCmdTableSettings = 32814,
  kCmdTableClose = 32808,
};

class CTableFrame : public QMainWindow {
  Q_OBJECT

 public:
  // A window of its own (a child of `parent`, closed with it) on `doc` and `settings`, which
  // outlive it. It shows the document's table period.
  CTableFrame(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent);

  CChartTableView* view() const { return view_; }
  QAction* action(int commandId) const;
  // Fills the rows again from the document's stock and table period (after another stock was
  // opened, the kind changed or the settings changed).
  void Refresh();

 signals:
  // A kind was chosen in this window's menu; the document already holds it.
  void KindChosen(int kind);
  // "初期設定..." was chosen: the settings dialog opens at its auxiliary page.
  void SettingsWanted();

 private:
  void createActions();
  void createMenus();
  void createToolBar();
  void chooseKind(int kind);

  CKorvaleDoc* doc_;
  const SettingsRecord& settings_;
  CChartTableView* view_;
  std::map<int, QAction*> actions_;
};

}  // namespace korvale

#endif  // KORVALE_UI_TABLE_FRAME_H_
