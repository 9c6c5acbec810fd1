// The construction of the kagi chart (カギ足) apart from its drawing: the vertical strokes and
// horizontal joins of the line in drawing order, the columns it turns at, and the label of its
// last turn. x counts columns from 1; prices are yen.
#ifndef KORVALE_CHARTS_KAGI_LINES_H_
#define KORVALE_CHARTS_KAGI_LINES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/price_records.h"
#include "store/settings_record.h"

namespace korvale {

// One line of the chart, from (x1, price1) to (x2, price2).
struct KagiStroke {
  int x1 = 0;
  int64_t price1 = 0;
  int x2 = 0;
  int64_t price2 = 0;
  bool operator==(const KagiStroke&) const = default;
};

// One column of the line: it runs from `from` (reached at bar fromBar) to the extreme `to`
// (reached at bar toBar); the line turns at each column's end, and the last column ends where
// the line has got to.
struct KagiColumn {
  int x = 0;
  int32_t from = 0;
  int fromBar = 0;
  int32_t to = 0;
  int toBar = 0;
  bool rising = false;
};

struct KagiLabel {
  bool present = false;
  int x = 0;
  int64_t price = 0;        // the label stands on this price
  std::string text;         // "%ld(%d/%d)": the extreme turned at, month and day of its bar
  size_t beforeStroke = 0;  // written before strokes[beforeStroke]
};

struct KagiLines {
  bool drawn = false;  // false: fewer than 4 bars with a close above 0 from the first bar on
  int firstBar = 0;    // s
  bool percentMode = false;
  int amount = 0;             // kagiReversalPercent or kagiReversalYen, as in effect
  int32_t low = 0, high = 0;  // lowest and highest close above 0 from the first bar on
  int64_t offset = 0;         // trunc(0.05 * (high - low)): the label's drop below an upturn
  int segmentCount = 0;       // 2 plus one per reversal
  int xSpan = 31;             // 31, or segmentCount + 1 from 30 segments on
  std::vector<KagiStroke> strokes;
  std::vector<KagiColumn> columns;
  KagiLabel label;
};

// The kagi line of the daily bars under the settings' kagi fields. The line starts at the
// third close from the first bar, turns when a close goes beyond the column's extreme by more
// than the reversal amount (yen, or in percent mode trunc(close * percent * 0.01) recomputed
// from each bar's close), and only closes above 0 take part.
KagiLines ComputeKagiLines(const PriceBar* bars, int count, const SettingsRecord& settings);

}  // namespace korvale

#endif  // KORVALE_CHARTS_KAGI_LINES_H_
