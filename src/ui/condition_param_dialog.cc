#include "ui/condition_param_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDoubleValidator>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QRadioButton>
#include <QVBoxLayout>

#include "screening/c_locale_text.h"
#include "screening/condition_catalogue.h"
#include "ui/param_dialog_family.h"

namespace korvale {

namespace {

constexpr int kWeightFieldWidth = 56;
constexpr int kValueFieldWidth = 64;
constexpr int kDayFieldWidth = 34;

// Numbers as the edit fields show them: the shortest text that reads back as the value (to 15
// digits), with '.' whatever the desktop's locale.
QString NumberText(double value) { return QString::number(value, 'g', 15); }

double ReadDouble(const QLineEdit* edit) { return AtofC(edit->text().toStdString().c_str()); }
int32_t ReadInt(const QLineEdit* edit) { return AtoiC(edit->text().toStdString().c_str()); }

}  // namespace

CConditionParamDialog::CConditionParamDialog(int type, QWidget* parent)
    : QWidget(parent), type_(type) {
  setObjectName(QString("param%1").arg(type));
  createControls(ParamDialogFamilyOf(type));
  hide();
}

QLineEdit* CConditionParamDialog::createNumberField(bool integer, int width) {
  auto* edit = new QLineEdit(this);
  edit->setFixedWidth(width);
  edit->setAlignment(Qt::AlignRight);
  // Only numbers (and the partial texts on the way to one) can be typed, in the C notation the
  // rule files use, so a field never holds text the conversion would have to guess at.
  if (integer) {
    edit->setValidator(new QIntValidator(edit));
  } else {
    auto* validator = new QDoubleValidator(edit);
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    validator->setLocale(c);
    edit->setValidator(validator);
  }
  connect(edit, &QLineEdit::textEdited, this, [this] { emit Edited(type_); });
  connect(edit, &QLineEdit::editingFinished, this, [this] { emit Edited(type_); });
  return edit;
}

void CConditionParamDialog::createControls(const ParamDialogFamily& family) {
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* rows = new QVBoxLayout;
  rows->setSpacing(4);
  auto* top = new QHBoxLayout;
  auto* bottom = new QHBoxLayout;
  rows->addLayout(top);
  rows->addLayout(bottom);
  outer->addLayout(rows);
  outer->addStretch(1);

  top->addWidget(new QLabel(QString::fromUtf8(family.label), this));
  if (family.days) {
    dayEdit_ = new QLineEdit(this);
    dayEdit_->setReadOnly(true);
    dayEdit_->setFixedWidth(kDayFieldWidth);
    dayEdit_->setAlignment(Qt::AlignRight);
    dayEdit_->setFocusPolicy(Qt::NoFocus);
    top->addWidget(dayEdit_);
    top->addWidget(new QLabel(QString::fromUtf8(family.dayUnit), this));
  }
  top->addStretch(1);

  if (family.choice) {
    choiceList_ = new QComboBox(this);
    for (int i = 0; i < ConditionChoiceCount(type_); ++i) {
      choiceList_->addItem(QString::fromUtf8(ConditionChoiceText(type_, i)));
    }
    bottom->addWidget(choiceList_);
    connect(choiceList_, &QComboBox::activated, this, [this] { emit Edited(type_); });
  }
  if (family.middle) bottom->addWidget(new QLabel(QString::fromUtf8(family.middle), this));
  if (family.value || family.price) {
    valueEdit_ = createNumberField(family.price != nullptr, kValueFieldWidth);
    bottom->addWidget(valueEdit_);
    bottom->addWidget(new QLabel(QString::fromUtf8(family.valueUnit), this));
  }
  if (family.direction) {
    above_ = new QRadioButton("以上", this);
    below_ = new QRadioButton("以下", this);
    auto* group = new QButtonGroup(this);
    group->addButton(above_, kAtOrAbove);
    group->addButton(below_, kAtOrBelow);
    bottom->addSpacing(6);
    bottom->addWidget(above_);
    bottom->addWidget(below_);
    connect(group, &QButtonGroup::idClicked, this, [this] { emit Edited(type_); });
  }
  bottom->addStretch(1);

  weightEdit_ = createNumberField(false, kWeightFieldWidth);
  weightEdit_->setObjectName("weight");
  outer->addWidget(weightEdit_, 0, Qt::AlignVCenter);
}

void CConditionParamDialog::Load(const ConditionSet& set) {
  const ParamDialogFamily& f = ParamDialogFamilyOf(type_);
  if (f.price) valueEdit_->setText(QString::number(set.*f.price));
  if (f.value) valueEdit_->setText(NumberText(set.*f.value));
  if (f.days) dayEdit_->setText(QString::number(set.*f.days));
  if (f.direction) {
    (set.*f.direction == kAtOrAbove ? above_ : below_)->setChecked(true);
  }
  if (f.choice) {
    int32_t choice = set.*f.choice;
    if (type_ == 10) choice = choice == 0 ? 0 : 1;  // any non-zero zone is 安値圏
    // A choice no list offers (a hand-written file) shows no selection.
    choiceList_->setCurrentIndex(choice >= 0 && choice < choiceList_->count() ? choice : -1);
  }
  weightEdit_->setText(NumberText(set.weights[type_]));
}

void CConditionParamDialog::Store(ConditionSet* set) const {
  const ParamDialogFamily& f = ParamDialogFamilyOf(type_);
  if (f.price) set->*f.price = ReadInt(valueEdit_);
  if (f.value) set->*f.value = ReadDouble(valueEdit_);
  if (f.direction) set->*f.direction = below_->isChecked() ? kAtOrBelow : kAtOrAbove;
  if (f.choice && choiceList_->currentIndex() >= 0) set->*f.choice = choiceList_->currentIndex();
  set->weights[type_] = ReadDouble(weightEdit_);
}

}  // namespace korvale
