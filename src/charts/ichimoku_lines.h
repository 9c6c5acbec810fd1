// The construction of the Ichimoku chart apart from its drawing: the conversion and base lines,
// the two leading spans shifted to the right, the lagging span shifted to the left and the
// cloud between the leading spans, as prices at window x positions (series index - hidden).
#ifndef KORVALE_CHARTS_ICHIMOKU_LINES_H_
#define KORVALE_CHARTS_ICHIMOKU_LINES_H_

#include <cstdint>
#include <vector>

#include "store/settings_record.h"

namespace korvale {

// Bars the leading spans reach beyond the last bar: the chart is this many bar pitches wider
// than its window.
inline constexpr int kIchimokuLeadBars = 26;

// The six periods and shifts of one set (daily, weekly or monthly).
struct IchimokuPeriods {
  int conversion = 9;   // p_c
  int base = 26;        // p_b
  int spanPeriod = 52;  // p_a: the midpoint period of leading span A
  int leadShiftA = 26;  // s_a: bars leading span A stands to the right
  int leadShiftB = 26;  // s_b: bars leading span B stands to the right
  int lagging = 26;     // s_l: bars the lagging span stands to the left
};

// The set of `period` (32773 weekly, 32774 monthly, anything else daily) from the settings.
IchimokuPeriods IchimokuPeriodsOf(const SettingsRecord& settings, int period);

// One line as a run of consecutive window x positions: values[j] stands at x = firstX + j.
struct IchimokuLine {
  int firstX = 0;
  std::vector<int64_t> values;
  bool empty() const { return values.empty(); }
  int lastX() const { return firstX + static_cast<int>(values.size()) - 1; }
  // The value at window x; only for x within firstX .. lastX.
  int64_t at(int x) const { return values[static_cast<size_t>(x - firstX)]; }
};

struct IchimokuPoint {
  int x = 0;
  int64_t price = 0;
  bool operator==(const IchimokuPoint&) const = default;
};

struct IchimokuLines {
  // False when the span period is not below the bar count: then nothing but the background and
  // the date axis is drawn (no lines, no cloud, no bars).
  bool complete = false;
  IchimokuLine conversion;  // 転換線
  IchimokuLine base;        // 基準線
  IchimokuLine spanA;       // 先行スパンA: midpoint over the span period, shifted by s_a
  IchimokuLine spanB;       // 先行スパンB: mean of conversion and base, shifted by s_b
  IchimokuLine lagging;     // 遅行スパン: the close, shifted left by s_l
  // The cloud's outline: leading span B from the last bar back to the first span index, then
  // leading span A from that index forward to the last bar.
  std::vector<IchimokuPoint> cloud;
};

// The midpoint (lowest low + highest high) / 2, halved as integers, over bars max(0, k - p + 1)
// .. k, for every k of from .. count - 1; out[k - from]. A period below 1 counts as 1.
template <typename BarT>
std::vector<int64_t> MidpointSeries(const BarT* bars, int count, int period, int from);

// The lines of `count` bars of which the first `hidden` lie before the window. Periods below 1
// count as 1 and negative shifts as 0, so any settings give finite lines.
template <typename BarT>
IchimokuLines ComputeIchimokuLines(const BarT* bars, int count, int hidden,
                                   const IchimokuPeriods& periods);

}  // namespace korvale

#endif  // KORVALE_CHARTS_ICHIMOKU_LINES_H_
