// The main window in remote mode as a user drives it: the stock list from a peer's stock page
// and a picked stock's price file fetched from it, on loopback (offscreen platform).
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>

#include "app/korvale_doc.h"
#include "net/peer_server.h"
#include "net/remote_mode_root.h"
#include "support/web_fixtures.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/ui_test_fixtures.h"
#include "ui/web_worker_dialog.h"

namespace korvale {
namespace {

class RemoteModeWindowTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    testing::EnsureQApplication();
    PeerServerOptions options;
    options.root = testing::WebSampleRoot();
    server_ = std::make_unique<CPeerServer>(options);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
    root_ = dir_.File("remote");
    ASSERT_TRUE(MakeRemoteModeRoot(root_, server_->ListUrl(), testing::WebSampleRoot(), &error));
  }

  void StartProgram(QString* problem = nullptr) { MainWindowTest::StartProgram(root_, problem); }

  std::unique_ptr<CPeerServer> server_;
};

TEST_F(RemoteModeWindowTest, APickedStockIsLoadedFromThePeerWhole) {
  QString problem;
  StartProgram(&problem);
  EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
  ASSERT_EQ(frame_->stockList()->count(), server_->stockCount());
  Pick(4);
  const int code = frame_->stockList()->item(4)->text().left(4).toInt();
  CKorvaleDoc* doc = frame_->document();
  ASSERT_EQ(doc->code(), code);
  ASSERT_NE(doc->painter(), nullptr);
  const std::vector<PriceBar> source = testing::WebSampleBars(code);
  const CPriceSeries& s = doc->series();
  ASSERT_EQ(s.barCount(), static_cast<int>(source.size()));
  EXPECT_EQ(s.bars.back().close, source.back().close);
  EXPECT_EQ(s.filePath.rfind(server_->BaseUrl() + "/Korvale/", 0), 0u) << s.filePath;
}

TEST_F(RemoteModeWindowTest, APeerThatIsGoneIsReportedAndTheShownStockStays) {
  StartProgram();
  Pick(2);
  const int shown = frame_->document()->code();
  const int bars = frame_->document()->series().barCount();
  server_->Stop();
  bool answered = false;
  QString text, caption;
  testing::AnswerNextDialog<QMessageBox>(
      [&](QMessageBox* box) {
        text = box->text();
        caption = box->windowTitle();
        box->accept();
      },
      &answered);
  Pick(5);
  EXPECT_TRUE(answered);
  EXPECT_TRUE(text.startsWith("WWWサーバと接続できませんでした。")) << text.toStdString();
  EXPECT_EQ(caption, "Server Error");
  EXPECT_EQ(frame_->document()->code(), shown);
  EXPECT_EQ(frame_->document()->series().barCount(), bars);
}

// A peer that takes the connection and never answers: Cancel ends the wait at once, and the
// window opens with the stocks that arrived (none).
TEST_F(RemoteModeWindowTest, CancelWhileTheStockPageIsReadEndsTheWait) {
  const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  ASSERT_EQ(::listen(silent, 4), 0);
  socklen_t length = sizeof a;
  ::getsockname(silent, reinterpret_cast<sockaddr*>(&a), &length);
  std::string error;
  ASSERT_TRUE(MakeRemoteModeRoot(
      root_, "http://127.0.0.1:" + std::to_string(ntohs(a.sin_port)) + "/Korvale/KVISA.DLL?ALLST",
      testing::WebSampleRoot(), &error));
  bool answered = false;
  testing::AnswerNextDialog<CWebWorkerDlg>(
      [](CWebWorkerDlg* dialog) {
        QTimer::singleShot(300, dialog->cancelButton(), &QPushButton::click);
      },
      &answered);
  const auto start = std::chrono::steady_clock::now();
  QString problem;
  StartProgram(&problem);
  EXPECT_TRUE(answered);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(frame_->stockList()->count(), 0);
  EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
  ::close(silent);
}

}  // namespace
}  // namespace korvale
