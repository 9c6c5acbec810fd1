#include "screening/signal_rows.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "screening/condition_catalogue.h"

namespace korvale {

void SignalRowScale(const ConditionSet& rule, double* low, double* high) {
  *low = 0;
  *high = 1;
  if (rule.mode != 1) return;
  double negative = 0, positive = 0;
  for (int type = 0; type < kConditionTypeCount; ++type) {
    if (!rule.enabled[type]) continue;
    if (rule.weights[type] < 0) negative += rule.weights[type];
    if (rule.weights[type] > 0) positive += rule.weights[type];
  }
  if (negative < 0) *low = negative;
  if (positive > 1) *high = positive;
}

int32_t CSignalRowBuilder::BarsUntil(int32_t dateKey) const {
  // LoadUntil stops at the first record dated after the day: a record it dropped before the
  // first bar it kept stops it with no bar at all.
  if (droppedKey_ > dateKey) return 0;
  const auto later = std::upper_bound(latestKey_.begin(), latestKey_.end(), dateKey);
  return static_cast<int32_t>(later - latestKey_.begin());
}

void CSignalRowBuilder::Compute(const CPriceSeries& chart, int shown, const CRuleList& rules,
                                const int32_t slots[kSignalSlots],
                                const SettingsRecord& settings, const CPriceSeries* index,
                                std::array<SignalRowValues, kSignalSlots>* rows) {
  const int32_t count = chart.barCount();
  shown = std::clamp(shown, 0, count);
  const ConditionSet* rule[kSignalSlots] = {};
  for (int k = 0; k < kSignalSlots; ++k) {
    SignalRowValues& row = (*rows)[static_cast<size_t>(k)];
    const int32_t slot = slots[k];
    row.present = slot >= 0 && slot < rules.count && static_cast<size_t>(slot) < rules.sets.size();
    row.values.assign(static_cast<size_t>(count), 0);
    row.name.clear();
    row.low = 0;
    row.high = 1;
    if (!row.present) continue;
    rule[k] = &rules.sets[static_cast<size_t>(slot)];
    row.name.assign(rule[k]->name, strnlen(rule[k]->name, sizeof rule[k]->name));
    SignalRowScale(*rule[k], &row.low, &row.high);
  }

  // The file once, with LoadAll's rule for its first records; LoadUntil keeps a prefix of what
  // LoadAll keeps.
  const std::string& path = chart.filePath;
  const bool read = ReadWholeFile(path, &bytes_);
  file_.LoadAll(path);
  const int32_t kept = file_.barCount();
  droppedKey_ = INT_MIN;
  const int64_t records = read ? static_cast<int64_t>(bytes_.size() / kPriceFileRecordSize) : 0;
  for (int64_t r = 0; r < records - kept; ++r) {
    droppedKey_ =
        std::max(droppedKey_, DateKey(DecodeBar(bytes_.data() + r * kPriceFileRecordSize)));
  }
  latestKey_.resize(static_cast<size_t>(kept));
  int32_t latest = INT_MIN;
  for (int32_t j = 0; j < kept; ++j) {
    latest = std::max(latest, DateKey(file_.bars[static_cast<size_t>(j)]));
    latestKey_[static_cast<size_t>(j)] = latest;
  }

  // The displayed bars in the order of the bars their loads keep, so that the replay only
  // moves forward (a chart whose dates go back loads fewer bars for a later bar).
  order_.clear();
  for (int32_t i = count - shown; i < count; ++i) {
    order_.emplace_back(BarsUntil(DateKey(chart.bars[static_cast<size_t>(i)])), i);
  }
  std::stable_sort(order_.begin(), order_.end());
  replay_.Reset(file_, settings, index);
  AnalysisRecord record;
  for (const auto& [bars, i] : order_) {
    replay_.RecordAt(bars, 0, &record);
    for (int k = 0; k < kSignalSlots; ++k) {
      if (!rule[k]) continue;
      (*rows)[static_cast<size_t>(k)].values[static_cast<size_t>(i)] =
          rule[k]->mode == 1 ? Score(*rule[k], record) : MatchesAll(*rule[k], record) ? 1.0 : 0.0;
    }
  }
}

}  // namespace korvale
