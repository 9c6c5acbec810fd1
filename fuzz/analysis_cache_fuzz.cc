// The analysis cache analize.tmp: records read into the store and screened by a rule.
#include "fuzz/fuzz_support.h"
#include "screening/analysis_store.h"
#include "screening/condition_catalogue.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CAnalysisStore store;
  static const ConditionSet rule = [] {
    ConditionSet set;
    InitConditionSet(&set, fuzzing::EveryPaneSettings());
    for (int type = 0; type < kConditionTypeCount; ++type) {
      set.enabled[type] = 1;
      set.weights[type] = 1;
    }
    return set;
  }();
  CacheLoadInfo info;
  store.LoadCache(fuzzing::BytesAsFile(data, size), &info);
  for (int i = 0; i < store.recordCount; ++i) {
    Score(rule, store.records[static_cast<size_t>(i)]);
    MatchesAll(rule, store.records[static_cast<size_t>(i)]);
  }
  return 0;
}
