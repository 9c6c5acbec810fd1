// The detail-information bar: a page selector over the stock page, the day page (a day picked in
// its date picker) and the mouse-follow page (filled by the chart's read-out).
#ifndef KORVALE_UI_DETAIL_BAR_H_
#define KORVALE_UI_DETAIL_BAR_H_

#include <QWidget>

#include "app/detail_panel.h"

class QComboBox;
class QDate;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QStackedWidget;

namespace korvale {

class CDayPage;

class CDetailBar : public QWidget {
  Q_OBJECT

 public:
  enum Page { kStockPage = 0, kDayPage = 1, kMousePage = 2 };

  CDetailBar(const SettingsRecord& settings, QWidget* parent = nullptr);

  // The page shown; survives hiding the bar.
  int detailPage() const { return detailPage_; }
  void SetPage(int page);

  void ShowStockInfo(const StockInfoTexts& texts);
  // Fills the day page (kDayPage) or, while the mouse-follow page is chosen, that page
  // (kMousePage; ignored otherwise). A year of 0 leaves the date picker unchanged; a day of 0 is
  // shown as 1.
  void ShowDay(int page, int year, int month, int day, const DayTexts& texts);
  void ClearDay(int page);

  // The day page's date picker (control 1092).
  QDateEdit* dayPicker() const;

  // Texts of a page's fields, for tests and accessibility: "close", "rsi1", "name", ...
  QString FieldText(int page, const QString& field) const;

 signals:
  // The user picked a date in the day page's date picker.
  void DayPicked(const QDate& date);

 private:
  void createPages(const SettingsRecord& settings);

  QComboBox* pageSelector_ = nullptr;  // control 1048
  QStackedWidget* pages_ = nullptr;
  QWidget* stockPage_ = nullptr;
  CDayPage* dayPage_ = nullptr;
  CDayPage* mousePage_ = nullptr;
  int detailPage_ = kStockPage;
};

}  // namespace korvale

#endif  // KORVALE_UI_DETAIL_BAR_H_
