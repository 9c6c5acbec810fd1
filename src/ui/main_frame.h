// The main window: chart view in the middle, the stock-list bar and the detail-information bar
// docked at the side, the menus, the tool bar and a status bar of three panes.
#ifndef KORVALE_UI_MAIN_FRAME_H_
#define KORVALE_UI_MAIN_FRAME_H_

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <vector>

#include "charts/chart_painter.h"
#include "ui/main_commands.h"

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QListWidget;
class QMenu;

namespace korvale {

class CAnalysisCommand;
class CDetailBar;
class CExtraChartFrame;
class CFreeLineEditFrame;
class CIMokChartFrm;
class CImportCommand;
class CRecentFiles;
class CMaintenanceCommands;
class CKorvaleApp;
class CKorvaleDoc;
class CKorvaleView;
class CRuleEditorFrame;
class CTableFrame;
class CThumbnailFrame;
class CSignalChartFrame;
class CValidationCommand;
class CWebModeCommand;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // The frame shows `doc` (owned by the application).
  CMainFrame(CKorvaleApp* app, CKorvaleDoc* doc, QWidget* parent = nullptr);
  ~CMainFrame() override;

  CKorvaleDoc* document() const { return doc_; }
  CKorvaleView* view() const { return view_; }
  CDetailBar* detailBar() const { return detailBar_; }
  QListWidget* stockList() const { return stockList_; }
  QDockWidget* stockListDock() const { return listDock_; }
  QDockWidget* detailDock() const { return detailDock_; }
  // The action of a command id (32772 "日足", 32781 "全銘柄", ...), or null.
  QAction* action(int commandId) const;
  QLabel* statusPane(int index) const { return statusPanes_[index]; }

  // Fills list box 1001 from the document's shown list and sets the window title. The shown
  // stock's row stays selected when the new list holds it; a refill never opens a stock.
  void RefreshStockList();
  // Opens a price or list file named on the command line, dropped on the window or chosen in
  // the recent-file list; a file that cannot be opened is reported. True when it was opened.
  bool OpenDocumentFile(const QString& path);
  // The file menu's recent files.
  CRecentFiles* recentFiles() const { return recent_; }
  // Opens the stock of a list row as picking it does.
  void OpenListRow(int row);
  // The user's guide "ヘルプ..." opens: doc/index.html of the data root, else the installed
  // guide, else the source tree's; "" when there is none.
  static QString GuidePath();
  // Shows a passing message (a summary, an empty result) in the status bar for a while; the
  // read-out returns after it.
  void ShowStatusMessage(const QString& text);
  static constexpr int kStatusMessageMilliseconds = 30000;
  // The child windows while they are open, else null.
  CRuleEditorFrame* ruleEditor() const;
  CTableFrame* priceTable() const;
  CFreeLineEditFrame* lineEditor() const;
  CThumbnailFrame* thumbnails() const;
  // The Ichimoku window while it is open, else null.
  CIMokChartFrm* ichimokuWindow() const;
  // The auxiliary chart window of kind `kindId` (kChartKagi, kChartNewPrice, kChartReverseWatch)
  // while it is open, else null.
  CExtraChartFrame* extraChartWindow(int kindId) const;
  // The command "分析..." (its batch and the screening windows it opens).
  CAnalysisCommand* analysisCommand() const { return analysis_; }
  // The maintenance menu's conversions, checks, deletions, exports and imports.
  CMaintenanceCommands* maintenanceCommands() const { return maintenance_; }
  // The command "抽出条件の検証" (its batch and report windows).
  CValidationCommand* validationCommand() const { return validation_; }
  // The signal chart window while it is open, else null.
  CSignalChartFrame* signalChart() const;
  // A screening run or ranking filled the document's list: it is shown as after any list
  // command. `thumbnailTitle` is the title the thumbnail window takes when it is open.
  void ShowListedStocks(const QString& thumbnailTitle);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The command table (see main_commands.h).
  static std::span<const MainCommand> Commands();
  void createActions();
  void createMenus();
  void createToolBar();
  void createStatusBar();
  void createDocks();
  // Size, position, dock layout and detail page of the last run (see CKorvaleApp's
  // windowSettings); the settings record's window size wins when it has one.
  void restoreWindowState();
  void saveWindowState();
  QAction* addCommand(int id, const QString& text, std::function<void()> run,
                      bool checkable = false);
  // Whether the command is offered in this run's data-source mode.
  bool offered(int commandId) const;
  // Adds the offered commands of `ids` to a menu, menu bar or tool bar; kCmdSeparator separates
  // groups, and a separator with nothing offered on one side is left out.
  void addCommands(QWidget* target, const std::vector<int>& ids);
  static std::vector<int> periodCommands();

  // The stock-list bar's first width: its rows whole.
  int listWidthForRows() const;
  // Selects the shown stock's row without opening it again (when the list holds it).
  void selectShownStock();
  void setChartPeriod(int period);
  void updateCommandStates();
  void applySpanRule();
  // The command "初期設定...": the settings dialog at the page of the chart period shown.
  void editSettings();
  // The settings dialog at `page` over `parent`; after OK every view follows the new values.
  void editSettingsAt(int page, QWidget* parent);
  // After the settings dialog (from this window or the Ichimoku window) applied new values.
  void settingsApplied();
  void afterStockOpened();
  // Tells what the load of the shown stock found wrong with its files, if anything.
  void showReadProblems();
  void showDayOfPicker(const QDate& date);
  void showReadOut(const QString& text, const ChartHit& hit, int chartKind);
  void showError(const QString& message);
  // List commands: `fill` fills the document's list, which the list box then shows.
  void showList(const std::function<void(CKorvaleDoc&)>& fill);
  void askCodeRange();
  void askNameSearch();
  void openListFile();
  void saveListFile();
  void newWindow();
  void toggleDock(QDockWidget* dock);
  void toggleRuleEditor();
  // The price table commands: open a table of `kind`, switch the open one to it, or close it
  // when it already shows that kind.
  void choosePriceTable(int kind);
  void toggleLineEditor();
  void toggleThumbnails();
  void toggleSignalChart();
  void toggleIchimoku();
  void toggleExtraChart(int kindId);
  // The document shows another stock, the chart's window changed or its painter took new
  // settings: the child windows that view the document redraw.
  void refreshChildWindows();
  void openHelp();
  void openQuotePage();
  void about();

  CKorvaleApp* app_;
  CKorvaleDoc* doc_;
  CKorvaleView* view_ = nullptr;
  QListWidget* stockList_ = nullptr;  // list box 1001
  QDockWidget* listDock_ = nullptr;
  QDockWidget* detailDock_ = nullptr;
  CDetailBar* detailBar_ = nullptr;
  QLabel* statusPanes_[3] = {};
  std::map<int, QAction*> actions_;
  QActionGroup* periodGroup_ = nullptr;
  std::vector<int> marketCommands_;    // in the order of the market codes
  std::vector<int> industryCommands_;  // in the order of the industry codes
  QPointer<CRuleEditorFrame> ruleEditor_;
  QPointer<CTableFrame> table_;
  QPointer<CFreeLineEditFrame> lineEditor_;
  QPointer<CThumbnailFrame> thumbnails_;
  QPointer<CSignalChartFrame> signalChart_;
  QPointer<CIMokChartFrm> ichimoku_;
  // The auxiliary chart windows by kind.
  std::map<int, QPointer<CExtraChartFrame>> extraCharts_;
  CAnalysisCommand* analysis_ = nullptr;
  CValidationCommand* validation_ = nullptr;
  CImportCommand* import_ = nullptr;
  CRecentFiles* recent_ = nullptr;
  CMaintenanceCommands* maintenance_ = nullptr;
  CWebModeCommand* web_ = nullptr;  // opens stocks in the network modes
};

}  // namespace korvale

#endif  // KORVALE_UI_MAIN_FRAME_H_
