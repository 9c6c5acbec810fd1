#include "ui/delete_date_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"
#include "ui/number_field.h"

namespace korvale {

namespace {
// The fields take any number a user may type; a date no file holds removes nothing.
constexpr int kLargestYear = 9999, kLargestPart = 99;
}  // namespace

CDeleteDateDialog::CDeleteDateDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("deleteDateDialog");
  setWindowTitle("株価データ削除");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("全銘柄の指定した日の株価データ／信用残データを削除します", this));

  auto* kindRow = new QHBoxLayout;
  price_ = new QRadioButton("株価データを削除", this);
  margin_ = new QRadioButton("信用残データを削除", this);
  auto* kinds = new QButtonGroup(this);
  kinds->addButton(price_);
  kinds->addButton(margin_);
  kindRow->addWidget(price_);
  kindRow->addWidget(margin_);
  kindRow->addStretch(1);
  layout->addLayout(kindRow);

  auto* grid = new QGridLayout;
  byDay_ = new QRadioButton("日単位", this);
  byMonth_ = new QRadioButton("月単位", this);
  auto* units = new QButtonGroup(this);
  units->addButton(byDay_);
  units->addButton(byMonth_);
  grid->addWidget(byDay_, 0, 0);
  grid->addWidget(byMonth_, 1, 0);

  auto* dayRow = new QHBoxLayout;
  dayYear_ = NumberField(0, kLargestYear, 0, 72, this);
  dayMonth_ = NumberField(0, kLargestPart, 0, 52, this);
  day_ = NumberField(0, kLargestPart, 0, 52, this);
  dayRow->addWidget(dayYear_);
  dayRow->addWidget(new QLabel("年", this));
  dayRow->addWidget(dayMonth_);
  dayRow->addWidget(new QLabel("月", this));
  dayRow->addWidget(day_);
  dayRow->addWidget(new QLabel("日分を削除", this));
  dayRow->addStretch(1);
  grid->addLayout(dayRow, 0, 1);

  auto* monthRow = new QHBoxLayout;
  monthYear_ = NumberField(0, kLargestYear, 0, 72, this);
  month_ = NumberField(0, kLargestPart, 0, 52, this);
  monthRow->addWidget(monthYear_);
  monthRow->addWidget(new QLabel("年", this));
  monthRow->addWidget(month_);
  monthRow->addWidget(new QLabel("月分を削除", this));
  monthRow->addStretch(1);
  grid->addLayout(monthRow, 1, 1);
  layout->addLayout(grid);

  AddOkCancelButtons(this, layout);

  price_->setChecked(true);
  byDay_->setChecked(true);
  for (QSpinBox* field : {dayYear_, dayMonth_, day_}) {
    connect(field, &QSpinBox::valueChanged, this, [this] { byDay_->setChecked(true); });
  }
  for (QSpinBox* field : {monthYear_, month_}) {
    connect(field, &QSpinBox::valueChanged, this, [this] { byMonth_->setChecked(true); });
  }
}

DeleteDateTarget CDeleteDateDialog::target() const {
  DeleteDateTarget t;
  t.margin = margin_->isChecked();
  t.wholeMonth = byMonth_->isChecked();
  if (t.wholeMonth) {
    t.year = monthYear_->value();
    t.month = month_->value();
  } else {
    t.year = dayYear_->value();
    t.month = dayMonth_->value();
    t.day = day_->value();
  }
  return t;
}

}  // namespace korvale
