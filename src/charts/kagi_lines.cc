#include "charts/kagi_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "charts/auxiliary_chart.h"
#include "store/string_printf.h"

namespace korvale {

KagiLines ComputeKagiLines(const PriceBar* bars, int count, const SettingsRecord& s) {
  KagiLines k;
  k.percentMode = s.kagiReversalMode != 0;
  k.amount = k.percentMode ? s.kagiReversalPercent : s.kagiReversalYen;
  k.firstBar = AuxiliaryFirstBar(count, s.kagiSpanDays, s.kagiAllPeriod != 0);
  const std::vector<BarClose> c = PositiveClosesFrom(bars, count, k.firstBar);
  const int n = static_cast<int>(c.size());
  if (n < 4) return k;
  k.drawn = true;
  k.low = k.high = c[0].close;
  for (const BarClose& b : c) {
    k.low = std::min(k.low, b.close);
    k.high = std::max(k.high, b.close);
  }
  k.offset = static_cast<int64_t>(std::trunc(0.05 * (int64_t{k.high} - k.low)));

  // The line starts with the third and fourth closes: one column, preceded by a short join at
  // the start when that first move is larger than the yen amount.
  int x = 1;
  const int64_t c2 = c[2].close, c3 = c[3].close;
  if (std::llabs(c3 - c2) > s.kagiReversalYen) {
    k.strokes.push_back({1, c2, 2, c2});
    x = 2;
  }
  k.strokes.push_back({x, c2, x, c3});
  bool up = c2 < c3;
  k.columns.push_back({x, c[2].close, c[2].bar, c[3].close, c[3].bar, up});

  size_t lastTurnStroke = 0;
  for (int i = 4; i < n; ++i) {
    const int64_t prev = c[i - 1].close, v = c[i].close;
    const int64_t r =
        k.percentMode ? static_cast<int64_t>(std::trunc(static_cast<double>(v) * k.amount * 0.01))
                      : int64_t{s.kagiReversalYen};
    KagiColumn& column = k.columns.back();
    const int64_t extreme = column.to;
    if (up ? v > prev : v < prev) {
      k.strokes.push_back({x, prev, x, v});
      if (up ? v > extreme : v < extreme) {
        column.to = c[i].close;
        column.toBar = c[i].bar;
      }
    } else if (up ? v < extreme - r : v > extreme + r) {
      k.strokes.push_back({x, extreme, x + 1, extreme});
      ++x;
      lastTurnStroke = k.strokes.size();
      k.strokes.push_back({x, extreme, x, v});
      up = !up;
      k.columns.push_back({x, column.to, column.toBar, c[i].close, c[i].bar, up});
    }
  }

  k.segmentCount = 1 + static_cast<int>(k.columns.size());
  k.xSpan = k.segmentCount < 30 ? 31 : k.segmentCount + 1;
  if (k.columns.size() > 1) {
    // Only the last turn is labelled: its extreme, standing just above a line that turned down
    // or the offset below one that turned up.
    const KagiColumn& turned = k.columns.back();
    const PriceBar& bar = bars[turned.fromBar];
    k.label.present = true;
    k.label.x = turned.x - 1;
    k.label.price = turned.rising ? int64_t{turned.from} - k.offset : int64_t{turned.from} + 1;
    k.label.text = StringPrintf("%ld(%d/%d)", static_cast<long>(turned.from), bar.month, bar.day);
    k.label.beforeStroke = lastTurnStroke;
  }
  return k;
}

}  // namespace korvale
