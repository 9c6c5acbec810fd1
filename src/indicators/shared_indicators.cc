#include "indicators/shared_indicators.h"

#include <algorithm>
#include <vector>

namespace korvale {

double RelativeStrength(const PriceBar* bars, int end, int n) {
  if (n < 2) return 50;
  int64_t gain = 0, loss = 0;
  for (int i = end - n + 2; i <= end; ++i) {
    const int64_t change = int64_t{bars[i].close} - bars[i - 1].close;
    if (change >= 0) {
      gain += change;
    } else {
      loss += change;
    }
  }
  return RelativeStrengthFromSums(gain, loss);
}

double RelativeStrengthFromSums(int64_t gain, int64_t loss) {
  if (gain - loss == 0) return 50;
  return static_cast<double>(gain) / static_cast<double>(gain - loss) * 100.0;
}

double RankCorrelation(const PriceBar* bars, int end, int n) {
  if (n < 2) return 0;
  // Reused per thread: the screening batch and the chart call this for thousands of windows.
  thread_local std::vector<std::pair<int32_t, int>> sorted;  // (close, date rank)
  sorted.clear();
  for (int k = 0; k < n; ++k) {
    sorted.emplace_back(bars[end - n + 1 + k].close, n - k);
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  double d = 0;
  for (int pos = 0; pos < n;) {
    int runEnd = pos + 1;
    while (runEnd < n && sorted[runEnd].first == sorted[pos].first) ++runEnd;
    // Ranks pos+1 .. runEnd shared by the run: their mean.
    const double priceRank = (pos + 1 + runEnd) / 2.0;
    for (int k = pos; k < runEnd; ++k) {
      const double diff = priceRank - sorted[k].second;
      d += diff * diff;
    }
    pos = runEnd;
  }
  return RankCorrelationFromSquares(d, n);
}

double RankCorrelationFromSquares(double d, int n) {
  const double nd = n;
  return (1.0 - 6.0 * d / (nd * nd * nd - 1.0)) * 100.0;
}

double VolumeRatio(const PriceBar* bars, int end, int n) {
  if (n <= 1) return kVolumeRatioInvalid;
  int64_t up = 0, down = 0;
  for (int i = end - n + 2; i <= end; ++i) {
    const PriceBar& b = bars[i];
    const int32_t prev = bars[i - 1].close;
    if (b.close > prev) {
      up += b.volume;
    } else if (b.close < prev) {
      down += b.volume;
    } else {
      up += b.volume / 2;
      down += b.volume / 2;
    }
  }
  return VolumeRatioFromSums(up, down);
}

double VolumeRatioFromSums(int64_t up, int64_t down) {
  if (down == 0) return kVolumeRatioInvalid;
  return static_cast<double>(up) / static_cast<double>(down) * 100.0;
}

void ParabolicSarSeries(const PriceBar* bars, int first, int last, double step, double cap,
                        double* out) {
  if (last < first) return;
  ParabolicSarState state = ParabolicSarStart(bars[first], step);
  out[first] = state.sar;
  for (int i = first + 1; i <= last; ++i) {
    ParabolicSarStep(&state, bars[i], step, cap);
    out[i] = state.sar;
  }
}

}  // namespace korvale
