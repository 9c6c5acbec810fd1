// The field groups of the analysis record, one function each, called in order by
// ComputeAnalysisRecord. Internal to the screening library; each reads the bars and settings and
// writes only its own fields (some read fields written by an earlier group, as noted).
#ifndef KORVALE_SCREENING_ANALYSIS_GROUPS_H_
#define KORVALE_SCREENING_ANALYSIS_GROUPS_H_

#include <algorithm>
#include <cmath>
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

// The pieces of ComputePriceFields, for the history replay that carries the sums and extremes
// from bar to bar and must give the same values.
// lastClose, priceChange(Percent), lastVolume and volumeChange from the last two bars.
void ComputeLastBarFields(Bars in, AnalysisRecord* rec);
// The average of `period` closes whose sum is `sum` (the last `period` bars of `in`) and the
// same average one bar earlier; both 0 unless in.n > period + 1.
void AveragesFromSum(int64_t sum, Bars in, int period, double* average, double* previous);
// positionCode and crossFlags from the averages already in `rec` and the last two bars.
void ComputeOrderFields(Bars in, AnalysisRecord* rec);

// rci1, rci2, rsi1, rsi2, volumeRatio, oscillator (from the averages), stochK, stochD,
// bollingerWidth, bollingerBreak, cci.
void ComputeOscillatorFields(Bars in, const SettingsRecord& settings, AnalysisWorkspace* ws,
                             AnalysisRecord* rec);

// The pieces of the oscillator group the replay recomputes as they are, or whose final step it
// shares. A period fits when 1 <= period < n.
inline bool PeriodFits(int64_t period, int32_t n) { return period >= 1 && period < n; }
// bollingerWidth and bollingerBreak over the last `period` closes.
void Bollinger(Bars in, int32_t period, AnalysisRecord* rec);
// The commodity channel index over the last `period` bars.
double Cci(Bars in, int32_t period);
// %K from the last close and the window's highest and lowest close; 0 for a flat window.
inline double StochasticK(int32_t close, int32_t high, int32_t low) {
  if (high == low) return 0;
  return static_cast<double>(int64_t{close} - low) / static_cast<double>(int64_t{high} - low) * 100;
}
// %D from the summed distances to the lows and summed ranges; invalid when no window moved.
inline double StochasticD(int64_t numerator, int64_t denominator) {
  if (denominator == 0) return kRecordInvalidLevel;
  return static_cast<double>(numerator) / static_cast<double>(denominator) * 100;
}

// ichimokuCross, ichimokuSlope, ichimokuCloud.
void ComputeIchimokuFields(Bars in, const SettingsRecord& settings, AnalysisRecord* rec);
// The three codes from the line midpoints: base and conversion at the last bar and one bar
// earlier; with `hasCloud`, the cloud's spans drawn `shift` bars earlier. `close` and `prev` are
// the last two closes.
void IchimokuCodes(int64_t base, int64_t conv, int64_t basePrev, int64_t convPrev, bool hasCloud,
                   int64_t spanA, int64_t spanB, int64_t close, int64_t prev, AnalysisRecord* rec);

// trendLineCode from the series' lines.
void ComputeTrendLineField(const CPriceSeries& series, Bars in, AnalysisRecord* rec);

// dmiAdxCode, dmiCrossCode, macdLevel, macdCrossCode, obvLevel, sarCode.
void ComputeTrendFields(Bars in, const SettingsRecord& settings, AnalysisWorkspace* ws,
                        AnalysisRecord* rec);

// The indicators of the trend group one by one, and the final steps the replay shares.
void Dmi(Bars in, int32_t span, int32_t period, AnalysisWorkspace* ws, AnalysisRecord* rec);
void Macd(Bars in, const SettingsRecord& s, AnalysisWorkspace* ws, AnalysisRecord* rec);
double Obv(Bars in, int32_t span);
int32_t SarCode(Bars in, double step, double cap, AnalysisWorkspace* ws);
// +DI and -DI of a window whose TR, +DM and -DM sum to the given values.
void DirectionalIndexes(int64_t trSum, int64_t plusSum, int64_t minusSum, int64_t* plusDi,
                        int64_t* minusDi);
// DX of a pair of DIs; 0 when they cancel.
int64_t DirectionalMovementIndex(int64_t plusDi, int64_t minusDi);
// The two DMI codes from the DIs, ADX and ADXR at the next-to-last (o) and last (e) bar.
void DmiCodes(const int64_t plusDi[2], const int64_t minusDi[2], int64_t adxO, int64_t adxE,
              int64_t adxrO, int64_t adxrE, AnalysisRecord* rec);
// The mean of g values from `first` on, summed in order.
inline double MeanOf(const double* first, int32_t g) {
  double sum = 0;
  for (int32_t j = 0; j < g; ++j) sum += first[j];
  return sum / g;
}
// macdLevel and macdCrossCode from the window's range (hi, lo), the MACD at the last two bars
// and its signal there. A flat range leaves both invalid.
void MacdCodes(double hi, double lo, double macdLast, double macdPrev, double signalLast,
               double signalPrev, AnalysisRecord* rec);
// The OBV level of the last running sum within the window's range; invalid when flat.
double ObvLevel(double sum, double hi, double lo);
// sarCode from the line's last three values e (newest), f, g.
int32_t SarCodeOfLine(double e, double f, double g);

// indexCorrelation and indexDeviation against the index series.
void ComputeIndexFields(Bars in, const CPriceSeries& index, const SettingsRecord& settings,
                        AnalysisWorkspace* ws, AnalysisRecord* rec);

// Pearson's correlation of a window pair of w closes from its exact sums (x the index, y the
// stock); false for a flat window of either series.
bool CorrelationFromSums(int64_t w, int64_t sumX, int64_t sumY, __int128 sumXX, __int128 sumYY,
                         __int128 sumXY, double* rho);
// Its steps: a window's w Σv² − (Σv)², exact; a 128-bit value as the nearest double (exact for
// the values the sums usually hold); and the coefficient from the co-spread w Σxy − Σx Σy and
// the two spreads (both > 0), clamped to -1 .. 1.
inline __int128 WindowSpread(int64_t w, int64_t sum, __int128 squares) {
  return __int128{w} * squares - __int128{sum} * sum;
}
inline double WideToDouble(__int128 v) {
  if (v >= INT64_MIN && v <= INT64_MAX) return static_cast<double>(static_cast<int64_t>(v));
  return static_cast<double>(v);
}
inline double CorrelationOfSpreads(double coSpread, double spreadX, double spreadY) {
  // sqrt of the rounded product (not the product of two roots), so that a stock copying the
  // index gets exactly 1.
  const double r = coSpread / std::sqrt(spreadX * spreadY);
  return std::clamp(r, -1.0, 1.0);
}
// indexDeviation from the paired bars of every weekly point (stock bars `stockPairs` of `s`,
// index bars `indexPairs` of `x`, all valid) and the reference point `ref`.
double IndexDeviationValue(const PriceBar* s, const PriceBar* x, const int32_t* stockPairs,
                           const int32_t* indexPairs, int32_t points, int32_t ref);
// The date of a bar packed as year << 16 | month << 8 | day (the bytes as stored).
uint32_t PackedBarDate(const PriceBar& b);

// The dates of the weekly bars BuildWeekly would make from bars[0 .. n-1], without building
// them: a week starts at the first bar and wherever a usable bar's week number differs from the
// current week's. Each date is packed as year << 16 | month << 8 | day (the bytes as stored).
void WeeklyBarDates(Bars in, std::vector<uint32_t>* dates);

}  // namespace korvale::analysis

#endif  // KORVALE_SCREENING_ANALYSIS_GROUPS_H_
