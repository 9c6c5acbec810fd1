// The record as a whole, and its price group: last-bar basics, moving averages, position and
// crossing codes, candle pairs, and the period extremes.
#include "screening/compute_analysis_record.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "screening/analysis_groups.h"

namespace korvale {

namespace analysis {

namespace {

int32_t PositionCode(double p, double s, double l) {
  if (p > l && l > s) return 0;
  if (p > s && s > l) return 1;
  if (l > p && p > s) return 2;
  if (l > s && s > p) return 3;
  if (s > l && l > p) return 4;
  if (s > p && p > l) return 5;
  return kPositionCodeNone;
}

int32_t CandlePair(const PriceBar& a, const PriceBar& b) {
  const bool aFalling = a.close < a.open;
  const bool bFalling = b.close < b.open;
  if (aFalling == bFalling) return 0;
  if (b.low < std::min(a.open, a.close) && std::max(a.open, a.close) < b.high) {
    return kCandleEngulfing;
  }
  if (a.low < std::min(b.open, b.close) && std::max(b.open, b.close) < a.high) {
    return kCandleInside;
  }
  return 0;
}

}  // namespace

void ComputeLastBarFields(Bars in, AnalysisRecord* rec) {
  const int32_t n = in.n;
  double last = 0, prev = 1.0, lastVol = 0, prevVol = 1.0;
  if (n >= 2) {
    last = in.bars[n - 1].close;
    prev = in.bars[n - 2].close;
    lastVol = in.bars[n - 1].volume;
    prevVol = in.bars[n - 2].volume;
  }
  rec->lastClose = static_cast<int32_t>(last);
  rec->priceChange = 0;
  rec->priceChangePercent = 0;
  if (last > 0) {
    // A previous close of 0 leaves the change at its invalid value 0 instead of inf.
    if (prev != 0) rec->priceChangePercent = (last / prev - 1) * 100;
    if (prev > 0) rec->priceChange = static_cast<int32_t>(last - prev);
  }
  rec->lastVolume = static_cast<int32_t>(lastVol);
  rec->volumeChange = lastVol > 0 && prevVol != 0 ? lastVol / prevVol : 0;
}

void AveragesFromSum(int64_t sum, Bars in, int period, double* average, double* previous) {
  *average = 0;
  *previous = 0;
  if (period <= 0 || in.n <= period + 1) return;
  *average = static_cast<double>(sum) / period;
  const int64_t earlier = sum + in.bars[in.n - period - 1].close - in.bars[in.n - 1].close;
  *previous = static_cast<double>(earlier) / period;
}

void ComputeOrderFields(Bars in, AnalysisRecord* rec) {
  const int32_t n = in.n;
  rec->positionCode = PositionCode(rec->lastClose, rec->maShort, rec->maLong);
  const double p = n >= 2 ? in.bars[n - 2].close : 1.0;
  const double c = n >= 2 ? in.bars[n - 1].close : 0.0;
  const double s0 = rec->maShortPrev, s1 = rec->maShort;
  const double l0 = rec->maLongPrev, l1 = rec->maLong;
  int32_t flags = 0;
  if (p < l0 && c > l1) flags += kCrossPriceOverLong;
  if (p > l0 && c < l1) flags += kCrossPriceUnderLong;
  if (p < s0 && c > s1) flags += kCrossPriceOverShort;
  if (p > s0 && c < s1) flags += kCrossPriceUnderShort;
  if (l0 < s0 && l1 > s1) flags += kCrossLongOverShort;
  if (l0 > s0 && l1 < s1) flags += kCrossLongUnderShort;
  if (n >= 2) flags |= CandlePair(in.bars[n - 2], in.bars[n - 1]);
  rec->crossFlags = flags;
}

void ComputePriceFields(const CPriceSeries& series, Bars in, const SettingsRecord& settings,
                        AnalysisRecord* rec) {
  const int32_t n = in.n;
  ComputeLastBarFields(in, rec);
  for (auto [period, average, previous] :
       {std::tuple{int{settings.dailyMaShort}, &rec->maShort, &rec->maShortPrev},
        std::tuple{int{settings.dailyMaLong}, &rec->maLong, &rec->maLongPrev}}) {
    int64_t sum = 0;
    if (period > 0 && n > period + 1) {
      for (int32_t i = n - period; i < n; ++i) sum += in.bars[i].close;
    }
    AveragesFromSum(sum, in, period, average, previous);
  }
  ComputeOrderFields(in, rec);

  if (n == series.barCount()) {
    const YearExtremesResult y = series.YearExtremes();
    rec->highThisYear = y.highThisYear;
    rec->lowThisYear = y.lowThisYear;
    rec->highSinceLastYear = y.highTwoYears;
    rec->lowSinceLastYear = y.lowTwoYears;
    rec->highFiveYears = y.highSixYears;
    rec->lowFiveYears = y.lowSixYears;
    rec->highAll = y.highAll;
    rec->lowAll = y.lowAll;
    const int64_t window = int64_t{settings.highLowMonths} * 21;
    series.SeriesExtremes(
        static_cast<int>(std::clamp<int64_t>(window, std::numeric_limits<int>::min(),
                                             std::numeric_limits<int>::max())),
        &rec->periodHigh, &rec->periodLow);
  }
}

}  // namespace analysis

void ComputeAnalysisRecord(const CPriceSeries& series, int32_t identifier,
                           const SettingsRecord& settings, const CPriceSeries* indexSeries,
                           AnalysisRecord* out, AnalysisWorkspace* workspace) {
  thread_local AnalysisWorkspace threadWorkspace;
  AnalysisWorkspace* ws = workspace ? workspace : &threadWorkspace;

  AnalysisRecord rec;  // every field starts at its invalid value
  rec.stockIndex = identifier;
  const int32_t n = series.barCount();
  const analysis::Bars in{series.bars.data(), n};

  analysis::ComputePriceFields(series, in, settings, &rec);
  analysis::ComputeOscillatorFields(in, settings, ws, &rec);
  analysis::ComputeIchimokuFields(in, settings, &rec);
  analysis::ComputeTrendLineField(series, in, &rec);
  analysis::ComputeTrendFields(in, settings, ws, &rec);
  if (settings.useIndexAnalysis != 0 && indexSeries != nullptr) {
    analysis::ComputeIndexFields(in, *indexSeries, settings, ws, &rec);
  }
  *out = rec;
}

}  // namespace korvale
