#include "support/screening_fixtures.h"

#include "screening/compute_analysis_record.h"
#include "support/test_support.h"

namespace korvale::testing {

SettingsRecord DefaultSettings() {
  SettingsRecord s;
  ApplySettingsDefaults(&s, "/tmp");
  return s;
}

CPriceSeries SeriesOf(const std::vector<PriceBar>& bars) {
  CPriceSeries series;
  series.bars = bars;
  return series;
}

std::vector<PriceBar> CloseBars(const std::vector<int32_t>& closes) {
  return WeekdayBars(2006, 1, 5, closes);
}

AnalysisRecord Analyse(const CPriceSeries& series, const SettingsRecord& settings,
                       const CPriceSeries* index) {
  AnalysisRecord rec;
  ComputeAnalysisRecord(series, 7, settings, index, &rec);
  return rec;
}

}  // namespace korvale::testing
