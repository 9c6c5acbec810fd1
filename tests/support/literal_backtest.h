// The history questions answered the literal way, as the reference the fast replay is held to:
// cut the series (or load the file up to a date), compute the whole record again, for every bar.
#ifndef KORVALE_TESTS_SUPPORT_LITERAL_BACKTEST_H_
#define KORVALE_TESTS_SUPPORT_LITERAL_BACKTEST_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "screening/analysis_record.h"
#include "screening/backtest.h"
#include "screening/condition_set.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"

namespace korvale::testing {

// ComputeAnalysisRecord on a copy of `series` whose bar count is set to `count`.
AnalysisRecord LiteralRecord(const CPriceSeries& series, int32_t count, int32_t identifier,
                             const SettingsRecord& settings, const CPriceSeries* index);

// BacktestStock as the text describes it, with LiteralRecord for every counted bar. Adds to
// `counters` (rules.size() + 1 entries); false when the stock is skipped.
bool LiteralBacktestStock(const CPriceSeries& series, const ValidationParams& params,
                          const std::vector<ConditionSet>& rules, const SettingsRecord& settings,
                          const CPriceSeries* index, std::vector<OutcomeCounters>* counters);

// The records behind the signal chart's rows: for each of the last `shown` bars of `series`
// (loaded from `path`), a series loaded from `path` up to that bar's date and its record
// (identifier 0). Entry k belongs to bar barCount - shown + k.
std::vector<AnalysisRecord> LiteralSignalRecords(const CPriceSeries& series,
                                                 const std::string& path, int shown,
                                                 const SettingsRecord& settings,
                                                 const CPriceSeries* index);

// A sample database made in `dir`, its stock dictionary and its market index loaded as the
// application loads it (LoadMerged, weekly bars from the first bar).
struct SampleWithIndex {
  std::unique_ptr<CStockDictionary> dictionary;
  CPriceSeries index;
};
bool MakeSampleWithIndex(const std::string& dir, int stocks, int years, SampleWithIndex* out,
                         std::string* error);

// Whether two records hold the same 304 bytes.
bool SameRecord(const AnalysisRecord& a, const AnalysisRecord& b);
// The fields in which two records differ, for a failure message.
std::string RecordDifferences(const AnalysisRecord& a, const AnalysisRecord& b);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_LITERAL_BACKTEST_H_
