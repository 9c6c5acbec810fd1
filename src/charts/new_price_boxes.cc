#include "charts/new_price_boxes.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "charts/auxiliary_chart.h"
#include "store/string_printf.h"

namespace korvale {

int NewPriceLines(int reversalLines) {
  if (reversalLines < 1) return 3;
  return std::min(reversalLines, 10);
}

NewPriceBoxes ComputeNewPriceBoxes(const PriceBar* bars, int count, const SettingsRecord& s) {
  NewPriceBoxes r;
  r.lines = NewPriceLines(s.newPriceReversalLines);
  r.firstBar = AuxiliaryFirstBar(count, s.newPriceSpanDays, s.newPriceAllPeriod != 0);
  const std::vector<BarClose> c = PositiveClosesFrom(bars, count, r.firstBar);
  const int n = static_cast<int>(c.size());
  const int lines = r.lines;
  if (n < std::max(lines + 1, 4)) return r;
  r.drawn = true;
  r.low = r.high = c[0].close;
  for (const BarClose& b : c) {
    r.low = std::min(r.low, b.close);
    r.high = std::max(r.high, b.close);
  }
  const int64_t range = int64_t{r.high} - r.low;
  r.base = static_cast<int64_t>(std::trunc(0.1 * range));
  r.drop = static_cast<int64_t>(std::trunc(0.04 * range));

  // The last n boxes' bottoms and tops, oldest first. They start as n copies of the move from
  // the second to the third close, which also sets the first direction; the first box stands
  // on the move from the third to the fourth.
  std::deque<int32_t> bottoms(lines, std::min(c[1].close, c[2].close));
  std::deque<int32_t> tops(lines, std::max(c[1].close, c[2].close));
  bool up = c[1].close < c[2].close;
  r.boxes.push_back({1, c[2].close, c[3].close, up, c[3].bar});
  int32_t last = c[3].close;  // the end of the newest box
  int lastBar = c[3].bar;
  int x = 2;
  int lastTurnBar = -1;  // the bar of the end the line last turned at

  // Every close after the first box is judged once, whatever n is. A box only ever grows away
  // from the newest box's end, so a first box that does not follow the first direction never
  // makes a box run backwards.
  for (int i = 4; i < n; ++i) {
    const int32_t v = c[i].close;
    const int32_t highest = *std::max_element(tops.begin(), tops.end());
    const int32_t lowest = *std::min_element(bottoms.begin(), bottoms.end());
    if (up ? v > highest && v > last : v < lowest && v < last) {
      r.boxes.push_back({x + 1, last, v, up, c[i].bar});
      bottoms.pop_front();
      tops.pop_front();
      bottoms.push_back(std::min(last, v));
      tops.push_back(std::max(last, v));
      ++x;
    } else if (up ? v < lowest && v < last : v > highest && v > last) {
      // Labelled at the end turned at: just above a top, or `drop` below a bottom.
      const int64_t at = up ? int64_t{last} + 1 : int64_t{last} - r.drop;
      r.labels.push_back({x - 2, at, StringPrintf("%ld", static_cast<long>(last)), r.boxes.size()});
      lastTurnBar = lastBar;
      ++x;
      up = !up;
      r.boxes.push_back({x, last, v, up, c[i].bar});
      std::fill(bottoms.begin(), bottoms.end(), std::min(last, v));
      std::fill(tops.begin(), tops.end(), std::max(last, v));
      if (i == n - 1) {
        r.marksLastClose = true;
        r.markX = x;
        r.markPrice = v;
      }
    } else {
      continue;
    }
    last = v;
    lastBar = c[i].bar;
  }
  if (!r.labels.empty()) {
    const PriceBar& bar = bars[lastTurnBar];
    r.labels.back().text += StringPrintf("(%d/%d)", bar.month, bar.day);
  }
  r.xSpan = std::max(static_cast<int>(r.boxes.size()) + 8, 80);
  return r;
}

}  // namespace korvale
