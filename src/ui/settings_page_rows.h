// The rows the pages of the settings dialog are made of: labelled number edits, check boxes
// with their periods, radio groups.
#ifndef KORVALE_UI_SETTINGS_PAGE_ROWS_H_
#define KORVALE_UI_SETTINGS_PAGE_ROWS_H_

#include <QString>
#include <QStringList>
#include <initializer_list>
#include <string>

class QBoxLayout;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QWidget;

namespace korvale {

class CSettingsForm;

// One number edit with the caption before it and the unit after it (either may be empty).
struct LabelledEdit {
  QString label;
  std::string field;
  QString unit;
};

// A row of labelled number edits, ending in a stretch.
QHBoxLayout* EditRow(CSettingsForm* form, QWidget* parent,
                     std::initializer_list<LabelledEdit> edits);

// Adds a row to `grid`: the check box of `checkField` in the first column and its labelled edits
// in the second.
void AddCheckRow(QGridLayout* grid, CSettingsForm* form, QWidget* parent,
                 const std::string& checkField, const QString& checkLabel,
                 std::initializer_list<LabelledEdit> edits = {});

// A group box captioned `caption` holding the radio buttons of a choice side by side.
QGroupBox* ChoiceBox(CSettingsForm* form, QWidget* parent, const std::string& field,
                     const QString& caption, const QStringList& labels);

// The radio pair of a bar style: 0 "ローソク足", 1 "星足".
QStringList BarStyleLabels();

// The two edits of a window size, "幅 [ ] × 高さ [ ]", in a group box "ウインドウサイズ".
QGroupBox* WindowSizeBox(CSettingsForm* form, QWidget* parent, const std::string& widthField,
                         const std::string& heightField);

}  // namespace korvale

#endif  // KORVALE_UI_SETTINGS_PAGE_ROWS_H_
