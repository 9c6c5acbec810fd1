// The values of the signal chart: how up to four rules of the rule list would have judged each
// displayed bar, each bar's record computed as of that bar from the stock's price file.
#ifndef KORVALE_SCREENING_SIGNAL_ROWS_H_
#define KORVALE_SCREENING_SIGNAL_ROWS_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "screening/history_replay.h"
#include "screening/rule_list.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

inline constexpr int kSignalSlots = 4;

// One row: a rule's value on every bar of the chart's series.
struct SignalRowValues {
  bool present = false;  // the slot names a rule of the list; else the row stays empty
  std::string name;      // the rule's name, cp932
  double low = 0;        // the row's scale
  double high = 1;
  // One value per bar of the series: 1 or 0 (mode 0: all conditions hold or not) or the score
  // (mode 1). Bars before the displayed ones are 0.
  std::vector<double> values;
};

// The scale of a rule's row: 0 .. 1; for a mode-1 rule the low end is the sum of its enabled
// negative weights when that is below 0, the high end the sum of its enabled positive weights
// when that is above 1.
void SignalRowScale(const ConditionSet& rule, double* low, double* high);

class CSignalRowBuilder {
 public:
  // The rows of the rules named by `slots` (indexes into `rules`; one outside the list leaves
  // its row empty) for the series `chart` (the chart's bars and the price file they came
  // from), computed for its last `shown` bars: for each, the record of the price file loaded up
  // to that bar's date (LoadUntil: the bar included; no trend lines), identifier 0, under
  // `settings` and the index. A file that cannot be read gives every bar the record of no bars.
  // Reuses its buffers between calls.
  void Compute(const CPriceSeries& chart, int shown, const CRuleList& rules,
               const int32_t slots[kSignalSlots], const SettingsRecord& settings,
               const CPriceSeries* index, std::array<SignalRowValues, kSignalSlots>* rows);

 private:
  // The number of bars LoadUntil(date) keeps from the file whose LoadAll bars are in file_.
  int32_t BarsUntil(int32_t dateKey) const;

  CPriceSeries file_;
  CHistoryReplay replay_;
  std::vector<int32_t> latestKey_;  // the latest date key among file_'s bars 0 .. j
  int32_t droppedKey_ = 0;          // the latest date key of the records LoadAll dropped
  std::vector<std::pair<int32_t, int32_t>> order_;  // (bars, displayed bar) by bars
  ByteBuffer bytes_;
};

}  // namespace korvale

#endif  // KORVALE_SCREENING_SIGNAL_ROWS_H_
