#include "ui/settings_page_rows.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "ui/settings_form.h"

namespace korvale {

QHBoxLayout* EditRow(CSettingsForm* form, QWidget* parent,
                     std::initializer_list<LabelledEdit> edits) {
  auto* row = new QHBoxLayout;
  for (const LabelledEdit& e : edits) {
    if (!e.label.isEmpty()) row->addWidget(new QLabel(e.label, parent));
    row->addWidget(form->Number(e.field, parent));
    if (!e.unit.isEmpty()) row->addWidget(new QLabel(e.unit, parent));
    row->addSpacing(8);
  }
  row->addStretch(1);
  return row;
}

void AddCheckRow(QGridLayout* grid, CSettingsForm* form, QWidget* parent,
                 const std::string& checkField, const QString& checkLabel,
                 std::initializer_list<LabelledEdit> edits) {
  const int row = grid->rowCount();
  grid->addWidget(form->Check(checkField, checkLabel, parent), row, 0);
  if (edits.size() > 0) grid->addLayout(EditRow(form, parent, edits), row, 1);
}

QGroupBox* ChoiceBox(CSettingsForm* form, QWidget* parent, const std::string& field,
                     const QString& caption, const QStringList& labels) {
  auto* box = new QGroupBox(caption, parent);
  auto* row = new QHBoxLayout(box);
  for (QRadioButton* button : form->Choice(field, labels, box)) row->addWidget(button);
  row->addStretch(1);
  return box;
}

QStringList BarStyleLabels() { return {"ローソク足", "星足"}; }

QGroupBox* WindowSizeBox(CSettingsForm* form, QWidget* parent, const std::string& widthField,
                         const std::string& heightField) {
  auto* box = new QGroupBox("ウインドウサイズ", parent);
  auto* column = new QVBoxLayout(box);
  column->addLayout(EditRow(form, box, {{"幅", widthField, "×"}, {"高さ", heightField, ""}}));
  column->addWidget(new QLabel("320～2400 ピクセル (0: 未設定)", box));
  return box;
}

}  // namespace korvale
