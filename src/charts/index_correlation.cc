#include "charts/index_correlation.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "charts/chart_painter.h"

namespace korvale {

namespace {

// Exact running sums of a Pearson correlation over integer closes: 128-bit, so neither a long
// window nor prices near the int32 range lose the small differences the formula depends on.
struct PearsonSums {
  __int128 x = 0, y = 0, xx = 0, yy = 0, xy = 0;
  void Add(int64_t a, int64_t b, int sign) {
    x += sign * a;
    y += sign * b;
    xx += sign * static_cast<__int128>(a) * a;
    yy += sign * static_cast<__int128>(b) * b;
    xy += sign * static_cast<__int128>(a) * b;
  }
  // kIndexValueMissing when either series is flat over the window.
  double Correlation(int n) const {
    const __int128 num = n * xy - x * y;
    const __int128 dx = n * xx - x * x, dy = n * yy - y * y;
    if (dx <= 0 || dy <= 0) return kIndexValueMissing;
    const double r =
        static_cast<double>(num) / std::sqrt(static_cast<double>(dx) * static_cast<double>(dy));
    return std::isfinite(r) ? std::clamp(r, -1.0, 1.0) : kIndexValueMissing;
  }
};

// The relative line of points i against the point of largest correlation (the latest among
// equals), divided by its largest magnitude. closes of 0 give no value.
void RelativeLine(const std::vector<double>& r, const std::vector<double>& stockClose,
                  const std::vector<double>& indexClose, std::vector<double>* rel) {
  const int n = static_cast<int>(r.size());
  rel->assign(n, kIndexValueMissing);
  int base = -1;
  for (int i = 0; i < n; ++i) {
    if (r[i] == kIndexValueMissing) continue;
    if (base < 0 || r[i] >= r[base]) base = i;
  }
  if (base < 0 || stockClose[base] == 0 || indexClose[base] == 0) return;
  double largest = 0;
  for (int i = 0; i < n; ++i) {
    if (std::isnan(stockClose[i]) || std::isnan(indexClose[i])) continue;
    const double v = stockClose[i] / stockClose[base] - indexClose[i] / indexClose[base];
    (*rel)[i] = v;
    largest = std::max(largest, std::fabs(v));
  }
  if (largest > 0) {
    for (double& v : *rel) {
      if (v != kIndexValueMissing) v /= largest;
    }
  }
}

}  // namespace

void DailyIndexCorrelation(const CPriceSeries& stock, int windowCount, const CPriceSeries& index,
                           int n, std::vector<double>* correlation, std::vector<double>* relative) {
  const int sc = std::max(stock.barCount(), 0), ic = std::max(index.barCount(), 0);
  correlation->assign(static_cast<size_t>(sc) + 1, kIndexValueMissing);
  relative->assign(static_cast<size_t>(sc) + 1, kIndexValueMissing);
  if (n < 2) return;
  const int d = std::min({windowCount, ic, sc - n, ic - n});
  if (d <= 0) return;
  // Position i (0 = oldest of the last d) is stock bar sc - d + i and index bar ic - d + i.
  const int s0 = sc - d, i0 = ic - d;
  std::vector<double> r(d, kIndexValueMissing), stockClose(d), indexClose(d);
  PearsonSums sums;
  for (int k = 1 - n; k <= 0; ++k) sums.Add(stock.bars[s0 + k].close, index.bars[i0 + k].close, 1);
  for (int i = 0; i < d; ++i) {
    if (i > 0) {
      sums.Add(stock.bars[s0 + i].close, index.bars[i0 + i].close, 1);
      sums.Add(stock.bars[s0 + i - n].close, index.bars[i0 + i - n].close, -1);
    }
    r[i] = sums.Correlation(n);
    stockClose[i] = stock.bars[s0 + i].close;
    indexClose[i] = index.bars[i0 + i].close;
  }
  std::vector<double> rel;
  RelativeLine(r, stockClose, indexClose, &rel);
  for (int i = 0; i < d; ++i) {
    (*correlation)[s0 + i] = r[i];
    (*relative)[s0 + i] = rel[i];
  }
}

void WeeklyIndexCorrelation(const CPriceSeries& stock, int weeklyStart, int weeklyCount,
                            const CPriceSeries& index, int weeks, std::vector<double>* correlation,
                            std::vector<double>* relative) {
  const int wcount = std::max(stock.weekCount(), 0);
  correlation->assign(static_cast<size_t>(wcount) + 1, kIndexValueMissing);
  relative->assign(static_cast<size_t>(wcount) + 1, kIndexValueMissing);
  // A window longer than the stock's history gives no value; weeks * 5 is then never formed.
  if (weeks < 1 || int64_t{weeks} * 5 > stock.barCount() || weeklyCount <= 0) return;
  const int n = weeks * 5;
  auto dateIndex = [](const CPriceSeries& s) {
    std::unordered_map<int32_t, int> byDate;
    for (int i = 0; i < s.barCount(); ++i) byDate[DateKey(s.bars[i])] = i;
    return byDate;
  };
  const auto stockDays = dateIndex(stock), indexDays = dateIndex(index);
  const int first = std::clamp(weeklyStart, 0, wcount);
  const int last = std::min(first + weeklyCount, wcount);
  const int count = last - first;
  std::vector<double> r(count, kIndexValueMissing), stockClose(count, NAN), indexClose(count, NAN);
  for (int w = first; w < last; ++w) {
    const WeeklyBar& wb = stock.weeks[w];
    const int32_t key = DateKey(wb.year, wb.month, wb.day);
    auto a = stockDays.find(key), b = indexDays.find(key);
    if (a == stockDays.end() || b == indexDays.end()) continue;
    const int sEnd = a->second, iEnd = b->second;
    stockClose[w - first] = stock.bars[sEnd].close;
    indexClose[w - first] = index.bars[iEnd].close;
    if (sEnd - n + 1 < 0 || iEnd - n + 1 < 0) continue;
    PearsonSums sums;
    for (int k = 0; k < n; ++k) {
      sums.Add(stock.bars[sEnd - k].close, index.bars[iEnd - k].close, 1);
    }
    r[w - first] = sums.Correlation(n);
  }
  std::vector<double> rel;
  RelativeLine(r, stockClose, indexClose, &rel);
  for (int i = 0; i < count; ++i) {
    (*correlation)[first + i] = r[i];
    (*relative)[first + i] = rel[i];
  }
}

}  // namespace korvale
