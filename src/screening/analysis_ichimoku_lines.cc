// The Ichimoku codes and the trend-line code of the record.
#include <algorithm>
#include <cmath>

#include "screening/analysis_groups.h"
#include "store/line_geometry.h"

namespace korvale::analysis {

namespace {

// Midpoint of the lowest low and highest high of bars max(0, i-m+1) .. i, halved as integers
// (toward zero). The caller guarantees m >= 1 and 0 <= i < n.
int64_t Mid(Bars in, int32_t m, int32_t i) {
  const int32_t from = static_cast<int32_t>(std::max<int64_t>(0, int64_t{i} - m + 1));
  int32_t low = in.bars[from].low, high = in.bars[from].high;
  for (int32_t j = from + 1; j <= i; ++j) {
    low = std::min(low, in.bars[j].low);
    high = std::max(high, in.bars[j].high);
  }
  return (int64_t{low} + high) / 2;
}

int32_t CloudCode(int64_t c, int64_t p, int64_t bottom, int64_t top) {
  if (c > top) return 0;
  if (c < bottom) return 6;
  if (bottom < c && c < top) return 3;
  if (c == top && c == bottom) return kIchimokuCodeNone;
  if (c == top) return p < c ? 1 : p > c ? 2 : kIchimokuCodeNone;
  return p < c ? 5 : p > c ? 4 : kIchimokuCodeNone;  // c equals the bottom
}

}  // namespace

void IchimokuCodes(int64_t base, int64_t conv, int64_t basePrev, int64_t convPrev, bool hasCloud,
                   int64_t spanA, int64_t spanB, int64_t close, int64_t prev, AnalysisRecord* rec) {
  if (base < conv) {
    rec->ichimokuCross = 0;
  } else if (conv < base) {
    rec->ichimokuCross = 1;
  } else {
    rec->ichimokuCross = basePrev < convPrev ? 3 : convPrev < basePrev ? 2 : 4;
  }
  rec->ichimokuSlope = base > basePrev ? 0 : base == basePrev ? 1 : 2;
  rec->ichimokuCloud = kIchimokuCodeNone;
  if (hasCloud) {
    rec->ichimokuCloud = CloudCode(close, prev, std::min(spanA, spanB), std::max(spanA, spanB));
  }
}

void ComputeIchimokuFields(Bars in, const SettingsRecord& s, AnalysisRecord* rec) {
  rec->ichimokuCross = rec->ichimokuSlope = rec->ichimokuCloud = kIchimokuCodeNone;
  const int32_t nb = s.ichimokuDailyBase, nv = s.ichimokuDailyConversion;
  const int32_t ns = s.ichimokuDailySpanPeriod, shift = s.ichimokuDailyLeadShiftA;
  if (nb < 1 || nv < 1 || ns < 1 || ns >= in.n) return;  // so n >= 2 below
  const int32_t e = in.n - 1;
  // The cloud under the last bar was drawn `shift` bars earlier; with no such bar (a shift
  // beyond the series, or a negative one) there is no cloud.
  const int64_t d = int64_t{e} - shift;
  const bool hasCloud = shift >= 0 && d >= 0;
  int64_t spanA = 0, spanB = 0;
  if (hasCloud) {
    const int32_t di = static_cast<int32_t>(d);
    spanA = (Mid(in, nb, di) + Mid(in, nv, di)) / 2;
    spanB = Mid(in, ns, di);
  }
  IchimokuCodes(Mid(in, nb, e), Mid(in, nv, e), Mid(in, nb, e - 1), Mid(in, nv, e - 1), hasCloud,
                spanA, spanB, in.bars[e].close, in.bars[e - 1].close, rec);
}

void ComputeTrendLineField(const CPriceSeries& series, Bars in, AnalysisRecord* rec) {
  rec->trendLineCode = kTrendLineCodeNone;
  const int32_t count = series.lineCount();
  if (count == 0 || in.n < 1) return;
  const int64_t e = in.n - 1;
  const double c = in.bars[e].close;
  // With one bar the previous close is 1.0, as in the record's basics.
  const double p = in.n >= 2 ? in.bars[e - 1].close : 1.0;
  for (int32_t k = 0; k < count; ++k) {
    const TrendLine& line = series.lines[k];
    if (line.unresolved) continue;
    if (e < std::min(line.index1, line.index2) || e > std::max(line.index1, line.index2)) continue;
    const CLineGeometry geometry(line.index1, line.price1, line.index2, line.price2);
    // Truncated as the integer the line stands at; kept as a double so that a value beyond the
    // int range cannot overflow.
    const double v = std::trunc(geometry.slope * static_cast<double>(e) + geometry.intercept);
    if (line.kind == 1 || line.kind == 3) {  // resistance
      if (v == c && p >= c) {
        rec->trendLineCode = 1;
        return;
      }
      if (v < c) {
        rec->trendLineCode = 0;
        return;
      }
    } else if (line.kind == 2 || line.kind == 4) {  // support
      if (v == c && c >= p) {
        rec->trendLineCode = 2;
        return;
      }
      if (c < v) {
        rec->trendLineCode = 3;
        return;
      }
    }
  }
}

}  // namespace korvale::analysis
