// The main window as a user drives it, on a small sample database, with the offscreen platform.
#include "ui/main_frame.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDockWidget>
#include <QFile>
#include <QFontMetrics>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QScreen>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <set>
#include <vector>

#include "app/detail_panel.h"
#include "app/korvale_doc.h"
#include "charts/chart_kind.h"
#include "charts/chart_metrics.h"
#include "charts/recording_canvas.h"
#include "sample/sample_database.h"
#include "store/cp932.h"
#include "support/test_support.h"
#include "ui/detail_bar.h"
#include "ui/korvale_app.h"
#include "ui/korvale_view.h"
#include "ui/main_commands.h"
#include "ui/recent_files.h"
#include "ui/update_progress_dialog.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

// One QApplication for the whole suite.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char arg0[] = "ui_tests";
    static char* argv[] = {arg0, nullptr};
    if (!QApplication::instance()) app_ = new QApplication(argc, argv);
  }
  QApplication* app_ = nullptr;
};
[[maybe_unused]] ::testing::Environment* const kQt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

// A sample database shared by the suite (made once: it takes a moment).
const std::string& SampleRoot() {
  static testing::TempDir* dir = [] {
    auto* d = new testing::TempDir;
    SampleOptions options;
    options.stocks = 40;
    options.years = 2;
    std::string error;
    SampleSummary summary;
    if (!MakeSampleDatabase(d->path() + "/root", options, &summary, &error)) {
      ADD_FAILURE() << error;
    }
    return d;
  }();
  static const std::string root = dir->path() + "/root";
  return root;
}

class MainFrameTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    StartProgram(SampleRoot());
    ASSERT_TRUE(app_->startError().isEmpty());
  }

  QString Row(int i) const { return frame_->stockList()->item(i)->text(); }
};

TEST_F(MainFrameTest, StartsOnTheInformationTextWithEveryStockListed) {
  EXPECT_EQ(frame_->document()->painter(), nullptr);
  EXPECT_EQ(frame_->stockList()->count(), frame_->document()->dictionary()->itemCount);
  EXPECT_TRUE(Row(0).startsWith("1010 "));
  EXPECT_TRUE(frame_->windowTitle().startsWith("全銘柄"));
  EXPECT_GT(frame_->document()->latestYear(), 2000);
}

TEST_F(MainFrameTest, PickingARowOpensTheStockAndFillsTheDetailBar) {
  Pick(3);
  CKorvaleDoc* doc = frame_->document();
  ASSERT_NE(doc->painter(), nullptr);
  EXPECT_TRUE(Row(3).startsWith(QString("%1").arg(doc->code(), 4, 10, QChar('0'))));
  CDetailBar* bar = frame_->detailBar();
  EXPECT_EQ(bar->FieldText(CDetailBar::kStockPage, "name"),
            QString::fromStdString(Cp932ToUtf8(doc->stockName())));
  EXPECT_FALSE(bar->FieldText(CDetailBar::kStockPage, "market").isEmpty());
  EXPECT_FALSE(bar->FieldText(CDetailBar::kStockPage, "industry").isEmpty());
  // The day page shows the newest bar.
  const PriceBar& last = doc->series().bars[doc->series().barCount() - 1];
  EXPECT_EQ(bar->FieldText(CDetailBar::kDayPage, "close"), QString::number(last.close));
  // The status bar reads out the newest bar.
  EXPECT_TRUE(frame_->statusPane(0)->text().startsWith(
      QString("%1/%2/%3 ").arg(last.year).arg(last.month).arg(last.day)));
}

TEST_F(MainFrameTest, PeriodCommandsSwitchTheChartAndMoveTheCheck) {
  Pick(1);
  frame_->action(kChartWeekly)->trigger();
  EXPECT_EQ(frame_->document()->chartPeriod(), kChartWeekly);
  EXPECT_TRUE(frame_->action(kChartWeekly)->isChecked());
  EXPECT_FALSE(frame_->action(kChartDaily)->isChecked());
  EXPECT_EQ(frame_->statusPane(2)->text(), "週足");
  frame_->action(kChartMonthly)->trigger();
  EXPECT_TRUE(frame_->action(kChartMonthly)->isChecked());
  EXPECT_FALSE(frame_->action(kChartWeekly)->isChecked());
  // The monthly read-out has no day.
  EXPECT_EQ(frame_->statusPane(0)->text().count('/'), 1);
}

TEST_F(MainFrameTest, AutomaticSpanFollowsTheWindowWidthAndTheDockedBars) {
  app_->settings().dailySpanDays = 0;
  frame_->resize(800, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(app_->settings().dailySpanDays, 145);
  EXPECT_EQ(app_->settings().weeklySpanWeeks, 145);
  frame_->detailDock()->hide();
  QCoreApplication::processEvents();
  EXPECT_EQ(app_->settings().dailySpanDays, 172);
  frame_->detailDock()->show();
  frame_->resize(200, 600);
  QCoreApplication::processEvents();
  if (frame_->width() <= 220) {
    // Computed as 220 wide: (220 - 220) / 4, at least 1.
    EXPECT_EQ(app_->settings().dailySpanDays, 1);
  }
}

TEST_F(MainFrameTest, AFixedSpanIsKeptOnResize) {
  app_->settings().dailySpanDays = 100;
  app_->settings().dailyAutoPeriod = 0;
  frame_->resize(1200, 700);
  QCoreApplication::processEvents();
  frame_->resize(900, 700);
  QCoreApplication::processEvents();
  EXPECT_EQ(app_->settings().dailySpanDays, 100);
}

TEST_F(MainFrameTest, ReadOutOfAKnownBar) {
  Pick(2);
  CKorvaleDoc* doc = frame_->document();
  CChartPainter* painter = doc->painter();
  ASSERT_NE(painter, nullptr);
  const ChartHit last = frame_->view()->HitAt(-1, -1);
  ASSERT_TRUE(last.found);
  const int idx = painter->hiddenCount() + painter->windowCount() - 1;
  const PriceBar& bar = doc->series().bars[idx];
  EXPECT_EQ(last.close, bar.close);
  const int64_t change = int64_t{bar.close} - doc->series().bars[idx - 1].close;
  const QString sign = change > 0 ? "△" : change < 0 ? "▼" : "±";
  const QString expected = QString("%1/%2/%3 %4 %5 %6 %7 %8 %9%10")
                               .arg(bar.year)
                               .arg(bar.month)
                               .arg(bar.day)
                               .arg(bar.open)
                               .arg(bar.high)
                               .arg(bar.low)
                               .arg(bar.close)
                               .arg(bar.volume)
                               .arg(sign)
                               .arg(std::llabs(change));
  EXPECT_EQ(frame_->statusPane(0)->text(), expected);
}

TEST_F(MainFrameTest, TheDayPageFindsDisplayedDaysAndClearsOnASunday) {
  Pick(2);
  CKorvaleDoc* doc = frame_->document();
  const PriceBar& last = doc->series().bars[doc->series().barCount() - 1];
  CDetailBar* bar = frame_->detailBar();
  bar->SetPage(CDetailBar::kDayPage);
  QDateEdit* picker = bar->dayPicker();
  picker->setDate(QDate(2025, 12, 28));  // a Sunday
  EXPECT_EQ(bar->FieldText(CDetailBar::kDayPage, "close"), "0");
  EXPECT_EQ(bar->FieldText(CDetailBar::kDayPage, "rsi1"), " - ");
  picker->setDate(QDate(last.year, last.month, last.day));
  EXPECT_EQ(bar->FieldText(CDetailBar::kDayPage, "close"), QString::number(last.close));
}

TEST_F(MainFrameTest, TheMouseFollowPageFollowsTheReadOutOnlyWhileChosen) {
  Pick(2);
  CDetailBar* bar = frame_->detailBar();
  QWidget* viewport = frame_->view()->viewport();
  const QPoint at(viewport->width() - 20, viewport->height() / 4);
  QTest::mouseMove(viewport, at);
  QCoreApplication::processEvents();
  EXPECT_EQ(bar->FieldText(CDetailBar::kMousePage, "close"), "0");  // another page was shown
  bar->SetPage(CDetailBar::kMousePage);
  frame_->detailDock()->hide();  // hidden, the page still follows
  QTest::mouseMove(viewport, at + QPoint(-4, 0));
  QCoreApplication::processEvents();
  const ChartHit hit = frame_->view()->HitAt(at.x() - 4 + frame_->view()->scrollX(), at.y());
  ASSERT_TRUE(hit.found);
  EXPECT_EQ(bar->FieldText(CDetailBar::kMousePage, "close"), QString::number(hit.close));
  EXPECT_NE(bar->FieldText(CDetailBar::kMousePage, "rsi1"), "");
}

TEST_F(MainFrameTest, EveryListCommandFillsTheListAndSetsTheTitle) {
  frame_->action(32785)->trigger();  // market 1
  EXPECT_TRUE(frame_->windowTitle().startsWith("東証１部"));
  for (int i = 0; i < frame_->stockList()->count(); ++i) {
    const int item = frame_->document()->list().rows[i].itemIndex;
    EXPECT_EQ(frame_->document()->dictionary()->items[item].market, 1);
  }
  frame_->action(32903)->trigger();  // industry 0
  EXPECT_TRUE(frame_->windowTitle().startsWith("その他・未定義"));
  frame_->document()->ShowCodeRange(1);
  frame_->RefreshStockList();
  EXPECT_TRUE(frame_->windowTitle().startsWith("1000番台銘柄"));
  EXPECT_GT(frame_->stockList()->count(), 0);
  frame_->action(32781)->trigger();
  EXPECT_TRUE(frame_->windowTitle().startsWith("全銘柄"));
  EXPECT_EQ(frame_->stockList()->count(), frame_->document()->dictionary()->itemCount);
  frame_->OpenDocumentFile(QString::fromStdString(SampleRoot() + "/Banks.LST"));
  EXPECT_TRUE(frame_->windowTitle().startsWith("Banks.LST"));
  EXPECT_GT(frame_->stockList()->count(), 0);
}

// The list box gets the focus back as a user returns to it.
void FocusList(CMainFrame* frame) {
  QApplication::setActiveWindow(frame);
  frame->setFocus();
  frame->stockList()->setFocus(Qt::ActiveWindowFocusReason);
  QCoreApplication::processEvents();
}

TEST_F(MainFrameTest, RefillingTheListKeepsTheShownStockAndOpensNothingByItself) {
  Pick(5);
  const int shown = frame_->document()->code();
  // A refill holding the stock keeps its row selected.
  frame_->action(kCmdAllStocks)->trigger();
  FocusList(frame_);
  EXPECT_EQ(frame_->document()->code(), shown);
  EXPECT_EQ(frame_->stockList()->currentRow(), 5);
  EXPECT_TRUE(frame_->stockList()->item(5)->isSelected());
  // A dialog left with Escape, then a list without the stock: the chart stays as it was.
  bool answered = false;
  testing::AnswerNextDialog<QInputDialog>([](QInputDialog* d) { d->reject(); }, &answered);
  frame_->action(kCmdCodeRange)->trigger();
  EXPECT_TRUE(answered);
  frame_->action(32785)->trigger();  // market 1
  FocusList(frame_);
  EXPECT_EQ(frame_->document()->code(), shown);
  // The user's pick still opens the first row.
  Pick(0);
  EXPECT_EQ(frame_->document()->code(), frame_->document()->list().rows[0].code);
}

TEST(MainFrameUpdateTest, AnUpdateKeepsTheShownStock) {
  testing::EnsureQApplication();
  testing::TempDir dir;
  const std::string root = testing::CopySampleRoot(dir);
  ASSERT_FALSE(root.empty());
  CKorvaleApp app(QString::fromStdString(root), QString::fromStdString(dir.File("RootDir")));
  CMainFrame* frame = app.CreateFirstWindow();
  frame->show();
  frame->stockList()->setCurrentRow(7);
  const int shown = frame->document()->code();
  QStringList margins;
  for (const auto& e : std::filesystem::directory_iterator(root + "/Import")) {
    const QString name = QString::fromStdString(e.path().filename().string());
    if (name.startsWith("SZ", Qt::CaseInsensitive)) margins << name;
  }
  ASSERT_FALSE(margins.isEmpty());
  bool answered = false;
  testing::AnswerNextDialog<QFileDialog>(
      [&](QFileDialog* d) {
        d->setDirectory(QString::fromStdString(root + "/Import"));
        d->selectFile(margins.front());
        QMetaObject::invokeMethod(d, "accept");
      },
      &answered);
  frame->action(kCmdMarginUpdate)->trigger();
  ASSERT_TRUE(answered);
  for (int i = 0; i < 500 && frame->findChild<CUpdateProgressDlg*>(); ++i) {
    QTest::qWait(10);
  }
  FocusList(frame);
  EXPECT_EQ(frame->document()->code(), shown);
  EXPECT_TRUE(frame->stockList()->item(7)->isSelected());
  // What the update did stands in the status bar.
  EXPECT_TRUE(frame->statusBar()->currentMessage().startsWith("信用残データの更新完了: 1/1ファイル"))
      << frame->statusBar()->currentMessage().toStdString();
  // So does a search that finds nothing.
  frame->document()->ShowNameSearch("zzzz");
  frame->RefreshStockList();
  EXPECT_TRUE(frame->statusBar()->currentMessage().endsWith("該当する銘柄はありません"));
}

TEST(MainFrameStateTest, LayoutAndRecentFilesAreKeptBetweenRuns) {
  testing::EnsureQApplication();
  testing::TempDir config;
  const QString root = QString::fromStdString(SampleRoot());
  const QString store = QString::fromStdString(config.File("RootDir"));
  const QString list = root + "/Banks.LST";
  {
    CKorvaleApp app(root, store);
    CMainFrame* frame = app.CreateFirstWindow();
    frame->show();
    frame->resize(777, 640);  // within the offscreen screen
    frame->resizeDocks({frame->stockListDock()}, {300}, Qt::Horizontal);
    frame->detailBar()->SetPage(CDetailBar::kMousePage);
    ASSERT_TRUE(frame->OpenDocumentFile(list));
    bool told = false;
    testing::AnswerNextDialog<QMessageBox>(
        [](QMessageBox* box) { QMetaObject::invokeMethod(box, "accept"); }, &told);
    EXPECT_FALSE(frame->OpenDocumentFile(root + "/missing.LST"));
    EXPECT_TRUE(told);
    QCoreApplication::processEvents();
    frame->close();
  }
  CKorvaleApp app(root, store);
  CMainFrame* frame = app.CreateFirstWindow();
  frame->show();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame->size(), QSize(777, 640));
  EXPECT_NEAR(frame->stockListDock()->width(), 300, 4);
  EXPECT_EQ(frame->detailBar()->detailPage(), CDetailBar::kMousePage);
  EXPECT_EQ(frame->recentFiles()->files(), QStringList{list});
  QAction* entry = nullptr;
  for (QAction* a : frame->menuBar()->actions().front()->menu()->actions()) {
    if (a->text().endsWith("Banks.LST")) entry = a;
  }
  ASSERT_NE(entry, nullptr);
  frame->document()->ShowAll();
  entry->trigger();
  EXPECT_TRUE(frame->windowTitle().startsWith("Banks.LST"));
}

TEST_F(MainFrameTest, AKeptSizeLargerThanTheScreenStartsWithinIt) {
  app_->settings().dailyWindowWidth = 2400;  // kept on a larger screen
  app_->settings().dailyWindowHeight = 2400;
  CMainFrame* second = app_->CreateWindowFor(frame_->document()->NewWindowDocument());
  const QSize room = second->screen()->availableGeometry().size();
  EXPECT_LE(second->width(), room.width());
  EXPECT_LE(second->height(), room.height());
  second->close();
}

// Whether a label of a dock shows its whole text.
bool ShownWhole(const QLabel* label, const QDockWidget* dock) {
  const int right = label->mapTo(dock, QPoint(label->width(), 0)).x();
  return label->isVisible() && label->width() >= label->fontMetrics().horizontalAdvance(label->text()) &&
         right <= dock->width();
}

TEST_F(MainFrameTest, TheSideBarsShowTheirTextsWholeAndKeepAWidthTheUserGaveThem) {
  frame_->resize(1600, 1000);
  Pick(1);
  CDetailBar* bar = frame_->detailBar();
  bar->SetPage(CDetailBar::kDayPage);
  DayTexts texts = ClearedDayTexts();
  texts.volume = "1301420152";
  bar->ShowDay(CDetailBar::kDayPage, 2024, 1, 4, texts);
  QCoreApplication::processEvents();
  auto* volume = bar->dayPicker()->parentWidget()->findChild<QLabel*>("volume");
  ASSERT_NE(volume, nullptr);
  EXPECT_EQ(volume->text(), "1301420152");
  EXPECT_TRUE(ShownWhole(volume, frame_->detailDock()));
  for (QLabel* caption : bar->findChildren<QLabel*>()) {
    if (caption->isVisible() && caption->text().startsWith("RCI")) {
      EXPECT_TRUE(ShownWhole(caption, frame_->detailDock())) << caption->text().toStdString();
    }
  }
  QListWidget* list = frame_->stockList();
  for (int i = 0; i < list->count(); ++i) {
    EXPECT_LE(list->fontMetrics().horizontalAdvance(Row(i)), list->viewport()->width()) << i;
  }
  frame_->resizeDocks({frame_->detailDock()}, {320}, Qt::Horizontal);
  QCoreApplication::processEvents();
  const int widened = frame_->detailDock()->width();
  EXPECT_GT(widened, 300);
  frame_->resize(1300, 900);
  QCoreApplication::processEvents();
  EXPECT_EQ(frame_->detailDock()->width(), widened);
}

TEST_F(MainFrameTest, ScaleLabelsStandInTheVisibleAreaOfEveryChartAtStart) {
  app_->settings().dailySpanDays = 0;
  frame_->resize(1600, 1000);
  QCoreApplication::processEvents();
  Pick(2);
  CKorvaleView* view = frame_->view();
  for (const int period : {kChartDaily, kChartWeekly, kChartMonthly}) {
    frame_->action(period)->trigger();
    view->viewport()->repaint();
    // The chart as the view drew it, in chart coordinates.
    RecordingCanvas chart(12);
    ChartKindOrDaily(period).kind.Draw(*frame_->document()->painter(), chart);
    const int left = view->scrollX();
    bool scaleInView = false;
    for (const CanvasOp& op : chart.ops()) {
      const bool yen = op.kind == CanvasOp::kText && op.text.ends_with("円");
      scaleInView |= yen && op.x1 >= left && op.x1 < left + kLabelColumn;
    }
    EXPECT_TRUE(scaleInView) << "chart " << period << " scrolled by " << left;
  }
}

TEST_F(MainFrameTest, TheDailyChartLooksBackThroughTheWholeHistoryAndZooms) {
  Pick(2);
  CKorvaleView* view = frame_->view();
  const CChartPainter* painter = frame_->document()->painter();
  const int span = app_->settings().dailySpanDays;
  view->setFocus();
  QTest::keyClick(view, Qt::Key_Home);
  EXPECT_EQ(painter->hiddenCount(), 0);  // the oldest bars
  EXPECT_EQ(painter->barsAfter(), painter->dailyCount() - painter->windowCount());
  QTest::keyClick(view, Qt::Key_End);
  EXPECT_EQ(painter->barsAfter(), 0);
  QTest::keyClick(view, Qt::Key_Left);
  EXPECT_EQ(painter->barsAfter(), 1);
  QTest::keyClick(view, Qt::Key_PageUp);
  EXPECT_EQ(painter->barsAfter(), 1 + painter->windowCount());
  const int before = painter->barsAfter();
  QTest::keyClick(view, Qt::Key_Plus);
  EXPECT_EQ(view->pitch(), 6);
  EXPECT_EQ(painter->barsAfter(), before);  // the newest bar shown stays
  EXPECT_LE(painter->dailyWidth(), view->viewport()->width());
  for (int i = 0; i < 10; ++i) QTest::keyClick(view, Qt::Key_Minus);
  EXPECT_EQ(view->pitch(), 2);
  EXPECT_EQ(app_->settings().dailySpanDays, span);  // what the analysis uses stays
  // The read-out follows the window.
  const ChartHit last = view->HitAt(-1, -1);
  EXPECT_EQ(last.close,
            frame_->document()->series().bars[painter->windowEnd() - 1].close);
}

// Takes the addresses the program hands to the desktop instead of starting a browser.
class FileUrlCatcher : public QObject {
  Q_OBJECT

 public:
  std::vector<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls.push_back(url); }
};

TEST_F(MainFrameTest, HelpOpensTheUsersGuide) {
  FileUrlCatcher catcher;
  QDesktopServices::setUrlHandler("file", &catcher, "Open");
  frame_->action(kCmdHelp)->trigger();
  QDesktopServices::unsetUrlHandler("file");
  ASSERT_EQ(catcher.urls.size(), 1u);
  const QString guide = catcher.urls[0].toLocalFile();
  EXPECT_TRUE(guide.endsWith("/index.html"));
  QFile file(guide);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(file.readAll());
  // Every picture the guide shows is there.
  QRegularExpression image("src=\"([^\"]+)\"");
  for (auto m = image.globalMatch(html); m.hasNext();) {
    const QString picture = QFileInfo(guide).dir().filePath(m.next().captured(1));
    EXPECT_TRUE(QFileInfo(picture).isFile()) << picture.toStdString();
  }
}

TEST_F(MainFrameTest, BadFilesKeepTheProgramUp) {
  testing::TempDir dir;
  testing::WriteBytes(dir.File("KD1301.KDT"), {});
  testing::WriteBytes(dir.File("KD1302.KDT"), std::vector<uint8_t>(37, 0xEE));
  testing::WriteText(dir.File("junk.LST"), std::string("\x01\xFF\x00garbage\r\n9\r\n", 16));
  for (const char* name : {"KD1301.KDT", "KD1302.KDT", "junk.LST"}) {
    frame_->OpenDocumentFile(QString::fromStdString(dir.File(name)));
    QCoreApplication::processEvents();
  }
  frame_->action(kChartWeekly)->trigger();
  frame_->action(kChartMonthly)->trigger();
  QTest::mouseMove(frame_->view()->viewport(), QPoint(50, 50));
  EXPECT_EQ(frame_->stockList()->count(), 0);  // the junk list has no valid line
}

// The commands of each menu and of the tool bar, in order; 0 for a separator.
std::vector<int> CommandsOf(const QList<QAction*>& actions) {
  std::vector<int> ids;
  for (QAction* a : actions) {
    if (a->menu()) continue;
    ids.push_back(a->isSeparator() ? 0 : a->data().toInt());
  }
  return ids;
}

TEST(MainFrameMenuTest, CommandsAreOfferedInTheirDataSourceModesWithoutStraySeparators) {
  for (const int mode : {0, 1, 2}) {
    testing::TempDir config;
    CKorvaleApp app(QString::fromStdString(SampleRoot()),
                    QString::fromStdString(config.File("RootDir")));
    app.settings().dataSourceMode = mode;
    CMainFrame* frame = app.CreateFirstWindow();
    std::vector<std::vector<int>> groups = {CommandsOf(frame->menuBar()->actions())};
    for (QAction* top : frame->menuBar()->actions()) {
      if (!top->menu()) continue;
      groups.push_back(CommandsOf(top->menu()->actions()));
      for (QAction* sub : top->menu()->actions()) {
        if (sub->menu()) groups.push_back(CommandsOf(sub->menu()->actions()));
      }
    }
    groups.push_back(CommandsOf(frame->findChild<QToolBar*>("toolbar")->actions()));
    std::set<int> offered;
    for (const std::vector<int>& ids : groups) {
      for (size_t i = 0; i < ids.size(); ++i) {
        const bool separator = ids[i] == 0;
        EXPECT_FALSE(separator && (i == 0 || i + 1 == ids.size() || ids[i + 1] == 0))
            << "mode " << mode;
        offered.insert(ids[i]);
      }
    }
    const bool local = mode == 0;
    for (int id : {kCmdPriceUpdate, kCmdMarginUpdate, kCmdDictionaryFromImport,
                   kCmdPriceFileToText, kCmdConsistencyCheck, kCmdBulkExport, kCmdVendorImport,
                   kCmdDictionaryFromVendor}) {
      EXPECT_EQ(offered.count(id) == 1, local) << "command " << id << " in mode " << mode;
    }
    EXPECT_EQ(offered.count(kCmdQuoteDetail) == 1, !local) << "mode " << mode;
    for (int id :
         {kChartDaily, kChartWeekly, kChartMonthly, int{kCmdAllStocks}, int{kCmdAnalyze}}) {
      EXPECT_EQ(offered.count(id), 1u) << "command " << id << " in mode " << mode;
    }
  }
}

TEST(MainFrameStartTest, AnEmptyOrReadOnlyDataRootStartsAndSaysWhatIsWrong) {
  testing::TempDir root, config;
  {
    CKorvaleApp app(QString::fromStdString(root.path()),
                    QString::fromStdString(config.File("RootDir")));
    QString problem;
    CMainFrame* frame = app.CreateFirstWindow(&problem);
    EXPECT_TRUE(problem.isEmpty());
    EXPECT_EQ(frame->stockList()->count(), 0);  // no Data folder: no stocks
    EXPECT_EQ(frame->document()->painter(), nullptr);
    frame->action(kChartWeekly)->trigger();  // nothing to draw, nothing breaks
  }
  testing::TempDir readOnly;
  chmod(readOnly.path().c_str(), 0500);
  if (access(readOnly.File("probe").c_str(), F_OK) == 0 || geteuid() == 0) {
    GTEST_SKIP() << "the superuser writes into read-only folders";
  }
  CKorvaleApp app(QString::fromStdString(readOnly.path()),
                  QString::fromStdString(config.File("RootDir")));
  QString problem;
  CMainFrame* frame = app.CreateFirstWindow(&problem);
  EXPECT_TRUE(problem.startsWith("ディスクアクセスエラー")) << problem.toStdString();
  EXPECT_EQ(frame->stockList()->count(), 0);
}

TEST(JapaneseUiTest, OneJapaneseFontAndQtsOwnTextsInJapanese) {
  testing::EnsureQApplication();
  const QString family = SetUpJapaneseUi(qApp);
  ASSERT_FALSE(family.isEmpty()) << "no Japanese font on this machine";
  EXPECT_EQ(QApplication::font().family(), family);
  // Kanji and katakana come from the one font: list rows have one height.
  const QFontMetrics metrics(QApplication::font());
  EXPECT_TRUE(metrics.inFontUcs4(U'株') && metrics.inFontUcs4(U'ア') && metrics.inFontUcs4(U'1'));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "キャンセル");
}

}  // namespace
}  // namespace korvale

#include "main_frame_test.moc"
