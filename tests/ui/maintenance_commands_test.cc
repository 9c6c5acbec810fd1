// The maintenance menu's batches run from the main window as a user runs them.
#include "ui/maintenance_commands.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

#include "acquisition/consistency_check_job.h"
#include "app/korvale_doc.h"
#include "store/cp932.h"
#include "store/file_io.h"
#include "support/acquisition_fixtures.h"
#include "ui/export_range_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/ui_test_fixtures.h"
#include "ui/update_progress_dialog.h"

namespace korvale {
namespace {

class MaintenanceCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQApplication();
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    app_ = std::make_unique<CKorvaleApp>(QString::fromStdString(root_),
                                         QString::fromStdString(dir_.File("RootDir")));
    frame_ = app_->CreateFirstWindow();
  }
  // Runs the event loop until the batch's progress dialog has closed.
  void WaitForBatch() {
    CUpdateProgressDlg* dialog = frame_->maintenanceCommands()->progressDialog();
    ASSERT_NE(dialog, nullptr);
    QSignalSpy closed(dialog, &CUpdateProgressDlg::Closed);
    for (int i = 0; i < 5000 && closed.isEmpty(); ++i) QCoreApplication::processEvents();
    ASSERT_FALSE(closed.isEmpty());
  }

  testing::TempDir dir_;
  std::string root_;
  std::unique_ptr<CKorvaleApp> app_;
  CMainFrame* frame_ = nullptr;
};

TEST_F(MaintenanceCommandsTest, TheCheckLeavesTheFailingStocksInTheList) {
  CConsistencyCheckJob direct(*frame_->document()->dictionary());
  testing::RunToEnd(&direct);
  ASSERT_FALSE(direct.list().rows.empty());  // the sample holds a few damaged files

  frame_->action(kCmdConsistencyCheck)->trigger();
  WaitForBatch();
  QListWidget* list = frame_->stockList();
  ASSERT_EQ(list->count(), static_cast<int>(direct.list().rows.size()));
  EXPECT_EQ(list->item(0)->text().toStdString(), Cp932ToUtf8(direct.list().rows[0].text));
  EXPECT_TRUE(frame_->windowTitle().startsWith("株価整合性チェック"));
  // Picking a row opens that stock.
  list->setCurrentRow(0);
  EXPECT_EQ(frame_->document()->code(), direct.list().rows[0].code);
}

TEST_F(MaintenanceCommandsTest, TheExportWritesTheChosenYearIntoTheDataRoot) {
  bool answered = false;
  testing::AnswerNextDialog<CExportRangeDialog>(
      [](CExportRangeDialog* dialog) {
        dialog->yearField()->setValue(2025);
        dialog->accept();
      },
      &answered);
  frame_->action(kCmdBulkExport)->trigger();
  ASSERT_TRUE(answered);
  WaitForBatch();
  const std::string out = root_ + "/株価2025";
  ASSERT_TRUE(FileExists(out));
  EXPECT_GT(FileSize(out), 1000);
}

}  // namespace
}  // namespace korvale
