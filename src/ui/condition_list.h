// The condition check list of the technical panel: one line per condition type in type order,
// with its check box, its name (after a small icon for the two candle patterns), its description
// from 120 pixels and its weight from 330 pixels, under the column titles "項目名", "条件",
// "係数". Selected, enabled and other lines each have their own colours.
#ifndef KORVALE_UI_CONDITION_LIST_H_
#define KORVALE_UI_CONDITION_LIST_H_

#include <QColor>
#include <QTreeWidget>

namespace korvale {

class CConditionList : public QTreeWidget {
  Q_OBJECT

 public:
  // Where the columns start, in pixels from the list's left edge.
  static constexpr int kDescriptionX = 120;
  static constexpr int kWeightX = 330;
  // Line colours: text and background of the selected, the enabled and the other lines.
  static const QColor kSelectedText, kSelectedBack;
  static const QColor kEnabledText, kEnabledBack;
  static const QColor kOtherText, kOtherBack;

  explicit CConditionList(QWidget* parent = nullptr);

  // Sets line `type`'s check box, description (UTF-8 as DescribeCondition writes it) and weight.
  void SetLine(int type, bool enabled, const QString& description, double weight);
  // Renews the description and weight of line `type`; the check box keeps its state.
  void SetDescription(int type, const QString& description, double weight);
  bool IsChecked(int type) const;
  // The type of the selected line, or -1.
  int selectedType() const;
  void SelectType(int type);

  // The texts of a line's columns (0 name, 1 description, 2 weight), for the tests.
  QString LineText(int type, int column) const;

 signals:
  // Another line was selected.
  void LineSelected(int type);
  // A line's check box was switched.
  void Toggled(int type, bool enabled);

 private:
  void colourLine(QTreeWidgetItem* item);
};

}  // namespace korvale

#endif  // KORVALE_UI_CONDITION_LIST_H_
