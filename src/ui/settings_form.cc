#include "ui/settings_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRadioButton>
#include <cassert>

#include "store/cp932.h"

namespace korvale {

namespace {

QString FieldText(const SettingsRecord& rec, const SettingsField& field) {
  const std::string text = SettingsFieldText(rec, field);
  return QString::fromStdString(field.type == SettingsFieldType::kString ? Cp932ToUtf8(text)
                                                                         : text);
}

}  // namespace

CSettingsForm::CSettingsForm(QObject* parent) : QObject(parent) {}

void CSettingsForm::bind(const std::string& field, Kind kind, QWidget* widget,
                         QButtonGroup* group) {
  const SettingsFieldRule* rule = FindSettingsFieldRule(field);
  assert(rule && !find(rule) && "a control for a field the dialog does not edit, or two");
  widget->setObjectName(QString::fromStdString(field));
  bindings_.push_back({rule, kind, widget, group});
}

const CSettingsForm::Binding* CSettingsForm::find(const SettingsFieldRule* rule) const {
  for (const Binding& b : bindings_) {
    if (b.rule == rule) return &b;
  }
  return nullptr;
}

QLineEdit* CSettingsForm::Number(const std::string& field, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  // Room for five digits and the frame, whatever the font.
  edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("000000") + 14);
  bind(field, Kind::kNumber, edit);
  return edit;
}

QCheckBox* CSettingsForm::Check(const std::string& field, const QString& label, QWidget* parent) {
  auto* box = new QCheckBox(label, parent);
  bind(field, Kind::kCheck, box);
  return box;
}

QList<QRadioButton*> CSettingsForm::Choice(const std::string& field, const QStringList& labels,
                                           QWidget* parent) {
  auto* group = new QButtonGroup(parent);
  QList<QRadioButton*> buttons;
  for (int i = 0; i < labels.size(); ++i) {
    auto* button = new QRadioButton(labels[i], parent);
    group->addButton(button, i);
    buttons << button;
  }
  bind(field, Kind::kRadios, buttons.value(0), group);
  return buttons;
}

QComboBox* CSettingsForm::List(const std::string& field, const QStringList& entries,
                               QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->addItems(entries);
  bind(field, Kind::kList, list);
  return list;
}

QLineEdit* CSettingsForm::Text(const std::string& field, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  bind(field, Kind::kText, edit);
  return edit;
}

QComboBox* CSettingsForm::TextWithPresets(const std::string& field, const QStringList& presets,
                                          QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setEditable(true);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->addItems(presets);
  bind(field, Kind::kTextList, list);
  return list;
}

void CSettingsForm::Fill(const SettingsRecord& rec) {
  for (const Binding& b : bindings_) {
    const SettingsField& field = *b.rule->field;
    const int64_t number = SettingsFieldNumber(rec, field);
    switch (b.kind) {
      case Kind::kNumber:
      case Kind::kText:
        static_cast<QLineEdit*>(b.widget)->setText(FieldText(rec, field));
        break;
      case Kind::kCheck:
        static_cast<QCheckBox*>(b.widget)->setChecked(number != 0);
        break;
      case Kind::kRadios: {
        QAbstractButton* chosen = number >= 0 && number < b.group->buttons().size()
                                      ? b.group->button(static_cast<int>(number))
                                      : nullptr;
        // An exclusive group cannot be emptied by unchecking its button.
        b.group->setExclusive(false);
        for (QAbstractButton* button : b.group->buttons()) button->setChecked(button == chosen);
        b.group->setExclusive(true);
        break;
      }
      case Kind::kList: {
        auto* list = static_cast<QComboBox*>(b.widget);
        list->setCurrentIndex(number >= 0 && number < list->count() ? static_cast<int>(number)
                                                                    : -1);
        break;
      }
      case Kind::kTextList:
        static_cast<QComboBox*>(b.widget)->setEditText(FieldText(rec, field));
        break;
    }
  }
}

std::optional<std::string> CSettingsForm::valueOf(const Binding& b) const {
  switch (b.kind) {
    case Kind::kNumber:
      // Digits typed in full width are the same digits.
      return static_cast<QLineEdit*>(b.widget)
          ->text()
          .normalized(QString::NormalizationForm_KC)
          .trimmed()
          .toStdString();
    case Kind::kText:
      return static_cast<QLineEdit*>(b.widget)->text().toStdString();
    case Kind::kTextList:
      return static_cast<QComboBox*>(b.widget)->currentText().toStdString();
    case Kind::kCheck:
      return static_cast<QCheckBox*>(b.widget)->isChecked() ? "1" : "0";
    case Kind::kRadios:
      if (b.group->checkedId() < 0) return std::nullopt;
      return std::to_string(b.group->checkedId());
    case Kind::kList: {
      const int index = static_cast<QComboBox*>(b.widget)->currentIndex();
      if (index < 0) return std::nullopt;
      return std::to_string(index);
    }
  }
  return std::nullopt;
}

std::optional<CSettingsForm::Refusal> CSettingsForm::Read(SettingsRecord* rec) const {
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    const Binding* b = find(&rule);
    if (!b || !b->widget->isEnabled()) continue;
    const std::optional<std::string> value = valueOf(*b);
    if (!value) continue;
    const SettingsValueCheck why = SetCheckedSettingsValue(rec, rule, *value);
    if (why != SettingsValueCheck::kAccepted) return Refusal{&rule, b->widget, why};
  }
  return std::nullopt;
}

QWidget* CSettingsForm::control(const std::string& field) const {
  const Binding* b = find(FindSettingsFieldRule(field));
  return b ? b->widget : nullptr;
}

std::vector<std::string> CSettingsForm::BoundFields(int page) const {
  std::vector<std::string> out;
  for (const SettingsFieldRule* rule : SettingsPageFields(page)) {
    if (find(rule)) out.push_back(rule->field->name);
  }
  return out;
}

QWidget* CSettingsForm::FirstEdit(int page) const {
  for (const SettingsFieldRule* rule : SettingsPageFields(page)) {
    const Binding* b = find(rule);
    if (b && (b->kind == Kind::kNumber || b->kind == Kind::kText || b->kind == Kind::kTextList)) {
      return b->widget;
    }
  }
  return nullptr;
}

}  // namespace korvale
