// The dialog "株価分析": how the analysis command gets its records — analyse the latest data, use
// the previous results, or analyse the data as of a date.
#ifndef KORVALE_UI_ANALYSIS_CHOICE_DIALOG_H_
#define KORVALE_UI_ANALYSIS_CHOICE_DIALOG_H_

#include <QDate>
#include <QDialog>

class QRadioButton;
class QSpinBox;

namespace korvale {

class CAnalysisChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Choice { kLatest, kPrevious, kAsOf };

  // Starts on "今日の分析" with the date fields at `today`.
  explicit CAnalysisChoiceDialog(const QDate& today, QWidget* parent = nullptr);

  Choice choice() const;
  // The date of "日を指定して分析": years 1970-2069, months 1-12, days 1-31.
  int year() const;
  int month() const;
  int day() const;

  QRadioButton* choiceButton(Choice c) const;
  QSpinBox* yearField() const { return year_; }
  QSpinBox* monthField() const { return month_; }
  QSpinBox* dayField() const { return day_; }

 private:
  QRadioButton* latest_;
  QRadioButton* previous_;
  QRadioButton* asOf_;
  QSpinBox* year_;
  QSpinBox* month_;
  QSpinBox* day_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALYSIS_CHOICE_DIALOG_H_
