// The Ichimoku family of the history replay: the midpoint of each line's window depends only on
// the bars up to the window's end, so it is found for every bar once, by sliding extremes, and
// each cut reads the codes from those midpoints.
#include "screening/replay_families.h"
#include "screening/replay_window.h"

namespace korvale::replay {

void IchimokuFamily::Midpoints(int32_t m, std::vector<int64_t>* out) {
  const int32_t count = bars_->count;
  out->resize(static_cast<size_t>(count));
  if (m < 1 || count == 0) return;
  high_.resize(static_cast<size_t>(count));
  low_.resize(static_cast<size_t>(count));
  const PriceBar* b = bars_->bars;
  SlidingBest<int32_t>(
      count, m, [b](int32_t j) { return b[j].high; }, [](int32_t x, int32_t y) { return x > y; },
      high_.data(), &queue_);
  SlidingBest<int32_t>(
      count, m, [b](int32_t j) { return b[j].low; }, [](int32_t x, int32_t y) { return x < y; },
      low_.data(), &queue_);
  for (int32_t j = 0; j < count; ++j) (*out)[j] = (int64_t{low_[j]} + high_[j]) / 2;
}

void IchimokuFamily::Reset(const ReplayBars& bars, const SettingsRecord& s) {
  bars_ = &bars;
  base_ = s.ichimokuDailyBase;
  conversion_ = s.ichimokuDailyConversion;
  span_ = s.ichimokuDailySpanPeriod;
  shift_ = s.ichimokuDailyLeadShiftA;
  Midpoints(base_, &midBase_);
  Midpoints(conversion_, &midConversion_);
  Midpoints(span_, &midSpan_);
}

void IchimokuFamily::Fill(int32_t n, AnalysisRecord* rec) {
  rec->ichimokuCross = rec->ichimokuSlope = rec->ichimokuCloud = kIchimokuCodeNone;
  if (base_ < 1 || conversion_ < 1 || span_ < 1 || span_ >= n) return;
  const int32_t e = n - 1;
  const int64_t d = int64_t{e} - shift_;
  const bool hasCloud = shift_ >= 0 && d >= 0;
  int64_t spanA = 0, spanB = 0;
  if (hasCloud) {
    spanA = (midBase_[d] + midConversion_[d]) / 2;
    spanB = midSpan_[d];
  }
  const PriceBar* b = bars_->bars;
  analysis::IchimokuCodes(midBase_[e], midConversion_[e], midBase_[e - 1], midConversion_[e - 1],
                          hasCloud, spanA, spanB, b[e].close, b[e - 1].close, rec);
}

}  // namespace korvale::replay
