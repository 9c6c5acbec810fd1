// The small whole-number fields of the date and range dialogs.
#ifndef KORVALE_UI_NUMBER_FIELD_H_
#define KORVALE_UI_NUMBER_FIELD_H_

class QSpinBox;
class QWidget;

namespace korvale {

// A spin box of [low, high] holding `value`, `width` pixels wide.
QSpinBox* NumberField(int low, int high, int value, int width, QWidget* parent);

}  // namespace korvale

#endif  // KORVALE_UI_NUMBER_FIELD_H_
