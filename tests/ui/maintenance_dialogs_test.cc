// The range dialog of the bulk export and the dialog of the date removal, as a user fills them.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileSystemModel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>

#include "ui/delete_date_dialog.h"
#include "ui/export_range_dialog.h"
#include "ui/file_filters.h"
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

// The filters as Qt's own dialog reads them: each must let the files it names through, also
// when its pattern is not ASCII (the bulk file "株価All").
TEST(MaintenanceDialogsTest, TheFileFiltersMatchTheFilesTheyName) {
  testing::EnsureQApplication();
  const struct {
    const char* filter;
    const char* name;
    bool matches;
  } cases[] = {
      {"株価データ Files (KD*.KDT)|kd*.kdt||", "KD7203.KDT", true},
      {"株価データ Files (KD*.KDT)|kd*.kdt||", "kd7203.kdt", true},
      {"株価データ Files (KD*.KDT)|kd*.kdt||", "SZ7203.SDT", false},
      {"株価更新データ (株価*)|株価*||", "株価All", true},
      {"株価更新データ (株価*)|株価*||", "株価202511", true},
      {"株価更新データ (株価*)|株価*||", "KD7203.KDT", false},
  };
  for (const auto& c : cases) {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(DialogFilter(c.filter));
    auto* model = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    bool matched = false;
    for (const QString& pattern : model->nameFilters()) {
      matched |= QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive)
                     .match(QString::fromUtf8(c.name))
                     .hasMatch();
    }
    EXPECT_EQ(matched, c.matches) << c.filter << " " << c.name;
  }
}

}  // namespace
}  // namespace korvale
