#include "ui/validation_param_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_buttons.h"

namespace korvale {

namespace {

QLineEdit* Field(int value, int width, const char* name, QWidget* parent) {
  auto* field = new QLineEdit(QString::number(value), parent);
  field->setObjectName(name);
  field->setFixedWidth(width);
  field->setAlignment(Qt::AlignRight);
  return field;
}

QLabel* Text(const char* utf8, QWidget* parent) {
  return new QLabel(QString::fromUtf8(utf8), parent);
}

}  // namespace

CValidationParamDialog::CValidationParamDialog(int year, int month, QWidget* parent)
    : QDialog(parent), params_(DefaultValidationParams(year, month)) {
  setObjectName("validationParamDialog");
  setWindowTitle("銘柄抽出条件の検証");
  auto* layout = new QVBoxLayout(this);
  auto* outer = new QGroupBox("検証パラメータの設定", this);
  auto* groups = new QVBoxLayout(outer);
  layout->addWidget(outer);

  auto* period = new QGroupBox("分析期間", outer);
  auto* periodLayout = new QGridLayout(period);
  whole_ = new QRadioButton("全期間", period);
  given_ = new QRadioButton("指定期間", period);
  periodLayout->addWidget(whole_, 0, 0);
  periodLayout->addWidget(given_, 1, 0);
  auto* dates = new QHBoxLayout;
  fromYear_ = Field(params_.fromYear, 56, "fromYear", period);
  fromMonth_ = Field(params_.fromMonth, 36, "fromMonth", period);
  toYear_ = Field(params_.toYear, 56, "toYear", period);
  toMonth_ = Field(params_.toMonth, 36, "toMonth", period);
  dates->addWidget(fromYear_);
  dates->addWidget(Text("年", period));
  dates->addWidget(fromMonth_);
  dates->addWidget(Text("月～", period));
  dates->addWidget(toYear_);
  dates->addWidget(Text("年", period));
  dates->addWidget(toMonth_);
  dates->addWidget(Text("月", period));
  dates->addStretch(1);
  periodLayout->addLayout(dates, 1, 1);
  groups->addWidget(period);

  auto* criterion = new QGroupBox("評価基準", outer);
  auto* criterionLayout = new QGridLayout(criterion);
  days_ = Field(params_.horizonDays, 48, "days", criterion);
  after_ = new QRadioButton("日後", criterion);
  within_ = new QRadioButton("日以内で", criterion);
  rise_ = Field(params_.risePercent, 48, "rise", criterion);
  fall_ = Field(params_.fallPercent, 48, "fall", criterion);
  criterionLayout->addWidget(days_, 0, 0);
  auto* modes = new QHBoxLayout;
  modes->addWidget(after_);
  modes->addWidget(within_);
  modes->addStretch(1);
  criterionLayout->addLayout(modes, 0, 1);
  criterionLayout->addWidget(rise_, 1, 0);
  criterionLayout->addWidget(Text("％以上上昇", criterion), 1, 1);
  criterionLayout->addWidget(fall_, 2, 0);
  criterionLayout->addWidget(Text("％以上下落", criterion), 2, 1);
  groups->addWidget(criterion);

  auto* universe = new QGroupBox("評価対象", outer);
  auto* universeLayout = new QHBoxLayout(universe);
  traded_ = Field(params_.tradedPercent, 48, "traded", universe);
  universeLayout->addWidget(Text("値付率", universe));
  universeLayout->addWidget(traded_);
  universeLayout->addWidget(Text("％以上の銘柄", universe));
  universeLayout->addStretch(1);
  groups->addWidget(universe);

  AddOkCancelButtons(this, layout);

  whole_->setChecked(params_.wholePeriod != 0);
  given_->setChecked(params_.wholePeriod == 0);
  after_->setChecked(params_.afterMode != 0);
  within_->setChecked(params_.afterMode == 0);
  // The dates matter only for "指定期間"; typing one chooses it.
  for (QLineEdit* field : {fromYear_, fromMonth_, toYear_, toMonth_}) {
    connect(field, &QLineEdit::textEdited, this, [this] { given_->setChecked(true); });
  }
}

bool CValidationParamDialog::Check(QLineEdit* field, int low, int high, int* value) {
  bool ok = false;
  const int v = field->text().trimmed().toInt(&ok);
  if (ok && v >= low && v <= high) {
    *value = v;
    return true;
  }
  lastRefusal_ = ok ? QString("%1 から %2 までの整数を入力してください。").arg(low).arg(high)
                    : QString("整数を入力してください。");
  QMessageBox::warning(this, "Korvale", lastRefusal_);
  field->setFocus();
  field->selectAll();
  return false;
}

void CValidationParamDialog::accept() {
  lastRefusal_.clear();
  ValidationParams p = params_;
  int v;
  const struct {
    QLineEdit* field;
    int low, high;
    int32_t* target;
  } checks[] = {
      {fromYear_, kValidationFirstYear, kValidationLastYear, &p.fromYear},
      {fromMonth_, 1, 12, &p.fromMonth},
      {toYear_, kValidationFirstYear, kValidationLastYear, &p.toYear},
      {toMonth_, 1, 12, &p.toMonth},
      {days_, 0, kHorizonDaysMax, &p.horizonDays},
      {rise_, 0, 100, &p.risePercent},
      {fall_, 0, 100, &p.fallPercent},
      {traded_, 0, 100, &p.tradedPercent},
  };
  for (const auto& c : checks) {
    if (!Check(c.field, c.low, c.high, &v)) return;
    *c.target = v;
  }
  p.wholePeriod = whole_->isChecked() ? 1 : 0;
  p.afterMode = after_->isChecked() ? 1 : 0;
  params_ = p;
  QDialog::accept();
}

ValidationParams CValidationParamDialog::params() const { return params_; }

}  // namespace korvale
