// The rule file: one screening rule as cp932 text with CR LF line ends, a key line in square
// brackets per section followed by its value lines. The file holds neither the rule's name nor
// the types that are switched off.
#ifndef KORVALE_SCREENING_RULE_FILE_H_
#define KORVALE_SCREENING_RULE_FILE_H_

#include <string>

#include "screening/condition_set.h"

namespace korvale {

// The bytes of the set's rule file: "[条件型]" and mode, "[評価値]" and threshold, then every
// enabled type in type order with its values and weight.
std::string RuleFileText(const ConditionSet& set);

// Writes the set's rule file at `path`, replacing the file atomically. False, with the reason
// in `error`, when it cannot be written; an existing file is then left as it was.
bool WriteRuleFile(const std::string& path, const ConditionSet& set, std::string* error);

// Reads the sections of rule-file bytes over `set` (made by InitConditionSet): every section
// found switches its type on and sets its values; day-count lines are skipped, so the day counts
// keep the settings' periods; a missing weight line is weight 0. Sections may come in any order
// and repeat (the last wins); other lines are ignored. Any bytes are accepted.
void ParseRuleFileText(const std::string& bytes, ConditionSet* set);

// Reads the file at `path` over `set`. False, leaving `set` unchanged, when it is not a regular
// file, cannot be read, or is larger than any rule file can sensibly be (16 MiB).
bool ReadRuleFileOver(const std::string& path, ConditionSet* set);

}  // namespace korvale

#endif  // KORVALE_SCREENING_RULE_FILE_H_
