#include "charts/chart_indicators.h"

#include <cmath>
#include <cstdlib>

namespace korvale {

int DeviationPercent(double largest) {
  const double a = std::max(largest, 0.1);
  if (a < 0.15) return 15;
  if (a < 0.2) return 20;
  if (a < 0.3) return 30;
  if (a < 0.5) return 50;
  if (a < 1) return 100;
  return 200;
}

int OscillatorHalfSpan(double furthest) {
  for (int m : {10, 20, 30, 40, 50}) {
    if (furthest < m) return m;
  }
  return 100;
}

int VolumeRatioSpan(double largest) {
  if (largest > 600) return 800;
  if (largest > 400) return 600;
  if (largest > 200) return 400;
  return 200;
}

namespace {

// Exponential average seeded with the simple average of closes w .. w + p - 1 at w + p - 1.
void Exponential(const PriceBar* bars, int count, int w, int p, std::vector<double>* e) {
  e->assign(count, 0.0);
  const int seed = w + p - 1;
  if (seed >= count) return;
  int64_t sum = 0;
  for (int k = w; k <= seed; ++k) sum += bars[k].close;
  (*e)[seed] = static_cast<double>(sum) / p;
  const double alpha = 2.0 / (p + 1);
  for (int k = seed + 1; k < count; ++k) {
    (*e)[k] = (*e)[k - 1] + alpha * (bars[k].close - (*e)[k - 1]);
  }
}

}  // namespace

MacdSeriesResult MacdSeries(const PriceBar* bars, int count, int hidden, int a, int b, int g) {
  MacdSeriesResult r;
  if (a < 1 || b < 1 || g < 1 || count < 1) return r;
  // In 64 bits, since the periods may be anything the settings file holds; a series that holds
  // them all keeps every sum below its count.
  const int64_t lead = int64_t{std::max(a, b)} + g;
  const int64_t w64 = std::max<int64_t>(hidden - lead, 1);
  if (count < w64 + a || count < w64 + b || count < w64 + g) return r;
  r.lead = static_cast<int>(lead);
  r.start = static_cast<int>(w64);
  const int w = r.start;
  r.valid = true;
  std::vector<double> ea, eb;
  Exponential(bars, count, w, a, &ea);
  Exponential(bars, count, w, b, &eb);
  r.macd.assign(count, 0.0);
  r.signal.assign(count, 0.0);
  for (int k = w; k < count; ++k) r.macd[k] = ea[k] - eb[k];
  double sum = 0;
  for (int k = w; k < count; ++k) {
    sum += r.macd[k];
    if (k - g >= w) sum -= r.macd[k - g];
    if (k >= w + g) r.signal[k] = sum / g;
  }
  return r;
}

ObvSeriesResult ObvSeries(const PriceBar* bars, int count, int hidden) {
  ObvSeriesResult r;
  if (count < 2) return r;
  r.start = hidden >= 2 ? hidden - 1 : 1;
  int64_t sum = 0;
  for (int k = r.start; k < count; ++k) {
    const int64_t volume = bars[k].volume;
    if (volume > 0) {
      if (bars[k].close > bars[k - 1].close) sum += volume;
      if (bars[k].close < bars[k - 1].close) sum -= volume;
    }
    r.obv.push_back(static_cast<double>(sum));
  }
  return r;
}

DmiSeriesResult DmiSeries(const PriceBar* bars, int count, int hidden, int n) {
  DmiSeriesResult r;
  const int windowCount = count - hidden;
  if (n < 1 || windowCount < 0) return r;
  r.plusDi.assign(windowCount, kNoValue);
  r.minusDi.assign(windowCount, kNoValue);
  r.adx.assign(windowCount, kNoValue);
  r.adxr.assign(windowCount, kNoValue);
  // In 64 bits, since the period may be anything the settings file holds.
  const int64_t twoN = 2 * int64_t{n};
  int64_t t = hidden - twoN;
  if (t < 1) t = twoN;
  if (count < t) return r;
  r.drawable = true;
  std::vector<int64_t> plusDm(count, 0), minusDm(count, 0), tr(count, 0);
  for (int k = static_cast<int>(std::max<int64_t>(t, 1)); k < count; ++k) {
    const PriceBar& b = bars[k];
    const PriceBar& p = bars[k - 1];
    const int64_t up = int64_t{b.high} - p.high, dn = int64_t{p.low} - b.low;
    if (b.high < p.high && b.low > p.low) {
      // inside day: no movement either way
    } else if (dn < up) {
      plusDm[k] = up;
    } else if (up < dn) {
      minusDm[k] = dn;
    }
    tr[k] =
        std::max({int64_t{b.high} - b.low, int64_t{b.high} - p.close, int64_t{p.close} - b.low});
  }
  // DX and ADX of bars before the window (or without a value) count as 0.
  std::vector<int64_t> dx(windowCount, 0), adx(windowCount, 0);
  for (int i = 0; i < windowCount; ++i) {
    const int k = i + hidden;
    if (k - n + 1 < 0) continue;
    int64_t sp = 0, sm = 0, st = 0;
    for (int j = k - n + 1; j <= k; ++j) {
      sp += plusDm[j];
      sm += minusDm[j];
      st += tr[j];
    }
    if (st == 0) st = 1;
    const int64_t pdi = static_cast<int64_t>(static_cast<double>(sp) / st * 100);
    const int64_t mdi = static_cast<int64_t>(static_cast<double>(sm) / st * 100);
    dx[i] = pdi == 0 && mdi == 0 ? 0
                                 : static_cast<int64_t>(static_cast<double>(std::llabs(pdi - mdi)) /
                                                        std::llabs(pdi + mdi) * 100);
    int64_t dxSum = 0;
    for (int q = std::max(i - n + 1, 0); q <= i; ++q) dxSum += dx[q];
    adx[i] = dxSum / n;
    int64_t adxSum = 0;
    for (int q = static_cast<int>(std::max<int64_t>(i - twoN + 1, 0)); q <= i; ++q) {
      adxSum += adx[q];
    }
    r.plusDi[i] = static_cast<double>(pdi);
    r.minusDi[i] = static_cast<double>(mdi);
    r.adx[i] = static_cast<double>(adx[i]);
    r.adxr[i] = static_cast<double>(adxSum / twoN);
  }
  return r;
}

std::vector<double> CciSeries(const PriceBar* bars, int count, int hidden, int n) {
  const int windowCount = std::max(count - hidden, 0);
  std::vector<double> cci(windowCount, kNoValue);
  if (n < 1) return cci;
  std::vector<double> tp(count, 0.0);
  for (int k = std::max(hidden - n, 1); k < count; ++k) {
    tp[k] = (static_cast<double>(bars[k].high) + bars[k].low + bars[k].close) / 3;
  }
  for (int i = 0; i < windowCount; ++i) {
    const int k = i + hidden;
    if (k - n + 1 < 0) continue;
    double mean = 0;
    for (int j = k - n + 1; j <= k; ++j) mean += tp[j];
    mean /= n;
    double deviation = 0;
    for (int j = k - n + 1; j <= k; ++j) deviation += std::fabs(tp[j] - mean);
    if (deviation > 0) cci[i] = n * (tp[k] - mean) * (200.0 / 3) / deviation;
  }
  return cci;
}

std::vector<int> PsychologicalCounts(const PriceBar* window, int count) {
  std::vector<int> u(std::max(count, 0), 0);
  for (int i = 13; i < count; ++i) {
    int rises = 0;
    for (int k = i - 11; k <= i; ++k) {
      if (window[k].close > window[k - 1].close) ++rises;
    }
    u[i] = rises;
  }
  return u;
}

}  // namespace korvale
