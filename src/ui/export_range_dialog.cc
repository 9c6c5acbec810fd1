#include "ui/export_range_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/dialog_buttons.h"
#include "ui/number_field.h"

namespace korvale {

CExportRangeDialog::CExportRangeDialog(const QDate& today, QWidget* parent) : QDialog(parent) {
  setObjectName("exportRangeDialog");
  setWindowTitle("株価データエキスポート");
  const int year = std::clamp(today.year(), kExportFirstYear, kExportLastYear);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  all_ = new QRadioButton("全期間", this);
  year_ = new QRadioButton("年単位", this);
  months_ = new QRadioButton("月単位", this);
  grid->addWidget(all_, 0, 0);
  grid->addWidget(year_, 1, 0);
  grid->addWidget(months_, 2, 0);

  auto* yearRow = new QHBoxLayout;
  yearField_ = NumberField(kExportFirstYear, kExportLastYear, year, 72, this);
  yearRow->addWidget(yearField_);
  yearRow->addWidget(new QLabel("年", this));
  yearRow->addStretch(1);
  grid->addLayout(yearRow, 1, 1);

  auto* monthsRow = new QHBoxLayout;
  startYear_ = NumberField(kExportFirstYear, kExportLastYear, year, 72, this);
  startMonth_ = NumberField(1, 12, today.month(), 52, this);
  monthCount_ = NumberField(0, kExportMaxMonths, 1, 52, this);
  monthsRow->addWidget(startYear_);
  monthsRow->addWidget(new QLabel("年", this));
  monthsRow->addWidget(startMonth_);
  monthsRow->addWidget(new QLabel("月から", this));
  monthsRow->addWidget(monthCount_);
  monthsRow->addWidget(new QLabel("ヶ月分", this));
  monthsRow->addStretch(1);
  grid->addLayout(monthsRow, 2, 1);
  layout->addLayout(grid);

  AddOkCancelButtons(this, layout);

  all_->setChecked(true);
  // Editing a field chooses the range it belongs to.
  connect(yearField_, &QSpinBox::valueChanged, this, [this] { year_->setChecked(true); });
  for (QSpinBox* field : {startYear_, startMonth_, monthCount_}) {
    connect(field, &QSpinBox::valueChanged, this, [this] { months_->setChecked(true); });
  }
}

ExportRange CExportRangeDialog::range() const {
  ExportRange r;
  if (year_->isChecked()) {
    r.kind = ExportRange::kYear;
    r.year = yearField_->value();
  } else if (months_->isChecked()) {
    r.kind = ExportRange::kMonths;
    r.startYear = startYear_->value();
    r.startMonth = startMonth_->value();
    r.months = monthCount_->value();
  }
  return r;
}

}  // namespace korvale
