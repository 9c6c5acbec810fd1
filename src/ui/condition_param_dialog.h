// The small parameter dialog of one condition type, shown in the group "条件の設定" of the
// technical panel while that type's line is selected: threshold, direction, choice list or price
// by the type's family, the read-only day count, and the weight at the right edge.
#ifndef KORVALE_UI_CONDITION_PARAM_DIALOG_H_
#define KORVALE_UI_CONDITION_PARAM_DIALOG_H_

#include <QWidget>

#include "screening/condition_set.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace korvale {

struct ParamDialogFamily;

class CConditionParamDialog : public QWidget {
  Q_OBJECT

 public:
  // The dialog of condition type `type` (0..33), created hidden as a child of `parent`.
  CConditionParamDialog(int type, QWidget* parent = nullptr);

  int type() const { return type_; }

  // Fills the fields from the set: the type's threshold or price, direction, choice, day count
  // and weight.
  void Load(const ConditionSet& set);
  // Writes the fields back into the set (the day count is only shown, so it is not written).
  // The fields hold numbers as typed, with no range enforced; a text that is not yet a number
  // ("", "-") counts as 0. A choice list without a selection leaves the choice as it was.
  void Store(ConditionSet* set) const;

  // The controls, for the panel and the tests; null when the type's dialog lacks one.
  QLineEdit* valueEdit() const { return valueEdit_; }
  QLineEdit* dayEdit() const { return dayEdit_; }
  QLineEdit* weightEdit() const { return weightEdit_; }
  QComboBox* choiceList() const { return choiceList_; }
  QRadioButton* aboveButton() const { return above_; }
  QRadioButton* belowButton() const { return below_; }

 signals:
  // Each edit of the threshold or weight, each loss of focus, each click on 以上/以下 and each
  // choice made: the panel renews the type's line at once.
  void Edited(int type);

 private:
  void createControls(const ParamDialogFamily& family);
  QLineEdit* createNumberField(bool integer, int width);

  int type_;
  QLineEdit* valueEdit_ = nullptr;  // threshold, or the price of types 0 and 1
  QLineEdit* dayEdit_ = nullptr;
  QLineEdit* weightEdit_ = nullptr;
  QComboBox* choiceList_ = nullptr;
  QRadioButton* above_ = nullptr;
  QRadioButton* below_ = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_CONDITION_PARAM_DIALOG_H_
