// What the window tests share: the one QApplication of the test program, the program started on
// a data root with its main window shown, and answering a modal dialog the code under test is
// about to open.
#ifndef KORVALE_TESTS_UI_UI_TEST_FIXTURES_H_
#define KORVALE_TESTS_UI_UI_TEST_FIXTURES_H_

#include <QApplication>
#include <QListWidget>
#include <QSize>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "sample/sample_database.h"
#include "support/test_support.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"

namespace korvale::testing {

// The test program's QApplication, made on first use (the offscreen platform is set by ctest).
inline void EnsureQApplication() {
  static int argc = 1;
  static char arg0[] = "ui_tests";
  static char* argv[] = {arg0, nullptr};
  if (!QApplication::instance()) new QApplication(argc, argv);
}

// Types into a field as the user does: the old text goes, then one key at a time.
inline void TypeInto(QLineEdit* edit, const char* text) {
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

// A sample database of 40 stocks over two years, made once per test program; tests that write
// into their data root take a copy (CopySampleRoot).
inline const std::string& PristineSampleRoot() {
  static TempDir* dir = new TempDir;  // kept for the whole program
  static const std::string root = [] {
    const std::string path = dir->path() + "/root";
    SampleOptions options;
    options.stocks = 40;
    options.years = 2;
    SampleSummary summary;
    std::string error;
    if (!MakeSampleDatabase(path, options, &summary, &error)) return std::string();
    return path;
  }();
  return root;
}

// A copy of the sample database in `dir`; returns its root ("" when the sample failed).
inline std::string CopySampleRoot(const TempDir& dir) {
  if (PristineSampleRoot().empty()) return "";
  const std::string root = dir.path() + "/root";
  std::error_code ec;
  std::filesystem::copy(PristineSampleRoot(), root, std::filesystem::copy_options::recursive, ec);
  return ec ? "" : root;
}

// A test of the program as a user starts it on a data root: the application and its first main
// window. Fixtures derive from it and start the program in their SetUp.
class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { app_.reset(); }

  // Starts the program on `root` (its root-folder file in dir_) and shows the first main window,
  // resized to `size` unless that is empty. `problem` (may be null) receives what the start
  // complained of.
  void StartProgram(const std::string& root, QString* problem = nullptr,
                    QSize size = QSize(1000, 700)) {
    EnsureQApplication();
    app_ = std::make_unique<CKorvaleApp>(QString::fromStdString(root),
                                         QString::fromStdString(dir_.File("RootDir")));
    frame_ = app_->CreateFirstWindow(problem);
    if (!size.isEmpty()) frame_->resize(size);
    frame_->show();
    QCoreApplication::processEvents();
  }
  // Picks a row of the stock list as a click does and lets the window follow.
  void Pick(int row) {
    frame_->stockList()->setCurrentRow(row);
    QCoreApplication::processEvents();
  }
  // Deletes the windows closed since (they go by deferred delete).
  static void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  TempDir dir_;
  std::string root_;
  std::unique_ptr<CKorvaleApp> app_;
  CMainFrame* frame_ = nullptr;
};

// Calls `answer` with the modal dialog once one is open (polling the event loop), so a test can
// fill in and close a dialog that the code under test runs with exec(). `*answered` is set when
// it ran. Gives up after about five seconds, so a dialog that never comes cannot be answered by
// a later test.
template <typename Dialog>
void AnswerNextDialog(std::function<void(Dialog*)> answer, bool* answered) {
  *answered = false;
  auto* timer = new QTimer;
  timer->setInterval(10);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, answer, answered, tries] {
    if (++*tries > 500) {
      timer->stop();
      timer->deleteLater();
      return;
    }
    if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      *answered = true;
      answer(dialog);
    }
  });
  timer->start();
}

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_UI_UI_TEST_FIXTURES_H_
