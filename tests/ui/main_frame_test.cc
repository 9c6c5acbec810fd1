// The main window as a user drives it, on a small sample database, with the offscreen platform.
#include "ui/main_frame.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDateEdit>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <set>
#include <vector>

#include "app/korvale_doc.h"
#include "sample/sample_database.h"
#include "store/cp932.h"
#include "support/test_support.h"
#include "ui/detail_bar.h"
#include "ui/korvale_app.h"
#include "ui/korvale_view.h"
#include "ui/main_commands.h"

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

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    app_ = std::make_unique<CKorvaleApp>(QString::fromStdString(SampleRoot()),
                                         QString::fromStdString(config_.File("RootDir")));
    ASSERT_TRUE(app_->startError().isEmpty());
    frame_ = app_->CreateFirstWindow();
    frame_->resize(1000, 700);
    frame_->show();
    QCoreApplication::processEvents();
  }
  void TearDown() override { app_.reset(); }

  QString Row(int i) const { return frame_->stockList()->item(i)->text(); }
  void Pick(int row) {
    frame_->stockList()->setCurrentRow(row);
    QCoreApplication::processEvents();
  }

  testing::TempDir config_;
  std::unique_ptr<CKorvaleApp> app_;
  CMainFrame* frame_ = nullptr;
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
    for (int id : {kCmdPriceUpdate, kCmdMarginUpdate, kCmdDictionaryFromImport}) {
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

}  // namespace
}  // namespace korvale
