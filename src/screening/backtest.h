// The back-test behind the rule validation report: for every eligible past bar of a stock, the
// analysis record as of that bar, each rule's verdict on it, and what the closes did next.
#ifndef KORVALE_SCREENING_BACKTEST_H_
#define KORVALE_SCREENING_BACKTEST_H_

#include <cstdint>
#include <vector>

#include "screening/condition_set.h"
#include "screening/history_replay.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

// The parameters of "銘柄抽出条件の検証", in the dialog's order.
struct ValidationParams {
  int32_t fromYear = 0;
  int32_t fromMonth = 0;
  int32_t toYear = 0;
  int32_t toMonth = 0;
  int32_t horizonDays = 20;  // n
  int32_t risePercent = 10;
  int32_t fallPercent = 8;
  int32_t tradedPercent = 80;
  uint8_t wholePeriod = 1;  // 1: all stored data, no date filter
  uint8_t afterMode = 1;    // 1: measured n days after ("日後"); 0: within n days ("日以内で")

  double riseFactor() const { return 1 + risePercent * 0.01; }
  double fallFactor() const { return 1 - fallPercent * 0.01; }
};

// The dialog's defaults ("全期間", "日後", n 20, rise 10, fall 8, traded 80) with both dates at
// the given year and month.
ValidationParams DefaultValidationParams(int year, int month);

// The ranges the dialog accepts.
inline constexpr int kValidationFirstYear = 1980;
inline constexpr int kValidationLastYear = 2100;
inline constexpr int kHorizonDaysMax = 300;

// One report line's counts: bars counted, and of them those that rose, stayed and fell.
struct OutcomeCounters {
  int32_t events = 0;
  int32_t rises = 0;
  int32_t neutrals = 0;
  int32_t falls = 0;

  bool operator==(const OutcomeCounters&) const = default;
};

// What the closes after a bar did: rose by the rise percentage, fell by the fall percentage
// (within n days both may happen, on different days), or neither.
struct BarOutcome {
  bool rise = false;
  bool fall = false;
};

// Whether bar's year and month lie in the period, both ends included (always with wholePeriod).
bool InValidationPeriod(const PriceBar& bar, const ValidationParams& params);

// The outcome measured from the close of bar i: within n days, each of the closes i+1 .. i+n
// against it; after n days, the close i+n only. The caller guarantees those bars exist. A close
// of bar i that is not positive measures nothing (no rise, no fall).
BarOutcome MeasureOutcome(const PriceBar* bars, int32_t i, const ValidationParams& params);

// Counts one bar: events, then rises and falls when it rose or fell, else neutrals.
void CountOutcome(const BarOutcome& outcome, OutcomeCounters* counters);

// The bars from which the back-test counts: from bar 140 while i < barCount - n - 1, so a stock
// of 162 bars or fewer is never counted.
inline constexpr int32_t kBacktestFirstBar = 140;
inline constexpr int32_t kBacktestMinBars = 163;

// Back-tests one stock loaded by LoadMerged: skipped (false) with 162 bars or fewer or a traded
// share below tradedPercent; otherwise, for each bar i from 140 while i < B - n - 1 within the
// period, the record of the first i bars (stockIndex = i) from `replay`, the outcome from bar i's
// close, counted in counters[0] and in counters[j + 1] for each rule j that counts the record
// (CountedByValidation). `counters` has rules.size() + 1 entries. `settings` and `index` as
// for ComputeAnalysisRecord.
bool BacktestStock(const CPriceSeries& series, const ValidationParams& params,
                   const std::vector<ConditionSet>& rules, const SettingsRecord& settings,
                   const CPriceSeries* index, CHistoryReplay* replay, OutcomeCounters* counters);

}  // namespace korvale

#endif  // KORVALE_SCREENING_BACKTEST_H_
