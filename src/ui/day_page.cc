#include "ui/day_page.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace korvale {

namespace {
QString U(const std::string& utf8) { return QString::fromStdString(utf8); }
}  // namespace

CDayPage::CDayPage(const DayCaptions& captions, bool pickable, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  datePicker_ = new QDateEdit(this);
  datePicker_->setCalendarPopup(true);
  datePicker_->setDisplayFormat("yyyy/MM/dd");
  datePicker_->setEnabled(pickable);
  layout->addWidget(datePicker_);

  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(1);
  addRow(grid, "始値", "open");
  addRow(grid, "高値", "high");
  addRow(grid, "安値", "low");
  addRow(grid, "終値", "close");
  addRow(grid, "前日比", "change");
  addRow(grid, "%", "changePercent");
  addRow(grid, "出来高", "volume");
  addRow(grid, U(captions.maShort), "maShort");
  addRow(grid, "乖離率", "deviationShort");
  addRow(grid, U(captions.maLong), "maLong");
  addRow(grid, "乖離率", "deviationLong");
  addRow(grid, U(captions.rci1), "rci1");
  addRow(grid, U(captions.rci2), "rci2");
  addRow(grid, U(captions.rsi1), "rsi1");
  addRow(grid, U(captions.rsi2), "rsi2");
  addRow(grid, "ST%K", "stochK");
  addRow(grid, "ST%D", "stochD");
  addRow(grid, "VR", "volumeRatio");
  layout->addLayout(grid);
  layout->addStretch(1);
  Clear();
}

QLabel* CDayPage::addRow(QGridLayout* grid, const QString& caption, const QString& field) {
  const int row = grid->rowCount();
  grid->addWidget(new QLabel(caption, this), row, 0);
  auto* value = new QLabel(this);
  value->setObjectName(field);
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(value, row, 1);
  fields_.insert(field, value);
  return value;
}

void CDayPage::fill(const DayTexts& t) {
  const std::pair<const char*, const std::string*> values[] = {
      {"open", &t.open},
      {"high", &t.high},
      {"low", &t.low},
      {"close", &t.close},
      {"change", &t.change},
      {"changePercent", &t.changePercent},
      {"volume", &t.volume},
      {"maShort", &t.maShort},
      {"deviationShort", &t.deviationShort},
      {"maLong", &t.maLong},
      {"deviationLong", &t.deviationLong},
      {"rci1", &t.rci1},
      {"rci2", &t.rci2},
      {"rsi1", &t.rsi1},
      {"rsi2", &t.rsi2},
      {"stochK", &t.stochK},
      {"stochD", &t.stochD},
      {"volumeRatio", &t.volumeRatio},
  };
  for (const auto& [field, text] : values) fields_.value(field)->setText(U(*text));
}

void CDayPage::Show(int year, int month, int day, const DayTexts& texts) {
  if (year != 0) {
    const QDate date(year, month, day == 0 ? 1 : day);
    if (date.isValid()) {
      QSignalBlocker quiet(datePicker_);  // showing a day is not the user picking one
      datePicker_->setDate(date);
    }
  }
  fill(texts);
}

void CDayPage::Clear() { fill(ClearedDayTexts()); }

QString CDayPage::FieldText(const QString& field) const {
  QLabel* label = fields_.value(field);
  return label ? label->text() : QString();
}

}  // namespace korvale
