#include "ui/analysis_choice_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/user_messages.h"
#include "screening/analysis_batch_job.h"
#include "ui/dialog_buttons.h"
#include "ui/number_field.h"

namespace korvale {

CAnalysisChoiceDialog::CAnalysisChoiceDialog(const QDate& today, QWidget* parent)
    : QDialog(parent) {
  setObjectName("analysisChoiceDialog");
  setWindowTitle(QString::fromUtf8(kAnalysisDialogCaption));
  auto* layout = new QVBoxLayout(this);
  latest_ = new QRadioButton(QString::fromUtf8(kAnalyseLatestText), this);
  previous_ = new QRadioButton(QString::fromUtf8(kUsePreviousText), this);
  asOf_ = new QRadioButton(QString::fromUtf8(kAnalyseAsOfText), this);
  layout->addWidget(latest_);
  layout->addWidget(previous_);
  layout->addWidget(asOf_);

  // The fields keep to the accepted ranges, so a date outside them cannot be entered.
  auto* dateRow = new QHBoxLayout;
  dateRow->addSpacing(20);
  year_ = NumberField(kAsOfFirstYear, kAsOfLastYear,
                      std::clamp(today.year(), kAsOfFirstYear, kAsOfLastYear), 72, this);
  month_ = NumberField(1, 12, today.month(), 52, this);
  day_ = NumberField(1, 31, today.day(), 52, this);
  dateRow->addWidget(year_);
  dateRow->addWidget(new QLabel("年", this));
  dateRow->addWidget(month_);
  dateRow->addWidget(new QLabel("月", this));
  dateRow->addWidget(day_);
  dateRow->addWidget(new QLabel("日 の株価を分析", this));
  dateRow->addStretch(1);
  layout->addLayout(dateRow);

  AddOkCancelButtons(this, layout);

  latest_->setChecked(true);
  // Editing the date means analysing as of that date.
  for (QSpinBox* field : {year_, month_, day_}) {
    connect(field, &QSpinBox::valueChanged, this, [this] { asOf_->setChecked(true); });
  }
}

CAnalysisChoiceDialog::Choice CAnalysisChoiceDialog::choice() const {
  if (previous_->isChecked()) return Choice::kPrevious;
  if (asOf_->isChecked()) return Choice::kAsOf;
  return Choice::kLatest;
}

int CAnalysisChoiceDialog::year() const { return year_->value(); }
int CAnalysisChoiceDialog::month() const { return month_->value(); }
int CAnalysisChoiceDialog::day() const { return day_->value(); }

QRadioButton* CAnalysisChoiceDialog::choiceButton(Choice c) const {
  switch (c) {
    case Choice::kPrevious:
      return previous_;
    case Choice::kAsOf:
      return asOf_;
    default:
      return latest_;
  }
}

}  // namespace korvale
