// The dialog "株価データ削除": which files (price or margin) lose which day or month.
#ifndef KORVALE_UI_DELETE_DATE_DIALOG_H_
#define KORVALE_UI_DELETE_DATE_DIALOG_H_

#include <QDialog>

#include "acquisition/delete_date_job.h"

class QRadioButton;
class QSpinBox;

namespace korvale {

class CDeleteDateDialog : public QDialog {
  Q_OBJECT

 public:
  // Starts on "株価データを削除" and "日単位", every field at 0.
  explicit CDeleteDateDialog(QWidget* parent = nullptr);

  DeleteDateTarget target() const;

  QRadioButton* priceButton() const { return price_; }
  QRadioButton* marginButton() const { return margin_; }
  QRadioButton* dayButton() const { return byDay_; }
  QRadioButton* monthButton() const { return byMonth_; }
  // The fields of "日単位" (year, month, day) and of "月単位" (year, month).
  QSpinBox* dayYearField() const { return dayYear_; }
  QSpinBox* dayMonthField() const { return dayMonth_; }
  QSpinBox* dayField() const { return day_; }
  QSpinBox* monthYearField() const { return monthYear_; }
  QSpinBox* monthField() const { return month_; }

 private:
  QRadioButton* price_;
  QRadioButton* margin_;
  QRadioButton* byDay_;
  QRadioButton* byMonth_;
  QSpinBox* dayYear_;
  QSpinBox* dayMonth_;
  QSpinBox* day_;
  QSpinBox* monthYear_;
  QSpinBox* month_;
};

}  // namespace korvale

#endif  // KORVALE_UI_DELETE_DATE_DIALOG_H_
