// The field groups of the analysis record, one function each, called in order by
// ComputeAnalysisRecord. Internal to the screening library; each reads the bars and settings and
// writes only its own fields (some read fields written by an earlier group, as noted).
#ifndef KORVALE_SCREENING_ANALYSIS_GROUPS_H_
#define KORVALE_SCREENING_ANALYSIS_GROUPS_H_

#include <cstdint>

#include "screening/analysis_record.h"
#include "screening/compute_analysis_record.h"
#include "store/price_records.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale::analysis {

// The bars a record is computed from: bars[0 .. n-1], the last one being the newest.
struct Bars {
  const PriceBar* bars;
  int32_t n;
};

// lastClose, priceChange(Percent), lastVolume, volumeChange, the four averages, positionCode,
// crossFlags, the year extremes and periodHigh/Low.
void ComputePriceFields(const CPriceSeries& series, Bars in, const SettingsRecord& settings,
                        AnalysisRecord* rec);

// rci1, rci2, rsi1, rsi2, volumeRatio, oscillator (from the averages), stochK, stochD,
// bollingerWidth, bollingerBreak, cci.
void ComputeOscillatorFields(Bars in, const SettingsRecord& settings, AnalysisWorkspace* ws,
                             AnalysisRecord* rec);

// ichimokuCross, ichimokuSlope, ichimokuCloud.
void ComputeIchimokuFields(Bars in, const SettingsRecord& settings, AnalysisRecord* rec);

// trendLineCode from the series' lines.
void ComputeTrendLineField(const CPriceSeries& series, Bars in, AnalysisRecord* rec);

// dmiAdxCode, dmiCrossCode, macdLevel, macdCrossCode, obvLevel, sarCode.
void ComputeTrendFields(Bars in, const SettingsRecord& settings, AnalysisWorkspace* ws,
                        AnalysisRecord* rec);

// indexCorrelation and indexDeviation against the index series.
void ComputeIndexFields(Bars in, const CPriceSeries& index, const SettingsRecord& settings,
                        AnalysisWorkspace* ws, AnalysisRecord* rec);

// The dates of the weekly bars BuildWeekly would make from bars[0 .. n-1], without building
// them: a week starts at the first bar and wherever a usable bar's week number differs from the
// current week's. Each date is packed as year << 16 | month << 8 | day (the bytes as stored).
void WeeklyBarDates(Bars in, std::vector<uint32_t>* dates);

}  // namespace korvale::analysis

#endif  // KORVALE_SCREENING_ANALYSIS_GROUPS_H_
