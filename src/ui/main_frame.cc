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
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>

#include "acquisition/import_dictionary_update.h"
#include "acquisition/import_sources.h"
#include "acquisition/margin_update_job.h"
#include "acquisition/price_update_job.h"
#include "app/detail_panel.h"
#include "app/korvale_doc.h"
#include "app/main_window_layout.h"
#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "store/market_industry_tables.h"
#include "store/user_messages.h"
#include "ui/detail_bar.h"
#include "ui/import_options_dialog.h"
#include "ui/analize_frame.h"
#include "ui/analysis_batch_dialog.h"
#include "ui/analysis_command.h"
#include "ui/korvale_app.h"
#include "ui/korvale_view.h"
#include "ui/rule_editor_frame.h"
#include "ui/update_progress_dialog.h"
#include "ui/web_mode_command.h"

namespace korvale {

namespace {

// Command ids of the main menu.
enum Command : int {
  kCmdPriceUpdate = 32771,
  kCmdPriceTableDaily = 32775,
  kCmdAllStocks = 32781,
  kCmdNameSearch = 32782,
  kCmdCodeRange = 32783,
  kCmdOpenList = 32812,
  kCmdHelp = 32830,
  kCmdMarginUpdate = 32831,
  kCmdStockListBar = 32851,
  kCmdAnalyze = 32870,
  kCmdRuleEditor = 32872,
  kCmdQuoteDetail = 32879,
  kCmdDetailBar = 32904,
  kCmdDictionaryFromImport = 32911,
  kCmdNewWindow = 57600,
  kCmdSaveList = 57603,
  kCmdAbout = 57664,
  kCmdExit = 57665,
};

QString FromCp932(const std::string& cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }
std::string ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

// A file pattern matching without regard to case, as the daily files' patterns are meant:
// "ds*.*" becomes "[dD][sS]*.*".
QString AnyCasePattern(const std::string& pattern) {
  QString out;
  for (QChar c : QString::fromStdString(pattern)) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      out += QString("[%1%2]").arg(c.toLower()).arg(c.toUpper());
    } else {
      out += c;
    }
  }
  return out;
}

// The open-file dialog's filters, one per import source in list order.
QStringList ImportFilters(const ImportSourceList& list) {
  QStringList filters;
  for (const ImportFileType& type : ImportFileTypes(list)) {
    QStringList patterns;
    for (const std::string& p : type.patterns) patterns << AnyCasePattern(p);
    filters << QString("%1 (%2)").arg(QString::fromStdString(type.description), patterns.join(' '));
  }
  return filters;
}

const char* PeriodName(int period) {
  switch (period) {
    case kChartWeekly:
      return "週足";
    case kChartMonthly:
      return "月足";
    default:
      return "日足";
  }
}

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
  web_ = new CWebModeCommand(app_, this);
  connect(web_, &CWebModeCommand::StockShown, this, &CMainFrame::afterStockOpened);
  RefreshStockList();
  setChartPeriod(doc_->chartPeriod());
  if (doc_->painter()) afterStockOpened();
}

// The document goes with its window; nothing paints once the destructor runs.
CMainFrame::~CMainFrame() {
  // The docks report their hiding while the window is torn down; nobody listens any more.
  listDock_->disconnect(this);
  detailDock_->disconnect(this);
  // The child windows close with the main window, before its document goes.
  if (ruleEditor_) {
    ruleEditor_->disconnect(this);
    delete ruleEditor_;
  }
  delete analysis_->batchDialog();
  qDeleteAll(findChildren<CAnalizeFrame*>(Qt::FindDirectChildrenOnly));
  app_->WindowClosed(this);
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

void CMainFrame::createActions() {
  periodGroup_ = new QActionGroup(this);
  for (int period : {kChartDaily, kChartWeekly, kChartMonthly}) {
    QAction* a = addCommand(
        period, PeriodName(period), [this, period] { setChartPeriod(period); }, true);
    periodGroup_->addAction(a);
  }
  addCommand(kCmdNewWindow, "新規ウインドウ(&N)", [this] { newWindow(); });
  addCommand(
      kCmdStockListBar, "銘柄リスト", [this] { listDock_->setVisible(!listDock_->isVisible()); },
      true);
  addCommand(
      kCmdDetailBar, "詳細情報", [this] { detailDock_->setVisible(!detailDock_->isVisible()); },
      true);
  addCommand(kCmdHelp, "ヘルプ...", [this] { openHelp(); });
  addCommand(kCmdQuoteDetail, "詳細情報", [this] { openQuotePage(); });
  analysis_ = new CAnalysisCommand(app_, this);
  QAction* analyze = addCommand(kCmdAnalyze, "分析...", [this] { analysis_->Run(); });
  analyze->setStatusTip("銘柄分析抽出ウインドウを開く");
  analyze->setToolTip("分析");
  addCommand(kCmdRuleEditor, "銘柄抽出条件編集...", [this] { toggleRuleEditor(); }, true);
  addCommand(kCmdAbout, "バージョン情報(&A)...", [this] { about(); });
  addCommand(kCmdExit, "終了(&X)", [this] { close(); });
  addCommand(kCmdPriceUpdate, "株価データの更新...", [this] { updatePrices(); });
  actions_[kCmdPriceUpdate]->setStatusTip("株価データの更新");
  actions_[kCmdPriceUpdate]->setToolTip("株価更新");
  addCommand(kCmdMarginUpdate, "信用残データの更新...", [this] { updateMargins(); });
  actions_[kCmdMarginUpdate]->setStatusTip("信用残データの更新");
  actions_[kCmdMarginUpdate]->setToolTip("信用残更新");
  addCommand(kCmdDictionaryFromImport, QString::fromUtf8(kZentakDictionaryUpdateMenu),
             [this] { updateDictionaryFromImportFile(); });

  addCommand(kCmdAllStocks, "全銘柄", [this] {
    doc_->ShowAll();
    RefreshStockList();
  });
  addCommand(kCmdCodeRange, "証券コード...", [this] { askCodeRange(); });
  addCommand(kCmdNameSearch, "銘柄名...", [this] { askNameSearch(); });
  addCommand(kCmdOpenList, "リストを開く...", [this] { openListFile(); });
  addCommand(kCmdSaveList, "リストを保存(&S)", [this] { saveListFile(); });
  actions_[kCmdOpenList]->setShortcut(QKeySequence::Open);
  actions_[kCmdSaveList]->setShortcut(QKeySequence::Save);

  // The market and industry commands, in the order of their codes.
  for (int market = 1; market < kMarketCount; ++market) {
    for (int id = 32700; id < 33000; ++id) {
      if (MarketOfCommand(id) != market) continue;
      addCommand(id, MarketNameUtf8(market), [this, market] {
        doc_->ShowMarket(market);
        RefreshStockList();
      });
    }
  }
  for (int industry = 1; industry <= kIndustryCount; ++industry) {
    const int code = industry % kIndustryCount;  // "その他・未定義" (0) comes last
    for (int id = 32700; id < 33000; ++id) {
      if (IndustryOfCommand(id) != code) continue;
      addCommand(id, IndustryNameUtf8(code), [this, code] {
        doc_->ShowIndustry(code);
        RefreshStockList();
      });
    }
  }
}

void CMainFrame::createMenus() {
  // Local mode has the full menu; the remote modes have the second menu, with the quote
  // page's "詳細情報" in place of the local-only commands.
  const bool local = app_->settings().dataSourceMode == 0;
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  file->addAction(actions_[kCmdOpenList]);
  file->addAction(actions_[kCmdSaveList]);
  file->addSeparator();
  if (local) {
    file->addAction(actions_[kCmdPriceUpdate]);
    file->addAction(actions_[kCmdMarginUpdate]);
    file->addSeparator();
  }
  file->addAction(actions_[kCmdExit]);

  QMenu* chart = menuBar()->addMenu("チャート(&C)");
  for (int period : {kChartDaily, kChartWeekly, kChartMonthly}) chart->addAction(actions_[period]);

  QMenu* stocks = menuBar()->addMenu("銘柄(&S)");
  stocks->addAction(actions_[kCmdAllStocks]);
  stocks->addAction(actions_[kCmdCodeRange]);
  stocks->addAction(actions_[kCmdNameSearch]);
  marketMenu_ = stocks->addMenu("市場");
  industryMenu_ = stocks->addMenu("業種");
  for (const auto& [id, a] : actions_) {
    (void)a;
    if (MarketOfCommand(id) >= 0) marketMenu_->addAction(actions_[id]);
  }
  for (int industry = 1; industry <= kIndustryCount; ++industry) {
    for (const auto& [id, a] : actions_) {
      if (IndustryOfCommand(id) == industry % kIndustryCount) industryMenu_->addAction(a);
    }
  }
  // The market commands in the order of their codes, not their ids.
  marketMenu_->clear();
  for (int market = 1; market < kMarketCount; ++market) {
    for (const auto& [id, a] : actions_) {
      if (MarketOfCommand(id) == market) marketMenu_->addAction(a);
    }
  }

  QMenu* analysis = menuBar()->addMenu("分析(&A)");
  analysis->addAction(actions_[kCmdAnalyze]);
  analysis->addSeparator();
  analysis->addAction(actions_[kCmdRuleEditor]);

  if (local) {
    QMenu* maintenance = menuBar()->addMenu("メンテナンス(&M)");
    maintenance->addAction(actions_[kCmdDictionaryFromImport]);
  }

  QMenu* window = menuBar()->addMenu("ウインドウ(&W)");
  window->addAction(actions_[kCmdNewWindow]);
  window->addSeparator();
  window->addAction(actions_[kCmdStockListBar]);
  window->addAction(actions_[kCmdDetailBar]);

  if (!local) menuBar()->addAction(actions_[kCmdQuoteDetail]);

  QMenu* help = menuBar()->addMenu("ヘルプ(&H)");
  help->addAction(actions_[kCmdHelp]);
  help->addAction(actions_[kCmdAbout]);
}

void CMainFrame::createToolBar() {
  QToolBar* bar = addToolBar("ツールバー");
  bar->setObjectName("toolbar");
  bar->addAction(actions_[kCmdOpenList]);
  bar->addAction(actions_[kCmdSaveList]);
  bar->addSeparator();
  for (int period : {kChartDaily, kChartWeekly, kChartMonthly}) bar->addAction(actions_[period]);
  if (app_->settings().dataSourceMode == 0) {
    bar->addSeparator();
    bar->addAction(actions_[kCmdPriceUpdate]);
    bar->addAction(actions_[kCmdMarginUpdate]);
  }
  bar->addSeparator();
  bar->addAction(actions_[kCmdAllStocks]);
  bar->addAction(actions_[kCmdCodeRange]);
  bar->addAction(actions_[kCmdNameSearch]);
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
  listDock_->setFixedWidth(kSideBarWidth);
  addDockWidget(Qt::LeftDockWidgetArea, listDock_);

  detailDock_ = new QDockWidget("詳細情報", this);
  detailDock_->setObjectName("detailBar");
  detailBar_ = new CDetailBar(app_->settings(), detailDock_);
  detailDock_->setWidget(detailBar_);
  detailDock_->setFixedWidth(kSideBarWidth);
  addDockWidget(Qt::RightDockWidgetArea, detailDock_);

  connect(stockList_, &QListWidget::currentRowChanged, this, &CMainFrame::OpenListRow);
  connect(detailBar_, &CDetailBar::DayPicked, this, &CMainFrame::showDayOfPicker);
  for (QDockWidget* dock : {listDock_, detailDock_}) {
    connect(dock, &QDockWidget::visibilityChanged, this, [this] {
      updateCommandStates();
      applySpanRule();
    });
    connect(dock, &QDockWidget::topLevelChanged, this, [this] { applySpanRule(); });
  }
}

void CMainFrame::updateCommandStates() {
  actions_[kCmdStockListBar]->setChecked(listDock_ && listDock_->isVisible());
  actions_[kCmdDetailBar]->setChecked(detailDock_ && detailDock_->isVisible());
  if (QAction* a = action(doc_->chartPeriod())) a->setChecked(true);
  const bool hasList = doc_->dictionary() != nullptr;
  actions_[kCmdSaveList]->setEnabled(hasList && !doc_->list().rows.empty());
  actions_[kCmdQuoteDetail]->setEnabled(true);
  actions_[kCmdRuleEditor]->setChecked(ruleEditor_ != nullptr);
}

void CMainFrame::RefreshStockList() {
  QSignalBlocker quiet(stockList_);
  stockList_->clear();
  for (const StockListRow& row : doc_->list().rows) stockList_->addItem(FromCp932(row.text));
  setWindowTitle(FromCp932(doc_->list().title) + " - Korvale");
  updateCommandStates();
  view_->Redraw();
}

void CMainFrame::setChartPeriod(int period) {
  doc_->SetChartPeriod(period);
  statusPanes_[2]->setText(PeriodName(period));
  updateCommandStates();
  view_->ShowLatest();
}

void CMainFrame::applySpanRule() {
  const bool listDocked = listDock_->isVisible() && !listDock_->isFloating();
  const bool detailDocked = detailDock_->isVisible() && !detailDock_->isFloating();
  view_->SetDockedBars((listDocked ? 1 : 0) + (detailDocked ? 1 : 0));
  if (ApplyAutomaticSpan(&app_->settings(), width(), listDocked, detailDocked)) {
    doc_->ApplySettings();
    view_->ShowLatest();
  }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (listDock_) applySpanRule();
}

void CMainFrame::OpenListRow(int row) {
  if (row < 0) return;
  if (app_->settings().dataSourceMode == 2) {
    web_->OpenRow(row);  // the download redraws when it ends
    return;
  }
  if (!doc_->OpenRow(row)) return;
  if (!doc_->lineSaveError().empty()) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" +
              QString::fromStdString(doc_->lineSaveError()));
  }
  afterStockOpened();
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
    DayValues v =
        DayValuesOf(bar, s.barCount() > 1 && last > 0 ? bar.close - s.bars[s.barCount() - 2].close : 0);
    SetIndicatorValues(painter->IndicatorValuesAt(last), &v);
    detailBar_->ShowDay(CDetailBar::kDayPage, v.year, v.month, v.day, MakeDayTexts(v));
  }
  setWindowTitle(FromCp932(doc_->title()) + " - Korvale");
  view_->ShowLatest();
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

void CMainFrame::showError(const QString& message) { QMessageBox::warning(this, "Error", message); }

void CMainFrame::askCodeRange() {
  bool ok = false;
  const int n = QInputDialog::getInt(this, "証券コード", "証券コード", 0, 0, 9999, 1, &ok);
  if (!ok) return;
  doc_->ShowCodeRange(n);
  RefreshStockList();
}

void CMainFrame::askNameSearch() {
  bool ok = false;
  const QString text = QInputDialog::getText(this, "銘柄名", "銘柄名", QLineEdit::Normal, "", &ok);
  if (!ok) return;
  doc_->ShowNameSearch(ToCp932(text));
  RefreshStockList();
}

void CMainFrame::openListFile() {
  const QString path = QFileDialog::getOpenFileName(
      this, "リストを開く", app_->settings().dataRootDir, "リスト Files (*.LST *.lst)");
  if (path.isEmpty()) return;
  doc_->OpenListFile(path.toStdString());
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

void CMainFrame::OpenDocumentFile(const QString& path) {
  const auto result = doc_->OpenFile(QFileInfo(path).absoluteFilePath().toStdString());
  if (result == CKorvaleDoc::OpenResult::kStock) {
    afterStockOpened();
  } else if (result == CKorvaleDoc::OpenResult::kList) {
    RefreshStockList();
  } else {
    showError(QString("%1 cannot open").arg(path));
  }
}

void CMainFrame::newWindow() {
  CMainFrame* frame = app_->CreateWindowFor(doc_->NewWindowDocument());
  frame->show();
}

CRuleEditorFrame* CMainFrame::ruleEditor() const { return ruleEditor_; }

void CMainFrame::ShowListedStocks(const QString& thumbnailTitle) {
  RefreshStockList();
  // The thumbnail window, once there is one, takes `thumbnailTitle` as its document title here
  // and redraws from the new list.
  (void)thumbnailTitle;
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

void CMainFrame::openHelp() {
  const QString path = QDir::current().filePath("doc/index.html");
  if (!QFileInfo::exists(path) || !QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    showError(QString("%1 cannot open").arg(path));
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

void CMainFrame::runUpdateJob(std::unique_ptr<CUpdateJob> job, const char* caption) {
  auto* dialog = new CUpdateProgressDlg(std::move(job), QString::fromUtf8(caption), this);
  connect(dialog, &CUpdateProgressDlg::Closed, this, [this] {
    doc_->ShowAll();  // new stocks appear in the list
    RefreshStockList();
  });
  dialog->show();
  dialog->StartJob();
}

void CMainFrame::updatePrices() {
  const SettingsRecord& s = app_->settings();
  if (s.dataSourceMode != 0) return;
  ImportSourceList sources = LoadImportSources(s.dataRootDir);
  if (sources.sources.empty()) {
    QString text = QString::fromUtf8(kNoImportSourceMessage);
    for (const SkippedLibrary& skipped : sources.skipped) {
      text +=
          QString("\n%1: %2")
              .arg(QString::fromStdString(skipped.path), QString::fromStdString(skipped.reason));
    }
    showError(text);
    return;
  }
  CImportOptionsDlg options(this);
  if (options.exec() != QDialog::Accepted) return;
  const QStringList filters = ImportFilters(sources);
  QString chosenFilter = filters.value(0);
  const QStringList files = QFileDialog::getOpenFileNames(this, "株価データの更新", s.dataRootDir,
                                                          filters.join(";;"), &chosenFilter);
  if (files.isEmpty()) return;
  ImportSourcePtr source = ChooseImportSource(&sources, filters.indexOf(chosenFilter) + 1);
  if (!source) return;
  std::vector<std::string> paths;
  for (const QString& f : files) paths.push_back(f.toStdString());
  runUpdateJob(std::make_unique<CPriceUpdateJob>(std::move(source), doc_->mutableDictionary(),
                                                 &app_->folders(), s.dataRootDir, options.options(),
                                                 std::move(paths)),
               kPriceUpdateCaption);
}

void CMainFrame::updateMargins() {
  const SettingsRecord& s = app_->settings();
  if (s.dataSourceMode != 0) return;
  const QStringList files = QFileDialog::getOpenFileNames(
      this, "信用残データの更新", s.dataRootDir,
      QString("信用残 Files (%1 %2)").arg(AnyCasePattern("sz*.dat"), AnyCasePattern("ys*.*")));
  if (files.isEmpty()) return;
  std::vector<std::string> paths;
  for (const QString& f : files) paths.push_back(f.toStdString());
  runUpdateJob(
      std::make_unique<CMarginUpdateJob>(doc_->dictionary(), &app_->folders(), std::move(paths)),
      kMarginUpdateCaption);
}

void CMainFrame::updateDictionaryFromImportFile() {
  const SettingsRecord& s = app_->settings();
  if (s.dataSourceMode != 0) return;
  ImportSourceList sources = LoadImportSources(s.dataRootDir);
  if (sources.sources.empty()) {
    showError(QString::fromUtf8(kNoImportSourceMessage));
    return;
  }
  const QStringList filters = ImportFilters(sources);
  QString chosenFilter = filters.value(0);
  const QString file =
      QFileDialog::getOpenFileName(this, QString::fromUtf8(kZentakDictionaryUpdateMenu),
                                   s.dataRootDir, filters.join(";;"), &chosenFilter);
  if (file.isEmpty()) return;
  ImportSourcePtr source = ChooseImportSource(&sources, filters.indexOf(chosenFilter) + 1);
  if (!source) return;
  std::string error;
  if (!UpdateDictionaryFromImportFile(*source, file.toStdString(),
                                      DictionaryFilePath(s.dataRootDir), &error)) {
    showError(QString::fromStdString(error));
    return;
  }
  // The list shows the new names: the name table is read again and the stocks rescanned.
  doc_->mutableDictionary()->names.Load(s.dataRootDir);
  doc_->mutableDictionary()->Rebuild();
  doc_->ShowAll();
  RefreshStockList();
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

void CMainFrame::closeEvent(QCloseEvent* event) {
  std::string error;
  if (!doc_->SaveTrendLines(&error)) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
  }
  QMainWindow::closeEvent(event);
}

}  // namespace korvale
