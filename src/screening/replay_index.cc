// The index family of the history replay. A record pairs the last weekly bars of the stock and
// of the index by position from the end, so every new weekly bar of the stock pairs each of its
// weeks with another week of the index and changes every correlation; between two new weeks the
// pairs stay and only the share of the kept closes moves. The correlations of a pairing are
// therefore formed once, from window sums of each series prepared per bar and exact sums of the
// products of the paired windows, and each cut reads them; they equal, bit for bit, what the
// record's own sliding sums give, because all sums are exact whole numbers. Series whose dates
// are not strictly increasing (a damaged file loaded as it is) are left to the record's own
// computation.
#include <algorithm>
#include <cmath>

#include "screening/exact_dot.h"
#include "screening/replay_families.h"

namespace korvale::replay {

namespace {

using Int128 = __int128;

bool StrictlyIncreasing(const PriceBar* bars, int32_t count) {
  for (int32_t j = 1; j < count; ++j) {
    if (analysis::PackedBarDate(bars[j - 1]) >= analysis::PackedBarDate(bars[j])) return false;
  }
  return true;
}

// The bar of a date among bars in strictly increasing date order, or -1.
int32_t BarOfDate(const PriceBar* bars, int32_t count, uint32_t date) {
  int32_t lo = 0, hi = count;
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (analysis::PackedBarDate(bars[mid]) < date) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo < count && analysis::PackedBarDate(bars[lo]) == date ? lo : -1;
}

}  // namespace

void IndexFamily::Prepare(const PriceBar* bars, int32_t count, SeriesWindows* out) const {
  out->sum.assign(static_cast<size_t>(count), 0);
  out->spread.assign(static_cast<size_t>(count), 0);
  out->close.resize(static_cast<size_t>(count));
  int64_t s = 0;
  Int128 q = 0;
  out->largest = 0;
  for (int32_t j = 0; j < count; ++j) {
    const int64_t c = bars[j].close;
    out->close[j] = static_cast<double>(c);
    out->largest = std::max<int64_t>(out->largest, c < 0 ? -c : c);
    s += c;
    q += Int128{c} * c;
    if (j >= w_) {
      const int64_t old = bars[j - w_].close;
      s -= old;
      q -= Int128{old} * old;
    }
    if (j >= w_ - 1) {
      out->sum[j] = s;
      const Int128 v = analysis::WindowSpread(w_, s, q);
      out->spread[j] = v > 0 ? analysis::WideToDouble(v) : 0;
    }
  }
}

void IndexFamily::Reset(const ReplayBars& bars, const SettingsRecord& settings,
                        const CPriceSeries* index) {
  bars_ = &bars;
  settings_ = &settings;
  index_ = settings.useIndexAnalysis != 0 ? index : nullptr;
  w_ = int64_t{settings.weeklyIndexPeriod} * 5;
  pairedWeeks_ = -1;
  weeks_ = 0;
  if (index_ == nullptr || w_ < 2 || index_->barCount() <= 0 || index_->weekCount() <= 0) return;

  const int32_t nIndex = index_->barCount(), indexWeeks = index_->weekCount();
  if (index_ != preparedIndex_ || index_->bars.data() != preparedData_ ||
      nIndex != preparedBars_ || indexWeeks != preparedWeeks_ || w_ != preparedW_) {
    preparedIndex_ = index_;
    preparedData_ = index_->bars.data();
    preparedBars_ = nIndex;
    preparedWeeks_ = indexWeeks;
    preparedW_ = w_;
    const PriceBar* x = index_->bars.data();
    indexOrdered_ = StrictlyIncreasing(x, nIndex);
    indexWeekBar_.resize(static_cast<size_t>(indexWeeks));
    for (int32_t r = 0; indexOrdered_ && r < indexWeeks; ++r) {
      const WeeklyBar& week = index_->weeks[r];
      PriceBar day;
      day.year = week.year;
      day.month = week.month;
      day.day = week.day;
      indexWeekBar_[r] = BarOfDate(x, nIndex, analysis::PackedBarDate(day));
      // The pairing searches forward from the last match: it finds each week's bar only while
      // they come in order.
      if (indexWeekBar_[r] < 0 || (r > 0 && indexWeekBar_[r] <= indexWeekBar_[r - 1])) {
        indexOrdered_ = false;
      }
    }
    Prepare(x, nIndex, &indexWindows_);
  }

  const int32_t count = bars.count;
  stockOrdered_ = StrictlyIncreasing(bars.bars, count);
  if (!stockOrdered_ || !indexOrdered_) return;
  analysis::WeeklyBarDates(bars.Cut(count), &weekDates_);
  weekBar_.resize(weekDates_.size());
  for (size_t q = 0; q < weekDates_.size(); ++q) {
    weekBar_[q] = BarOfDate(bars.bars, count, weekDates_[q]);
  }
  Prepare(bars.bars, count, &stock_);
  // Products of closes and their running sums stay whole numbers below 2^53, so adding them as
  // doubles is exact (one product more than a window: a slide adds before it takes away); and
  // w Σxy − Σx Σy, formed as doubles, too.
  const Int128 product = Int128{stock_.largest} * indexWindows_.largest;
  exactInDoubles_ = product * (w_ + 1) < (Int128{1} << 53);
  covarianceInDoubles_ = exactInDoubles_ && product * w_ * w_ < (Int128{1} << 52);
}

Int128 IndexFamily::DotProduct(int32_t stockBar, int32_t indexBar) const {
  const int64_t from = 1 - w_;
  if (exactInDoubles_) {
    return static_cast<int64_t>(ExactDot(indexWindows_.close.data() + indexBar + from,
                                         stock_.close.data() + stockBar + from, w_));
  }
  const PriceBar* y = bars_->bars + stockBar + from;
  const PriceBar* x = index_->bars.data() + indexBar + from;
  Int128 sum = 0;
  for (int64_t t = 0; t < w_; ++t) sum += Int128{x[t].close} * y[t].close;
  return sum;
}

bool IndexFamily::WindowCorrelation(int32_t stockBar, int32_t indexBar, Int128 sumXY,
                                    double* rho) const {
  // CorrelationFromSums with the spreads formed once per bar.
  const double spreadX = indexWindows_.spread[indexBar], spreadY = stock_.spread[stockBar];
  if (!(spreadX > 0) || !(spreadY > 0)) return false;
  const int64_t sumX = indexWindows_.sum[indexBar], sumY = stock_.sum[stockBar];
  const double coSpread = analysis::WideToDouble(Int128{w_} * sumXY - Int128{sumX} * sumY);
  *rho = analysis::CorrelationOfSpreads(coSpread, spreadX, spreadY);
  return true;
}

void IndexFamily::ComputePairing() {
  const int32_t points = points_;
  rho_.assign(static_cast<size_t>(points), 0);
  hasRho_.assign(static_cast<size_t>(points), 0);
  bestFrom_.resize(static_cast<size_t>(points));
  productSums_.resize(static_cast<size_t>(points));
  const int32_t* stockBar = weekBar_.data() + stockFirst_;
  const int32_t* indexBar = indexWeekBar_.data() + indexFirst_;
  // The first point whose windows lie after the first bar of both series.
  int32_t first = 0;
  while (first < points && (stockBar[first] < w_ - 1 || indexBar[first] < w_ - 1)) ++first;

  if (!exactInDoubles_) {
    for (int32_t k = first; k < points; ++k) {
      double r;
      if (WindowCorrelation(stockBar[k], indexBar[k], DotProduct(stockBar[k], indexBar[k]), &r)) {
        rho_[k] = r;
        hasRho_[k] = 1;
      }
    }
  } else {
    // The sums of the products, by lag (index bar − stock bar). The lag of consecutive points
    // changes only where the two series' weeks have different numbers of days, and mostly comes
    // back soon, so a sum kept for each recent lag slides on by a few bars instead of being
    // formed afresh.
    struct LagSum {
      int64_t lag = 0;
      int32_t stockBar = -1;
      double sum = 0;
      uint32_t used = 0;
    };
    LagSum lags[4];
    uint32_t clock = 0;
    const double* y = stock_.close.data();
    const double* x = indexWindows_.close.data();
    for (int32_t k = first; k < points; ++k) {
      const int32_t sb = stockBar[k], ib = indexBar[k];
      const int64_t lag = int64_t{ib} - sb;
      LagSum* entry = nullptr;
      LagSum* oldest = &lags[0];
      for (LagSum& l : lags) {
        if (l.stockBar >= 0 && l.lag == lag) entry = &l;
        if (l.used < oldest->used) oldest = &l;
      }
      // A slide costs two products a bar, a fresh sum one product per close of the window with
      // vector instructions: slide over up to a tenth of the window.
      if (entry != nullptr && (sb - entry->stockBar) * 10 <= w_) {
        double added = 0, taken = 0;
        for (int64_t j = entry->stockBar + 1; j <= sb; ++j) {
          added += x[j + lag] * y[j];
          taken += x[j + lag - w_] * y[j - w_];
        }
        entry->sum += added - taken;
      } else {
        if (entry == nullptr) entry = oldest;
        entry->lag = lag;
        entry->sum = ExactDot(x + ib + 1 - w_, y + sb + 1 - w_, w_);
      }
      entry->stockBar = sb;
      entry->used = ++clock;
      productSums_[k] = entry->sum;
    }
    // The coefficients, each as CorrelationFromSums forms it.
    const double w = static_cast<double>(w_);
    for (int32_t k = first; k < points; ++k) {
      const int32_t sb = stockBar[k], ib = indexBar[k];
      const double spreadX = indexWindows_.spread[ib], spreadY = stock_.spread[sb];
      if (!(spreadX > 0) || !(spreadY > 0)) continue;
      const int64_t sumX = indexWindows_.sum[ib], sumY = stock_.sum[sb];
      double coSpread;
      if (covarianceInDoubles_) {
        // Every term a whole number below 2^53: the same double as the 128-bit difference.
        coSpread = w * productSums_[k] - static_cast<double>(sumX) * static_cast<double>(sumY);
      } else {
        coSpread = analysis::WideToDouble(Int128{w_} * static_cast<int64_t>(productSums_[k]) -
                                          Int128{sumX} * sumY);
      }
      rho_[k] = analysis::CorrelationOfSpreads(coSpread, spreadX, spreadY);
      hasRho_[k] = 1;
    }
  }
  // The reference point among points k .. points-1: the largest correlation that is not
  // negative, the latest of equals.
  int32_t best = -1;
  for (int32_t k = points - 1; k >= 0; --k) {
    if (hasRho_[k] && rho_[k] >= 0 && (best < 0 || rho_[k] > rho_[best])) best = k;
    bestFrom_[k] = best;
  }
}

void IndexFamily::Fill(int32_t n, AnalysisRecord* rec) {
  rec->indexCorrelation = 0;
  rec->indexDeviation = 0;
  if (index_ == nullptr) return;
  const int32_t nIndex = index_->barCount(), indexWeeks = index_->weekCount();
  if (n <= 0 || nIndex <= 0 || indexWeeks <= 0 || w_ < 2) return;
  if (!stockOrdered_ || !indexOrdered_) {
    analysis::ComputeIndexFields(bars_->Cut(n), *index_, *settings_, &workspace_, rec);
    return;
  }
  const int32_t allWeeks = static_cast<int32_t>(weekBar_.size());
  while (weeks_ < allWeeks && weekBar_[weeks_] < n) ++weeks_;
  const int32_t points = std::min(weeks_, indexWeeks);
  const int64_t kept = std::min<int64_t>({5 * int64_t{points} - 5, n, nIndex});
  if (kept <= w_) return;
  if (weeks_ != pairedWeeks_) {
    pairedWeeks_ = weeks_;
    points_ = points;
    stockFirst_ = weeks_ - points;
    indexFirst_ = indexWeeks - points;
    lastDone_ = allDone_ = false;
    deviationRef_ = -1;
  }
  const int32_t* stockBar = weekBar_.data() + stockFirst_;
  const int32_t* indexBar = indexWeekBar_.data() + indexFirst_;
  const int64_t stockKeptFrom = n - kept, indexKeptFrom = nIndex - kept;
  // A point counts when both windows lie among the kept closes; the pairs come in bar order,
  // so the points that count are the last ones.
  auto counts = [&](int32_t k) {
    return stockBar[k] - stockKeptFrom >= w_ - 1 && indexBar[k] - indexKeptFrom >= w_ - 1;
  };
  const int32_t last = points - 1;
  if (counts(last)) {
    if (!lastDone_) {
      lastHas_ = WindowCorrelation(stockBar[last], indexBar[last],
                                   DotProduct(stockBar[last], indexBar[last]), &lastRho_);
      lastDone_ = true;
    }
    if (lastHas_) rec->indexCorrelation = 100 * lastRho_;
  }

  // The deviation needs every paired bar among the kept closes.
  if (stockBar[0] < stockKeptFrom || indexBar[0] < indexKeptFrom) return;
  if (!allDone_) {
    ComputePairing();
    allDone_ = true;
  }
  int32_t lo = 0, hi = points;  // the first point that counts
  while (lo < hi) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (counts(mid)) {
      hi = mid;
    } else {
      lo = mid + 1;
    }
  }
  const int32_t ref = lo < points ? bestFrom_[lo] : -1;
  if (ref < 0) return;
  if (ref != deviationRef_) {
    deviation_ = analysis::IndexDeviationValue(bars_->bars, index_->bars.data(), stockBar,
                                               indexBar, points, ref);
    deviationRef_ = ref;
  }
  rec->indexDeviation = deviation_;
}

}  // namespace korvale::replay
