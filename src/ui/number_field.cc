#include "ui/number_field.h"

#include <QSpinBox>

namespace korvale {

QSpinBox* NumberField(int low, int high, int value, int width, QWidget* parent) {
  auto* field = new QSpinBox(parent);
  field->setRange(low, high);
  field->setValue(value);
  field->setFixedWidth(width);
  return field;
}

}  // namespace korvale
