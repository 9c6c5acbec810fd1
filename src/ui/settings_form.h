// The controls of the settings dialog, each bound to one field of the settings record: made by
// the pages, filled from a record, and read back into a record with the checks of the field
// rules.
#ifndef KORVALE_UI_SETTINGS_FORM_H_
#define KORVALE_UI_SETTINGS_FORM_H_

#include <QList>
#include <QObject>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "store/settings_field_rules.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace korvale {

class CSettingsForm : public QObject {
  Q_OBJECT

 public:
  explicit CSettingsForm(QObject* parent = nullptr);

  // Controls bound to the field named `field` (a field of the rule table; each field gets one
  // control). Each is made as a child of `parent` and named after the field.
  // An edit field for a number.
  QLineEdit* Number(const std::string& field, QWidget* parent);
  // A check box storing 0 or 1.
  QCheckBox* Check(const std::string& field, const QString& label, QWidget* parent);
  // One radio button per label; the chosen button's position is stored.
  QList<QRadioButton*> Choice(const std::string& field, const QStringList& labels, QWidget* parent);
  // A drop-down list; the chosen entry's position is stored.
  QComboBox* List(const std::string& field, const QStringList& entries, QWidget* parent);
  // An edit field for a text.
  QLineEdit* Text(const std::string& field, QWidget* parent);
  // An editable drop-down list offering `presets`; the text shown is stored.
  QComboBox* TextWithPresets(const std::string& field, const QStringList& presets, QWidget* parent);

  // Shows the record's values. A choice whose stored value has no button or entry shows none.
  void Fill(const SettingsRecord& rec);

  struct Refusal {
    const SettingsFieldRule* rule;
    QWidget* control;
    SettingsValueCheck why;
  };
  // Copies the controls' values into `rec` in the order of the rule table, page by page. A
  // disabled control, and a choice with nothing chosen, leave their field as it is. Stops at
  // the first value the rules refuse and returns it (fields before it are already copied).
  std::optional<Refusal> Read(SettingsRecord* rec) const;

  // The control of a field (the first radio button of a choice), or null.
  QWidget* control(const std::string& field) const;
  // The fields bound to controls on page `page`, in the order of the rule table.
  std::vector<std::string> BoundFields(int page) const;
  // The first number or text field of a page, where the focus goes when the page is shown.
  QWidget* FirstEdit(int page) const;

 private:
  enum class Kind { kNumber, kCheck, kRadios, kList, kText, kTextList };
  struct Binding {
    const SettingsFieldRule* rule;
    Kind kind;
    QWidget* widget;                // the control, or the first radio button
    QButtonGroup* group = nullptr;  // radios
  };
  void bind(const std::string& field, Kind kind, QWidget* widget, QButtonGroup* group = nullptr);
  const Binding* find(const SettingsFieldRule* rule) const;
  // The value a control holds as text for the rules, or nullopt when it holds none.
  std::optional<std::string> valueOf(const Binding& b) const;

  std::vector<Binding> bindings_;
};

}  // namespace korvale

#endif  // KORVALE_UI_SETTINGS_FORM_H_
