// Helpers for the screening tests: series built in memory, settings with defaults, and the
// record of a series.
#ifndef KORVALE_TESTS_SUPPORT_SCREENING_FIXTURES_H_
#define KORVALE_TESTS_SUPPORT_SCREENING_FIXTURES_H_

#include <cstdint>
#include <vector>

#include "screening/analysis_record.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale::testing {

// The settings a fresh start gives (folders set to /tmp).
SettingsRecord DefaultSettings();

// A series holding exactly these bars, no lines.
CPriceSeries SeriesOf(const std::vector<PriceBar>& bars);

// Consecutive weekdays from Thursday 2006-01-05, each bar flat at its close, volume 1000.
std::vector<PriceBar> CloseBars(const std::vector<int32_t>& closes);

// The record of the series (identifier 7) under the settings.
AnalysisRecord Analyse(const CPriceSeries& series, const SettingsRecord& settings,
                       const CPriceSeries* index = nullptr);
inline AnalysisRecord Analyse(const std::vector<PriceBar>& bars, const SettingsRecord& settings) {
  return Analyse(SeriesOf(bars), settings);
}

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_SCREENING_FIXTURES_H_
