#include "ui/main_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QStringList>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <algorithm>

#include "acquisition/consistency_check_job.h"
#include "app/detail_panel.h"
#include "app/korvale_doc.h"
#include "app/main_window_layout.h"
#include "app/user_messages.h"
#include "charts/chart_kind.h"
#include "charts/price_table.h"
#include "store/cp932.h"
#include "store/market_industry_tables.h"
#include "store/settings_field_rules.h"
#include "ui/analize_frame.h"
#include "ui/analysis_batch_dialog.h"
#include "ui/analysis_command.h"
#include "ui/detail_bar.h"
#include "ui/free_line_edit_frame.h"
#include "ui/free_line_edit_view.h"
#include "ui/extra_chart_frame.h"
#include "ui/imok_chart_frm.h"
#include "ui/import_command.h"
#include "ui/kept_window_size.h"
#include "ui/korvale_app.h"
#include "ui/korvale_view.h"
#include "ui/main_commands.h"
#include "ui/maintenance_commands.h"
#include "ui/recent_files.h"
#include "ui/rule_editor_frame.h"
#include "ui/settings_dialog.h"
#include "ui/table_frame.h"
#include "ui/thumbnail_frame.h"
#include "ui/signal_chart_frame.h"
#include "ui/validation_batch_dialog.h"
#include "ui/validation_command.h"
#include "ui/web_mode_command.h"

namespace korvale {

namespace {

static_assert(kCmdDailyTable == kTableDaily && kCmdWeeklyTable == kTableWeekly &&
              kCmdMonthlyTable == kTableMonthly);

QString FromCp932(const std::string& cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }
std::string ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

}  // namespace

CMainFrame::CMainFrame(CKorvaleApp* app, CKorvaleDoc* doc, QWidget* parent)
    : QMainWindow(parent), app_(app), doc_(doc) {
  const SettingsRecord& s = app_->settings();
  const QSize desktop =
      QApplication::primaryScreen() ? QApplication::primaryScreen()->size() : QSize(1024, 768);
  const WindowSize size = InitialMainWindowSize(s, desktop.width(), desktop.height());
  resize(size.width, size.height);
  setAcceptDrops(true);

  view_ = new CKorvaleView(doc_, s, this);
  setCentralWidget(view_);
  createActions();
  createMenus();
  createToolBar();
  createStatusBar();
  createDocks();
  connect(view_, &CKorvaleView::ReadOut, this, &CMainFrame::showReadOut);
  restoreWindowState();
  RefreshStockList();
  setChartPeriod(doc_->chartPeriod());
  if (doc_->painter()) afterStockOpened();
}

// The document goes with its window; nothing paints once the destructor runs.
CMainFrame::~CMainFrame() {
  // The docks report their hiding while the window is torn down; nobody listens any more.
  listDock_->disconnect(this);
  detailDock_->disconnect(this);
  // The child windows close with the main window, before its document goes: the auxiliary
  // charts, the Ichimoku window, the signal chart, then the others in this order.
  for (int kind : {kChartKagi, kChartNewPrice, kChartReverseWatch}) {
    if (CExtraChartFrame* frame = extraChartWindow(kind)) {
      frame->disconnect(this);
      delete frame;
    }
  }
  if (ichimoku_) {
    ichimoku_->disconnect(this);
    delete ichimoku_;
  }
  if (signalChart_) {
    signalChart_->disconnect(this);
    delete signalChart_;
  }
  delete validation_->batchDialog();
  for (QMainWindow* child :
       std::initializer_list<QMainWindow*>{table_, lineEditor_, thumbnails_, ruleEditor_}) {
    if (!child) continue;
    child->disconnect(this);
    delete child;
  }
  delete analysis_->batchDialog();
  qDeleteAll(findChildren<CAnalizeFrame*>(Qt::FindDirectChildrenOnly));
  app_->WindowClosed(this);
}

// The command table: every command of the main window with its id, menu text and handler.
std::span<const MainCommand> CMainFrame::Commands() {
  using F = CMainFrame;
  static const MainCommand kCommands[] = {
      {kCmdOpenList, "リストを開く...", [](F& f) { f.openListFile(); }},
      {kCmdSaveList, "リストを保存(&S)", [](F& f) { f.saveListFile(); }},
      {kCmdPriceUpdate, "株価データの更新...", [](F& f) { f.import_->UpdatePrices(); },
       CommandMode::kLocal, false, "株価データの更新", "株価更新"},
      {kCmdMarginUpdate, "信用残データの更新...", [](F& f) { f.import_->UpdateMargins(); },
       CommandMode::kLocal, false, "信用残データの更新", "信用残更新"},
      {kCmdExit, "終了(&X)", [](F& f) { f.close(); }},
      {kCmdAllStocks, "全銘柄", [](F& f) { f.showList([](CKorvaleDoc& d) { d.ShowAll(); }); }},
      {kCmdCodeRange, "証券コード...", [](F& f) { f.askCodeRange(); }},
      {kCmdNameSearch, "銘柄名...", [](F& f) { f.askNameSearch(); }},
      {kCmdAnalyze, "分析...", [](F& f) { f.analysis_->Run(); }, CommandMode::kAny, false,
       "銘柄分析抽出ウインドウを開く", "分析"},
      {kCmdRuleEditor, "銘柄抽出条件編集...", [](F& f) { f.toggleRuleEditor(); }, CommandMode::kAny,
       true},
      {kCmdDailyTable, "日足株価", [](F& f) { f.choosePriceTable(kTableDaily); }, CommandMode::kAny,
       true},
      {kCmdWeeklyTable, "週足株価", [](F& f) { f.choosePriceTable(kTableWeekly); },
       CommandMode::kAny, true},
      {kCmdMonthlyTable, "月足株価", [](F& f) { f.choosePriceTable(kTableMonthly); },
       CommandMode::kAny, true},
      {kCmdLineEditor, "トレンドライン編集...", [](F& f) { f.toggleLineEditor(); },
       CommandMode::kAny, true, "トレンドラインを引く", "トレンドライン"},
      {kCmdThumbnails, "日足サムネイル", [](F& f) { f.toggleThumbnails(); }, CommandMode::kLocal,
       true, "一覧の銘柄の日足を並べて表示", "サムネイル"},
      // The back-test reads the price files of the local folders.
      {kCmdValidation, kValidationCommandText, [](F& f) { f.validation_->Run(); },
       CommandMode::kLocal, false, kValidationStatusText, kValidationCommandText},
      {kCmdSignalChart, kSignalChartTitle, [](F& f) { f.toggleSignalChart(); }, CommandMode::kAny,
       true},
      {kCmdDictionaryFromImport, kZentakDictionaryUpdateMenu,
       [](F& f) { f.import_->UpdateDictionaryFromImportFile(); }, CommandMode::kLocal},
      {kCmdPriceFileToText, kPriceFileToTextMenu,
       [](F& f) { f.maintenance_->PriceFileToText(); }, CommandMode::kLocal},
      {kCmdPriceTextToFile, kPriceTextToFileMenu,
       [](F& f) { f.maintenance_->PriceTextToFile(); }, CommandMode::kLocal},
      {kCmdMarginFileToText, kMarginFileToTextMenu,
       [](F& f) { f.maintenance_->MarginFileToText(); }, CommandMode::kLocal},
      {kCmdMarginTextToFile, kMarginTextToFileMenu,
       [](F& f) { f.maintenance_->MarginTextToFile(); }, CommandMode::kLocal},
      {kCmdConsistencyCheck, kConsistencyCheckMenu,
       [](F& f) { f.maintenance_->CheckConsistency(); }, CommandMode::kLocal},
      {kCmdDeleteDate, kDeleteDateMenu, [](F& f) { f.maintenance_->DeleteDate(); },
       CommandMode::kLocal},
      {kCmdBulkExport, kBulkExportMenu, [](F& f) { f.maintenance_->BulkExport(); },
       CommandMode::kLocal},
      {kCmdBulkImport, kBulkImportMenu, [](F& f) { f.maintenance_->BulkImport(); },
       CommandMode::kLocal},
      {kCmdVendorImport, kVendorImportMenu, [](F& f) { f.maintenance_->VendorImport(); },
       CommandMode::kLocal},
      {kCmdDictionaryToText, kDictionaryToTextMenu,
       [](F& f) { f.maintenance_->DictionaryToText(); }, CommandMode::kLocal},
      {kCmdTextToDictionary, kTextToDictionaryMenu,
       [](F& f) { f.maintenance_->TextToDictionary(); }, CommandMode::kLocal},
      {kCmdDictionaryFromVendor, kDictionaryFromVendorMenu,
       [](F& f) { f.maintenance_->DictionaryFromVendorInfo(); }, CommandMode::kLocal},
      {kCmdKagi, FindChartKind(kChartKagi)->caption, [](F& f) { f.toggleExtraChart(kChartKagi); },
       CommandMode::kAny, true},
      {kCmdNewPrice, FindChartKind(kChartNewPrice)->caption,
       [](F& f) { f.toggleExtraChart(kChartNewPrice); }, CommandMode::kAny, true},
      {kCmdReverseWatch, FindChartKind(kChartReverseWatch)->caption,
       [](F& f) { f.toggleExtraChart(kChartReverseWatch); }, CommandMode::kAny, true},
      {kCmdIchimoku, "一目均衡表", [](F& f) { f.toggleIchimoku(); }, CommandMode::kAny, true,
       "一目均衡表ウインドウを開く", "一目均衡表"},
      {kCmdNewWindow, "新規ウインドウ(&N)", [](F& f) { f.newWindow(); }},
      {kCmdSettings, "初期設定...", [](F& f) { f.editSettings(); }},
      {kCmdStockListBar, "銘柄リスト", [](F& f) { f.toggleDock(f.listDock_); }, CommandMode::kAny,
       true},
      {kCmdDetailBar, "詳細情報", [](F& f) { f.toggleDock(f.detailDock_); }, CommandMode::kAny,
       true},
      {kCmdQuoteDetail, "詳細情報", [](F& f) { f.openQuotePage(); }, CommandMode::kRemote},
      {kCmdHelp, "ヘルプ...", [](F& f) { f.openHelp(); }},
      {kCmdAbout, "バージョン情報(&A)...", [](F& f) { f.about(); }},
  };
  return kCommands;
}

QAction* CMainFrame::addCommand(int id, const QString& text, std::function<void()> run,
                                bool checkable) {
  auto* action = new QAction(text, this);
  action->setData(id);
  action->setCheckable(checkable);
  connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
  actions_[id] = action;
  return action;
}

QAction* CMainFrame::action(int commandId) const {
  auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

bool CMainFrame::offered(int commandId) const {
  const bool local = app_->settings().dataSourceMode == 0;
  for (const MainCommand& c : Commands()) {
    if (c.id != commandId) continue;
    return c.mode == CommandMode::kAny || (c.mode == CommandMode::kLocal) == local;
  }
  return true;  // the generated commands: chart kinds, markets, industries
}

void CMainFrame::createActions() {
  recent_ = new CRecentFiles(
      app_->windowSettings(), [this](const QString& path) { return OpenDocumentFile(path); },
      this);
  analysis_ = new CAnalysisCommand(app_, this);
  validation_ = new CValidationCommand(app_, this);
  import_ = new CImportCommand(app_, this);
  maintenance_ = new CMaintenanceCommands(app_, this);
  web_ = new CWebModeCommand(app_, this);
  connect(web_, &CWebModeCommand::StockShown, this, &CMainFrame::afterStockOpened);
  for (const MainCommand& c : Commands()) {
    QAction* a = addCommand(
        c.id, QString::fromUtf8(c.text), [this, run = c.run] { run(*this); }, c.checkable);
    if (c.statusTip) a->setStatusTip(QString::fromUtf8(c.statusTip));
    if (c.toolTip) a->setToolTip(QString::fromUtf8(c.toolTip));
  }
  actions_[kCmdOpenList]->setShortcut(QKeySequence::Open);
  actions_[kCmdSaveList]->setShortcut(QKeySequence::Save);

  periodGroup_ = new QActionGroup(this);
  for (const ChartKindEntry& kind : ChartKinds()) {
    if (kind.group != ChartKindGroup::kPeriod) continue;
    const int id = kind.id;
    periodGroup_->addAction(addCommand(
        id, QString::fromUtf8(kind.caption), [this, id] { setChartPeriod(id); }, true));
  }
  // The market and industry commands, in the order of their codes.
  for (int market = 1; market < kMarketCount; ++market) {
    for (int id = 32700; id < 33000; ++id) {
      if (MarketOfCommand(id) != market) continue;
      marketCommands_.push_back(id);
      addCommand(id, MarketNameUtf8(market),
                 [this, market] { showList([market](CKorvaleDoc& d) { d.ShowMarket(market); }); });
    }
  }
  for (int industry = 1; industry <= kIndustryCount; ++industry) {
    const int code = industry % kIndustryCount;  // "その他・未定義" (0) comes last
    for (int id = 32700; id < 33000; ++id) {
      if (IndustryOfCommand(id) != code) continue;
      industryCommands_.push_back(id);
      addCommand(id, IndustryNameUtf8(code),
                 [this, code] { showList([code](CKorvaleDoc& d) { d.ShowIndustry(code); }); });
    }
  }
}

void CMainFrame::addCommands(QWidget* target, const std::vector<int>& ids) {
  bool separate = false;
  for (int id : ids) {
    if (id == kCmdSeparator) {
      separate = !target->actions().isEmpty();
      continue;
    }
    QAction* a = action(id);
    if (!a || !offered(id)) continue;
    if (separate) {
      auto* separator = new QAction(target);
      separator->setSeparator(true);
      target->addAction(separator);
      separate = false;
    }
    target->addAction(a);
  }
}

std::vector<int> CMainFrame::periodCommands() {
  std::vector<int> ids;
  for (const ChartKindEntry& kind : ChartKinds()) {
    if (kind.group == ChartKindGroup::kPeriod) ids.push_back(kind.id);
  }
  return ids;
}

void CMainFrame::createMenus() {
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  addCommands(file, {kCmdOpenList, kCmdSaveList, kCmdSeparator, kCmdPriceUpdate,
                     kCmdMarginUpdate, kCmdSeparator, kCmdExit});
  recent_->AttachTo(file, action(kCmdExit), kCmdRecentFile);

  std::vector<int> chart = periodCommands();
  chart.insert(chart.end(),
               {kCmdSeparator, kCmdKagi, kCmdNewPrice, kCmdReverseWatch, kCmdSeparator,
                kCmdIchimoku, kCmdSignalChart, kCmdSeparator, kCmdDailyTable, kCmdWeeklyTable,
                kCmdMonthlyTable, kCmdSeparator, kCmdLineEditor, kCmdThumbnails, kCmdSeparator,
                kCmdSettings});
  addCommands(menuBar()->addMenu("チャート(&C)"), chart);

  QMenu* stocks = menuBar()->addMenu("銘柄(&S)");
  addCommands(stocks, {kCmdAllStocks, kCmdCodeRange, kCmdNameSearch});
  addCommands(stocks->addMenu("市場"), marketCommands_);
  addCommands(stocks->addMenu("業種"), industryCommands_);

  addCommands(menuBar()->addMenu("分析(&A)"),
              {kCmdAnalyze, kCmdValidation, kCmdSeparator, kCmdRuleEditor});
  if (offered(kCmdDictionaryFromImport)) {
    addCommands(menuBar()->addMenu("メンテナンス(&M)"),
                {kCmdPriceFileToText, kCmdPriceTextToFile, kCmdMarginFileToText,
                 kCmdMarginTextToFile, kCmdSeparator, kCmdConsistencyCheck, kCmdDeleteDate,
                 kCmdSeparator, kCmdBulkExport, kCmdBulkImport, kCmdVendorImport, kCmdSeparator,
                 kCmdDictionaryFromImport, kCmdDictionaryToText, kCmdTextToDictionary,
                 kCmdDictionaryFromVendor});
  }
  addCommands(menuBar()->addMenu("ウインドウ(&W)"),
              {kCmdNewWindow, kCmdSeparator, kCmdStockListBar, kCmdDetailBar});
  // The remote modes' "詳細情報" (the quote page) stands on the menu bar itself.
  addCommands(menuBar(), {kCmdQuoteDetail});
  addCommands(menuBar()->addMenu("ヘルプ(&H)"), {kCmdHelp, kCmdAbout});
}

void CMainFrame::createToolBar() {
  QToolBar* bar = addToolBar("ツールバー");
  bar->setObjectName("toolbar");
  std::vector<int> ids = {kCmdOpenList, kCmdSaveList, kCmdSeparator};
  for (int id : periodCommands()) ids.push_back(id);
  for (int id : {kCmdIchimoku, kCmdSeparator, kCmdLineEditor, kCmdThumbnails, kCmdSeparator,
                 kCmdPriceUpdate, kCmdMarginUpdate, kCmdSeparator, kCmdAllStocks, kCmdCodeRange,
                 kCmdNameSearch}) {
    ids.push_back(id);
  }
  addCommands(bar, ids);
}

void CMainFrame::createStatusBar() {
  for (int i = 0; i < 3; ++i) statusPanes_[i] = new QLabel(this);
  statusBar()->addWidget(statusPanes_[0], 1);        // the read-out
  statusBar()->addPermanentWidget(statusPanes_[1]);  // the stock shown
  statusBar()->addPermanentWidget(statusPanes_[2]);  // the chart period
}

void CMainFrame::createDocks() {
  listDock_ = new QDockWidget("銘柄リスト", this);
  listDock_->setObjectName("stockListBar");
  stockList_ = new QListWidget(listDock_);
  stockList_->setObjectName("1001");
  listDock_->setWidget(stockList_);
  addDockWidget(Qt::LeftDockWidgetArea, listDock_);

  detailDock_ = new QDockWidget("詳細情報", this);
  detailDock_->setObjectName("detailBar");
  // The detail bar scrolls vertically, so that a short screen (or a large scale factor) can still
  // hold the whole window; its start width leaves room for the scroll bar.
  auto* detailScroller = new QScrollArea(detailDock_);
  detailBar_ = new CDetailBar(app_->settings(), detailScroller);
  detailScroller->setWidget(detailBar_);
  detailScroller->setWidgetResizable(true);
  detailScroller->setFrameShape(QFrame::NoFrame);
  detailScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  detailDock_->setWidget(detailScroller);
  addDockWidget(Qt::RightDockWidgetArea, detailDock_);
  // The bars start wide enough for their texts; the user may widen them, and they keep their
  // width when the window is resized.
  for (QDockWidget* dock : {listDock_, detailDock_}) dock->setMinimumWidth(kSideBarWidth);
  const int detailWidth =
      detailBar_->sizeHint().width() + detailScroller->verticalScrollBar()->sizeHint().width();
  resizeDocks({listDock_, detailDock_}, {listWidthForRows(), detailWidth}, Qt::Horizontal);

  // A stock opens when the user selects its row; a row made current by the list itself (a
  // refill, the focus coming back) opens nothing.
  connect(stockList_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> picked = stockList_->selectedItems();
    if (picked.size() == 1) OpenListRow(stockList_->row(picked.front()));
  });
  connect(detailBar_, &CDetailBar::DayPicked, this, &CMainFrame::showDayOfPicker);
  for (QDockWidget* dock : {listDock_, detailDock_}) {
    connect(dock, &QDockWidget::visibilityChanged, this, [this] {
      updateCommandStates();
      applySpanRule();
    });
    connect(dock, &QDockWidget::topLevelChanged, this, [this] { applySpanRule(); });
  }
}

int CMainFrame::listWidthForRows() const {
  // Code, space and a name of ten full-width characters, or the widest row when that is more,
  // within reason.
  const QFontMetrics metrics = stockList_->fontMetrics();
  int widest = metrics.horizontalAdvance(QString("0000 ") + QString(10, QChar(0x3042)));
  for (const StockListRow& row : doc_->list().rows) {
    widest = std::max(widest, metrics.horizontalAdvance(FromCp932(row.text)));
  }
  const int frame = 2 * stockList_->frameWidth() + 8 +
                    stockList_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return std::clamp(widest + frame, kSideBarWidth, 360);
}

void CMainFrame::updateCommandStates() {
  actions_[kCmdStockListBar]->setChecked(listDock_ && listDock_->isVisible());
  actions_[kCmdDetailBar]->setChecked(detailDock_ && detailDock_->isVisible());
  if (QAction* a = action(doc_->chartPeriod())) a->setChecked(true);
  const bool hasList = doc_->dictionary() != nullptr;
  actions_[kCmdSaveList]->setEnabled(hasList && !doc_->list().rows.empty());
  actions_[kCmdQuoteDetail]->setEnabled(true);
  actions_[kCmdRuleEditor]->setChecked(ruleEditor_ != nullptr);
  for (int id : {kCmdDailyTable, kCmdWeeklyTable, kCmdMonthlyTable}) {
    actions_[id]->setChecked(table_ && doc_->tablePeriod() == id);
  }
  actions_[kCmdLineEditor]->setChecked(lineEditor_ != nullptr);
  actions_[kCmdThumbnails]->setChecked(thumbnails_ != nullptr);
  actions_[kCmdSignalChart]->setChecked(signalChart_ != nullptr);
  actions_[kCmdIchimoku]->setChecked(ichimoku_ != nullptr);
  for (int kind : {kChartKagi, kChartNewPrice, kChartReverseWatch}) {
    actions_[kind]->setChecked(extraChartWindow(kind) != nullptr);
  }
}

void CMainFrame::RefreshStockList() {
  {
    QSignalBlocker quiet(stockList_);
    stockList_->clear();
    for (const StockListRow& row : doc_->list().rows) stockList_->addItem(FromCp932(row.text));
  }
  selectShownStock();
  setWindowTitle(FromCp932(doc_->list().title) + " - Korvale");
  // A list command, rule or ranking that found nothing says so rather than leaving the list
  // silently empty.
  if (doc_->list().rows.empty() && doc_->dictionary() && doc_->dictionary()->itemCount > 0) {
    ShowStatusMessage(QString("%1: 該当する銘柄はありません").arg(FromCp932(doc_->list().title)));
  }
  // The thumbnail window tabulates the shown list under the list's title.
  if (thumbnails_) thumbnails_->ShowList(doc_->list());
  updateCommandStates();
  view_->Redraw();
}

void CMainFrame::selectShownStock() {
  QSignalBlocker quiet(stockList_);
  const std::vector<StockListRow>& rows = doc_->list().rows;
  int shownRow = -1;
  for (size_t i = 0; doc_->painter() && i < rows.size(); ++i) {
    if (rows[i].itemData != 0 && rows[i].code == doc_->code()) {
      shownRow = static_cast<int>(i);
      break;
    }
  }
  // The shown stock stays selected when the list holds it. Otherwise the first row is made
  // current without selecting it, so that the list does not pick it by itself when it gets the
  // focus back.
  if (shownRow >= 0) {
    stockList_->setCurrentRow(shownRow);
    stockList_->scrollToItem(stockList_->item(shownRow));
  } else if (!rows.empty()) {
    stockList_->clearSelection();
    stockList_->setCurrentRow(0, QItemSelectionModel::NoUpdate);
  }
}

void CMainFrame::setChartPeriod(int period) {
  doc_->SetChartPeriod(period);
  statusPanes_[2]->setText(QString::fromUtf8(ChartKindOrDaily(period).caption));
  updateCommandStates();
  view_->ShowLatest();
}

void CMainFrame::applySpanRule() {
  const bool listDocked = listDock_->isVisible() && !listDock_->isFloating();
  const bool detailDocked = detailDock_->isVisible() && !detailDock_->isFloating();
  view_->SetDockedBars((listDocked ? 1 : 0) + (detailDocked ? 1 : 0));
  if (ApplyAutomaticSpan(&app_->settings(), width(), listDocked, detailDocked)) {
    doc_->ApplySettings();
    // A chart looking back stays on its days; otherwise the newest bars are shown.
    if (view_->barsAfter() > 0) {
      view_->Redraw();
    } else {
      view_->ShowLatest();
    }
    refreshChildWindows();
  }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (listDock_) applySpanRule();
}

void CMainFrame::OpenListRow(int row) {
  if (row < 0) return;
  if (app_->settings().dataSourceMode != 0) {
    web_->OpenRow(row);  // the fetch from the network redraws when it ends
    return;
  }
  if (!doc_->OpenRow(row)) return;
  // Every view shows the new stock before a message box lets events run.
  afterStockOpened();
  if (!doc_->lineSaveError().empty()) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" +
              QString::fromStdString(doc_->lineSaveError()));
  }
}

void CMainFrame::afterStockOpened() {
  statusPanes_[1]->setText(
      QString("%1 %2").arg(doc_->code(), 4, 10, QChar('0')).arg(FromCp932(doc_->stockName())));
  const StockInfo& info = doc_->stockInfo();
  detailBar_->ShowStockInfo(MakeStockInfoTexts(doc_->stockName(), doc_->market(), doc_->industry(),
                                               info.text1, info.text2, info.figures));
  // The day page starts on the newest bar.
  const CPriceSeries& s = doc_->series();
  if (CChartPainter* painter = doc_->painter(); painter && s.barCount() > 0) {
    const int last = painter->windowCount() - 1;
    const PriceBar& bar = s.bars[s.barCount() - 1];
    DayValues v = DayValuesOf(
        bar, s.barCount() > 1 && last > 0 ? bar.close - s.bars[s.barCount() - 2].close : 0);
    SetIndicatorValues(painter->IndicatorValuesAt(last), &v);
    detailBar_->ShowDay(CDetailBar::kDayPage, v.year, v.month, v.day, MakeDayTexts(v));
  }
  setWindowTitle(FromCp932(doc_->title()) + " - Korvale");
  selectShownStock();
  view_->ShowLatest();
  refreshChildWindows();
  showReadProblems();
  // Editing starts over on the new stock's chart.
  if (lineEditor_) lineEditor_->DocumentChanged();
}

void CMainFrame::showReadProblems() {
  const std::vector<std::string> problems = doc_->series().readProblems();
  if (problems.empty()) return;
  QString text;
  for (const std::string& problem : problems) text += QString::fromStdString(problem) + "\n";
  // A price file that was not read at all leaves an empty chart: that needs an answer. A file
  // read up to a damaged end is only worth a word in the status bar.
  if (doc_->series().priceFileRefused()) {
    showError(text.trimmed());
  } else {
    statusBar()->showMessage(text.trimmed().replace('\n', "; "), 15000);
  }
}

void CMainFrame::showDayOfPicker(const QDate& date) {
  CChartPainter* painter = doc_->painter();
  if (!painter) return;
  const CPriceSeries& s = doc_->series();
  const int hidden = painter->hiddenCount();
  for (int w = painter->windowCount() - 1; w >= 0; --w) {
    const PriceBar& bar = s.bars[hidden + w];
    if (bar.year != date.year() || bar.month != date.month() || bar.day != date.day()) continue;
    DayValues v = DayValuesOf(bar, w > 0 ? bar.close - s.bars[hidden + w - 1].close : 0);
    SetIndicatorValues(painter->IndicatorValuesAt(w), &v);
    detailBar_->ShowDay(CDetailBar::kDayPage, 0, 0, 0, MakeDayTexts(v));
    return;
  }
  detailBar_->ClearDay(CDetailBar::kDayPage);
}

void CMainFrame::showReadOut(const QString& text, const ChartHit& hit, int chartKind) {
  statusPanes_[0]->setText(text);
  if (detailBar_->detailPage() != CDetailBar::kMousePage || !hit.found) return;
  DayValues v = DayValuesOf(hit);
  DayTexts texts;
  if (chartKind != kChartWeekly && chartKind != kChartMonthly && doc_->painter()) {
    SetIndicatorValues(doc_->painter()->IndicatorValuesAt(hit.index), &v);
    texts = MakeDayTexts(v);
  } else {
    // Weekly and monthly bars have no indicator values: those fields stay cleared.
    DayTexts cleared = ClearedDayTexts();
    texts = MakeDayTexts(v);
    texts.maShort = texts.deviationShort = texts.maLong = texts.deviationLong = cleared.maShort;
    texts.rci1 = texts.rci2 = texts.rsi1 = texts.rsi2 = cleared.rci1;
    texts.stochK = texts.stochD = texts.volumeRatio = cleared.stochK;
  }
  detailBar_->ShowDay(CDetailBar::kMousePage, v.year, v.month, v.day, texts);
}

void CMainFrame::ShowStatusMessage(const QString& text) {
  statusBar()->showMessage(text, kStatusMessageMilliseconds);
}

void CMainFrame::showError(const QString& message) {
  QMessageBox::warning(this, QString::fromUtf8(kErrorCaption), message);
}

void CMainFrame::showList(const std::function<void(CKorvaleDoc&)>& fill) {
  fill(*doc_);
  RefreshStockList();
}

void CMainFrame::toggleDock(QDockWidget* dock) { dock->setVisible(!dock->isVisible()); }

void CMainFrame::askCodeRange() {
  bool ok = false;
  const int n = QInputDialog::getInt(this, "証券コード", "証券コード", 0, 0, 9999, 1, &ok);
  if (!ok) return;
  showList([n](CKorvaleDoc& d) { d.ShowCodeRange(n); });
}

void CMainFrame::askNameSearch() {
  bool ok = false;
  const QString text = QInputDialog::getText(this, "銘柄名", "銘柄名", QLineEdit::Normal, "", &ok);
  if (!ok) return;
  showList([&text](CKorvaleDoc& d) { d.ShowNameSearch(ToCp932(text)); });
}

void CMainFrame::openListFile() {
  const QString path = QFileDialog::getOpenFileName(
      this, "リストを開く", app_->settings().dataRootDir, "リスト Files (*.LST *.lst)");
  if (path.isEmpty()) return;
  if (doc_->OpenListFile(path.toStdString())) recent_->Add(path);
  RefreshStockList();
}

void CMainFrame::saveListFile() {
  QString path = QFileDialog::getSaveFileName(
      this, "リストを保存", QDir(app_->settings().dataRootDir).filePath("Untitled.LST"),
      "リスト Files (*.LST *.lst)");
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".LST";
  std::string error;
  if (!doc_->SaveListFile(path.toStdString(), &error)) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
  }
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
  const auto result = QFileInfo(path).isFile()
                          ? doc_->OpenFile(QFileInfo(path).absoluteFilePath().toStdString())
                          : CKorvaleDoc::OpenResult::kIgnored;
  if (result == CKorvaleDoc::OpenResult::kStock) {
    afterStockOpened();
  } else if (result == CKorvaleDoc::OpenResult::kList) {
    RefreshStockList();
  } else {
    showError(QString("%1 cannot open").arg(path));
    return false;
  }
  recent_->Add(path);
  return true;
}

void CMainFrame::newWindow() {
  CMainFrame* frame = app_->CreateWindowFor(doc_->NewWindowDocument());
  frame->show();
}

CRuleEditorFrame* CMainFrame::ruleEditor() const { return ruleEditor_; }
CTableFrame* CMainFrame::priceTable() const { return table_; }
CFreeLineEditFrame* CMainFrame::lineEditor() const { return lineEditor_; }
CThumbnailFrame* CMainFrame::thumbnails() const { return thumbnails_; }

void CMainFrame::ShowListedStocks(const QString& thumbnailTitle) {
  RefreshStockList();
  if (thumbnails_ && !thumbnailTitle.isEmpty()) thumbnails_->SetTitle(thumbnailTitle);
}

void CMainFrame::choosePriceTable(int kind) {
  if (table_ && doc_->tablePeriod() == kind) {
    table_->close();  // its destruction records that no table is open
    return;
  }
  doc_->SetTablePeriod(kind);
  if (table_) {
    table_->Refresh();
  } else {
    table_ = new CTableFrame(doc_, app_->settings(), this);
    connect(table_, &CTableFrame::KindChosen, this, &CMainFrame::updateCommandStates);
    connect(table_, &CTableFrame::SettingsWanted, this,
            [this] { editSettingsAt(kSettingsPageAuxiliary, table_); });
    connect(table_, &QObject::destroyed, this, [this] {
      table_ = nullptr;
      doc_->SetTablePeriod(0);
      updateCommandStates();
    });
    table_->show();
  }
  updateCommandStates();
}

void CMainFrame::toggleLineEditor() {
  if (lineEditor_) {
    lineEditor_->close();  // it writes the lines as it goes
    return;
  }
  lineEditor_ = new CFreeLineEditFrame(doc_, app_->settings(), this);
  // Every change of the lines shows in the main chart too.
  connect(lineEditor_, &CFreeLineEditFrame::LinesChanged, view_, &CKorvaleView::Redraw);
  connect(lineEditor_, &QObject::destroyed, this, [this] {
    lineEditor_ = nullptr;
    updateCommandStates();
  });
  lineEditor_->show();
  updateCommandStates();
}

void CMainFrame::toggleThumbnails() {
  if (app_->settings().dataSourceMode != 0) return;  // the local folders only
  if (thumbnails_) {
    thumbnails_->close();
    return;
  }
  thumbnails_ = new CThumbnailFrame(app_->settings(), *doc_->dictionary(), this);
  thumbnails_->ShowList(doc_->list());
  // A click opens the stock as picking its row in the list does.
  connect(thumbnails_, &CThumbnailFrame::StockChosen, this,
          [this](int row) { stockList_->setCurrentRow(row); });
  connect(thumbnails_, &QObject::destroyed, this, [this] {
    thumbnails_ = nullptr;
    updateCommandStates();
  });
  thumbnails_->show();
  updateCommandStates();
}

void CMainFrame::toggleRuleEditor() {
  if (ruleEditor_) {
    ruleEditor_->close();  // its destruction unchecks the command
    return;
  }
  ruleEditor_ = new CRuleEditorFrame(&app_->rules(), this);
  // However the window goes (this command, its own close box), the check mark follows.
  connect(ruleEditor_, &QObject::destroyed, this, [this] {
    ruleEditor_ = nullptr;  // a closing widget reports itself before its guards are cleared
    updateCommandStates();
  });
  ruleEditor_->show();
  updateCommandStates();
}

QString CMainFrame::GuidePath() {
  // The data root's own doc/ first, as the program has always looked; then the installed
  // guide; then the source tree's, for a program run from its build folder.
  QStringList places = {QDir::current().filePath("doc/index.html")};
#ifdef KORVALE_GUIDE_DIR
  places << QString(KORVALE_GUIDE_DIR) + "/index.html";
#endif
#ifdef KORVALE_SOURCE_GUIDE_DIR
  places << QString(KORVALE_SOURCE_GUIDE_DIR) + "/index.html";
#endif
  for (const QString& path : places) {
    if (QFileInfo(path).isFile()) return path;
  }
  return {};
}

CSignalChartFrame* CMainFrame::signalChart() const { return signalChart_; }

void CMainFrame::toggleSignalChart() {
  if (signalChart_) {
    signalChart_->close();  // its destruction unchecks the command
    return;
  }
  signalChart_ = new CSignalChartFrame(app_, this);
  connect(signalChart_, &QObject::destroyed, this, [this] {
    signalChart_ = nullptr;
    updateCommandStates();
  });
  signalChart_->show();
  updateCommandStates();
}

CIMokChartFrm* CMainFrame::ichimokuWindow() const { return ichimoku_; }

CExtraChartFrame* CMainFrame::extraChartWindow(int kindId) const {
  auto it = extraCharts_.find(kindId);
  return it == extraCharts_.end() ? nullptr : it->second.data();
}

void CMainFrame::toggleIchimoku() {
  if (ichimoku_) {
    ichimoku_->close();  // its destruction unchecks the command
    return;
  }
  ichimoku_ = new CIMokChartFrm(app_, doc_, this);
  connect(ichimoku_, &CIMokChartFrm::SettingsApplied, this, [this] { settingsApplied(); });
  connect(ichimoku_, &QObject::destroyed, this, [this] {
    ichimoku_ = nullptr;
    updateCommandStates();
  });
  ichimoku_->show();
  ichimoku_->Refresh();  // scrolled to the newest bars at the size it shows
  updateCommandStates();
}

void CMainFrame::toggleExtraChart(int kindId) {
  if (CExtraChartFrame* open = extraChartWindow(kindId)) {
    open->close();  // its destruction unchecks the command
    return;
  }
  auto* frame = new CExtraChartFrame(doc_, app_->settings(), kindId, this);
  extraCharts_[kindId] = frame;
  connect(frame, &QObject::destroyed, this, [this, kindId] {
    extraCharts_.erase(kindId);
    updateCommandStates();
  });
  frame->show();
  updateCommandStates();
}

void CMainFrame::refreshChildWindows() {
  if (ichimoku_) ichimoku_->Refresh();
  if (signalChart_) signalChart_->Redraw();
  for (auto& [kind, frame] : extraCharts_) {
    if (frame) frame->Refresh();
  }
  if (table_) table_->Refresh();
  // The editor draws through the same painter; its selection stays.
  if (lineEditor_) lineEditor_->view()->Redraw();
}

void CMainFrame::openHelp() {
  const QString path = GuidePath();
  if (path.isEmpty()) {
    showError("ヘルプ（doc/index.html）が見つかりません。");
  } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    showError(QString("ヘルプ %1 を表示できるブラウザがありません。").arg(path));
  }
}

void CMainFrame::openQuotePage() {
  const SettingsRecord& s = app_->settings();
  QString url = QString::fromStdString(Cp932ToUtf8(s.quoteSearchUrl));
  if (doc_->painter() && doc_->code() > 0) {
    if (s.dataSourceMode == 2) {
      std::string name, symbol;
      int industry = 0;
      doc_->dictionary()->names.Lookup(doc_->code(), &name, &industry, &symbol);
      url += QString("q?s=%1&d=t").arg(QString::fromStdString(symbol));
    } else {
      url += QString("q?s=%1&d=t").arg(doc_->code());
    }
  }
  if (!QDesktopServices::openUrl(QUrl(url))) showError(QString("%1 cannot open").arg(url));
}

void CMainFrame::about() {
  QMessageBox::about(this, "バージョン情報", "Korvale Version 0.1\n株価チャート・銘柄抽出");
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) OpenDocumentFile(url.toLocalFile());
  }
}

void CMainFrame::restoreWindowState() {
  QSettings* store = app_->windowSettings();
  restoreGeometry(store->value("mainWindow/geometry").toByteArray());
  // The settings record's window size, when it has one, wins over the kept geometry's size.
  if (const WindowSize stored = StoredWindowSize(app_->settings(), KeptWindow::kMain);
      stored.width > 0 && !isMaximized() && !isFullScreen()) {
    resize(stored.width, stored.height);
  }
  // A size kept on a larger screen or at a smaller scale factor would put the status bar and the
  // lower panes out of reach: the window never starts larger than the screen's free area (also
  // its normal size under a kept maximized state, which Qt may not restore on another screen).
  if (const QScreen* screen = this->screen()) {
    const QRect room = screen->availableGeometry();
    // The window manager's title bar is not in the frame geometry before the window is shown.
    const int titleBar = 2 * fontMetrics().height();
    resize(size().boundedTo(room.size() - QSize(0, titleBar)));
    if (!room.contains(QRect(pos(), size() + QSize(0, titleBar)))) move(room.topLeft());
  }
  restoreState(store->value("mainWindow/state").toByteArray());
  detailBar_->SetPage(store->value("mainWindow/detailPage", detailBar_->detailPage()).toInt());
}

void CMainFrame::saveWindowState() {
  QSettings* store = app_->windowSettings();
  store->setValue("mainWindow/geometry", saveGeometry());
  store->setValue("mainWindow/state", saveState());
  store->setValue("mainWindow/detailPage", detailBar_->detailPage());
  store->sync();
}

void CMainFrame::editSettings() {
  editSettingsAt(CSettingsDialog::PageOfChart(doc_->chartPeriod()), this);
}

void CMainFrame::editSettingsAt(int page, QWidget* parent) {
  if (CSettingsDialog::Edit(app_, page, parent)) settingsApplied();
}

void CMainFrame::settingsApplied() {
  // The span rule sees the new values, the painter takes a fresh copy (a new colour theme waits
  // for the next painter) and the chart and the windows drawn by the same painter repaint.
  applySpanRule();
  doc_->ApplySettings();
  view_->Redraw();
  refreshChildWindows();
  if (thumbnails_) thumbnails_->ApplySettings(app_->settings());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  KeepClosingWindowSize(*this, KeptWindow::kMain, &app_->settings());
  saveWindowState();
  std::string error;
  if (!doc_->SaveTrendLines(&error)) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
  }
  QMainWindow::closeEvent(event);
}

}  // namespace korvale
