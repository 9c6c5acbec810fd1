// The main window in web mode as a user drives it: the stock list from the fetch list, and a
// picked stock downloaded from the stand-in quote service on loopback (offscreen platform).
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <filesystem>

#include "acquisition/quote_service.h"
#include "app/korvale_doc.h"
#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "support/web_fixtures.h"
#include "ui/detail_bar.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/stock_download_dialog.h"
#include "ui/ui_test_fixtures.h"

namespace korvale {
namespace {

using Page = CQuoteService::Page;

class WebModeTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    testing::EnsureQApplication();
    std::string error;
    ASSERT_TRUE(service_.Start(0, &error)) << error;
    root_ = dir_.File("web");
    ASSERT_TRUE(MakeWebModeRoot(root_, service_.BaseUrl(), testing::WebSampleRoot(), &error));
  }

  void StartProgram(QString* problem = nullptr) { MainWindowTest::StartProgram(root_, problem); }
  int CodeOfRow(int row) const { return frame_->stockList()->item(row)->text().left(4).toInt(); }

  CQuoteService service_{testing::WebSampleRoot()};
};

TEST_F(WebModeTest, APickedStockIsDownloadedShownAndItsPagesRemoved) {
  QString problem;
  StartProgram(&problem);
  EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
  ASSERT_EQ(frame_->stockList()->count(), service_.stockCount());  // the fetch list's stocks
  Pick(3);
  CKorvaleDoc* doc = frame_->document();
  const int code = CodeOfRow(3);
  ASSERT_EQ(doc->code(), code);
  ASSERT_NE(doc->painter(), nullptr);
  const int span = app_->settings().dailySpanDays;
  ASSERT_GT(span, 0);  // set from the window's width
  const int rows = (span / 50 + 1) * 50;
  const std::vector<PriceBar> source = testing::WebSampleBars(code);
  const CPriceSeries& s = doc->series();
  ASSERT_EQ(s.barCount(), std::min<int>(rows, static_cast<int>(source.size())));
  for (int i = 0; i < s.barCount(); ++i) {
    const PriceBar& want = source[source.size() - s.barCount() + i];
    ASSERT_EQ(DateKey(s.bars[i]), DateKey(want)) << i;
    ASSERT_EQ(s.bars[i].close, want.close) << i;
    ASSERT_EQ(s.bars[i].volume, want.volume) << i;
  }
  StockInfo info;
  ASSERT_TRUE(ReadStockInfo(testing::WebSampleRoot(), 0, code, &info));
  CDetailBar* bar = frame_->detailBar();
  EXPECT_EQ(bar->FieldText(CDetailBar::kStockPage, "text1"),
            QString::fromStdString(Cp932ToUtf8(info.text1)));
  EXPECT_EQ(bar->FieldText(CDetailBar::kStockPage, "figure1"),
            QString::asprintf("%.2f", info.figures[1]));
  EXPECT_EQ(bar->FieldText(CDetailBar::kDayPage, "close"), QString::number(source.back().close));
  EXPECT_TRUE(std::filesystem::is_empty(root_ + "/webtemp"));
}

TEST_F(WebModeTest, AServerThatIsGoneIsReportedAndTheShownStockStays) {
  StartProgram();
  Pick(2);
  const int shown = frame_->document()->code();
  service_.Stop();
  bool answered = false;
  QString text;
  testing::AnswerNextDialog<QMessageBox>(
      [&](QMessageBox* box) {
        text = box->text();
        box->accept();
      },
      &answered);
  Pick(4);
  EXPECT_TRUE(answered);
  EXPECT_TRUE(text.startsWith("WWWサーバと接続できませんでした。")) << text.toStdString();
  EXPECT_EQ(frame_->document()->code(), shown);
  EXPECT_EQ(frame_->stockList()->currentRow(), 2);  // picking row 4 again retries
}

TEST_F(WebModeTest, CancelEndsTheDownloadAtOnceAndShowsThePagesSoFar) {
  StartProgram();
  service_.SetFault(Page::kTable, 0, 30000);  // the price table never answers
  bool answered = false;
  testing::AnswerNextDialog<CStockDownloadDlg>(
      [](CStockDownloadDlg* dialog) {
        QTimer::singleShot(300, dialog->cancelButton(), &QPushButton::click);
      },
      &answered);
  const auto start = std::chrono::steady_clock::now();
  Pick(1);
  EXPECT_TRUE(answered);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  CKorvaleDoc* doc = frame_->document();
  EXPECT_EQ(doc->code(), CodeOfRow(1));
  EXPECT_EQ(doc->series().barCount(), 1);  // no page arrived: the placeholder
  EXPECT_TRUE(std::filesystem::is_empty(root_ + "/webtemp"));
}

TEST_F(WebModeTest, AFetchListThatDoesNotArriveIsReported) {
  service_.SetFault(Page::kFetchList, 404, 0);
  QString problem;
  StartProgram(&problem);
  EXPECT_EQ(frame_->stockList()->count(), 0);
  EXPECT_TRUE(problem.contains("HTTP 404")) << problem.toStdString();
}

}  // namespace
}  // namespace korvale
