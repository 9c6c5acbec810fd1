// The trend family of the history replay: DMI from per-bar directional indexes (a window of
// the display span reaches back no further than the bars it sums, so each bar's DI and DX are
// the same at every cut), OBV from prefix sums and sliding extremes (a window's running sum is a
// difference of prefix sums), and the stop-and-reverse line, which starts afresh 35 bars before
// every cut's end and is followed only until it meets the previous cut's line.
#include <algorithm>
#include <bit>
#include <cstring>

#include "screening/replay_families.h"
#include "screening/replay_window.h"

namespace korvale::replay {

namespace {

constexpr int32_t kSarBars = 35;

bool SameState(const ParabolicSarState& a, const ParabolicSarState& b) {
  // Bit for bit: only then does the rest of the line certainly run the same.
  auto same = [](double x, double y) {
    return std::bit_cast<uint64_t>(x) == std::bit_cast<uint64_t>(y);
  };
  return a.rising == b.rising && same(a.af, b.af) && same(a.sar, b.sar) && same(a.ep, b.ep) &&
         same(a.next, b.next) && same(a.hh, b.hh) && same(a.ll, b.ll);
}

}  // namespace

void TrendFamily::Reset(const ReplayBars& bars, const SettingsRecord& s) {
  bars_ = &bars;
  span_ = s.dailySpanDays;
  dmiPeriod_ = s.dmiPeriod;
  sarStep_ = s.sarStep;
  sarMax_ = s.sarMax;
  sarFrom_ = sarTo_ = -1;
  const int32_t count = bars.count;
  const PriceBar* b = bars.bars;
  const size_t size = static_cast<size_t>(count) + 1;

  const int32_t period = dmiPeriod_;
  dmiCarried_ = period >= 1 && span_ >= period;
  if (dmiCarried_) {
    plusDi_.assign(static_cast<size_t>(count), 0);
    minusDi_.assign(static_cast<size_t>(count), 0);
    dxSums_.assign(size, 0);
    // Prefix sums of TR, +DM and -DM (bar 0 has none): entry j covers bars 1 .. j - 1.
    dmiSums_.assign(3 * size, 0);
    int64_t* tr = dmiSums_.data();
    int64_t* plus = tr + size;
    int64_t* minus = plus + size;
    for (int32_t j = 1; j < count; ++j) {
      const PriceBar& cur = b[j];
      const PriceBar& prev = b[j - 1];
      const int64_t up = int64_t{cur.high} - prev.high;
      const int64_t down = int64_t{prev.low} - cur.low;
      int64_t p = 0, m = 0;
      if (!(cur.high < prev.high && prev.low < cur.low)) {
        if (down < up) {
          p = up;
        } else if (up < down) {
          m = down;
        }
      }
      const int64_t range = std::max({int64_t{cur.high} - prev.close, int64_t{cur.high} - cur.low,
                                      int64_t{prev.close} - cur.low});
      tr[j + 1] = tr[j] + range;
      plus[j + 1] = plus[j] + p;
      minus[j + 1] = minus[j] + m;
    }
    for (int32_t k = 0; k < count; ++k) {
      int64_t dx = 0;
      if (k >= period) {
        const int32_t from = k - period + 1;
        int64_t p, m;
        analysis::DirectionalIndexes(tr[k + 1] - tr[from], plus[k + 1] - plus[from],
                                     minus[k + 1] - minus[from], &p, &m);
        plusDi_[k] = p;
        minusDi_[k] = m;
        dx = analysis::DirectionalMovementIndex(p, m);
      }
      dxSums_[k + 1] = dxSums_[k] + dx;
    }
  }

  obvSums_.assign(size, 0);
  obvHigh_.resize(static_cast<size_t>(count));
  obvLow_.resize(static_cast<size_t>(count));
  if (span_ >= 1) {
    for (int32_t j = 1; j < count; ++j) {
      int64_t signedVolume = 0;
      if (b[j].volume > 0) {
        if (b[j].close > b[j - 1].close) signedVolume = b[j].volume;
        if (b[j].close < b[j - 1].close) signedVolume = -int64_t{b[j].volume};
      }
      obvSums_[j] = obvSums_[j - 1] + signedVolume;
    }
    const int64_t* sums = obvSums_.data();
    SlidingBest<int64_t>(
        count, int64_t{span_} + 1, [sums](int32_t j) { return sums[j]; },
        [](int64_t x, int64_t y) { return x > y; }, obvHigh_.data(), &scratch_);
    SlidingBest<int64_t>(
        count, int64_t{span_} + 1, [sums](int32_t j) { return sums[j]; },
        [](int64_t x, int64_t y) { return x < y; }, obvLow_.data(), &scratch_);
  }
}

void TrendFamily::FillDmi(int32_t n, AnalysisRecord* rec) {
  rec->dmiAdxCode = kCodeNone;
  rec->dmiCrossCode = kCodeNone;
  const int64_t b = dmiPeriod_;
  if (b < 1 || span_ < 0) return;
  if (int64_t{n} - 2 * b - span_ < 2 * b) return;
  if (!dmiCarried_) {
    // A span shorter than the period: the first windows reach before the computation's start,
    // where the bars count as 0, so the values depend on the cut.
    analysis::Dmi(bars_->Cut(n), span_, dmiPeriod_, &workspace_, rec);
    return;
  }
  const int32_t o = n - 2, e = n - 1;
  const int64_t* dx = dxSums_.data();
  const int64_t plus[2] = {plusDi_[o], plusDi_[e]};
  const int64_t minus[2] = {minusDi_[o], minusDi_[e]};
  const int64_t adxO = (dx[o + 1] - dx[o + 1 - b]) / b;
  const int64_t adxE = (dx[e + 1] - dx[e + 1 - b]) / b;
  const int64_t adxrO = (dx[o + 1] - dx[o + 1 - 2 * b]) / (2 * b);
  const int64_t adxrE = (dx[e + 1] - dx[e + 1 - 2 * b]) / (2 * b);
  analysis::DmiCodes(plus, minus, adxO, adxE, adxrO, adxrE, rec);
}

void TrendFamily::FillObv(int32_t n, AnalysisRecord* rec) {
  rec->obvLevel = kRecordInvalidLevel;
  if (span_ < 1 || int64_t{n} < int64_t{span_} + 2) return;
  const int32_t e = n - 1;
  // The running sum starts at bar n - span - 1: every value is a prefix sum less the one before.
  const int64_t base = obvSums_[n - span_ - 2];
  const double hi = std::max(0.0, static_cast<double>(obvHigh_[e] - base));
  const double lo = std::min(1e10, static_cast<double>(obvLow_[e] - base));
  rec->obvLevel = analysis::ObvLevel(static_cast<double>(obvSums_[e] - base), hi, lo);
}

void TrendFamily::FillSar(int32_t n, AnalysisRecord* rec) {
  rec->sarCode = kCodeNone;
  if (n <= kSarBars) return;
  const PriceBar* b = bars_->bars;
  const int32_t first = n - kSarBars, last = n - 1;
  ParabolicSarState* ring = sarStates_;
  auto at = [ring](int32_t j) -> ParabolicSarState& { return ring[j % kSarRing]; };
  // The previous line ran over sarFrom_ .. sarTo_; the new one starts later. Once it is in the
  // same state as the previous one at some bar, it runs the same up to sarTo_.
  const bool overlap = sarFrom_ >= 0 && sarFrom_ <= first && first <= sarTo_;
  ParabolicSarState state = ParabolicSarStart(b[first], sarStep_);
  int32_t j = first;
  for (;;) {
    if (overlap && j <= sarTo_ && SameState(state, at(j))) {
      j = sarTo_;
      state = at(j);
      break;
    }
    at(j) = state;
    if (j == last) break;
    ++j;
    ParabolicSarStep(&state, b[j], sarStep_, sarMax_);
  }
  while (j < last) {
    ++j;
    ParabolicSarStep(&state, b[j], sarStep_, sarMax_);
    at(j) = state;
  }
  sarFrom_ = first;
  sarTo_ = last;
  rec->sarCode = analysis::SarCodeOfLine(at(last).sar, at(last - 1).sar, at(last - 2).sar);
}

void TrendFamily::Fill(int32_t n, AnalysisRecord* rec) {
  FillDmi(n, rec);
  FillObv(n, rec);
  FillSar(n, rec);
}

}  // namespace korvale::replay
