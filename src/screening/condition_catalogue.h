// The catalogue of the 34 condition types: their names and choice texts, the test each makes
// on an analysis record, the two ways a set combines them, and the one-line descriptions.
#ifndef KORVALE_SCREENING_CONDITION_CATALOGUE_H_
#define KORVALE_SCREENING_CONDITION_CATALOGUE_H_

#include <cstddef>
#include <string>

#include "screening/analysis_record.h"
#include "screening/condition_set.h"

namespace korvale {

// The name shown in the condition list (UTF-8, trailing ideographic spaces included); "" for a
// type outside 0..33.
const char* ConditionTypeName(int type);

// The text of choice `value` of an equality type (8, 9, 17, 18, 19, 22, 24, 26, 27, 29, 31) or
// of the zone of type 10; null when the type has no such choice.
const char* ConditionChoiceText(int type, int32_t value);
// The number of choices a type offers (0 for the numeric types).
int ConditionChoiceCount(int type);

// "以上" for direction 0, "以下" for any other.
const char* DirectionText(int32_t direction);

// Whether type `type`'s own test holds for the record, whatever its enabled flag; false for a
// type outside 0..33. A record value that is NaN (a damaged cache) passes no numeric test.
bool TestCondition(const ConditionSet& set, int type, const AnalysisRecord& record);

// Mode 0: every enabled type holds, tested in type order; true when none is enabled.
bool MatchesAll(const ConditionSet& set, const AnalysisRecord& record);
// Mode 1: the sum of the weights of the enabled types that hold; 0 when none holds.
double Score(const ConditionSet& set, const AnalysisRecord& record);

// Whether the screening list shows the record: MatchesAll in mode 0, trunc(Score) >=
// scoreThreshold otherwise.
bool ListedByScreening(const ConditionSet& set, const AnalysisRecord& record);
// Whether the validation report counts the record: MatchesAll in mode 0, Score >
// scoreThreshold (strictly, untruncated) otherwise.
bool CountedByValidation(const ConditionSet& set, const AnalysisRecord& record);

inline constexpr size_t kDescriptionSize = 128;

// Writes the one-line description of type `type`'s parameters (UTF-8, terminated) into
// `buffer` of `size` bytes, cut at a character boundary when it does not fit; a single space
// for the types without parameters and for a type outside 0..33.
void DescribeCondition(const ConditionSet& set, int type, char* buffer, size_t size);
// The same as a string, cut at kDescriptionSize - 1 bytes.
std::string DescribeCondition(const ConditionSet& set, int type);

}  // namespace korvale

#endif  // KORVALE_SCREENING_CONDITION_CATALOGUE_H_
