// The indicator families of the history replay, one class each, one file each
// (replay_price.cc, replay_oscillators.cc, replay_ichimoku.cc, replay_trend.cc, replay_macd.cc,
// replay_index.cc). Internal to the screening library.
//
// Each family prepares what does not depend on where the series is cut (per-bar values, prefix
// sums, sliding extremes) once in Reset, and then fills its fields of the record as of the first
// n bars in Fill, for n that never decreases. Every value equals, bit for bit, what the field
// groups of ComputeAnalysisRecord give on the series cut to n bars: integer sums replace loops
// only where they are exact, and a field whose floating-point arithmetic depends on the cut is
// computed again in the same order (or by the group's own function).
#ifndef KORVALE_SCREENING_REPLAY_FAMILIES_H_
#define KORVALE_SCREENING_REPLAY_FAMILIES_H_

#include <cstdint>
#include <vector>

#include "indicators/shared_indicators.h"
#include "screening/analysis_groups.h"
#include "screening/analysis_record.h"
#include "screening/compute_analysis_record.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale::replay {

// The bars every family reads, with the prefix sums of the closes that several share.
struct ReplayBars {
  const PriceBar* bars = nullptr;
  int32_t count = 0;
  std::vector<int64_t> closeSums;  // closeSums[j] = close[0] + ... + close[j - 1]

  // Points at the series' bars and sums their closes.
  void Reset(const CPriceSeries& series);
  int64_t CloseSum(int32_t from, int32_t to) const { return closeSums[to] - closeSums[from]; }
  analysis::Bars Cut(int32_t n) const { return analysis::Bars{bars, n}; }
};

// Last-bar basics, moving averages, position and crossing codes, year and period extremes.
class PriceFamily {
 public:
  void Reset(const ReplayBars& bars, const SettingsRecord& settings);
  void Fill(int32_t n, AnalysisRecord* rec);

 private:
  struct YearExtreme {
    int32_t year;
    int32_t high;  // highest high of the year's bars so far
    int32_t low;   // lowest low
  };
  const ReplayBars* bars_ = nullptr;
  int shortPeriod_ = 0, longPeriod_ = 0;
  std::vector<int32_t> periodHigh_, periodLow_;  // SeriesExtremes of the window ending at j
  bool periodEmpty_ = false;                     // a window of no bars: both 0
  std::vector<YearExtreme> years_;               // by year, of the bars pushed so far
  int32_t pushed_ = 0;
  int32_t allHigh_ = 0, allLow_ = 0;
  std::vector<int32_t> queue_;
};

// Rank correlation, relative strength, volume ratio, oscillator, stochastics, Bollinger band,
// commodity channel index.
class OscillatorFamily {
 public:
  void Reset(const ReplayBars& bars, const SettingsRecord& settings);
  void Fill(int32_t n, AnalysisRecord* rec);

 private:
  // Rank correlation of the `period` closes ending at each bar, carried from bar to bar by
  // counting for every close of the window the closes above it and equal to it.
  void RankCorrelations(int32_t period, std::vector<double>* out);

  const ReplayBars* bars_ = nullptr;
  int32_t rciPeriod_[2] = {0, 0}, rsiPeriod_[2] = {0, 0};
  int32_t vrPeriod_ = 0, stochPeriod_ = 0, stochSum_ = 0, bollingerPeriod_ = 0, cciPeriod_ = 0;
  std::vector<double> rci_[2];
  std::vector<int64_t> gains_, losses_;  // prefix sums of the day-to-day changes
  std::vector<int64_t> ups_, downs_;     // prefix sums of the volume ratio's volumes
  std::vector<int32_t> stochHigh_, stochLow_;
  std::vector<int64_t> stochNumerator_, stochDenominator_;  // prefix sums
  std::vector<int32_t> queue_;
  std::vector<int32_t> rankValues_, rankAbove_, rankEqual_;
};

// The three Ichimoku codes.
class IchimokuFamily {
 public:
  void Reset(const ReplayBars& bars, const SettingsRecord& settings);
  void Fill(int32_t n, AnalysisRecord* rec);

 private:
  // mid(m, j) for every bar j into `out`.
  void Midpoints(int32_t m, std::vector<int64_t>* out);

  const ReplayBars* bars_ = nullptr;
  int32_t base_ = 0, conversion_ = 0, span_ = 0, shift_ = 0;
  std::vector<int64_t> midBase_, midConversion_, midSpan_;
  std::vector<int32_t> high_, low_, queue_;
};

// DMI and OBV over the display window, and the stop-and-reverse code.
class TrendFamily {
 public:
  void Reset(const ReplayBars& bars, const SettingsRecord& settings);
  void Fill(int32_t n, AnalysisRecord* rec);

 private:
  void FillDmi(int32_t n, AnalysisRecord* rec);
  void FillObv(int32_t n, AnalysisRecord* rec);
  void FillSar(int32_t n, AnalysisRecord* rec);

  const ReplayBars* bars_ = nullptr;
  int32_t span_ = 0, dmiPeriod_ = 0;
  double sarStep_ = 0, sarMax_ = 0;
  // DMI per bar k (from bar dmiPeriod on): the DIs and DX of the window ending at k, and the
  // prefix sums of DX. Valid when the span is at least the period, so that no window reaches
  // back before the start of the computation.
  bool dmiCarried_ = false;
  std::vector<int64_t> plusDi_, minusDi_, dxSums_, dmiSums_;
  // OBV: prefix sums of the signed volumes and their extremes over each window of span + 1.
  std::vector<int64_t> obvSums_, obvHigh_, obvLow_, scratch_;
  // The stop-and-reverse line of the last cut, by bar (index modulo the ring), kept so that the
  // next cut's line is computed only until it meets the last one.
  static constexpr int32_t kSarRing = 64;
  ParabolicSarState sarStates_[kSarRing];
  int32_t sarFrom_ = -1, sarTo_ = -1;
  AnalysisWorkspace workspace_;
};

// MACD over the display window. Its exponential averages start afresh at every cut, so their
// rounding differs from cut to cut; they are computed again for every cut, for a block of
// consecutive cuts at once, so that the averages of the block's cuts run side by side.
class MacdFamily {
 public:
  static constexpr int32_t kLanes = 16;  // cuts per block

  void Reset(const ReplayBars& bars, const SettingsRecord& settings);
  void Fill(int32_t n, AnalysisRecord* rec);

 private:
  // Computes the fields of the cuts first .. first + lanes - 1 into the block.
  void ComputeBlock(int32_t first, int32_t lanes);

  const ReplayBars* bars_ = nullptr;
  int32_t span_ = 0, fast_ = 0, slow_ = 0, signal_ = 0;
  std::vector<double> rows_;  // the lanes' MACD by bar: rows_[(bar - first row) * kLanes + lane]
  std::vector<double> lane_;
  int32_t blockFirst_ = -1, blockCount_ = 0;
  double level_[kLanes] = {};
  int32_t code_[kLanes] = {};
};

// Correlation with the market index and relative performance against it.
class IndexFamily {
 public:
  // `index` may be null (then both fields stay 0). What depends only on the index is kept
  // between stocks while the index and the window do not change.
  void Reset(const ReplayBars& bars, const SettingsRecord& settings, const CPriceSeries* index);
  void Fill(int32_t n, AnalysisRecord* rec);

 private:
  // Of one series, for every window of w closes ending at bar j >= w - 1: its sum and its spread
  // w Σv² − (Σv)² as a double (0 when not positive: a flat window); the closes as doubles.
  struct SeriesWindows {
    std::vector<int64_t> sum;
    std::vector<double> spread;
    std::vector<double> close;
    int64_t largest = 0;  // the largest |close|
  };
  void Prepare(const PriceBar* bars, int32_t count, SeriesWindows* out) const;
  // The correlations of every weekly point of the current pairing, and the reference points.
  void ComputePairing();
  // The correlation of the windows ending at the two bars, whose closes' products sum to sumXY.
  bool WindowCorrelation(int32_t stockBar, int32_t indexBar, __int128 sumXY, double* rho) const;
  // The exact sum of the products of the paired closes of the two windows.
  __int128 DotProduct(int32_t stockBar, int32_t indexBar) const;

  const ReplayBars* bars_ = nullptr;
  const SettingsRecord* settings_ = nullptr;
  const CPriceSeries* index_ = nullptr;
  int64_t w_ = 0;
  AnalysisWorkspace workspace_;

  // Of the index: its bar of each weekly bar, its windows.
  const CPriceSeries* preparedIndex_ = nullptr;
  const PriceBar* preparedData_ = nullptr;
  int32_t preparedBars_ = -1, preparedWeeks_ = -1;
  int64_t preparedW_ = 0;
  bool indexOrdered_ = false;
  std::vector<int32_t> indexWeekBar_;
  SeriesWindows indexWindows_;

  // Of the stock: its weekly bars' first bars, its windows.
  bool stockOrdered_ = false;
  std::vector<uint32_t> weekDates_;
  std::vector<int32_t> weekBar_;
  SeriesWindows stock_;
  bool exactInDoubles_ = false;       // every window's product sum is exact as a double
  bool covarianceInDoubles_ = false;  // and so is w Σxy − Σx Σy
  int32_t weeks_ = 0;                 // weekly bars of the current cut

  // The pairing of the current cut (weeks_ weekly bars of the stock).
  int32_t pairedWeeks_ = -1;  // weeks_ the pairing was made for
  int32_t points_ = 0, stockFirst_ = 0, indexFirst_ = 0;
  bool lastDone_ = false, lastHas_ = false;
  double lastRho_ = 0;
  bool allDone_ = false;
  std::vector<double> productSums_;
  std::vector<double> rho_;
  std::vector<uint8_t> hasRho_;
  std::vector<int32_t> bestFrom_;  // the reference point among points k.. (-1: none)
  int32_t deviationRef_ = -1;
  double deviation_ = 0;
};

}  // namespace korvale::replay

#endif  // KORVALE_SCREENING_REPLAY_FAMILIES_H_
