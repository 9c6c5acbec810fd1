// The analysis command and the screening window as a user drives them, on a copy of the sample
// database: the batch and its cancel, the cache, the tabs, rule runs and rankings into the main
// window's stock list.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <algorithm>
#include <filesystem>
#include <map>

#include "app/korvale_doc.h"
#include "screening/analysis_store.h"
#include "store/cp932.h"
#include "store/market_industry_tables.h"
#include "ui/analize_frame.h"
#include "ui/analize_main.h"
#include "ui/analysis_batch_dialog.h"
#include "ui/analysis_command.h"
#include "ui/condition_list.h"
#include "ui/condition_param_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/ranking_panel.h"
#include "ui/technical_panel.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using Choice = CAnalysisChoiceDialog::Choice;

// Takes the addresses the program hands to the desktop instead of starting a browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  std::vector<QUrl> urls;

 public slots:
  void Open(const QUrl& url) { urls.push_back(url); }
};

class ScreeningWindowTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    StartProgram(root_);
    ASSERT_TRUE(app_->startError().isEmpty());
    fs::remove(CachePath());
  }

  CAnalysisCommand* command() { return frame_->analysisCommand(); }
  CKorvaleDoc* doc() { return frame_->document(); }
  const CAnalysisStore& store() { return doc()->analysisStore(); }
  const CStockDictionary& dictionary() { return *doc()->dictionary(); }
  std::string CachePath() const { return root_ + "/analize.tmp"; }
  int CodeOf(const AnalysisRecord& r) { return dictionary().items[r.stockIndex].code; }

  // Lets the batch's timer run to the end and returns the newest screening window.
  CAnalizeFrame* WaitForScreeningWindow() {
    QElapsedTimer clock;
    clock.start();
    while (command()->batchDialog() && clock.elapsed() < 120000) {
      QCoreApplication::processEvents();
    }
    const auto windows = frame_->findChildren<CAnalizeFrame*>();
    return windows.isEmpty() ? nullptr : windows.back();
  }
  CAnalizeFrame* AnalyseLatest() {
    command()->Choose(Choice::kLatest);
    return WaitForScreeningWindow();
  }

  // The codes of the main window's list, checking each row's text on the way.
  std::vector<int> ListedCodes() {
    std::vector<int> codes;
    QListWidget* list = frame_->stockList();
    EXPECT_EQ(list->count(), static_cast<int>(doc()->list().rows.size()));
    for (int i = 0; i < list->count(); ++i) {
      const StockListRow& row = doc()->list().rows[i];
      const StockListItem& item = dictionary().items[row.itemIndex];
      EXPECT_EQ(list->item(i)->text(), QString("%1 %2")
                                           .arg(item.code, 4, 10, QChar('0'))
                                           .arg(QString::fromStdString(Cp932ToUtf8(item.name))));
      codes.push_back(item.code);
    }
    return codes;
  }

  // The median of the last closes of all records: a price floor that half the stocks pass.
  int32_t MedianClose() {
    std::vector<int32_t> closes;
    for (const AnalysisRecord& r : store().Records()) closes.push_back(r.lastClose);
    std::sort(closes.begin(), closes.end());
    return closes[closes.size() / 2];
  }
  std::vector<int> CodesAtOrAbove(int32_t floor) {
    std::vector<int> codes;
    for (const AnalysisRecord& r : store().Records()) {
      if (r.lastClose >= floor) codes.push_back(CodeOf(r));
    }
    return codes;
  }

  // Switches a condition on in the panel and types its value and weight.
  static void Enable(CTechnicalPanel* panel, int type, const char* value, const char* weight) {
    panel->conditionList()->topLevelItem(type)->setCheckState(0, Qt::Checked);
    panel->conditionList()->SelectType(type);
    testing::TypeInto(panel->paramDialog(type)->valueEdit(), value);
    testing::TypeInto(panel->paramDialog(type)->weightEdit(), weight);
  }
};

TEST_F(ScreeningWindowTest, TheTabsSizeTheWindowToTheirPage) {
  CAnalizeFrame* window = AnalyseLatest();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "最新の - 銘柄抽出");
  CAnalizeMain* view = window->view();
  QTabWidget* tabs = view->tabs();
  EXPECT_EQ(tabs->tabText(0), "テクニカル");
  EXPECT_EQ(tabs->tabText(1), "ランキング／レコード");
  const int width = window->width();
  EXPECT_EQ(window->height(), 396);
  EXPECT_EQ(view->height(), 396);
  EXPECT_EQ(tabs->height(), 384);
  EXPECT_EQ(view->technicalPanel()->height(), 350);
  EXPECT_TRUE(view->technicalPanel()->isVisible());

  tabs->setCurrentIndex(1);
  EXPECT_EQ(window->height(), 180);
  EXPECT_EQ(view->height(), 180);
  EXPECT_EQ(tabs->height(), 168);
  EXPECT_EQ(view->rankingPanel()->height(), 134);
  EXPECT_TRUE(view->rankingPanel()->isVisible());
  EXPECT_FALSE(view->technicalPanel()->isVisible());
  EXPECT_EQ(window->width(), width);

  tabs->setCurrentIndex(0);
  EXPECT_EQ(window->height(), 396);
  EXPECT_EQ(tabs->height(), 384);
  EXPECT_EQ(window->width(), width);
}

TEST_F(ScreeningWindowTest, ARunFillsTheMainListAndPickingARowOpensTheStock) {
  CAnalizeFrame* window = AnalyseLatest();
  ASSERT_NE(window, nullptr);
  ASSERT_GT(store().recordCount, 10);
  CTechnicalPanel* panel = window->view()->technicalPanel();

  // A new rule enables nothing: in mode 0 it lists every stock that has a record.
  panel->NewRule();
  panel->runButton()->click();
  EXPECT_EQ(frame_->stockList()->count(), store().recordCount);

  // A price floor at the median close lists the stocks at or above it, in store order.
  const int32_t floor = MedianClose();
  Enable(panel, 0, std::to_string(floor).c_str(), "0");
  panel->runButton()->click();
  const std::vector<int> expected = CodesAtOrAbove(floor);
  ASSERT_GE(expected.size(), 2u);
  EXPECT_LT(expected.size(), static_cast<size_t>(store().recordCount));
  EXPECT_EQ(ListedCodes(), expected);
  EXPECT_TRUE(frame_->windowTitle().startsWith("新規抽出条件-0"))
      << frame_->windowTitle().toStdString();

  // The list behaves as after any list command: picking a row opens its stock.
  frame_->stockList()->setCurrentRow(1);
  QCoreApplication::processEvents();
  EXPECT_EQ(doc()->code(), expected[1]);
  EXPECT_NE(doc()->painter(), nullptr);
}

TEST_F(ScreeningWindowTest, AScoreOfThreeReachesTheThresholdTextThree) {
  CAnalizeFrame* window = AnalyseLatest();
  ASSERT_NE(window, nullptr);
  CTechnicalPanel* panel = window->view()->technicalPanel();
  panel->NewRule();
  const int32_t floor = MedianClose();
  // Half the stocks meet both conditions (1.5 + 1.5 = 3.0), the others only the second (1.5).
  Enable(panel, 0, std::to_string(floor).c_str(), "1.5");
  Enable(panel, 1, "100000000", "1.5");
  QTest::mouseClick(panel->modeButton(1), Qt::LeftButton);
  testing::TypeInto(panel->thresholdEdit(), "3");
  panel->runButton()->click();
  EXPECT_EQ(ListedCodes(), CodesAtOrAbove(floor));

  // 1.5 + 1.4 = 2.9, whose integer part misses 3: nothing is listed.
  panel->conditionList()->SelectType(1);
  testing::TypeInto(panel->paramDialog(1)->weightEdit(), "1.4");
  panel->runButton()->click();
  EXPECT_EQ(frame_->stockList()->count(), 0);
}

TEST_F(ScreeningWindowTest, ARankingOfOneMarketTakesThatMarketsTopStocks) {
  CAnalizeFrame* window = AnalyseLatest();
  ASSERT_NE(window, nullptr);
  window->view()->tabs()->setCurrentIndex(1);
  CRankingPanel* ranking = window->view()->rankingPanel();
  EXPECT_TRUE(ranking->rankingButton()->isChecked());
  EXPECT_EQ(ranking->countEdit()->text(), "20");
  EXPECT_EQ(ranking->marketCombo()->itemText(0), "全市場");

  // The rises of each market's stocks, and the markets of the three largest rises overall.
  std::map<int, std::vector<int32_t>> rises;
  std::vector<std::pair<int32_t, int>> overall;
  for (const AnalysisRecord& r : store().Records()) {
    const int m = dictionary().items[r.stockIndex].market;
    rises[m].push_back(r.priceChange);
    overall.push_back({r.priceChange, m});
  }
  std::sort(overall.rbegin(), overall.rend());
  // A market of at least four stocks with fewer than three of them among the overall top three:
  // its own top three differ from the overall top three cut down to the market.
  int market = 0;
  int inOverallTop = 3;
  for (const auto& [m, values] : rises) {
    const int n = static_cast<int>(std::count_if(overall.begin(), overall.begin() + 3,
                                                 [m = m](const auto& p) { return p.second == m; }));
    if (values.size() >= 4 && n < inOverallTop) {
      market = m;
      inOverallTop = n;
    }
  }
  ASSERT_NE(market, 0);
  std::vector<int32_t> top = rises[market];
  std::sort(top.rbegin(), top.rend());
  top.resize(3);

  QTest::mouseClick(ranking->recordsButton(), Qt::LeftButton);
  ranking->marketCombo()->setCurrentIndex(market);
  emit ranking->marketCombo()->activated(market);  // choosing a market means a ranking
  EXPECT_TRUE(ranking->rankingButton()->isChecked());
  testing::TypeInto(ranking->countEdit(), "3");
  ranking->runButton()->click();

  ASSERT_EQ(frame_->stockList()->count(), 3);
  std::vector<int32_t> listed;
  for (const StockListRow& row : doc()->list().rows) {
    EXPECT_EQ(dictionary().items[row.itemIndex].market, market);
    for (const AnalysisRecord& r : store().Records()) {
      if (r.stockIndex == row.itemIndex) listed.push_back(r.priceChange);
    }
  }
  EXPECT_EQ(listed, top);
  EXPECT_TRUE(
      frame_->windowTitle().startsWith(QString::fromUtf8(MarketNameUtf8(market)) + " ランキング"));

  // Records: the stocks closing at their highest high of all stored data, in store order.
  std::vector<int> highs;
  for (const AnalysisRecord& r : store().Records()) {
    if (r.highAll >= 1 && r.lastClose >= r.highAll) highs.push_back(CodeOf(r));
  }
  ranking->kindCombo()->setCurrentIndex(6);
  emit ranking->kindCombo()->activated(6);  // choosing a kind means the records
  EXPECT_TRUE(ranking->recordsButton()->isChecked());
  ranking->runButton()->click();
  EXPECT_EQ(ListedCodes(), highs);
  EXPECT_TRUE(frame_->windowTitle().startsWith("蓄積データ中高値銘柄"));
}

TEST_F(ScreeningWindowTest, CancelKeepsTheRecordsAppendedSoFarAndOpensNoWindow) {
  command()->Choose(Choice::kLatest);
  CAnalysisBatchDialog* batch = command()->batchDialog();
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(batch->windowTitle(), "株価データ分析中");
  EXPECT_EQ(batch->progressBar()->maximum(), dictionary().itemCount);
  EXPECT_EQ(store().recordCount, 0);  // the batch starts on an empty store

  while (batch->job().done() == 0) QCoreApplication::processEvents();
  const int done = batch->job().done();
  ASSERT_LT(done, dictionary().itemCount);
  EXPECT_EQ(batch->progressBar()->value(), done);
  const int records = store().recordCount;
  EXPECT_EQ(records, done - batch->job().skipped());
  EXPECT_GT(records, 0);

  batch->cancelButton()->click();
  for (int i = 0; i < 20; ++i) QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(command()->batchDialog(), nullptr);
  EXPECT_EQ(store().recordCount, records);
  EXPECT_TRUE(frame_->findChildren<CAnalizeFrame*>().isEmpty());
  EXPECT_FALSE(fs::exists(CachePath()));
}

TEST_F(ScreeningWindowTest, ThePreviousResultsAreUsedOnlyWhenTheCacheCoversEveryStock) {
  // No cache yet: the choice runs a batch, which writes one.
  command()->Choose(Choice::kPrevious);
  EXPECT_NE(command()->batchDialog(), nullptr);
  CAnalizeFrame* first = WaitForScreeningWindow();
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(fs::exists(CachePath()));
  EXPECT_EQ(fs::file_size(CachePath()), 304u * store().recordCount);
  const int records = store().recordCount;
  ASSERT_EQ(records, dictionary().itemCount);

  // Now the window opens at once on the cached records.
  command()->Choose(Choice::kPrevious);
  EXPECT_EQ(command()->batchDialog(), nullptr);
  const auto windows = frame_->findChildren<CAnalizeFrame*>();
  ASSERT_EQ(windows.size(), 2);
  EXPECT_EQ(windows.back()->documentTitle(), "最新の");
  EXPECT_EQ(store().recordCount, records);

  // A cache short of one stock is not enough: a fresh batch runs, and the windows already open
  // wait for it.
  fs::resize_file(CachePath(), 304u * (records - 1));
  command()->Choose(Choice::kPrevious);
  EXPECT_NE(command()->batchDialog(), nullptr);
  EXPECT_FALSE(first->isEnabled());
  WaitForScreeningWindow();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first->isEnabled());
  EXPECT_EQ(fs::file_size(CachePath()), 304u * records);
}

TEST_F(ScreeningWindowTest, TheDialogsDateGivesABatchAsOfThatDateWithoutACache) {
  bool answered = false;
  testing::AnswerNextDialog<CAnalysisChoiceDialog>(
      [](CAnalysisChoiceDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "株価分析");
        EXPECT_TRUE(dialog->choiceButton(Choice::kLatest)->isChecked());
        EXPECT_EQ(dialog->yearField()->value(), QDate::currentDate().year());
        dialog->yearField()->setValue(2025);
        dialog->monthField()->setValue(6);
        dialog->dayField()->setValue(30);
        EXPECT_TRUE(dialog->choiceButton(Choice::kAsOf)->isChecked());
        dialog->accept();
      },
      &answered);
  frame_->action(32870)->trigger();
  ASSERT_TRUE(answered);
  CAnalizeFrame* window = WaitForScreeningWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "2025/06/30 - 銘柄抽出");
  EXPECT_EQ(store().asOfYear, 2025);
  EXPECT_EQ(store().asOfMonth, 6);
  EXPECT_LE(store().asOfDay, 30);
  EXPECT_FALSE(fs::exists(CachePath()));
}

TEST_F(ScreeningWindowTest, RemoteModesOpenTheQuoteSearchPageInstead) {
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("http", &catcher, "Open");
  SettingsRecord& s = app_->settings();
  std::snprintf(s.quoteSearchUrl, sizeof s.quoteSearchUrl, "%s", "http://quote.example/search");
  for (int mode : {1, 2}) {
    s.dataSourceMode = mode;
    frame_->action(32870)->trigger();  // no dialog: it would block here
  }
  s.dataSourceMode = 0;
  QDesktopServices::unsetUrlHandler("http");
  ASSERT_EQ(catcher.urls.size(), 2u);
  EXPECT_EQ(catcher.urls[0], QUrl("http://quote.example/search"));
  EXPECT_EQ(command()->batchDialog(), nullptr);
  EXPECT_TRUE(frame_->findChildren<CAnalizeFrame*>().isEmpty());
}

}  // namespace
}  // namespace korvale

#include "screening_window_test.moc"
