// The trend group of the record: DMI, MACD and OBV over the chart's display window, and the
// parabolic stop-and-reverse code.
#include <algorithm>
#include <cmath>

#include "indicators/shared_indicators.h"
#include "screening/analysis_groups.h"

namespace korvale::analysis {

void DirectionalIndexes(int64_t trSum, int64_t plusSum, int64_t minusSum, int64_t* plusDi,
                        int64_t* minusDi) {
  int64_t t = trSum;
  if (t == 0) t = 1;
  *plusDi = static_cast<int64_t>(static_cast<double>(plusSum) / t * 100);
  *minusDi = static_cast<int64_t>(static_cast<double>(minusSum) / t * 100);
}

int64_t DirectionalMovementIndex(int64_t p, int64_t m) {
  // Both DIs 0, or (with bars whose range is negative) DIs that cancel: no direction, DX 0.
  if (p + m == 0) return 0;
  return static_cast<int64_t>(static_cast<double>(std::llabs(p - m)) /
                              static_cast<double>(std::llabs(p + m)) * 100);
}

void DmiCodes(const int64_t plusDi[2], const int64_t minusDi[2], int64_t adxO, int64_t adxE,
              int64_t adxrO, int64_t adxrE, AnalysisRecord* rec) {
  rec->dmiAdxCode = kCodeNone;
  rec->dmiCrossCode = kCodeNone;
  if (minusDi[0] > minusDi[1] && minusDi[0] >= adxO && minusDi[1] <= adxE) rec->dmiAdxCode = 0;
  if (plusDi[0] > plusDi[1] && plusDi[0] > adxO && plusDi[1] < adxE) rec->dmiAdxCode = 1;
  if (adxrO > adxO && adxrE < adxE) rec->dmiAdxCode = 2;
  if (plusDi[0] < minusDi[0] && plusDi[1] > minusDi[1]) rec->dmiCrossCode = 0;
  if (plusDi[0] > minusDi[0] && plusDi[1] < minusDi[1]) rec->dmiCrossCode = 1;
}

void MacdCodes(double hi, double lo, double macdLast, double macdPrev, double signalLast,
               double signalPrev, AnalysisRecord* rec) {
  rec->macdLevel = kRecordInvalidLevel;
  rec->macdCrossCode = kCodeNone;
  // A flat window (every value equal, which needs a last close of 0) cannot be scaled.
  if (hi == lo) return;
  auto scale = [&](double x) { return ((x - lo) / (hi - lo) - 0.5) * 200; };
  const double k = scale(macdLast);
  const double l = scale(macdPrev);
  const double m = l - scale(signalPrev);
  const double o = k - scale(signalLast);
  rec->macdLevel = k;
  if (m < 0 && o > 0) rec->macdCrossCode = 0;
  if (m > 0 && o < 0) rec->macdCrossCode = 1;
  if (l < 0 && k > 0) rec->macdCrossCode = 2;
  if (l > 0 && k < 0) rec->macdCrossCode = 3;
}

double ObvLevel(double sum, double hi, double lo) {
  // No movement of the running sum over the window: nothing to scale by.
  if (hi == lo) return kRecordInvalidLevel;
  return (sum - lo) / (hi - lo) * 100;
}

int32_t SarCodeOfLine(double e, double f, double g) {
  const double jump = e - f, before = f - g;
  bool reversal;
  if (before == 0) {
    // The line stood still one bar earlier: any jump is more than five times that step.
    reversal = jump != 0;
  } else {
    reversal = jump / before > 5;
  }
  if (!reversal) return kCodeNone;
  if (jump > 0) return 1;
  if (jump < 0) return 0;
  return kCodeNone;
}

namespace {

// Exponential average of closes seeded with the plain mean of the first `period` closes from
// bar j0; out[i - j0] for bars j0 .. n-1, 0 before the seed.
void ExponentialAverage(Bars in, int64_t j0, int32_t period, double* out) {
  const int64_t seed = j0 + period - 1;
  int64_t sum = 0;
  for (int64_t i = j0; i <= seed; ++i) {
    sum += in.bars[i].close;
    out[i - j0] = 0;
  }
  double e = static_cast<double>(sum) / period;
  out[seed - j0] = e;
  const double alpha = 2.0 / (period + 1.0);
  for (int64_t i = seed + 1; i < in.n; ++i) {
    e = e + alpha * (in.bars[i].close - e);
    out[i - j0] = e;
  }
}

}  // namespace

// --- DMI. Only the values at the last two bars matter, so only the bars their windows reach
// are visited: DX over the 2b+1 bars ending at the last one, each from b bars of TR and DM.
void Dmi(Bars in, int32_t span, int32_t b, AnalysisWorkspace* ws, AnalysisRecord* rec) {
  rec->dmiAdxCode = kCodeNone;
  rec->dmiCrossCode = kCodeNone;
  if (b < 1 || span < 0) return;
  const int64_t n = in.n;
  const int64_t k0 = n - 2 * int64_t{b} - span;
  if (k0 < 2 * int64_t{b}) return;
  const PriceBar* bar = in.bars;

  // Prefix sums of TR, +DM and -DM over bars from..n-1; bars before k0 contribute 0.
  const int64_t from = n - 3 * int64_t{b};
  const size_t len = static_cast<size_t>(n - from);
  if (ws->dmiSums.size() < 3 * (len + 1)) ws->dmiSums.resize(3 * (len + 1));
  int64_t* sumTr = ws->dmiSums.data();
  int64_t* sumPlus = sumTr + len + 1;
  int64_t* sumMinus = sumPlus + len + 1;
  sumTr[0] = sumPlus[0] = sumMinus[0] = 0;
  for (size_t t = 0; t < len; ++t) {
    const int64_t j = from + static_cast<int64_t>(t);
    int64_t tr = 0, plus = 0, minus = 0;
    if (j >= k0) {
      const PriceBar& cur = bar[j];
      const PriceBar& prev = bar[j - 1];
      const int64_t up = int64_t{cur.high} - prev.high;
      const int64_t down = int64_t{prev.low} - cur.low;
      if (!(cur.high < prev.high && prev.low < cur.low)) {
        if (down < up) {
          plus = up;
        } else if (up < down) {
          minus = down;
        }
      }
      tr = std::max({int64_t{cur.high} - prev.close, int64_t{cur.high} - cur.low,
                     int64_t{prev.close} - cur.low});
    }
    sumTr[t + 1] = sumTr[t] + tr;
    sumPlus[t + 1] = sumPlus[t] + plus;
    sumMinus[t + 1] = sumMinus[t] + minus;
  }

  // +DI, -DI and DX at bar k (k >= k0 and k - b + 1 >= from).
  auto di = [&](int64_t k, int64_t* plusDi, int64_t* minusDi) {
    const size_t hi = static_cast<size_t>(k - from + 1), lo = hi - static_cast<size_t>(b);
    DirectionalIndexes(sumTr[hi] - sumTr[lo], sumPlus[hi] - sumPlus[lo],
                       sumMinus[hi] - sumMinus[lo], plusDi, minusDi);
  };
  // DX for k = n-2b-1 .. n-1 (the ADXR window of the next-to-last bar through the last bar).
  const int64_t dxFrom = n - 2 * int64_t{b} - 1;
  const size_t dxLen = static_cast<size_t>(2 * int64_t{b} + 1);
  if (ws->dx.size() < dxLen) ws->dx.resize(dxLen);
  int64_t* dx = ws->dx.data();
  int64_t plusDi[2] = {0, 0}, minusDi[2] = {0, 0};  // at n-2 and n-1
  for (size_t t = 0; t < dxLen; ++t) {
    const int64_t k = dxFrom + static_cast<int64_t>(t);
    dx[t] = 0;
    if (k < k0) continue;  // DX before the start of the computation counts as 0
    int64_t p, m;
    di(k, &p, &m);
    if (k >= n - 2) {
      plusDi[k - (n - 2)] = p;
      minusDi[k - (n - 2)] = m;
    }
    dx[t] = DirectionalMovementIndex(p, m);
  }
  auto average = [&](int64_t k, int64_t width) {
    int64_t sum = 0;
    for (int64_t j = k - width + 1; j <= k; ++j) sum += dx[j - dxFrom];
    return sum / width;
  };
  const int64_t o = n - 2, e = n - 1;
  const int64_t adxO = average(o, b), adxE = average(e, b);
  const int64_t adxrO = average(o, 2 * int64_t{b}), adxrE = average(e, 2 * int64_t{b});
  DmiCodes(plusDi, minusDi, adxO, adxE, adxrO, adxrE, rec);
}

// --- MACD, scaled to -100..+100 over the display window.
void Macd(Bars in, const SettingsRecord& s, AnalysisWorkspace* ws, AnalysisRecord* rec) {
  rec->macdLevel = kRecordInvalidLevel;
  rec->macdCrossCode = kCodeNone;
  const int32_t a = s.dailySpanDays, f = s.macdPeriod1, sl = s.macdPeriod2, g = s.macdSignalPeriod;
  // Without a display window (span 0) there is no range to scale by.
  if (a < 1 || f < 1 || sl < 1 || g < 1) return;
  const int64_t n = in.n;
  const int64_t longest = std::max(f, sl);
  const int64_t j0 = n - a - g - longest;
  if (j0 < 2) return;
  const size_t len = static_cast<size_t>(n - j0);
  if (ws->fast.size() < len) ws->fast.resize(len);
  if (ws->slow.size() < len) ws->slow.resize(len);
  if (ws->macd.size() < len) ws->macd.resize(len);
  ExponentialAverage(in, j0, f, ws->fast.data());
  ExponentialAverage(in, j0, sl, ws->slow.data());
  double* macd = ws->macd.data();  // macd[i - j0] for bar i
  for (size_t t = 0; t < len; ++t) macd[t] = ws->fast[t] - ws->slow[t];

  double hi = 0, lo = 10.0 * in.bars[n - 1].close;
  for (int64_t i = n - a; i < n; ++i) {
    hi = std::max(hi, macd[i - j0]);
    lo = std::min(lo, macd[i - j0]);
  }
  auto signal = [&](int64_t i) { return MeanOf(macd + (i - g + 1 - j0), g); };
  MacdCodes(hi, lo, macd[n - 1 - j0], macd[n - 2 - j0], signal(n - 1), signal(n - 2), rec);
}

// --- On-balance volume of the last bar, scaled to 0..100 over the display window.
double Obv(Bars in, int32_t a) {
  if (a < 1 || int64_t{in.n} < int64_t{a} + 2) return kRecordInvalidLevel;
  const int32_t i0 = in.n - a - 1;
  int64_t sum = 0;
  double hi = 0, lo = 1e10;
  for (int32_t j = i0; j < in.n; ++j) {
    const PriceBar& b = in.bars[j];
    if (b.volume > 0) {
      if (b.close > in.bars[j - 1].close) sum += b.volume;
      if (b.close < in.bars[j - 1].close) sum -= b.volume;
    }
    hi = std::max(hi, static_cast<double>(sum));
    lo = std::min(lo, static_cast<double>(sum));
  }
  return ObvLevel(static_cast<double>(sum), hi, lo);
}

// --- Parabolic stop-and-reverse over the last 35 bars: a jump of the line more than five times
// its previous step is a reversal.
int32_t SarCode(Bars in, double step, double cap, AnalysisWorkspace* ws) {
  constexpr int32_t kBars = 35;
  if (in.n <= kBars) return kCodeNone;
  if (ws->sar.size() < kBars) ws->sar.resize(kBars);
  double* line = ws->sar.data();
  ParabolicSarSeries(in.bars + (in.n - kBars), 0, kBars - 1, step, cap, line);
  return SarCodeOfLine(line[kBars - 1], line[kBars - 2], line[kBars - 3]);
}

void ComputeTrendFields(Bars in, const SettingsRecord& s, AnalysisWorkspace* ws,
                        AnalysisRecord* rec) {
  Dmi(in, s.dailySpanDays, s.dmiPeriod, ws, rec);
  Macd(in, s, ws, rec);
  rec->obvLevel = Obv(in, s.dailySpanDays);
  rec->sarCode = SarCode(in, s.sarStep, s.sarMax, ws);
}

}  // namespace korvale::analysis
