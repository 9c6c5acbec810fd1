// The rows of the price table window: the newest daily, weekly or monthly bars of a stock as
// the texts of the table's six columns.
#ifndef KORVALE_CHARTS_PRICE_TABLE_H_
#define KORVALE_CHARTS_PRICE_TABLE_H_

#include <array>
#include <span>
#include <string>
#include <vector>

#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

// The table's kinds; the command ids double as the stored values.
inline constexpr int kTableDaily = 32775;
inline constexpr int kTableWeekly = 32776;
inline constexpr int kTableMonthly = 32777;

struct PriceTableColumn {
  const char* caption;  // UTF-8
  int width;            // pixels
};

// "年月日" (86 pixels), "始値", "高値", "安値", "終値", "出来高" (60 each), in order.
std::span<const PriceTableColumn> PriceTableColumns();

inline constexpr int kPriceTableColumnCount = 6;
// One row's texts in column order.
using PriceTableTexts = std::array<std::string, kPriceTableColumnCount>;

// The rows of a table kind, oldest first: the last dailyTableDays daily bars, the last
// weeklyTableWeeks weekly or the last monthlyTableMonths monthly bars of the series (all when
// there are fewer; none for a count below 1, a kind that is none of the three, or the
// placeholder a stock without prices is shown as). Dates
// "%04d/%02d/%02d" (the weekly bar's date) or "%04d/%02d" for months; open, high, low, close and
// volume "%6d". The weekly and monthly bars are read as the series holds them: build them first.
// `rows` keeps its capacity, so refilling a table allocates only while it grows.
void FillPriceTableRows(const CPriceSeries& series, int kind, const SettingsRecord& settings,
                        std::vector<PriceTableTexts>* rows);

}  // namespace korvale

#endif  // KORVALE_CHARTS_PRICE_TABLE_H_
