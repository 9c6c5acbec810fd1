// The dialog "株価データエキスポート": the range of a bulk export — everything, one year, or a
// start month and a number of months.
#ifndef KORVALE_UI_EXPORT_RANGE_DIALOG_H_
#define KORVALE_UI_EXPORT_RANGE_DIALOG_H_

#include <QDate>
#include <QDialog>

#include "acquisition/bulk_export_job.h"

class QRadioButton;
class QSpinBox;

namespace korvale {

class CExportRangeDialog : public QDialog {
  Q_OBJECT

 public:
  // Starts on "全期間", the year fields and the start month at `today`'s year and month (years
  // held to 1970-2069), the number of months at 1.
  explicit CExportRangeDialog(const QDate& today, QWidget* parent = nullptr);

  ExportRange range() const;

  QRadioButton* allButton() const { return all_; }
  QRadioButton* yearButton() const { return year_; }
  QRadioButton* monthsButton() const { return months_; }
  QSpinBox* yearField() const { return yearField_; }
  QSpinBox* startYearField() const { return startYear_; }
  QSpinBox* startMonthField() const { return startMonth_; }
  QSpinBox* monthCountField() const { return monthCount_; }

 private:
  QRadioButton* all_;
  QRadioButton* year_;
  QRadioButton* months_;
  QSpinBox* yearField_;
  QSpinBox* startYear_;
  QSpinBox* startMonth_;
  QSpinBox* monthCount_;
};

}  // namespace korvale

#endif  // KORVALE_UI_EXPORT_RANGE_DIALOG_H_
