// The dialog "銘柄抽出条件の検証": the period, the criterion and the universe of the rule
// validation report. OK refuses a field outside its range with the platform's range message.
#ifndef KORVALE_UI_VALIDATION_PARAM_DIALOG_H_
#define KORVALE_UI_VALIDATION_PARAM_DIALOG_H_

#include <QDialog>
#include <QString>

#include "screening/backtest.h"

class QLineEdit;
class QRadioButton;

namespace korvale {

class CValidationParamDialog : public QDialog {
  Q_OBJECT

 public:
  // Starts on the dialog's defaults with both dates at the given year and month.
  CValidationParamDialog(int year, int month, QWidget* parent = nullptr);

  // The parameters as entered; valid once the dialog was accepted.
  ValidationParams params() const;

  // The fields, for tests and for the caller's focus.
  QLineEdit* fromYearField() const { return fromYear_; }
  QLineEdit* fromMonthField() const { return fromMonth_; }
  QLineEdit* toYearField() const { return toYear_; }
  QLineEdit* toMonthField() const { return toMonth_; }
  QLineEdit* daysField() const { return days_; }
  QLineEdit* riseField() const { return rise_; }
  QLineEdit* fallField() const { return fall_; }
  QLineEdit* tradedField() const { return traded_; }
  QRadioButton* wholePeriodButton() const { return whole_; }
  QRadioButton* givenPeriodButton() const { return given_; }
  QRadioButton* afterButton() const { return after_; }
  QRadioButton* withinButton() const { return within_; }
  // The message the last refused OK showed ("" when none was refused).
  const QString& lastRefusal() const { return lastRefusal_; }

 public slots:
  // Checks every field in the order of the dialog; the first one out of range is refused with
  // a message and gets the focus, and the dialog stays open.
  void accept() override;

 private:
  // The field's whole number when it holds one in [low, high]; otherwise shows the message,
  // focuses the field and returns false.
  bool Check(QLineEdit* field, int low, int high, int* value);

  QRadioButton* whole_;
  QRadioButton* given_;
  QRadioButton* after_;
  QRadioButton* within_;
  QLineEdit* fromYear_;
  QLineEdit* fromMonth_;
  QLineEdit* toYear_;
  QLineEdit* toMonth_;
  QLineEdit* days_;
  QLineEdit* rise_;
  QLineEdit* fall_;
  QLineEdit* traded_;
  ValidationParams params_;
  QString lastRefusal_;
};

}  // namespace korvale

#endif  // KORVALE_UI_VALIDATION_PARAM_DIALOG_H_
