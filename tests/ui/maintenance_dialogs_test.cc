// The range dialog of the bulk export and the dialog of the date removal, as a user fills them.
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QSpinBox>

#include "ui/delete_date_dialog.h"
#include "ui/export_range_dialog.h"
#include "ui/ui_test_fixtures.h"

namespace korvale {
namespace {

TEST(MaintenanceDialogsTest, TheExportRangeStartsOnEverythingAtTheCurrentMonth) {
  testing::EnsureQApplication();
  CExportRangeDialog dialog(QDate(2026, 3, 15));
  EXPECT_EQ(dialog.windowTitle(), "株価データエキスポート");
  EXPECT_TRUE(dialog.allButton()->isChecked());
  EXPECT_EQ(dialog.range().kind, ExportRange::kAll);
  EXPECT_EQ(dialog.yearField()->value(), 2026);
  EXPECT_EQ(dialog.startYearField()->value(), 2026);
  EXPECT_EQ(dialog.startMonthField()->value(), 3);
  EXPECT_EQ(dialog.monthCountField()->value(), 1);
  EXPECT_EQ(dialog.monthCountField()->maximum(), 60);

  // Editing a field picks its range.
  dialog.monthCountField()->setValue(6);
  ExportRange range = dialog.range();
  EXPECT_EQ(range.kind, ExportRange::kMonths);
  EXPECT_EQ(range.startYear, 2026);
  EXPECT_EQ(range.startMonth, 3);
  EXPECT_EQ(range.months, 6);
  dialog.yearField()->setValue(2001);
  range = dialog.range();
  EXPECT_EQ(range.kind, ExportRange::kYear);
  EXPECT_EQ(range.year, 2001);

  CExportRangeDialog later(QDate(2080, 1, 1));
  EXPECT_EQ(later.yearField()->value(), 2069);
}

TEST(MaintenanceDialogsTest, TheDeleteDialogStartsOnPricesByDayWithEveryFieldAtZero) {
  testing::EnsureQApplication();
  CDeleteDateDialog dialog;
  EXPECT_EQ(dialog.windowTitle(), "株価データ削除");
  EXPECT_TRUE(dialog.priceButton()->isChecked());
  EXPECT_TRUE(dialog.dayButton()->isChecked());
  DeleteDateTarget target = dialog.target();
  EXPECT_FALSE(target.margin);
  EXPECT_FALSE(target.wholeMonth);
  EXPECT_EQ(target.year + target.month + target.day, 0);

  dialog.marginButton()->setChecked(true);
  dialog.monthYearField()->setValue(2006);
  dialog.monthField()->setValue(1);
  target = dialog.target();
  EXPECT_TRUE(target.margin);
  EXPECT_TRUE(target.wholeMonth);
  EXPECT_EQ(target.year, 2006);
  EXPECT_EQ(target.month, 1);
  EXPECT_FALSE(dialog.priceButton()->isChecked());
}

}  // namespace
}  // namespace korvale
