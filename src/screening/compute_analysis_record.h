// Computing the analysis record of one stock from its loaded price series.
#ifndef KORVALE_SCREENING_COMPUTE_ANALYSIS_RECORD_H_
#define KORVALE_SCREENING_COMPUTE_ANALYSIS_RECORD_H_

#include <cstdint>
#include <vector>

#include "screening/analysis_record.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

// Scratch buffers of one computation. A batch keeps one per thread (or lets the computation use
// its own per-thread workspace), so records of thousands of stocks allocate nothing after the
// first few.
struct AnalysisWorkspace {
  std::vector<double> fast, slow, macd;               // MACD averages over its look-back
  std::vector<double> sar;                            // the stop-and-reverse line
  std::vector<int32_t> queueHigh, queueLow;           // sliding extremes of the stochastics
  std::vector<int64_t> dmiSums;                       // prefix sums of TR, +DM, -DM
  std::vector<int64_t> dx;                            // DX over the ADX and ADXR windows
  std::vector<uint32_t> stockWeekDates;               // dates of the stock's weekly bars
  std::vector<int32_t> stockPairBars, indexPairBars;  // paired daily bars of the weekly points
  std::vector<double> rho;                            // correlation per weekly point
  std::vector<uint8_t> hasRho;
};

// Fills every field of `out` from `series` (its first barCount bars and its trend lines, which
// the caller has loaded), reading the indicator periods from `settings`. `stockIndex` gets
// `identifier`. The two index fields are computed only when settings.useIndexAnalysis is set
// and `indexSeries` (the market index loaded as at start, with its weekly bars) is given;
// otherwise they are 0. Never fails: missing data, absurd periods and zero divisors give the
// fields' invalid values, never inf or NaN. Reads its inputs only. `workspace` may be null, in
// which case a per-thread workspace is used; the function is safe to call from many threads at
// once on different records.
void ComputeAnalysisRecord(const CPriceSeries& series, int32_t identifier,
                           const SettingsRecord& settings, const CPriceSeries* indexSeries,
                           AnalysisRecord* out, AnalysisWorkspace* workspace = nullptr);

}  // namespace korvale

#endif  // KORVALE_SCREENING_COMPUTE_ANALYSIS_RECORD_H_
