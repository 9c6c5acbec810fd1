// The oscillator family of the history replay: rank correlations carried by counting ranks,
// relative strength and volume ratio from prefix sums, stochastics from sliding extremes, and the
// Bollinger band and commodity channel index computed again at each cut (their floating-point
// sums depend on the order of the window's closes).
#include <algorithm>

#include "screening/replay_families.h"
#include "screening/replay_window.h"

namespace korvale::replay {

void OscillatorFamily::RankCorrelations(int32_t period, std::vector<double>* out) {
  const int32_t count = bars_->count;
  out->resize(static_cast<size_t>(count));
  // One close has no rank correlation, and a period not shorter than the series never fits.
  if (period < 2 || period >= count) return;
  const size_t size = static_cast<size_t>(period);
  rankValues_.resize(size);
  rankAbove_.resize(size);
  rankEqual_.resize(size);
  int32_t* value = rankValues_.data();  // the window's closes, oldest first
  int32_t* above = rankAbove_.data();   // closes of the window above each one
  int32_t* equal = rankEqual_.data();   // closes of the window equal to each one, itself too
  int32_t filled = 0;
  for (int32_t j = 0; j < count; ++j) {
    const int32_t x = bars_->bars[j].close;
    int32_t newAbove = 0, newEqual = 1;
    if (filled < period) {
      for (int32_t k = 0; k < filled; ++k) {
        const int32_t y = value[k];
        above[k] += x > y;
        equal[k] += x == y;
        newAbove += y > x;
        newEqual += y == x;
      }
      ++filled;
    } else {
      // The oldest close leaves, every other moves one place towards the front.
      const int32_t old = value[0];
      for (int32_t k = 1; k < period; ++k) {
        const int32_t y = value[k];
        value[k - 1] = y;
        above[k - 1] = above[k] + (x > y) - (old > y);
        equal[k - 1] = equal[k] + (x == y) - (old == y);
        newAbove += y > x;
        newEqual += y == x;
      }
    }
    value[filled - 1] = x;
    above[filled - 1] = newAbove;
    equal[filled - 1] = newEqual;
    if (filled < period) continue;
    // A run of equal closes shares the mean of its ranks, (2 above + equal + 1) / 2; the k-th
    // oldest close has date rank period - k. Twice each difference is a whole number, so the
    // sum of squares is exact and equals the one formed from the sorted window.
    int64_t squares4 = 0;
    for (int32_t k = 0; k < period; ++k) {
      const int64_t twice = 2 * int64_t{above[k]} + equal[k] + 1 - 2 * (int64_t{period} - k);
      squares4 += twice * twice;
    }
    (*out)[j] = RankCorrelationFromSquares(static_cast<double>(squares4) / 4.0, period);
  }
}

void OscillatorFamily::Reset(const ReplayBars& bars, const SettingsRecord& s) {
  bars_ = &bars;
  rciPeriod_[0] = s.rciPeriod1;
  rciPeriod_[1] = s.rciPeriod2;
  rsiPeriod_[0] = s.rsiPeriod1;
  rsiPeriod_[1] = s.rsiPeriod2;
  vrPeriod_ = s.volumeRatioPeriod;
  stochPeriod_ = s.stochasticsPeriod;
  stochSum_ = s.stochasticsSumPeriod;
  bollingerPeriod_ = s.bollingerPeriod;
  cciPeriod_ = s.cciPeriod;
  for (int k = 0; k < 2; ++k) RankCorrelations(rciPeriod_[k], &rci_[k]);

  const int32_t count = bars.count;
  const PriceBar* b = bars.bars;
  const size_t size = static_cast<size_t>(count) + 1;
  gains_.assign(size, 0);
  losses_.assign(size, 0);
  ups_.assign(size, 0);
  downs_.assign(size, 0);
  // Entry i holds the sums over the changes of bars 1 .. i.
  for (int32_t i = 1; i < count; ++i) {
    const int64_t change = int64_t{b[i].close} - b[i - 1].close;
    gains_[i] = gains_[i - 1] + (change >= 0 ? change : 0);
    losses_[i] = losses_[i - 1] + (change < 0 ? change : 0);
    int64_t up = 0, down = 0;
    if (b[i].close > b[i - 1].close) {
      up = b[i].volume;
    } else if (b[i].close < b[i - 1].close) {
      down = b[i].volume;
    } else {
      up = down = b[i].volume / 2;
    }
    ups_[i] = ups_[i - 1] + up;
    downs_[i] = downs_[i - 1] + down;
  }

  stochHigh_.resize(static_cast<size_t>(count));
  stochLow_.resize(static_cast<size_t>(count));
  stochNumerator_.assign(size, 0);
  stochDenominator_.assign(size, 0);
  if (stochPeriod_ >= 1 && count > 0) {
    SlidingBest<int32_t>(
        count, stochPeriod_, [b](int32_t j) { return b[j].close; },
        [](int32_t x, int32_t y) { return x > y; }, stochHigh_.data(), &queue_);
    SlidingBest<int32_t>(
        count, stochPeriod_, [b](int32_t j) { return b[j].close; },
        [](int32_t x, int32_t y) { return x < y; }, stochLow_.data(), &queue_);
    for (int32_t j = 0; j < count; ++j) {
      stochNumerator_[j + 1] = stochNumerator_[j] + (int64_t{b[j].close} - stochLow_[j]);
      stochDenominator_[j + 1] = stochDenominator_[j] + (int64_t{stochHigh_[j]} - stochLow_[j]);
    }
  }
}

void OscillatorFamily::Fill(int32_t n, AnalysisRecord* rec) {
  using analysis::PeriodFits;
  const int32_t e = n - 1;
  for (int k = 0; k < 2; ++k) {
    const int32_t period = rciPeriod_[k];
    (k == 0 ? rec->rci1 : rec->rci2) =
        period >= 2 && PeriodFits(period, n) ? rci_[k][e] : kRecordInvalid;
  }
  for (int k = 0; k < 2; ++k) {
    const int32_t period = rsiPeriod_[k];
    double value = kRecordInvalid;
    if (PeriodFits(period, n)) {
      const int32_t from = e - period + 1;  // the changes of bars from + 1 .. e
      value = RelativeStrengthFromSums(gains_[e] - gains_[from], losses_[e] - losses_[from]);
    }
    (k == 0 ? rec->rsi1 : rec->rsi2) = value;
  }
  rec->volumeRatio = kRecordInvalid;
  if (vrPeriod_ > 1 && PeriodFits(vrPeriod_, n)) {
    const int32_t from = e - vrPeriod_ + 1;
    rec->volumeRatio = VolumeRatioFromSums(ups_[e] - ups_[from], downs_[e] - downs_[from]);
  }
  rec->oscillator = rec->maLong > 0 ? rec->maShort / rec->maLong : kRecordInvalid;

  rec->stochK = 0;
  if (PeriodFits(stochPeriod_, n)) {
    rec->stochK = analysis::StochasticK(bars_->bars[e].close, stochHigh_[e], stochLow_[e]);
  }
  rec->stochD = kRecordInvalidLevel;
  if (stochPeriod_ >= 1 && stochSum_ >= 1 && int64_t{stochPeriod_} + stochSum_ < n) {
    const int32_t from = n - stochSum_;
    rec->stochD = analysis::StochasticD(stochNumerator_[n] - stochNumerator_[from],
                                        stochDenominator_[n] - stochDenominator_[from]);
  }
  analysis::Bollinger(bars_->Cut(n), bollingerPeriod_, rec);
  rec->cci = analysis::Cci(bars_->Cut(n), cciPeriod_);
}

}  // namespace korvale::replay
