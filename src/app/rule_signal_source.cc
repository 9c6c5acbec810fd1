#include "app/rule_signal_source.h"

#include <cstring>

#include "store/cp932.h"

namespace korvale {

CRuleSignalSource::CRuleSignalSource(const CRuleList& rules, const int32_t* slots)
    : rules_(rules), slots_(slots) {}

const SignalChartRows& CRuleSignalSource::Rows(const CChartPainter& painter) {
  const CPriceSeries* series = painter.series();
  if (series == nullptr) {
    rows_.rows.clear();
    return rows_;
  }
  const int shown = painter.windowCount();
  const SettingsRecord& settings = painter.settings();
  // A new stock or slot; and a new span (the main window resized) or new periods, which change
  // the values as much.
  const bool stale = dirty_ || series != series_ || series->filePath != path_ ||
                     series->barCount() != bars_ || shown != shown_ ||
                     painter.indexSeries() != index_ ||
                     std::memcmp(&settings, &settingsUsed_, sizeof settings) != 0;
  if (stale) {
    builder_.Compute(*series, shown, rules_, slots_, settings, painter.indexSeries(), &values_);
    ++computations_;
    dirty_ = false;
    series_ = series;
    path_ = series->filePath;
    bars_ = series->barCount();
    shown_ = shown;
    index_ = painter.indexSeries();
    std::memcpy(&settingsUsed_, &settings, sizeof settings);
  }
  rows_.rows.resize(kSignalSlots);
  for (int k = 0; k < kSignalSlots; ++k) {
    const SignalRowValues& v = values_[static_cast<size_t>(k)];
    SignalRow& row = rows_.rows[static_cast<size_t>(k)];
    row.present = v.present;
    row.values = v.values.data();
    row.valueCount = static_cast<int>(v.values.size());
    row.low = v.low;
    row.high = v.high;
    row.name = Cp932ToUtf8(v.name);
  }
  return rows_;
}

}  // namespace korvale
