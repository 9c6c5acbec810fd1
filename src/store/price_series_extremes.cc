// Plausibility checks and period highs and lows over a whole series.
#include <algorithm>

#include "store/price_series.h"

namespace korvale {

namespace {
constexpr int32_t kLowStart = 1000000000;

// a / b strictly between 0.5 and 2.0, written without division (b may be 0 or negative).
bool RatioPlausible(int32_t a, int32_t b) {
  if (b == 0) return false;
  double r = static_cast<double>(a) / static_cast<double>(b);
  return r > 0.5 && r < 2.0;
}

struct Extreme {
  int32_t high = 0, highIndex = 0;
  int32_t low = kLowStart, lowIndex = 0;
  void Take(const PriceBar& b, int32_t i) {
    if (b.high > high) {
      high = b.high;
      highIndex = i;
    }
    if (b.low < low) {
      low = b.low;
      lowIndex = i;
    }
  }
  int32_t LowOrZero() const { return low == kLowStart ? 0 : low; }
};

// First index of the last n bars: 0 when there are fewer, barCount when n is not positive.
int32_t WindowStart(int32_t barCount, int n) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{barCount} - n, 0, barCount));
}
}  // namespace

bool CPriceSeries::HasBadBar() const {
  for (int32_t i = 0; i < barCount(); ++i) {
    const PriceBar& b = bars[i];
    if (b.open > b.high || b.open < b.low || b.close > b.high || b.close < b.low || b.low > b.high)
      return true;
    if (b.open == 0 || b.high == 0 || b.low == 0 || b.close == 0) return true;
    if (!RatioPlausible(b.close, b.open)) return true;
    if (i + 1 < barCount()) {
      const PriceBar& n = bars[i + 1];
      if (!RatioPlausible(b.open, n.open) || !RatioPlausible(b.high, n.high) ||
          !RatioPlausible(b.low, n.low) || !RatioPlausible(b.close, n.close))
        return true;
    }
  }
  return false;
}

bool CPriceSeries::HasTradedShare(int percent) const {
  if (barCount() < 2) return false;
  int64_t traded = 0;
  for (int32_t i = 1; i < barCount(); ++i) {
    if (bars[i].volume != 0) ++traded;
  }
  return traded * 100 >= static_cast<int64_t>(percent) * barCount();
}

void CPriceSeries::SeriesExtremes(int n, int32_t* high, int32_t* low) const {
  *high = 0;
  *low = 0;
  if (barCount() <= 0) return;
  Extreme e;
  for (int32_t i = WindowStart(barCount(), n); i < barCount(); ++i) e.Take(bars[i], i);
  *high = e.high;
  *low = e.LowOrZero();
}

YearExtremesResult CPriceSeries::YearExtremes() const {
  YearExtremesResult r;
  if (barCount() <= 0) return r;
  Extreme w[4];  // this year, this and last year, six calendar years, all bars
  const int lastYear = bars[barCount() - 1].year;
  for (int32_t i = 0; i < barCount(); ++i) {
    const int d = lastYear - bars[i].year;
    if (d == 0) w[0].Take(bars[i], i);
    if (d <= 1) w[1].Take(bars[i], i);
    if (d <= 5) w[2].Take(bars[i], i);
    w[3].Take(bars[i], i);
  }
  // The windows nest: a wider window is at least as extreme as a narrower one.
  for (int k = 1; k < 4; ++k) {
    w[k].high = std::max(w[k].high, w[k - 1].high);
    w[k].low = std::min(w[k].low, w[k - 1].low);
  }
  r.highThisYear = w[0].high;
  r.lowThisYear = w[0].LowOrZero();
  r.highTwoYears = w[1].high;
  r.lowTwoYears = w[1].LowOrZero();
  r.highSixYears = w[2].high;
  r.lowSixYears = w[2].LowOrZero();
  r.highAll = w[3].high;
  r.lowAll = w[3].LowOrZero();
  return r;
}

WindowExtremesResult CPriceSeries::WindowExtremes(int n) const {
  WindowExtremesResult r;
  if (barCount() <= 0) return r;
  const int lastYear = bars[barCount() - 1].year;
  const int32_t from = WindowStart(barCount(), n);
  Extreme year, earlier;
  bool anyEarlier = false;
  for (int32_t i = from; i < barCount(); ++i) {
    if (bars[i].year == lastYear) {
      year.Take(bars[i], i);
    } else {
      earlier.Take(bars[i], i);
      anyEarlier = true;
    }
  }
  r.yearHigh = year.high;
  r.yearHighIndex = year.highIndex;
  r.yearLow = year.LowOrZero();
  r.yearLowIndex = year.lowIndex;
  if (anyEarlier) {
    // Earlier years first; the current year wins only when strictly more extreme.
    Extreme all = earlier;
    if (year.high > all.high) {
      all.high = year.high;
      all.highIndex = year.highIndex;
    }
    if (year.low < all.low) {
      all.low = year.low;
      all.lowIndex = year.lowIndex;
    }
    r.windowHigh = all.high;
    r.windowHighIndex = all.highIndex;
    r.windowLow = all.LowOrZero();
    r.windowLowIndex = all.lowIndex;
  }
  return r;
}

}  // namespace korvale
