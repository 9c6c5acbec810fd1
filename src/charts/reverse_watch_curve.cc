#include "charts/reverse_watch_curve.h"

#include <algorithm>

#include "charts/chart_numerics.h"

namespace korvale {

ReverseWatchCurve ComputeReverseWatchCurve(const PriceBar* bars, int count,
                                           const SettingsRecord& s) {
  ReverseWatchCurve c;
  c.period = s.reverseWatchMaDays;
  const int64_t first = int64_t{count} - (int64_t{s.reverseWatchSpanDays} + c.period + 1);
  c.firstBar = static_cast<int>(
      std::max<int64_t>(first < 0 || s.reverseWatchAllPeriod ? int64_t{c.period} - 1 : first, 0));
  std::vector<int64_t> price, volume;
  MovingAverageInt(bars, count, c.period, kFieldClose, &price);
  MovingAverageInt(bars, count, c.period, kFieldVolume, &volume);
  for (int i = c.firstBar; i < count; ++i) {
    if (price[i] <= 0 || volume[i] <= 0) continue;
    if (c.points.empty()) {
      c.volumeLow = c.volumeHigh = volume[i];
      c.priceLow = c.priceHigh = price[i];
    }
    c.volumeLow = std::min(c.volumeLow, volume[i]);
    c.volumeHigh = std::max(c.volumeHigh, volume[i]);
    c.priceLow = std::min(c.priceLow, price[i]);
    c.priceHigh = std::max(c.priceHigh, price[i]);
    c.points.push_back({i, volume[i], price[i]});
  }
  return c;
}

}  // namespace korvale
