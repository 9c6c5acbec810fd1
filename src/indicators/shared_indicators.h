// The indicator routines that the screening record and the chart panes share: one
// implementation each, so a value on the chart and in a screening always agree.
#ifndef KORVALE_INDICATORS_SHARED_INDICATORS_H_
#define KORVALE_INDICATORS_SHARED_INDICATORS_H_

#include <algorithm>
#include <cstdint>

#include "store/price_records.h"

namespace korvale {

// Value of the volume ratio when no day fell in its window (or the window has one bar).
inline constexpr double kVolumeRatioInvalid = -10000;

// Relative strength over the n closes of bars end-n+1 .. end (indices into `bars`, which the
// caller guarantees exist): G = sum of the day-to-day changes >= 0, L = sum of the negative
// ones; 50 when G - L is 0 or n < 2, else G / (G - L) * 100.
double RelativeStrength(const PriceBar* bars, int end, int n);
// The relative strength of sums already taken: 50 when gain - loss is 0, else
// gain / (gain - loss) * 100 (loss <= 0).
double RelativeStrengthFromSums(int64_t gain, int64_t loss);

// Rank correlation over the n closes of bars end-n+1 .. end: date rank 1 for the newest, price
// rank 1 for the highest close, equal closes sharing the mean of their ranks;
// (1 - 6 D / (n^3 - 1)) * 100. 0 for n < 2.
double RankCorrelation(const PriceBar* bars, int end, int n);
// The rank correlation of n closes whose squared rank differences sum to `d`.
double RankCorrelationFromSquares(double d, int n);

// Volume ratio over the n bars end-n+1 .. end: volumes of rising days to U, of falling days to
// D, half of an unchanged day's volume (truncated) to both; U / D * 100, or kVolumeRatioInvalid
// when D is 0 or n <= 1.
double VolumeRatio(const PriceBar* bars, int end, int n);
// U / D * 100 of sums already taken, or kVolumeRatioInvalid when D is 0.
double VolumeRatioFromSums(int64_t up, int64_t down);

// The state of the stop-and-reverse line after a bar: everything the next bar's step reads.
struct ParabolicSarState {
  bool rising = true;
  double af = 0, sar = 0, ep = 0, next = 0, hh = 0, ll = 0;
};
// The state at the bar the line starts from: rising, af = step, sar = ep = next = its low.
// Inline: the history replay steps the line for every bar of every stock.
inline ParabolicSarState ParabolicSarStart(const PriceBar& first, double step) {
  ParabolicSarState s;
  s.rising = true;
  s.af = step;
  s.sar = s.ep = s.next = first.low;
  s.hh = first.high;
  s.ll = first.low;
  return s;
}

// Moves the state on by one bar; state->sar is then the line's value at that bar.
inline void ParabolicSarStep(ParabolicSarState* s, const PriceBar& bar, double step, double cap) {
  const double high = bar.high, low = bar.low;
  bool turned = false;
  if (s->rising && low < s->next) {
    s->rising = false;
    turned = true;
    s->sar = s->hh;
  } else if (!s->rising && high > s->next) {
    s->rising = true;
    turned = true;
    s->sar = s->ll;
  } else {
    s->sar = s->sar + s->af * (s->ep - s->sar);
  }
  const double oldHh = s->hh, oldLl = s->ll;
  if (turned) {
    s->hh = high;
    s->ll = low;
  } else {
    s->hh = std::max(s->hh, high);
    s->ll = std::min(s->ll, low);
  }
  s->ep = s->rising ? s->hh : s->ll;
  if (turned) {
    s->af = step;
  } else if ((s->rising && s->hh != oldHh) || (!s->rising && s->ll != oldLl)) {
    if (s->af + step <= cap) s->af += step;
  }
  s->next = s->sar + s->af * (s->ep - s->sar);
}

// The parabolic stop-and-reverse line over bars first .. last (inclusive), started rising at
// bar `first`: out[i] receives the line's value at bar i for every i in that range. `step` is
// the acceleration step and `cap` its ceiling.
void ParabolicSarSeries(const PriceBar* bars, int first, int last, double step, double cap,
                        double* out);

}  // namespace korvale

#endif  // KORVALE_INDICATORS_SHARED_INDICATORS_H_
