// The price family of the history replay: last-bar basics, moving averages from the prefix sums
// of the closes, position and crossing codes, and the year and period extremes carried from bar
// to bar.
#include <algorithm>
#include <limits>

#include "screening/replay_families.h"
#include "screening/replay_window.h"

namespace korvale::replay {

namespace {

// The start of the low extremes, as YearExtremes and SeriesExtremes keep it: a low never
// undercut gives 0.
constexpr int32_t kLowStart = 1000000000;
int32_t LowOrZero(int32_t low) { return low >= kLowStart ? 0 : low; }

}  // namespace

void ReplayBars::Reset(const CPriceSeries& series) {
  bars = series.bars.data();
  count = series.barCount();
  closeSums.resize(static_cast<size_t>(count) + 1);
  closeSums[0] = 0;
  for (int32_t j = 0; j < count; ++j) closeSums[j + 1] = closeSums[j] + bars[j].close;
}

void PriceFamily::Reset(const ReplayBars& bars, const SettingsRecord& settings) {
  bars_ = &bars;
  shortPeriod_ = settings.dailyMaShort;
  longPeriod_ = settings.dailyMaLong;
  years_.clear();
  pushed_ = 0;
  allHigh_ = 0;
  allLow_ = kLowStart;

  const int64_t window = std::clamp<int64_t>(int64_t{settings.highLowMonths} * 21,
                                             std::numeric_limits<int>::min(),
                                             std::numeric_limits<int>::max());
  periodEmpty_ = window <= 0;
  const int32_t count = bars.count;
  periodHigh_.resize(static_cast<size_t>(count));
  periodLow_.resize(static_cast<size_t>(count));
  if (periodEmpty_ || count == 0) return;
  const PriceBar* b = bars.bars;
  SlidingBest<int32_t>(
      count, window, [b](int32_t j) { return b[j].high; },
      [](int32_t x, int32_t y) { return x > y; }, periodHigh_.data(), &queue_);
  SlidingBest<int32_t>(
      count, window, [b](int32_t j) { return b[j].low; },
      [](int32_t x, int32_t y) { return x < y; }, periodLow_.data(), &queue_);
  for (int32_t j = 0; j < count; ++j) {
    periodHigh_[j] = std::max(periodHigh_[j], 0);
    periodLow_[j] = LowOrZero(std::min(periodLow_[j], kLowStart));
  }
}

void PriceFamily::Fill(int32_t n, AnalysisRecord* rec) {
  const analysis::Bars in = bars_->Cut(n);
  analysis::ComputeLastBarFields(in, rec);
  auto sumOf = [&](int period) {
    return period > 0 && n > period + 1 ? bars_->CloseSum(n - period, n) : 0;
  };
  analysis::AveragesFromSum(sumOf(shortPeriod_), in, shortPeriod_, &rec->maShort,
                            &rec->maShortPrev);
  analysis::AveragesFromSum(sumOf(longPeriod_), in, longPeriod_, &rec->maLong, &rec->maLongPrev);
  analysis::ComputeOrderFields(in, rec);

  rec->highThisYear = rec->lowThisYear = rec->highSinceLastYear = rec->lowSinceLastYear = 0;
  rec->highFiveYears = rec->lowFiveYears = rec->highAll = rec->lowAll = 0;
  rec->periodHigh = rec->periodLow = 0;
  if (n <= 0) return;

  // Each year's extremes of the bars so far, kept in year order; the bars of a series are
  // almost always in date order, so a new bar's year is found at the end.
  for (; pushed_ < n; ++pushed_) {
    const PriceBar& b = bars_->bars[pushed_];
    allHigh_ = std::max(allHigh_, b.high);
    allLow_ = std::min(allLow_, b.low);
    auto it = years_.end();
    while (it != years_.begin() && (it - 1)->year > b.year) --it;
    if (it != years_.begin() && (it - 1)->year == b.year) {
      (it - 1)->high = std::max((it - 1)->high, b.high);
      (it - 1)->low = std::min((it - 1)->low, b.low);
    } else {
      years_.insert(it, YearExtreme{b.year, b.high, b.low});
    }
  }
  // The windows of YearExtremes: the last bar's year, with the year before, with the five
  // before; a year after the last bar's (a series out of order) falls into the wider two.
  const int32_t lastYear = bars_->bars[n - 1].year;
  int32_t high[3] = {0, 0, 0}, low[3] = {kLowStart, kLowStart, kLowStart};
  for (auto it = years_.rbegin(); it != years_.rend() && lastYear - it->year <= 5; ++it) {
    const int32_t d = lastYear - it->year;
    for (int k = 0; k < 3; ++k) {
      if ((k == 0 && d != 0) || (k == 1 && d > 1)) continue;
      high[k] = std::max(high[k], it->high);
      low[k] = std::min(low[k], it->low);
    }
  }
  rec->highThisYear = high[0];
  rec->lowThisYear = LowOrZero(low[0]);
  rec->highSinceLastYear = high[1];
  rec->lowSinceLastYear = LowOrZero(low[1]);
  rec->highFiveYears = high[2];
  rec->lowFiveYears = LowOrZero(low[2]);
  rec->highAll = allHigh_;
  rec->lowAll = LowOrZero(allLow_);
  if (!periodEmpty_) {
    rec->periodHigh = periodHigh_[n - 1];
    rec->periodLow = periodLow_[n - 1];
  }
}

}  // namespace korvale::replay
