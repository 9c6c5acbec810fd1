// The main window's and the price table's "初期設定...": the page it opens at, what OK does to
// the chart and the table, and the window size the settings keep when a main window closes.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "app/korvale_doc.h"
#include "charts/chart_painter.h"
#include "charts/colour_themes.h"
#include "charts/price_table.h"
#include "store/file_io.h"
#include "store/settings_field_rules.h"
#include "ui/chart_table_view.h"
#include "ui/korvale_app.h"
#include "ui/main_commands.h"
#include "ui/main_frame.h"
#include "ui/settings_dialog.h"
#include "ui/settings_form.h"
#include "ui/table_frame.h"
#include "ui/thumbnail_frame.h"
#include "ui/thumbnail_view.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

class MainFrameSettingsTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    root_ = testing::CopySampleRoot(dir_);
    ASSERT_FALSE(root_.empty());
    StartProgram(root_, nullptr, QSize());
    Pick(2);
  }
};

TEST_F(MainFrameSettingsTest, OkGivesThePainterTheNewValuesButKeepsItsColours) {
  frame_->action(kChartWeekly)->trigger();
  CChartPainter* painter = frame_->document()->painter();
  ASSERT_NE(painter, nullptr);
  const Rgb background = painter->colour(0);
  ASSERT_NE(ThemeColour(4, 0), background);
  int page = -1;
  bool answered = false;
  testing::AnswerNextDialog<CSettingsDialog>(
      [&page](CSettingsDialog* d) {
        page = d->tabs()->currentIndex();
        testing::TypeInto(qobject_cast<QLineEdit*>(d->form()->control("weeklyMaShort")), "9");
        qobject_cast<QComboBox*>(d->form()->control("colourTheme"))->setCurrentIndex(4);  // 古書
        d->okButton()->click();
      },
      &answered);
  frame_->action(kCmdSettings)->trigger();
  ASSERT_TRUE(answered);
  EXPECT_EQ(page, kSettingsPageWeekly);  // the page of the chart shown
  EXPECT_EQ(app_->settings().weeklyMaShort, 9);
  EXPECT_EQ(painter->settings().weeklyMaShort, 9);
  EXPECT_EQ(painter->settings().colourTheme, 4);
  EXPECT_EQ(painter->colour(0), background);          // charts already open keep their colours
  EXPECT_FALSE(FileExists(root_ + "/Korvale2.INI"));  // OK saves nothing
}

TEST_F(MainFrameSettingsTest, ThePriceTableOpensTheAuxiliaryPageAndFollowsItsOk) {
  frame_->action(kCmdDailyTable)->trigger();
  CTableFrame* table = frame_->priceTable();
  ASSERT_NE(table, nullptr);
  int page = -1;
  bool answered = false;
  testing::AnswerNextDialog<CSettingsDialog>(
      [&page](CSettingsDialog* d) {
        page = d->tabs()->currentIndex();
        testing::TypeInto(qobject_cast<QLineEdit*>(d->form()->control("dailyTableDays")), "7");
        d->okButton()->click();
      },
      &answered);
  table->action(kCmdTableSettings)->trigger();
  ASSERT_TRUE(answered);
  EXPECT_EQ(page, kSettingsPageAuxiliary);
  EXPECT_EQ(app_->settings().dailyTableDays, 7);
  EXPECT_EQ(table->view()->table().rowCount(), 7);  // the open table refills at once
}

TEST_F(MainFrameSettingsTest, AnOpenThumbnailWindowTakesTheNewGridOnOk) {
  frame_->action(kCmdThumbnails)->trigger();
  CThumbnailFrame* thumbnails = frame_->thumbnails();
  ASSERT_NE(thumbnails, nullptr);
  QCoreApplication::processEvents();
  CThumbnailView* view = thumbnails->view();
  const int count = view->grid().count();
  bool answered = false;
  testing::AnswerNextDialog<CSettingsDialog>(
      [](CSettingsDialog* d) {
        testing::TypeInto(qobject_cast<QLineEdit*>(d->form()->control("thumbnailColumns")), "3");
        testing::TypeInto(qobject_cast<QLineEdit*>(d->form()->control("thumbnailWidth")), "100");
        d->okButton()->click();
      },
      &answered);
  frame_->action(kCmdSettings)->trigger();
  ASSERT_TRUE(answered);
  QCoreApplication::processEvents();
  EXPECT_EQ(view->grid().columns(), 3);
  EXPECT_EQ(view->grid().cellWidth(), 100);
  EXPECT_EQ(view->grid().count(), count);  // the same stocks
  EXPECT_EQ(view->viewport()->size(), QSize(3 * 100, app_->settings().thumbnailRows * 64));
}

TEST_F(MainFrameSettingsTest, AClosingMainWindowLeavesItsSizeForTheNextOne) {
  CMainFrame* second = app_->CreateWindowFor(frame_->document()->NewWindowDocument());
  second->show();
  second->resize(700, 650);  // within the offscreen screen
  QCoreApplication::processEvents();
  second->close();  // deleted on close
  QCoreApplication::processEvents();
  EXPECT_EQ(app_->settings().dailyWindowWidth, 700);
  EXPECT_EQ(app_->settings().dailyWindowHeight, 650);
  CMainFrame* third = app_->CreateWindowFor(frame_->document()->NewWindowDocument());
  EXPECT_EQ(third->size(), QSize(700, 650));
}

}  // namespace
}  // namespace korvale
