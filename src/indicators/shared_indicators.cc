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
  if (down == 0) return kVolumeRatioInvalid;
  return static_cast<double>(up) / static_cast<double>(down) * 100.0;
}

void ParabolicSarSeries(const PriceBar* bars, int first, int last, double step, double cap,
                        double* out) {
  if (last < first) return;
  bool rising = true;
  double af = step;
  double sar = bars[first].low;
  double ep = bars[first].low;
  double next = bars[first].low;
  double hh = bars[first].high;
  double ll = bars[first].low;
  out[first] = sar;
  for (int i = first + 1; i <= last; ++i) {
    const double high = bars[i].high, low = bars[i].low;
    bool turned = false;
    if (rising && low < next) {
      rising = false;
      turned = true;
      sar = hh;
    } else if (!rising && high > next) {
      rising = true;
      turned = true;
      sar = ll;
    } else {
      sar = sar + af * (ep - sar);
    }
    const double oldHh = hh, oldLl = ll;
    if (turned) {
      hh = high;
      ll = low;
    } else {
      hh = std::max(hh, high);
      ll = std::min(ll, low);
    }
    ep = rising ? hh : ll;
    if (turned) {
      af = step;
    } else if ((rising && hh != oldHh) || (!rising && ll != oldLl)) {
      if (af + step <= cap) af += step;
    }
    next = sar + af * (ep - sar);
    out[i] = sar;
  }
}

}  // namespace korvale
