// Rule files: the sections read over a new rule, tested against records, described, written
// back and read again.
#include <string>

#include "fuzz/fuzz_support.h"
#include "screening/condition_catalogue.h"
#include "screening/rule_file.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SettingsRecord settings = fuzzing::EveryPaneSettings();
  ConditionSet set;
  InitConditionSet(&set, settings);
  ParseRuleFileText(std::string(reinterpret_cast<const char*>(data), size), &set);
  AnalysisRecord empty;
  AnalysisRecord filled;
  filled.lastClose = 1000;
  for (const AnalysisRecord& record : {empty, filled}) {
    MatchesAll(set, record);
    Score(set, record);
    ListedByScreening(set, record);
    CountedByValidation(set, record);
  }
  for (int type = 0; type < kConditionTypeCount; ++type) DescribeCondition(set, type);
  ConditionSet again;
  InitConditionSet(&again, settings);
  ParseRuleFileText(RuleFileText(set), &again);
  // The file as a file: the reader's own bounds and checks.
  ReadRuleFileOver(fuzzing::BytesAsFile(data, size), &again);
  return 0;
}
