// The technical page's run: a rule applied to every analysis record, the stocks it lists as rows
// of the main window's stock list.
#ifndef KORVALE_SCREENING_SCREENING_RUN_H_
#define KORVALE_SCREENING_SCREENING_RUN_H_

#include <string>

#include "screening/analysis_store.h"
#include "screening/condition_set.h"
#include "store/stock_dictionary.h"
#include "store/stock_list.h"

namespace korvale {

// The button "銘柄抽出" once the controls are collected into `set`: every record of the store,
// in store order, that the set lists (mode 0: MatchesAll; otherwise trunc(Score) at or above
// scoreThreshold) becomes the row of the dictionary item at its stockIndex ("%04d %s", item data
// 1, row map entry stockIndex); a record naming no dictionary position (a cache from another
// data root) is passed over. The title is the set's name, which the thumbnail window takes.
void RunRule(const ConditionSet& set, const CAnalysisStore& store,
             const CStockDictionary& dictionary, ShownStockList* out);

// Reads the threshold edit field ("評価値=Σai*vi= ... 以上") as a decimal number, so that a
// threshold loaded from a rule file ("2.500000") keeps its value: surrounding spaces, an
// optional sign, digits with an optional fraction. False, `value` unchanged, for an empty text,
// anything else, or a value that is not finite.
bool ReadThresholdText(const std::string& text, double* value);

}  // namespace korvale

#endif  // KORVALE_SCREENING_SCREENING_RUN_H_
