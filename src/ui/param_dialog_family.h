// What the parameter dialog of each condition type shows and which fields of the rule it edits:
// the families of threshold, choice, price, price-level and enabled-only dialogs.
#ifndef KORVALE_UI_PARAM_DIALOG_FAMILY_H_
#define KORVALE_UI_PARAM_DIALOG_FAMILY_H_

#include <cstdint>

#include "screening/condition_set.h"

namespace korvale {

enum class ParamKind {
  kPrice,        // an integer price field and its unit ("円以上", "円以下")
  kThreshold,    // an optional read-only day count, a threshold, optional 以上/以下
  kChoice,       // a drop-down list of the type's choice texts
  kLevel,        // months (read-only), 高値圏/安値圏, a percentage
  kEnabledOnly,  // just the type's name
};

// One type's dialog. Texts are UTF-8; a null text or member is a control the type lacks. Every
// dialog also has the weight field at its right edge.
struct ParamDialogFamily {
  ParamKind kind;
  const char* label;      // the leading label
  const char* dayUnit;    // after the read-only day (or month) field: "日線", "日", "ヶ月来"
  const char* middle;     // between the choice list and the threshold of kLevel: "から"
  const char* valueUnit;  // after the threshold: "%", "倍以上", "円以上", "%以内"
  int32_t ConditionSet::*days;       // the informational period shown read-only
  int32_t ConditionSet::*price;      // kPrice
  double ConditionSet::*value;       // the threshold
  int32_t ConditionSet::*direction;  // 0 以上, 1 以下
  int32_t ConditionSet::*choice;     // the index of the list's selected entry
};

// The dialog of type 0..33; type must be in range.
const ParamDialogFamily& ParamDialogFamilyOf(int type);

}  // namespace korvale

#endif  // KORVALE_UI_PARAM_DIALOG_FAMILY_H_
