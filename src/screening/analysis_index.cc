// Correlation with the market index and relative performance against it, measured at the
// stock's and the index's weekly points.
#include <algorithm>
#include <cmath>

#include "screening/analysis_groups.h"
#include "store/week_of_year.h"

namespace korvale::analysis {

namespace {

using Int128 = __int128;

// Running sums of one pair of windows: x the index closes, y the stock closes. Integers, so a
// slid window gives exactly the sums of a window formed afresh and no rounding builds up.
struct WindowSums {
  int64_t x = 0, y = 0;
  Int128 xx = 0, yy = 0, xy = 0;

  void Add(int64_t xv, int64_t yv, int sign) {
    x += sign * xv;
    y += sign * yv;
    xx += sign * (Int128{xv} * xv);
    yy += sign * (Int128{yv} * yv);
    xy += sign * (Int128{xv} * yv);
  }
};


bool Correlation(const WindowSums& s, int64_t w, double* rho) {
  return CorrelationFromSums(w, s.x, s.y, s.xx, s.yy, s.xy, rho);
}

// A bar's year, month and day as one value, so that dates compare in one step.
uint32_t PackedDate(int year, int month, int day) {
  return (static_cast<uint32_t>(static_cast<uint16_t>(year)) << 16) |
         (static_cast<uint32_t>(static_cast<uint8_t>(month)) << 8) | static_cast<uint8_t>(day);
}
uint32_t PackedDate(const PriceBar& b) { return PackedDate(b.year, b.month, b.day); }

// Index of the first bar at or after `from` with the date `key`, or -1 (then `from` is
// unchanged for the next search).
int32_t FindForward(const PriceBar* bars, int32_t n, int32_t* from, uint32_t key) {
  for (int32_t i = *from; i < n; ++i) {
    if (PackedDate(bars[i]) == key) {
      *from = i;
      return i;
    }
  }
  return -1;
}

}  // namespace

// The program's chart normalises each window to 0..1 first; the coefficient is unchanged by that
// (it is invariant under a positive scale and shift of each series), so it is formed here from
// the exact sums of the closes themselves.
bool CorrelationFromSums(int64_t w, int64_t sumX, int64_t sumY, Int128 sumXX, Int128 sumYY,
                         Int128 sumXY, double* rho) {
  const Int128 varX = WindowSpread(w, sumX, sumXX);
  const Int128 varY = WindowSpread(w, sumY, sumYY);
  if (varX <= 0 || varY <= 0) return false;
  const Int128 cov = Int128{w} * sumXY - Int128{sumX} * sumY;
  *rho = CorrelationOfSpreads(WideToDouble(cov), WideToDouble(varX), WideToDouble(varY));
  return true;
}


double IndexDeviationValue(const PriceBar* s, const PriceBar* x, const int32_t* stockPairs,
                           const int32_t* indexPairs, int32_t points, int32_t ref) {
  const double stockRef = s[stockPairs[ref]].close;
  const double indexRef = x[indexPairs[ref]].close;
  // A reference close of 0 gives no ratio: the deviation keeps its invalid value 0.
  if (stockRef == 0 || indexRef == 0) return 0;
  double largest = 0, lastDev = 0;
  for (int32_t k = 0; k < points; ++k) {
    const double dev = s[stockPairs[k]].close / stockRef - x[indexPairs[k]].close / indexRef;
    largest = std::max(largest, std::fabs(dev));
    if (k == points - 1) lastDev = dev;
  }
  if (largest > 0) lastDev /= largest;
  return 100 * lastDev;
}

uint32_t PackedBarDate(const PriceBar& b) { return PackedDate(b); }

void WeeklyBarDates(Bars in, std::vector<uint32_t>* dates) {
  dates->clear();
  if (in.n <= 0) return;
  const PriceBar& first = in.bars[0];
  int8_t week = static_cast<int8_t>(WeekOfYear(first.year, first.month, first.day, nullptr));
  dates->push_back(PackedDate(first));
  // The week number depends on the year's first weekday; keep it per year instead of working
  // the calendar out again for every bar.
  int cachedYear = -1000000;
  int janFirst = 0;
  bool leap = false;
  static constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
  for (int32_t i = 0; i < in.n; ++i) {
    const PriceBar& b = in.bars[i];
    if (b.year <= 0 || b.month < 1 || b.month > 12) continue;
    if (b.year != cachedYear) {
      cachedYear = b.year;
      const int y = b.year;
      janFirst = ((y + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400) % 7 + 7) % 7;
      leap = IsLeapYear(y);
    }
    const int daysBefore = kDaysBefore[b.month - 1] + (b.month > 2 && leap ? 1 : 0);
    const int8_t w = static_cast<int8_t>((janFirst + daysBefore + b.day - 1) / 7 + 1);
    if (w != week) {
      week = w;
      dates->push_back(PackedDate(b));
    }
  }
}

void ComputeIndexFields(Bars in, const CPriceSeries& index, const SettingsRecord& settings,
                        AnalysisWorkspace* ws, AnalysisRecord* rec) {
  rec->indexCorrelation = 0;
  rec->indexDeviation = 0;
  const int32_t nIndex = index.barCount();
  const int32_t indexWeeks = index.weekCount();
  const int64_t w = int64_t{settings.weeklyIndexPeriod} * 5;
  if (in.n <= 0 || nIndex <= 0 || indexWeeks <= 0 || w < 2) return;

  WeeklyBarDates(in, &ws->stockWeekDates);
  const int32_t stockWeeks = static_cast<int32_t>(ws->stockWeekDates.size());
  const int32_t points = std::min(stockWeeks, indexWeeks);
  const int64_t kept = std::min<int64_t>({5 * int64_t{points} - 5, in.n, nIndex});
  if (kept <= w) return;
  const int32_t stockKeptFrom = in.n - static_cast<int32_t>(kept);
  const int32_t indexKeptFrom = nIndex - static_cast<int32_t>(kept);

  // Pair the last `points` weekly bars of both series by position, each mapped to its own daily
  // bar of the same date (-1 when there is none).
  ws->stockPairBars.resize(points);
  ws->indexPairBars.resize(points);
  int32_t stockFrom = 0, indexFrom = 0;
  for (int32_t k = 0; k < points; ++k) {
    const uint32_t stockKey = ws->stockWeekDates[stockWeeks - points + k];
    const WeeklyBar& iw = index.weeks[indexWeeks - points + k];
    const uint32_t indexKey = PackedDate(iw.year, iw.month, iw.day);
    ws->stockPairBars[k] = FindForward(in.bars, in.n, &stockFrom, stockKey);
    ws->indexPairBars[k] = FindForward(index.bars.data(), nIndex, &indexFrom, indexKey);
  }

  // The correlation at each weekly point over the w kept closes of each series that end at (and
  // include) the point's own bar. Points before the first whose windows lie wholly among the
  // kept closes have none.
  ws->rho.assign(points, 0);
  ws->hasRho.assign(points, 0);
  WindowSums sums;
  int32_t stockEnd = -1, indexEnd = -1;  // last bars of the window the sums hold
  const PriceBar* s = in.bars;
  const PriceBar* x = index.bars.data();
  for (int32_t k = 0; k < points; ++k) {
    const int32_t sb = ws->stockPairBars[k], ib = ws->indexPairBars[k];
    if (sb < 0 || ib < 0) continue;
    if (sb - stockKeptFrom < w - 1 || ib - indexKeptFrom < w - 1) continue;
    const int32_t ds = sb - stockEnd, di = ib - indexEnd;
    if (stockEnd >= 0 && ds == di && ds >= 0 && ds < w) {
      // Both windows move by the same number of bars: slide the sums.
      for (int32_t t = 1; t <= ds; ++t) {
        sums.Add(x[indexEnd + t].close, s[stockEnd + t].close, +1);
        sums.Add(x[indexEnd + t - w].close, s[stockEnd + t - w].close, -1);
      }
    } else {
      sums = WindowSums();
      for (int64_t t = 0; t < w; ++t) {
        sums.Add(x[ib - t].close, s[sb - t].close, +1);
      }
    }
    stockEnd = sb;
    indexEnd = ib;
    double r;
    if (Correlation(sums, w, &r)) {
      ws->rho[k] = r;
      ws->hasRho[k] = 1;
    }
  }
  const int32_t last = points - 1;
  if (ws->hasRho[last]) rec->indexCorrelation = 100 * ws->rho[last];

  // Relative performance since the best-correlated point (the latest among equals).
  int32_t ref = -1;
  for (int32_t k = 0; k < points; ++k) {
    if (ws->hasRho[k] && ws->rho[k] >= 0 && (ref < 0 || ws->rho[k] >= ws->rho[ref])) ref = k;
  }
  if (ref < 0) return;
  for (int32_t k = 0; k < points; ++k) {
    if (ws->stockPairBars[k] < stockKeptFrom || ws->indexPairBars[k] < indexKeptFrom) return;
  }
  rec->indexDeviation = IndexDeviationValue(s, x, ws->stockPairBars.data(),
                                            ws->indexPairBars.data(), points, ref);
}

}  // namespace korvale::analysis
