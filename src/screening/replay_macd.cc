// The MACD family of the history replay. Every cut seeds its two exponential averages afresh
// (the mean of the first closes of its look-back) and runs them to its last bar, so each cut's
// averages carry their own rounding and must be run again. A block of consecutive cuts runs its
// averages side by side over the same closes: the lanes are independent, so the processor works
// on all of them at once instead of waiting on one long chain of dependent steps. Each lane does
// exactly the arithmetic of the record's own MACD, in the same order.
#include <algorithm>
#include <cstring>

#include "screening/replay_families.h"

namespace korvale::replay {

void MacdFamily::Reset(const ReplayBars& bars, const SettingsRecord& s) {
  bars_ = &bars;
  span_ = s.dailySpanDays;
  fast_ = s.macdPeriod1;
  slow_ = s.macdPeriod2;
  signal_ = s.macdSignalPeriod;
  blockFirst_ = -1;
  blockCount_ = 0;
}

namespace {

// One exponential average per lane, lane k seeded at bar seed0 + k with seed[k].
struct LaneAverages {
  double alpha;
  int64_t seed0;
  double seed[MacdFamily::kLanes];
  double e[MacdFamily::kLanes];
};

void StartLanes(const ReplayBars& bars, int64_t j0, int32_t period, int32_t lanes,
                LaneAverages* avg) {
  avg->alpha = 2.0 / (period + 1.0);
  avg->seed0 = j0 + period - 1;
  for (int32_t k = 0; k < MacdFamily::kLanes; ++k) {
    avg->e[k] = 0;
    avg->seed[k] = 0;
    if (k >= lanes) continue;
    const int32_t start = static_cast<int32_t>(j0 + k);
    avg->seed[k] = static_cast<double>(bars.CloseSum(start, start + period)) / period;
  }
}

// Bar i for every lane: seeded at its seed bar, stepped after it, untouched before.
void StepLanes(LaneAverages* avg, int64_t i, double close) {
  for (int32_t k = 0; k < MacdFamily::kLanes; ++k) {
    const int64_t seed = avg->seed0 + k;
    if (i == seed) {
      avg->e[k] = avg->seed[k];
    } else if (i > seed) {
      avg->e[k] = avg->e[k] + avg->alpha * (close - avg->e[k]);
    }
  }
}

// Four lanes in one vector; the compiler keeps the arithmetic per lane exactly as written (no
// fused multiply-add: neither target below has one).
typedef double Lanes4 __attribute__((vector_size(32)));
constexpr int kVectors = MacdFamily::kLanes / 4;
static_assert(MacdFamily::kLanes % 4 == 0);

// Both averages of every lane over bars begin .. to, every lane already seeded, with the rows
// from `from` on receiving fast - slow. With AVX2 where the processor has it.
__attribute__((target_clones("avx2", "default"))) void RunLanes(
    const PriceBar* bars, int64_t begin, int64_t to, int64_t from, LaneAverages* fast,
    LaneAverages* slow, double* rows) {
  Lanes4 f[kVectors], s[kVectors];
  std::memcpy(f, fast->e, sizeof f);
  std::memcpy(s, slow->e, sizeof s);
  const double alphaFast = fast->alpha, alphaSlow = slow->alpha;
  for (int64_t i = begin; i <= to; ++i) {
    const double c = bars[i].close;
    for (int v = 0; v < kVectors; ++v) {
      f[v] = f[v] + alphaFast * (c - f[v]);
      s[v] = s[v] + alphaSlow * (c - s[v]);
    }
    if (i < from) continue;
    double* row = rows + (i - from) * MacdFamily::kLanes;
    for (int v = 0; v < kVectors; ++v) {
      const Lanes4 m = f[v] - s[v];
      std::memcpy(row + 4 * v, &m, sizeof m);
    }
  }
  std::memcpy(fast->e, f, sizeof f);
  std::memcpy(slow->e, s, sizeof s);
}

}  // namespace

void MacdFamily::ComputeBlock(int32_t first, int32_t lanes) {
  constexpr int32_t K = kLanes;
  const int64_t a = span_, g = signal_;
  const int64_t j0 = int64_t{first} - a - g - std::max(fast_, slow_);
  // Rows from the first value any lane reads (its window's start, or the start of the signal
  // window one bar before its end) to the last lane's last bar.
  const int64_t from = std::min(int64_t{first} - a, int64_t{first} - g - 1);
  const int64_t to = int64_t{first} + lanes - 2;
  rows_.resize(static_cast<size_t>(to - from + 1) * K);
  LaneAverages fast, slow;
  StartLanes(*bars_, j0, fast_, lanes, &fast);
  StartLanes(*bars_, j0, slow_, lanes, &slow);
  const PriceBar* b = bars_->bars;
  // Both averages are seeded before the first row read (the look-back is a + g + the longer
  // period), so each lane's values from `from` on are its own MACD. Until every lane of both is
  // seeded, the lanes are stepped one by one.
  const int64_t allSeeded = std::max(fast.seed0, slow.seed0) + K;
  int64_t i = std::min(fast.seed0, slow.seed0);
  for (; i <= to && i < allSeeded; ++i) {
    const double c = b[i].close;
    StepLanes(&fast, i, c);
    StepLanes(&slow, i, c);
    if (i < from) continue;
    double* row = rows_.data() + (i - from) * K;
    for (int32_t k = 0; k < K; ++k) row[k] = fast.e[k] - slow.e[k];
  }
  if (i <= to) RunLanes(b, i, to, from, &fast, &slow, rows_.data());

  // The range of each lane's window n - a .. n - 1 (lane k: n = first + k), taken in bar order as
  // the record takes it. Rows that are in every lane's window are taken for all lanes at once.
  double hi[K], lo[K];
  for (int32_t k = 0; k < K; ++k) {
    hi[k] = 0;
    lo[k] = k < lanes ? 10.0 * b[first + k - 1].close : 0;
  }
  const int64_t common = int64_t{first} + K - 1 - a;  // first row in every lane's window
  auto take = [&](int64_t i, int32_t k) {
    const double m = rows_[static_cast<size_t>(i - from) * K + static_cast<size_t>(k)];
    hi[k] = std::max(hi[k], m);
    lo[k] = std::min(lo[k], m);
  };
  for (int64_t i = first - a; i < std::min<int64_t>(common, to + 1); ++i) {
    for (int32_t k = 0; k < lanes; ++k) {
      if (i >= first + k - a && i < first + k) take(i, k);
    }
  }
  const int64_t commonEnd = first;  // rows before lane 0's end are in every later lane's too
  for (int64_t i = common; i < commonEnd; ++i) {
    const double* row = rows_.data() + (i - from) * K;
    for (int32_t k = 0; k < K; ++k) {
      hi[k] = hi[k] < row[k] ? row[k] : hi[k];
      lo[k] = row[k] < lo[k] ? row[k] : lo[k];
    }
  }
  for (int64_t i = std::max(common, commonEnd); i <= to; ++i) {
    for (int32_t k = 0; k < lanes; ++k) {
      if (i >= first + k - a && i < first + k) take(i, k);
    }
  }

  lane_.resize(static_cast<size_t>(g) + 1);
  for (int32_t k = 0; k < lanes; ++k) {
    const int64_t n = int64_t{first} + k;
    // The lane's last g + 1 values, for its signal at its last two bars.
    double* macd = lane_.data();  // macd[i - (n - g - 1)]
    for (int64_t i = n - g - 1; i < n; ++i) {
      macd[i - (n - g - 1)] = rows_[static_cast<size_t>(i - from) * K + static_cast<size_t>(k)];
    }
    AnalysisRecord rec;
    analysis::MacdCodes(hi[k], lo[k], macd[g], macd[g - 1],
                        analysis::MeanOf(macd + 1, static_cast<int32_t>(g)),
                        analysis::MeanOf(macd, static_cast<int32_t>(g)), &rec);
    level_[k] = rec.macdLevel;
    code_[k] = rec.macdCrossCode;
  }
  blockFirst_ = first;
  blockCount_ = lanes;
}

void MacdFamily::Fill(int32_t n, AnalysisRecord* rec) {
  rec->macdLevel = kRecordInvalidLevel;
  rec->macdCrossCode = kCodeNone;
  if (span_ < 1 || fast_ < 1 || slow_ < 1 || signal_ < 1) return;
  const int64_t j0 = int64_t{n} - span_ - signal_ - std::max(fast_, slow_);
  if (j0 < 2) return;
  if (n < blockFirst_ || n >= blockFirst_ + blockCount_) {
    ComputeBlock(n, std::min(kLanes, bars_->count + 1 - n));
  }
  rec->macdLevel = level_[n - blockFirst_];
  rec->macdCrossCode = code_[n - blockFirst_];
}

}  // namespace korvale::replay
