// The small numeric routines every chart shares: grid rounding, price range, moving averages
// and the standard deviation. Templates over the three bar types (daily, weekly, monthly).
#ifndef KORVALE_CHARTS_CHART_NUMERICS_H_
#define KORVALE_CHARTS_CHART_NUMERICS_H_

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "store/price_records.h"
#include "store/price_series.h"

namespace korvale {

// Keeps the two leading digits of v: below 1,000 to tens, below 10,000 to hundreds, and so on
// up to 999,999,999 (to ten millions); 1,000,000,000 and more unchanged. Horizontal grid lines
// stand at GridRound(low + range/3) and GridRound(low + 2*range/3).
int64_t GridRound(int64_t v);

// Smallest and largest of n values (n >= 1; n < 1 gives 0).
int32_t MinOf(const int32_t* values, int n);
int32_t MaxOf(const int32_t* values, int n);

struct PriceRangeResult {
  int64_t low = 0;
  int64_t high = 0;
  int64_t maxVolume = 0;
};

// Fields by number, as the moving averages name them: 0 the close, 1 the volume.
enum BarField { kFieldClose = 0, kFieldVolume = 1 };

template <typename BarT>
int64_t BarFieldValue(const BarT& b, int field) {
  return field == kFieldVolume ? b.volume : b.close;
}

// Over the bars whose open is above 0: the highest high, the lowest low and the highest
// volume, then the range widened by trunc((high - low) / marginDivisor) on both sides (10 for
// the charts, 4 for the trend-line editor, 0 for none), a negative low raised to 0. With no
// such bar the result is all 0.
template <typename BarT>
PriceRangeResult PriceRange(const BarT* bars, int count, int marginDivisor) {
  PriceRangeResult r;
  int64_t high = 0, low = std::numeric_limits<int32_t>::max(), volume = 0;
  bool any = false;
  for (int i = 0; i < count; ++i) {
    const BarT& b = bars[i];
    if (b.open <= 0) continue;
    any = true;
    if (b.high > high) high = b.high;
    if (b.low < low) low = b.low;
    if (b.volume > volume) volume = b.volume;
  }
  if (!any) return r;
  if (marginDivisor > 0) {
    const int64_t margin = (high - low) / marginDivisor;
    high += margin;
    low -= margin;
  }
  if (low < 0) low = 0;
  r.low = low;
  r.high = high;
  r.maxVolume = volume;
  return r;
}

// out gets one entry per bar, all 0; unless period + 1 >= count (or period < 1), for each i
// from period - 1 on: the sum of the field over bars i-period+1 .. i divided by period,
// truncated. Sums are 64-bit, so long volume windows never wrap.
template <typename BarT>
void MovingAverageInt(const BarT* bars, int count, int period, int field,
                      std::vector<int64_t>* out) {
  out->assign(count > 0 ? count : 0, 0);
  if (period < 1 || period >= count - 1) return;
  int64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    sum += BarFieldValue(bars[i], field);
    if (i >= period) sum -= BarFieldValue(bars[i - period], field);
    if (i >= period - 1) (*out)[i] = sum / period;
  }
}

// The weekly and monthly charts' averages over their window: as MovingAverageInt, but defined
// only from index period + 1 (entries before stay 0).
template <typename BarT>
void WindowMovingAverageInt(const BarT* bars, int count, int period, int field,
                            std::vector<int64_t>* out) {
  MovingAverageInt(bars, count, period, field, out);
  for (int i = 0; i < count && i <= period; ++i) (*out)[i] = 0;
}

// out gets one double per bar, all 0; for each i from period + 1 on, the mean of the field
// over bars i-period+1 .. i. Entries 0 .. period stay 0.
template <typename BarT>
void MovingAverage(const BarT* bars, int count, int period, int field, std::vector<double>* out) {
  out->assign(count > 0 ? count : 0, 0.0);
  if (period < 1) return;
  int64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    sum += BarFieldValue(bars[i], field);
    if (i >= period) sum -= BarFieldValue(bars[i - period], field);
    if (i > period) (*out)[i] = static_cast<double>(sum) / period;
  }
}

// out gets one double per bar, all 0; for each i from period + 1 on, the population standard
// deviation of the closes of bars i-period+1 .. i.
template <typename BarT>
void StdDev(const BarT* bars, int count, int period, std::vector<double>* out) {
  out->assign(count > 0 ? count : 0, 0.0);
  if (period < 1 || period >= count) return;
  for (int i = period + 1; i < count; ++i) {
    int64_t sum = 0;
    for (int k = i - period + 1; k <= i; ++k) sum += bars[k].close;
    const double mean = static_cast<double>(sum) / period;
    double squares = 0;
    for (int k = i - period + 1; k <= i; ++k) {
      const double d = bars[k].close - mean;
      squares += d * d;
    }
    (*out)[i] = std::sqrt(squares / period);
  }
}

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_NUMERICS_H_
