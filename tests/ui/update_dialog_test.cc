// The progress dialog of the price and margin updates, driven as the menu commands drive it.
#include "ui/update_progress_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <filesystem>

#include "acquisition/import_sources.h"
#include "acquisition/margin_update_job.h"
#include "acquisition/price_update_job.h"
#include "sample/sample_database.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"
#include "support/test_support.h"
#include "ui/import_options_dialog.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

class UpdateDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char arg0[] = "ui_tests";
    static char* argv[] = {arg0, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
  }
  void SetUp() override {
    root_ = dir_.File("root");
    SampleOptions options;
    options.stocks = 20;
    options.years = 1;
    SampleSummary summary;
    std::string error;
    ASSERT_TRUE(MakeSampleDatabase(root_, options, &summary, &error)) << error;
    dictionary_ = std::make_unique<CStockDictionary>(root_, root_);
    folders_ = std::make_unique<CFolderPreparer>(root_, 0);
  }
  std::unique_ptr<CPriceUpdateJob> PriceJob(std::vector<std::string> files) {
    ImportSourceList sources = LoadImportSources(root_);  // no plug-in: the built-in source
    return std::make_unique<CPriceUpdateJob>(ChooseImportSource(&sources, 1), dictionary_.get(),
                                             folders_.get(), root_, ImportOptions{},
                                             std::move(files));
  }
  int BarsOf(int code) {
    std::string folder;
    if (!dictionary_->GetFolder(code, &folder)) return -1;
    CPriceSeries s;
    s.LoadAll(PriceFileName(folder, code));
    return s.barCount();
  }
  // Runs the event loop until the dialog reports that it closed.
  static void WaitForClose(QSignalSpy* closed) {
    for (int i = 0; i < 2000 && closed->isEmpty(); ++i) QCoreApplication::processEvents();
  }

  testing::TempDir dir_;
  std::string root_;
  std::unique_ptr<CStockDictionary> dictionary_;
  std::unique_ptr<CFolderPreparer> folders_;
};

TEST_F(UpdateDialogTest, TheOptionsDialogStartsWithBothBoxesClear) {
  CImportOptionsDlg dialog;
  EXPECT_EQ(dialog.windowTitle(), "日々データ更新");
  EXPECT_EQ(dialog.options().addUnregistered, 0);
  EXPECT_EQ(dialog.options().completeUpdate, 0);
  dialog.completeUpdateBox()->setChecked(true);
  EXPECT_EQ(dialog.options().completeUpdate, 1);
}

TEST_F(UpdateDialogTest, ADailyFileIsMergedTickByTickAndRenamedWhenDone) {
  const std::string file = root_ + "/Import/DS260106.DAT";
  ASSERT_TRUE(FileExists(file));
  const int before = BarsOf(1010);
  auto* dialog = new CUpdateProgressDlg(PriceJob({file}), "株価データ更新中");
  QSignalSpy closed(dialog, &CUpdateProgressDlg::Closed);
  EXPECT_EQ(dialog->filesBar(), nullptr);  // one file: no bar of files
  // The sample's damaged stock ends in a piece of a record: the dialog says it was cut off.
  bool told = false;
  QString note;
  testing::AnswerNextDialog<QMessageBox>(
      [&note](QMessageBox* box) {
        note = box->text();
        box->accept();
      },
      &told);
  ASSERT_TRUE(dialog->StartJob());
  EXPECT_GT(dialog->recordsBar()->maximum(), 1);
  WaitForClose(&closed);
  ASSERT_EQ(closed.count(), 1);
  if (told) EXPECT_TRUE(note.contains("cut off before the new records")) << note.toStdString();
  EXPECT_EQ(BarsOf(1010), before + 1);
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(FileExists(root_ + "/Import/_DS260106.DAT"));
}

TEST_F(UpdateDialogTest, CancelStopsBetweenTicksAndTheFileKeepsItsName) {
  // A file longer than one tick.
  std::string text = "20260106\r\n\r\n";
  for (int i = 0; i < 60; ++i) text += "1010,1,idx,100,110,90,105,1000\r\n";
  testing::WriteText(root_ + "/Import/DS260107.DAT", text);
  auto* dialog = new CUpdateProgressDlg(PriceJob({root_ + "/Import/DS260107.DAT"}), "株価データ更新中");
  QSignalSpy closed(dialog, &CUpdateProgressDlg::Closed);
  ASSERT_TRUE(dialog->StartJob());
  dialog->findChild<QPushButton*>()->click();
  ASSERT_EQ(closed.count(), 1);
  EXPECT_TRUE(FileExists(root_ + "/Import/DS260107.DAT"));
}

TEST_F(UpdateDialogTest, SeveralMarginFilesShowABarOfFiles) {
  std::vector<std::string> files = {root_ + "/Import/YS202601.16", root_ + "/Import/SZ260109.DAT"};
  auto* dialog = new CUpdateProgressDlg(
      std::make_unique<CMarginUpdateJob>(dictionary_.get(), folders_.get(), files),
      "信用残データ更新中");
  QSignalSpy closed(dialog, &CUpdateProgressDlg::Closed);
  ASSERT_NE(dialog->filesBar(), nullptr);
  EXPECT_EQ(dialog->filesBar()->maximum(), 2);
  ASSERT_TRUE(dialog->StartJob());
  WaitForClose(&closed);
  ASSERT_EQ(closed.count(), 1);
  EXPECT_TRUE(FileExists(root_ + "/Import/_SZ260109.DAT"));
  EXPECT_TRUE(FileExists(root_ + "/Import/_YS202601.16"));
}

}  // namespace
}  // namespace korvale
