// The construction of the reverse-watch curve (逆ウォッチ曲線) apart from its drawing: the
// moving average of the volume against the moving average of the close, bar by bar.
#ifndef KORVALE_CHARTS_REVERSE_WATCH_CURVE_H_
#define KORVALE_CHARTS_REVERSE_WATCH_CURVE_H_

#include <cstdint>
#include <vector>

#include "store/price_records.h"
#include "store/settings_record.h"

namespace korvale {

struct ReverseWatchPoint {
  int bar = 0;
  int64_t volume = 0;  // the volume average: x
  int64_t price = 0;   // the close average: y
  bool operator==(const ReverseWatchPoint&) const = default;
};

struct ReverseWatchCurve {
  int period = 0;    // p = reverseWatchMaDays
  int firstBar = 0;  // s
  // The points in bar order from the first bar on, leaving out bars where either average is 0
  // or less (no average yet, no trading); the ranges are over these points.
  std::vector<ReverseWatchPoint> points;
  int64_t volumeLow = 0, volumeHigh = 0;
  int64_t priceLow = 0, priceHigh = 0;
};

// The curve of the daily bars: both averages by MovingAverageInt over reverseWatchMaDays; the
// first bar is count - (reverseWatchSpanDays + p + 1), or p - 1 when that is negative or
// reverseWatchAllPeriod is set.
ReverseWatchCurve ComputeReverseWatchCurve(const PriceBar* bars, int count,
                                           const SettingsRecord& settings);

}  // namespace korvale

#endif  // KORVALE_CHARTS_REVERSE_WATCH_CURVE_H_
