#include "charts/ichimoku_lines.h"

#include <algorithm>
#include <deque>

#include "charts/chart_painter.h"
#include "store/price_series.h"

namespace korvale {

namespace {

// Shifts beyond this many bars put a line far outside any window already; the bound keeps the
// x arithmetic inside int.
constexpr int kMaxShift = 1 << 20;

int Shift(int32_t s) { return std::clamp<int32_t>(s, 0, kMaxShift); }
int Period(int32_t p) { return std::max<int32_t>(p, 1); }

IchimokuLine LineOf(int firstX, std::vector<int64_t> values) {
  IchimokuLine line;
  line.firstX = firstX;
  line.values = std::move(values);
  return line;
}

}  // namespace

IchimokuPeriods IchimokuPeriodsOf(const SettingsRecord& s, int period) {
  // Each set is six consecutive fields in the order base, conversion, lead shift B, span
  // period, lead shift A, lagging.
  auto of = [](int32_t base, int32_t conversion, int32_t shiftB, int32_t spanPeriod, int32_t shiftA,
               int32_t lagging) {
    return IchimokuPeriods{conversion, base, spanPeriod, shiftA, shiftB, lagging};
  };
  if (period == kChartWeekly) {
    return of(s.ichimokuWeeklyBase, s.ichimokuWeeklyConversion, s.ichimokuWeeklyLeadShiftB,
              s.ichimokuWeeklySpanPeriod, s.ichimokuWeeklyLeadShiftA, s.ichimokuWeeklyLagging);
  }
  if (period == kChartMonthly) {
    return of(s.ichimokuMonthlyBase, s.ichimokuMonthlyConversion, s.ichimokuMonthlyLeadShiftB,
              s.ichimokuMonthlySpanPeriod, s.ichimokuMonthlyLeadShiftA, s.ichimokuMonthlyLagging);
  }
  return of(s.ichimokuDailyBase, s.ichimokuDailyConversion, s.ichimokuDailyLeadShiftB,
            s.ichimokuDailySpanPeriod, s.ichimokuDailyLeadShiftA, s.ichimokuDailyLagging);
}

// A sliding window over the lows and highs, so that a long period costs no more than a short
// one.
template <typename BarT>
std::vector<int64_t> MidpointSeries(const BarT* bars, int count, int period, int from) {
  std::vector<int64_t> out;
  if (from < 0 || from >= count) return out;
  out.reserve(static_cast<size_t>(count - from));
  const int64_t p = Period(period);
  std::deque<int> lows, highs;  // indexes of candidate extremes, oldest first
  int next = static_cast<int>(std::max<int64_t>(0, from - p + 1));
  for (int k = from; k < count; ++k) {
    for (; next <= k; ++next) {
      while (!lows.empty() && bars[lows.back()].low >= bars[next].low) lows.pop_back();
      lows.push_back(next);
      while (!highs.empty() && bars[highs.back()].high <= bars[next].high) highs.pop_back();
      highs.push_back(next);
    }
    const int64_t first = std::max<int64_t>(0, k - p + 1);
    while (lows.front() < first) lows.pop_front();
    while (highs.front() < first) highs.pop_front();
    out.push_back((int64_t{bars[lows.front()].low} + bars[highs.front()].high) / 2);
  }
  return out;
}

template <typename BarT>
IchimokuLines ComputeIchimokuLines(const BarT* bars, int count, int hidden,
                                   const IchimokuPeriods& periods) {
  IchimokuLines lines;
  const int n = std::max(count, 0);
  const int h = std::clamp(hidden, 0, n);
  const int pc = Period(periods.conversion), pb = Period(periods.base);
  const int pa = Period(periods.spanPeriod);
  const int sa = Shift(periods.leadShiftA), sb = Shift(periods.leadShiftB);
  const int sl = Shift(periods.lagging);
  lines.complete = pa < n;
  if (!lines.complete) return lines;

  // The first series index of each line: the lines start where the window (less the shift
  // that brings earlier values into it) or a full period begins, whichever is later.
  const int conversionFrom = std::max(h - sb, pc);
  const int baseFrom = std::max(h - sb, pb);
  const int spanBFrom = baseFrom;
  const int spanAFrom = std::max(h - sa, pa);  // also where the cloud starts
  const int laggingFrom = std::max(h, sl);
  const int from = std::min({conversionFrom, baseFrom, spanAFrom});
  if (from >= n) return lines;

  const std::vector<int64_t> midC = MidpointSeries(bars, n, pc, from);
  const std::vector<int64_t> midB = MidpointSeries(bars, n, pb, from);
  const std::vector<int64_t> midA = MidpointSeries(bars, n, pa, from);
  auto slice = [&](const std::vector<int64_t>& v, int first) {
    return first >= n ? std::vector<int64_t>{}
                      : std::vector<int64_t>(v.begin() + (first - from), v.end());
  };
  auto spanB = [&](int k) { return (midC[k - from] + midB[k - from]) / 2; };

  lines.conversion = LineOf(conversionFrom - h, slice(midC, conversionFrom));
  lines.base = LineOf(baseFrom - h, slice(midB, baseFrom));
  lines.spanA = LineOf(spanAFrom + sa - h, slice(midA, spanAFrom));
  std::vector<int64_t> b;
  for (int k = spanBFrom; k < n; ++k) b.push_back(spanB(k));
  lines.spanB = LineOf(spanBFrom + sb - h, std::move(b));
  std::vector<int64_t> lag;
  for (int k = laggingFrom; k < n; ++k) lag.push_back(bars[k].close);
  lines.lagging = LineOf(laggingFrom - sl - h, std::move(lag));

  for (int k = n - 1; k >= spanAFrom; --k) lines.cloud.push_back({k + sb - h, spanB(k)});
  for (int k = spanAFrom; k < n; ++k) lines.cloud.push_back({k + sa - h, midA[k - from]});
  return lines;
}

template std::vector<int64_t> MidpointSeries<PriceBar>(const PriceBar*, int, int, int);
template IchimokuLines ComputeIchimokuLines<PriceBar>(const PriceBar*, int, int,
                                                      const IchimokuPeriods&);
template IchimokuLines ComputeIchimokuLines<WeeklyBar>(const WeeklyBar*, int, int,
                                                       const IchimokuPeriods&);
template IchimokuLines ComputeIchimokuLines<MonthlyBar>(const MonthlyBar*, int, int,
                                                        const IchimokuPeriods&);

}  // namespace korvale
