// The indicator formulas of the chart panes, apart from their drawing: scale pickers,
// stochastics on closes, MACD with a simple-average signal, on-balance volume, DMI, CCI and the
// psychological line. These are the charts' own forms; the screening record computes its
// similarly named fields differently.
#ifndef KORVALE_CHARTS_CHART_INDICATORS_H_
#define KORVALE_CHARTS_CHART_INDICATORS_H_

#include <algorithm>
#include <vector>

#include "charts/pane_drawing.h"
#include "store/price_records.h"

namespace korvale {

// Deviation pane: the percentage q shown at the pane's top for the largest absolute deviation
// (a ratio; at least 0.1 counts): 15, 20, 30, 50, 100 or 200.
int DeviationPercent(double largest);
// Oscillator and momentum panes: the half-span m for the furthest distance from 100: 10, 20,
// 30, 40, 50 or 100.
int OscillatorHalfSpan(double furthest);
// Volume-ratio pane: the span 200, or 400, 600, 800 once the largest value exceeds 200, 400,
// 600.
int VolumeRatioSpan(double largest);

// Stochastics on closes over `n` bars with the %D sum over `s` bars. k[j] for j >= max(from,
// n - 1): (close - lowest close) / (highest close - lowest close), 0 .. 1; d[j] for j >=
// max(from, n + s - 2): the sums of those differences over the s bars ending at j, divided.
// Entries not computed, and windows whose closes are all equal, hold kNoValue.
template <typename BarT>
void StochasticsSeries(const BarT* bars, int count, int n, int s, int from, std::vector<double>* k,
                       std::vector<double>* d) {
  k->assign(count > 0 ? count : 0, kNoValue);
  d->assign(count > 0 ? count : 0, kNoValue);
  if (n < 1 || s < 1) return;
  std::vector<double> above(count, 0.0), spread(count, 0.0);
  const int first = std::max(from, n - 1);
  // Starts in 64 bits: the periods may be anything the settings file holds.
  const int64_t firstK = std::max<int64_t>(int64_t{first} - s + 1, n - 1);
  for (int j = static_cast<int>(std::min<int64_t>(firstK, count)); j < count; ++j) {
    int32_t lo = bars[j].close, hi = bars[j].close;
    for (int q = j - n + 1; q < j; ++q) {
      lo = std::min(lo, bars[q].close);
      hi = std::max(hi, bars[q].close);
    }
    above[j] = static_cast<double>(bars[j].close) - lo;
    spread[j] = static_cast<double>(hi) - lo;
    if (j >= first && spread[j] > 0) (*k)[j] = above[j] / spread[j];
  }
  const int64_t firstD = std::max<int64_t>(first, int64_t{n} + s - 2);
  for (int j = static_cast<int>(std::min<int64_t>(firstD, count)); j < count; ++j) {
    double sa = 0, ss = 0;
    for (int q = j - s + 1; q <= j; ++q) {
      sa += above[q];
      ss += spread[q];
    }
    if (ss > 0) (*d)[j] = sa / ss;
  }
}

// MACD over the daily series: `start` is w = max(hidden - lead, 1) with lead = max(a, b) + g.
// macd[k] for k >= w, signal[k] for k >= w + g (series indexes; 0 elsewhere). `valid` is false
// when the series is too short (or a period below 1); then nothing but the labels is drawn.
struct MacdSeriesResult {
  bool valid = false;
  int start = 0;
  int lead = 0;
  std::vector<double> macd;
  std::vector<double> signal;
};
MacdSeriesResult MacdSeries(const PriceBar* bars, int count, int hidden, int a, int b, int g);

// On-balance volume from series index `start` (hidden - 1 when hidden >= 2, else 1):
// obv[k - start] for every k from start; empty with fewer than 2 bars.
struct ObvSeriesResult {
  int start = 1;
  std::vector<double> obv;
};
ObvSeriesResult ObvSeries(const PriceBar* bars, int count, int hidden);

// DMI over `n` bars, window-indexed (kNoValue where a bar has no value). `drawable` is false
// when the series is shorter than the start bar; then only the labels are drawn.
struct DmiSeriesResult {
  bool drawable = false;
  std::vector<double> plusDi, minusDi, adx, adxr;
};
DmiSeriesResult DmiSeries(const PriceBar* bars, int count, int hidden, int n);

// CCI over `n` bars for the window bars (window-indexed, kNoValue where none or where the mean
// deviation is 0).
std::vector<double> CciSeries(const PriceBar* bars, int count, int hidden, int n);

// Psychological line over the window's own bars: u[i] for i >= 13 counts the rises among the 12
// day-to-day changes ending at i; u[0 .. 12] = 0.
std::vector<int> PsychologicalCounts(const PriceBar* window, int count);

}  // namespace korvale

#endif  // KORVALE_CHARTS_CHART_INDICATORS_H_
