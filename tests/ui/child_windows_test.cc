// The price table and thumbnail windows as the main window opens, updates and closes them, on
// the small sample database.
#include <gtest/gtest.h>

#include <QAction>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>

#include "app/korvale_doc.h"
#include "charts/price_table.h"
#include "store/cp932.h"
#include "ui/chart_table_view.h"
#include "ui/korvale_app.h"
#include "ui/main_commands.h"
#include "ui/main_frame.h"
#include "ui/table_frame.h"
#include "ui/thumbnail_frame.h"
#include "ui/thumbnail_view.h"
#include "ui_test_fixtures.h"

namespace korvale {
namespace {

class ChildWindowsTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    ASSERT_FALSE(testing::PristineSampleRoot().empty());
    StartProgram(testing::PristineSampleRoot());
  }

  CKorvaleDoc* doc() { return frame_->document(); }
  bool Checked(int id) { return frame_->action(id)->isChecked(); }
};

TEST_F(ChildWindowsTest, PriceTableCommandsOpenSwitchAndCloseOneTable) {
  Pick(4);
  frame_->action(kCmdDailyTable)->trigger();
  CTableFrame* table = frame_->priceTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->size(), QSize(420, 320));
  EXPECT_TRUE(Checked(kCmdDailyTable));
  const CPriceTableModel& rows = table->view()->table();
  EXPECT_EQ(rows.rowCount(),
            std::min<int>(app_->settings().dailyTableDays, doc()->series().barCount()));
  EXPECT_EQ(rows.headerData(5, Qt::Horizontal, Qt::DisplayRole).toString(), "出来高");
  // The newest day stands in the last row, and the list shows it.
  const PriceBar& last = doc()->series().bars.back();
  EXPECT_EQ(rows.rows().back()[0],
            QString::asprintf("%04d/%02d/%02d", last.year, last.month, last.day).toStdString());
  EXPECT_GE(table->view()->columnWidth(0), 86);

  // Another period switches the open table; the same again closes it.
  frame_->action(kCmdWeeklyTable)->trigger();
  EXPECT_EQ(frame_->priceTable(), table);
  EXPECT_TRUE(Checked(kCmdWeeklyTable));
  EXPECT_FALSE(Checked(kCmdDailyTable));
  EXPECT_EQ(rows.rowCount(),
            std::min<int>(app_->settings().weeklyTableWeeks, doc()->series().weekCount()));
  // Another stock refills it.
  Pick(5);
  EXPECT_EQ(rows.rows().back()[4],
            QString::asprintf("%6d", doc()->series().weeks.back().close).toStdString());
  // The table's own menu moves the main window's check.
  table->action(kTableMonthly)->trigger();
  EXPECT_TRUE(Checked(kCmdMonthlyTable));
  EXPECT_EQ(rows.rows().back()[0].size(), 7u);  // YYYY/MM
  frame_->action(kCmdMonthlyTable)->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame_->priceTable(), nullptr);
  EXPECT_EQ(doc()->tablePeriod(), 0);
  EXPECT_FALSE(Checked(kCmdMonthlyTable));
}

TEST_F(ChildWindowsTest, ThumbnailsFollowTheListAndOpenTheStockClicked) {
  frame_->action(kCmdThumbnails)->trigger();
  CThumbnailFrame* thumbnails = frame_->thumbnails();
  ASSERT_NE(thumbnails, nullptr);
  EXPECT_TRUE(Checked(kCmdThumbnails));
  QCoreApplication::processEvents();
  CThumbnailView* view = thumbnails->view();
  EXPECT_EQ(view->grid().count(), frame_->stockList()->count());
  EXPECT_EQ(thumbnails->windowTitle(), "全銘柄");
  // The client holds the settings' rows and columns of whole cells.
  EXPECT_EQ(view->viewport()->size(), QSize(4 * 128, 4 * 64));

  // A list command gives it the new list and title; a screening run its own title.
  frame_->action(32785)->trigger();  // the first market
  EXPECT_EQ(view->grid().count(), static_cast<int>(doc()->list().rows.size()));
  EXPECT_EQ(thumbnails->windowTitle().toStdString(), Cp932ToUtf8(doc()->list().title));
  frame_->ShowListedStocks("テスト ランキング");
  EXPECT_EQ(thumbnails->windowTitle(), "テスト ランキング");

  // A click on the second cell opens its stock as picking its row does.
  frame_->action(kCmdAllStocks)->trigger();
  view->repaint();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(128 + 40, 30));
  QCoreApplication::processEvents();
  EXPECT_EQ(view->selected(), 1);
  EXPECT_EQ(frame_->stockList()->currentRow(), 1);
  ASSERT_NE(doc()->painter(), nullptr);
  EXPECT_EQ(doc()->code(), doc()->list().rows[1].code);

  thumbnails->close();
  QCoreApplication::processEvents();
  EXPECT_EQ(frame_->thumbnails(), nullptr);
  EXPECT_FALSE(Checked(kCmdThumbnails));
}

}  // namespace
}  // namespace korvale
