// One day's prices and indicator values under a date picker; the day page and the mouse-follow
// page of the detail bar share it.
#ifndef KORVALE_UI_DAY_PAGE_H_
#define KORVALE_UI_DAY_PAGE_H_

#include <QMap>
#include <QWidget>

#include "app/detail_panel.h"

class QDateEdit;
class QGridLayout;
class QLabel;

namespace korvale {

class CDayPage : public QWidget {
  Q_OBJECT

 public:
  // `pickable` false disables the date picker: the page only shows.
  CDayPage(const DayCaptions& captions, bool pickable, QWidget* parent = nullptr);

  void Show(int year, int month, int day, const DayTexts& texts);
  void Clear();
  QString FieldText(const QString& field) const;
  QDateEdit* datePicker() const { return datePicker_; }

 private:
  QLabel* addRow(QGridLayout* grid, const QString& caption, const QString& field);
  void fill(const DayTexts& texts);

  QDateEdit* datePicker_ = nullptr;  // control 1092
  QMap<QString, QLabel*> fields_;
};

}  // namespace korvale

#endif  // KORVALE_UI_DAY_PAGE_H_
