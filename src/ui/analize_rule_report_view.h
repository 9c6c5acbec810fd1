// The form of the rule validation report: the criterion, the period and the universe, the
// column titles, one tab-stopped line per report line, and the button "ファイルに保存".
#ifndef KORVALE_UI_ANALIZE_RULE_REPORT_VIEW_H_
#define KORVALE_UI_ANALIZE_RULE_REPORT_VIEW_H_

#include <QStringList>
#include <QWidget>
#include <vector>

#include "screening/analize_rule_report_doc.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace korvale {

class CAnalizeRuleReportView : public QWidget {
  Q_OBJECT

 public:
  // Shows `doc`, which must outlive the view.
  CAnalizeRuleReportView(const CAnalizeRuleReportDoc& doc, QWidget* parent = nullptr);

  // The list box's tab stops in dialog units; and where the five fields of the lines start, in
  // pixels of the list's font: at the stops, or further right where a column's widest field
  // needs it.
  static const std::vector<int>& TabStops();
  std::vector<int> ColumnPixels() const;

  // The lines as shown (UTF-8), the three text fields and the save button.
  QStringList lines() const;
  QLineEdit* criterionField() const { return criterion_; }
  QLineEdit* periodField() const { return period_; }
  QLineEdit* universeField() const { return universe_; }
  QPushButton* saveButton() const { return save_; }
  QListWidget* list() const { return list_; }

 signals:
  // The button "ファイルに保存" was pressed.
  void SaveRequested();

 private:
  QLineEdit* criterion_;
  QLineEdit* period_;
  QLineEdit* universe_;
  QListWidget* list_;
  QPushButton* save_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALIZE_RULE_REPORT_VIEW_H_
