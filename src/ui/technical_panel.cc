#include "ui/technical_panel.h"

#include <QComboBox>
#include <QDoubleValidator>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "screening/c_locale_text.h"
#include "screening/condition_catalogue.h"
#include "screening/rule_list.h"
#include "screening/screening_run.h"
#include "store/cp932.h"
#include "ui/condition_list.h"
#include "ui/condition_param_dialog.h"

namespace korvale {

namespace {

QString FromCp932(const char* cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

QPushButton* SmallButton(const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setAutoDefault(false);
  button->setFixedWidth(52);
  return button;
}

}  // namespace

CTechnicalPanel::CTechnicalPanel(CRuleList* rules, CKorvaleDoc* doc, Place place, QWidget* parent)
    : QWidget(parent), rules_(rules), doc_(doc) {
  setObjectName("technicalPanel");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(4);
  createRuleRow();
  createConditionGroup();
  createSettingGroup();
  createModeRow(place);

  RefillRuleCombo();
  SelectRule(0);
}

void CTechnicalPanel::createRuleRow() {
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("条件名", this));
  ruleCombo_ = new QComboBox(this);
  ruleCombo_->setObjectName("ruleCombo");
  ruleCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  ruleCombo_->installEventFilter(this);
  row->addWidget(ruleCombo_, 1);
  newButton_ = SmallButton("新規", this);
  deleteButton_ = SmallButton("削除", this);
  saveButton_ = SmallButton("保存", this);
  row->addWidget(newButton_);
  row->addWidget(deleteButton_);
  row->addWidget(saveButton_);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  connect(ruleCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (index >= 0) SelectRule(index);
  });
  connect(newButton_, &QPushButton::clicked, this, &CTechnicalPanel::NewRule);
  connect(deleteButton_, &QPushButton::clicked, this, &CTechnicalPanel::DeleteRule);
  connect(saveButton_, &QPushButton::clicked, this, &CTechnicalPanel::SaveRule);
}

void CTechnicalPanel::createConditionGroup() {
  conditionGroup_ = new QGroupBox("条件式", this);
  auto* inner = new QVBoxLayout(conditionGroup_);
  inner->setContentsMargins(6, 4, 6, 6);
  list_ = new CConditionList(conditionGroup_);
  inner->addWidget(list_);
  static_cast<QVBoxLayout*>(layout())->addWidget(conditionGroup_, 1);

  connect(list_, &CConditionList::LineSelected, this, [this](int type) {
    CollectControls();
    showDialogOf(type);
  });
  connect(list_, &CConditionList::Toggled, this,
          [this](int type, bool on) { working_.enabled[type] = on ? 1 : 0; });
}

void CTechnicalPanel::createSettingGroup() {
  settingGroup_ = new QGroupBox("条件の設定", this);
  auto* inner = new QVBoxLayout(settingGroup_);
  inner->setContentsMargins(6, 4, 6, 6);
  // One dialog per type, all hidden until their line is selected; the area keeps the height of
  // the tallest so the panel does not jump as lines are selected.
  auto* area = new QWidget(settingGroup_);
  auto* areaLayout = new QVBoxLayout(area);
  areaLayout->setContentsMargins(0, 0, 0, 0);
  int tallest = 0;
  for (int type = 0; type < kConditionTypeCount; ++type) {
    auto* dialog = new CConditionParamDialog(type, area);
    areaLayout->addWidget(dialog);
    tallest = std::max(tallest, dialog->sizeHint().height());
    dialogs_[type] = dialog;
    connect(dialog, &CConditionParamDialog::Edited, this, [this](int t) {
      dialogs_[t]->Store(&working_);
      renewLine(t);
    });
  }
  area->setFixedHeight(tallest);
  inner->addWidget(area);
  static_cast<QVBoxLayout*>(layout())->addWidget(settingGroup_);
}

void CTechnicalPanel::createModeRow(Place place) {
  auto* row = new QHBoxLayout;
  allButton_ = new QRadioButton("論理積", this);
  sumButton_ = new QRadioButton("線形和", this);
  row->addWidget(allButton_);
  row->addWidget(sumButton_);
  row->addSpacing(8);
  row->addWidget(new QLabel("評価値=Σai*vi=", this));
  thresholdEdit_ = new QLineEdit(this);
  thresholdEdit_->setObjectName("threshold");
  thresholdEdit_->setFixedWidth(72);
  thresholdEdit_->setAlignment(Qt::AlignRight);
  auto* validator = new QDoubleValidator(thresholdEdit_);
  QLocale c = QLocale::c();
  c.setNumberOptions(QLocale::RejectGroupSeparator);
  validator->setLocale(c);
  thresholdEdit_->setValidator(validator);
  row->addWidget(thresholdEdit_);
  row->addWidget(new QLabel("以上", this));
  row->addStretch(1);
  runButton_ = new QPushButton(place == Place::kScreening ? "銘柄抽出" : "適用", this);
  runButton_->setAutoDefault(false);
  row->addWidget(runButton_);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  // "適用" has no work of its own: the editor saves with "保存".
  if (place == Place::kScreening) {
    connect(runButton_, &QPushButton::clicked, this, &CTechnicalPanel::RunRule);
  }
}

bool CTechnicalPanel::eventFilter(QObject* watched, QEvent* event) {
  // Rules created or renamed in another window appear as soon as the combo box is used.
  if (watched == ruleCombo_ && event->type() == QEvent::FocusIn) RefillRuleCombo();
  return QWidget::eventFilter(watched, event);
}

void CTechnicalPanel::RefillRuleCombo() {
  const QSignalBlocker quiet(ruleCombo_);
  ruleCombo_->clear();
  for (int i = 0; i < rules_->count; ++i) ruleCombo_->addItem(FromCp932(rules_->sets[i].name));
  ruleCombo_->setCurrentIndex(std::min(ruleIndex_, rules_->count - 1));
}

void CTechnicalPanel::SelectRule(int index) {
  if (index < 0 || index >= rules_->count) return;
  ruleIndex_ = index;
  working_ = rules_->sets[index];
  if (ruleCombo_->currentIndex() != index) {
    const QSignalBlocker quiet(ruleCombo_);
    ruleCombo_->setCurrentIndex(index);
  }
  LoadControls();
}

void CTechnicalPanel::LoadControls() {
  mode_ = working_.mode;
  scoreThreshold_ = working_.scoreThreshold;
  (mode_ == 0 ? allButton_ : sumButton_)->setChecked(true);
  thresholdEdit_->setText(QString::fromStdString(FormatC("%f", working_.scoreThreshold)));
  for (int type = 0; type < kConditionTypeCount; ++type) {
    list_->SetLine(type, working_.enabled[type] != 0,
                   QString::fromStdString(DescribeCondition(working_, type)),
                   working_.weights[type]);
    dialogs_[type]->Load(working_);
  }
}

bool CTechnicalPanel::CollectControls() {
  mode_ = sumButton_->isChecked() ? 1 : 0;
  working_.mode = mode_;
  for (int type = 0; type < kConditionTypeCount; ++type) {
    working_.enabled[type] = list_->IsChecked(type) ? 1 : 0;
    dialogs_[type]->Store(&working_);
  }
  // The threshold is read as the decimal number shown, so a rule loaded with 2.50 keeps 2.5
  // rather than becoming whatever an integer reading of "2.500000" would give.
  double threshold = 0;
  if (!ReadThresholdText(thresholdEdit_->text().toStdString(), &threshold)) return false;
  scoreThreshold_ = threshold;
  working_.scoreThreshold = threshold;
  return true;
}

bool CTechnicalPanel::collectForUse() {
  if (CollectControls()) return true;
  thresholdEdit_->setFocus();
  showError("評価値には数値を入力してください。");
  return false;
}

void CTechnicalPanel::showDialogOf(int type) {
  if (shown_) shown_->hide();
  shown_ = dialogs_[type];
  shown_->Load(working_);
  shown_->show();
}

void CTechnicalPanel::renewLine(int type) {
  list_->SetDescription(type, QString::fromStdString(DescribeCondition(working_, type)),
                        working_.weights[type]);
}

void CTechnicalPanel::NewRule() {
  rules_->AddNewSet();
  rules_->ResetSet(rules_->count - 1);
  ruleIndex_ = rules_->count - 1;
  RefillRuleCombo();
  SelectRule(ruleIndex_);
}

void CTechnicalPanel::DeleteRule() {
  if (ruleIndex_ < 0 || ruleIndex_ >= rules_->count) return;
  QMessageBox ask(QMessageBox::Warning, "Rule削除",
                  QString("Rule %1 を削除します。").arg(FromCp932(rules_->sets[ruleIndex_].name)),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  if (ask.exec() != QMessageBox::Ok) return;
  std::string error;
  if (!rules_->DeleteSet(ruleIndex_, &error)) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
    return;
  }
  // The same line stays selected, or the last one when the last rule went.
  ruleIndex_ = std::min(ruleIndex_, rules_->count - 1);
  RefillRuleCombo();
  SelectRule(ruleIndex_);
}

void CTechnicalPanel::SaveRule() {
  if (!collectForUse()) return;
  const QString folder = QString::fromStdString(rules_->RulesFolder());
  const QString proposed = QString::fromStdString(RuleTitleFromName(working_.name)) + ".ERL";
  QString path = QFileDialog::getSaveFileName(this, "名前を付けて保存", folder + "/" + proposed,
                                              "Rule Files (*.ERL *.erl)");
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += ".ERL";
  std::string error;
  if (!rules_->SaveSet(ruleIndex_, path.toStdString(), working_, &error)) {
    showError(QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
    return;
  }
  // Saved under a new name the rule is renamed in the list; the old file stays on disk.
  working_ = rules_->sets[ruleIndex_];
  RefillRuleCombo();
}

void CTechnicalPanel::RunRule() {
  if (!doc_ || !doc_->dictionary()) return;
  if (!collectForUse()) return;
  ShownStockList rows;
  korvale::RunRule(working_, doc_->analysisStore(), *doc_->dictionary(), &rows);
  const QString title = QString::fromStdString(Cp932ToUtf8(rows.title));
  doc_->ShowList(std::move(rows));
  emit Listed(title);
}

void CTechnicalPanel::showError(const QString& message) {
  QMessageBox::warning(this, "Error", message);
}

}  // namespace korvale
