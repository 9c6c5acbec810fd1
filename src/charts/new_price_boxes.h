// The construction of the new-price chart (新値足, a line-break chart) apart from its drawing:
// its boxes, the labels at its reversals and the mark of a reversal on the last bar. x counts
// columns from 1; prices are yen.
#ifndef KORVALE_CHARTS_NEW_PRICE_BOXES_H_
#define KORVALE_CHARTS_NEW_PRICE_BOXES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/price_records.h"
#include "store/settings_record.h"

namespace korvale {

// One box from column x to x + 1, from the price `from` to the close `to` of bar `bar`.
struct NewPriceBox {
  int x = 0;
  int32_t from = 0;
  int32_t to = 0;
  bool rising = false;
  int bar = 0;
};

// A label at a reversal: "%ld" of the box end the line turned at, or "%ld(%d/%d)" with the
// month and day of its bar at the last reversal; it stands on (x, price).
struct NewPriceLabel {
  int x = 0;
  int64_t price = 0;
  std::string text;
  size_t beforeBox = 0;  // written before boxes[beforeBox]
};

struct NewPriceBoxes {
  bool drawn = false;  // false: fewer than n + 1 (and 4) bars with a close above 0
  int firstBar = 0;    // s
  int lines = 3;       // n: the reversal lines in effect (below 1 counts as 3, above 10 as 10)
  int32_t low = 0, high = 0;  // lowest and highest close above 0 from the first bar on
  int64_t base = 0;           // trunc(0.1 * range): where the low stands above the bottom
  int64_t drop = 0;           // trunc(0.04 * range): a downturn's label below its box
  int xSpan = 80;             // boxes + 8, at least 80
  std::vector<NewPriceBox> boxes;
  std::vector<NewPriceLabel> labels;
  bool marksLastClose = false;  // a reversal on the last bar: a short line at that close
  int markX = 0;
  int32_t markPrice = 0;
};

// The reversal lines of the settings as the chart uses them: below 1 counts as 3, above 10 as
// 10.
int NewPriceLines(int reversalLines);

// The boxes of the daily bars under the settings' new-price fields. A new box stands when a
// close goes beyond every one of the last n boxes; the line reverses when a close goes beyond
// all n of them the other way. Only closes above 0 take part.
NewPriceBoxes ComputeNewPriceBoxes(const PriceBar* bars, int count, const SettingsRecord& settings);

}  // namespace korvale

#endif  // KORVALE_CHARTS_NEW_PRICE_BOXES_H_
