#include "charts/price_table.h"

#include <algorithm>
#include <cstdio>

namespace korvale {

namespace {

constexpr PriceTableColumn kColumns[kPriceTableColumnCount] = {
    {"年月日", 86}, {"始値", 60}, {"高値", 60}, {"安値", 60}, {"終値", 60}, {"出来高", 60},
};

// "%6d" into a row field, reusing the field's capacity.
void AssignNumber(std::string* out, int32_t value) {
  char text[16];
  const int n = std::snprintf(text, sizeof text, "%6d", value);
  out->assign(text, static_cast<size_t>(std::max(n, 0)));
}

template <typename BarT>
void FillRows(const BarT* bars, int count, int limit, std::vector<PriceTableTexts>* rows) {
  const int n = std::clamp(limit, 0, std::max(count, 0));
  rows->resize(static_cast<size_t>(n));
  char date[32];
  for (int i = 0; i < n; ++i) {
    const BarT& b = bars[count - n + i];
    PriceTableTexts& row = (*rows)[static_cast<size_t>(i)];
    int length = 0;
    if constexpr (requires { b.day; }) {
      length = std::snprintf(date, sizeof date, "%04d/%02d/%02d", b.year, b.month, b.day);
    } else {
      length = std::snprintf(date, sizeof date, "%04d/%02d", b.year, b.month);
    }
    row[0].assign(date, static_cast<size_t>(std::max(length, 0)));
    AssignNumber(&row[1], b.open);
    AssignNumber(&row[2], b.high);
    AssignNumber(&row[3], b.low);
    AssignNumber(&row[4], b.close);
    AssignNumber(&row[5], b.volume);
  }
}

// The one-bar placeholder a chart shows for a stock without prices has no file behind it.
bool IsPlaceholder(const CPriceSeries& s) {
  return s.filePath.empty() && s.barCount() == 1 && s.bars[0].year == 0 && s.bars[0].month == 0;
}

}  // namespace

std::span<const PriceTableColumn> PriceTableColumns() { return kColumns; }

void FillPriceTableRows(const CPriceSeries& series, int kind, const SettingsRecord& settings,
                        std::vector<PriceTableTexts>* rows) {
  if (IsPlaceholder(series)) {
    rows->clear();
    return;
  }
  switch (kind) {
    case kTableDaily:
      FillRows(series.bars.data(), series.barCount(), settings.dailyTableDays, rows);
      break;
    case kTableWeekly:
      FillRows(series.weeks.data(), series.weekCount(), settings.weeklyTableWeeks, rows);
      break;
    case kTableMonthly:
      FillRows(series.months.data(), series.monthCount(), settings.monthlyTableMonths, rows);
      break;
    default:
      rows->clear();
  }
}

}  // namespace korvale
