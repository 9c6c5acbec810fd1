// The oscillator group of the record: rank correlation, relative strength, volume ratio,
// oscillator, stochastics, Bollinger band and commodity channel index.
#include <algorithm>
#include <cmath>

#include "indicators/shared_indicators.h"
#include "screening/analysis_groups.h"

namespace korvale::analysis {

namespace {

// The shared routines read `period` bars ending at the last one; the screening adds its own
// rule (PeriodFits) that a period not shorter than the series has no value.
double Rci(Bars in, int32_t period) {
  // One close has no rank correlation (its denominator N^3 - 1 is 0).
  if (period < 2 || !PeriodFits(period, in.n)) return kRecordInvalid;
  return RankCorrelation(in.bars, in.n - 1, period);
}

double Rsi(Bars in, int32_t period) {
  if (!PeriodFits(period, in.n)) return kRecordInvalid;
  return RelativeStrength(in.bars, in.n - 1, period);
}

void Stochastics(Bars in, int32_t period, int32_t sumPeriod, AnalysisWorkspace* ws,
                 AnalysisRecord* rec) {
  const int32_t n = in.n;
  const PriceBar* b = in.bars;
  rec->stochK = 0;
  if (PeriodFits(period, n)) {
    int32_t high = b[n - period].close, low = high;
    for (int32_t i = n - period + 1; i < n; ++i) {
      high = std::max(high, b[i].close);
      low = std::min(low, b[i].close);
    }
    // A window of equal closes has no range: %K keeps its invalid value 0.
    rec->stochK = StochasticK(b[n - 1].close, high, low);
  }

  rec->stochD = kRecordInvalidLevel;
  if (period < 1 || sumPeriod < 1 || int64_t{period} + sumPeriod >= n) return;
  // The windows of `period` closes ending at bars n-sumPeriod .. n-1, their highest and lowest
  // close kept by two monotonic queues of bar indices.
  const int32_t first = n - period - sumPeriod + 1;
  const size_t span = static_cast<size_t>(period) + sumPeriod;
  if (ws->queueHigh.size() < span) ws->queueHigh.resize(span);
  if (ws->queueLow.size() < span) ws->queueLow.resize(span);
  int32_t* qh = ws->queueHigh.data();
  int32_t* ql = ws->queueLow.data();
  size_t hHead = 0, hTail = 0, lHead = 0, lTail = 0;
  int64_t numerator = 0, denominator = 0;
  for (int32_t i = first; i < n; ++i) {
    while (hTail > hHead && b[qh[hTail - 1]].close <= b[i].close) --hTail;
    qh[hTail++] = i;
    while (lTail > lHead && b[ql[lTail - 1]].close >= b[i].close) --lTail;
    ql[lTail++] = i;
    const int32_t windowStart = i - period + 1;
    if (qh[hHead] < windowStart) ++hHead;
    if (ql[lHead] < windowStart) ++lHead;
    if (windowStart >= first) {
      const int64_t high = b[qh[hHead]].close, low = b[ql[lHead]].close;
      numerator += b[i].close - low;
      denominator += high - low;
    }
  }
  // Every window flat: no range to scale by, %D keeps its invalid value.
  rec->stochD = StochasticD(numerator, denominator);
}

}  // namespace

void Bollinger(Bars in, int32_t period, AnalysisRecord* rec) {
  rec->bollingerWidth = kRecordInvalidLevel;
  rec->bollingerBreak = kCodeNone;
  if (!PeriodFits(period, in.n)) return;
  const PriceBar* b = in.bars + (in.n - period);
  int64_t sum = 0;
  for (int32_t i = 0; i < period; ++i) sum += b[i].close;
  const double mean = static_cast<double>(sum) / period;
  double squares = 0;
  for (int32_t i = 0; i < period; ++i) {
    const double d = b[i].close - mean;
    squares += d * d;
  }
  const double width = 2 * std::sqrt(squares / period);
  const double c = in.bars[in.n - 1].close;
  // A last close of 0 gives no percentage: the width keeps its invalid value.
  if (c != 0) rec->bollingerWidth = width / c * 100;
  if (c >= mean + width) rec->bollingerBreak = 0;
  if (c <= mean - width) rec->bollingerBreak = 1;
}

double Cci(Bars in, int32_t period) {
  if (period < 1 || in.n < period) return 0;
  constexpr double kThird = 1.0 / 3.0;
  const PriceBar* b = in.bars + (in.n - period);
  double sum = 0;
  for (int32_t i = 0; i < period; ++i) {
    sum += static_cast<double>(int64_t{b[i].close} + b[i].low + b[i].high) * kThird;
  }
  const double mean = sum / period;
  double deviation = 0;
  for (int32_t i = 0; i < period; ++i) {
    deviation +=
        std::fabs(static_cast<double>(int64_t{b[i].close} + b[i].low + b[i].high) * kThird - mean);
  }
  // Equal typical prices: no deviation to measure against, the invalid value 0.
  if (deviation == 0) return 0;
  const PriceBar& last = b[period - 1];
  const double tp = static_cast<double>(int64_t{last.close} + last.low + last.high) * kThird;
  return period * (tp - mean) * 66.66666666666667 / deviation;
}

void ComputeOscillatorFields(Bars in, const SettingsRecord& s, AnalysisWorkspace* ws,
                             AnalysisRecord* rec) {
  rec->rci1 = Rci(in, s.rciPeriod1);
  rec->rci2 = Rci(in, s.rciPeriod2);
  rec->rsi1 = Rsi(in, s.rsiPeriod1);
  rec->rsi2 = Rsi(in, s.rsiPeriod2);
  rec->volumeRatio = s.volumeRatioPeriod > 1 && PeriodFits(s.volumeRatioPeriod, in.n)
                         ? VolumeRatio(in.bars, in.n - 1, s.volumeRatioPeriod)
                         : kRecordInvalid;
  rec->oscillator = rec->maLong > 0 ? rec->maShort / rec->maLong : kRecordInvalid;
  Stochastics(in, s.stochasticsPeriod, s.stochasticsSumPeriod, ws, rec);
  Bollinger(in, s.bollingerPeriod, rec);
  rec->cci = Cci(in, s.cciPeriod);
}

}  // namespace korvale::analysis
