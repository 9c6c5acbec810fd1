// Weekly bars with margin balances, and monthly bars, derived from the daily bars.
#include <algorithm>

#include "store/file_io.h"
#include "store/price_series.h"
#include "store/record_file.h"
#include "store/week_of_year.h"

namespace korvale {

namespace {

// Daily volumes are divided by 1000 before summing when the first day traded above ten million.
int32_t VolumeDivisor(const std::vector<PriceBar>& bars) {
  return !bars.empty() && bars[0].volume > 10000000 ? 1000 : 1;
}

bool SkippedInDerivedBars(const PriceBar& b) { return b.year <= 0 || b.month < 1 || b.month > 12; }

WeeklyBar StartWeek(const PriceBar& b, int32_t volume) {
  WeeklyBar w;
  w.year = b.year;
  w.month = b.month;
  w.day = b.day;
  w.week = static_cast<int8_t>(WeekOfYear(b.year, b.month, b.day, nullptr));
  w.open = b.open;
  w.high = b.high;
  w.low = b.low;
  w.close = b.close;
  w.volume = volume;
  return w;
}

MonthlyBar StartMonth(const PriceBar& b, int32_t volume) {
  MonthlyBar m;
  m.year = b.year;
  m.month = b.month;
  m.open = b.open;
  m.high = b.high;
  m.low = b.low;
  m.close = b.close;
  m.volume = volume;
  return m;
}

template <typename Bar>
void MergeDay(Bar* into, const PriceBar& b, int32_t volume) {
  into->high = std::max(into->high, b.high);
  into->low = std::min(into->low, b.low);
  into->close = b.close;
  // Wraps like the 32-bit sum it is; done unsigned so that the wrap is defined.
  into->volume = static_cast<int32_t>(static_cast<uint32_t>(into->volume) +
                                      static_cast<uint32_t>(volume));
}

}  // namespace

void CPriceSeries::BuildWeekly(int barIndex, int* weekIndex) {
  if (weekIndex) *weekIndex = 0;
  weeks.clear();
  if (barCount() <= 0) return;
  const int32_t divisor = VolumeDivisor(bars);
  weeks.push_back(StartWeek(bars[0], 0));
  for (int32_t i = 0; i < barCount(); ++i) {
    const PriceBar& b = bars[i];
    if (SkippedInDerivedBars(b)) continue;
    if (i == barIndex && weekIndex) *weekIndex = static_cast<int>(weeks.size()) - 1;
    const int8_t week = static_cast<int8_t>(WeekOfYear(b.year, b.month, b.day, nullptr));
    if (week == weeks.back().week) {
      MergeDay(&weeks.back(), b, b.volume / divisor);
    } else {
      weeks.push_back(StartWeek(b, b.volume / divisor));
    }
  }

  marginProblem_.clear();
  if (marginPath.empty()) return;
  ByteBuffer data;
  if (ReadRecordFile(marginPath, kMarginRecordSize, kMaxMarginFileRecords, 0, &data,
                     &marginProblem_) != RecordFileRead::kRead) {
    return;
  }
  const size_t count = data.size() / kMarginRecordSize;
  for (size_t r = 0; r < count; ++r) {
    MarginRecord m = DecodeMarginRecord(data.data() + r * kMarginRecordSize);
    if (m.month < 1 || m.month > 12 || m.day < 1 || m.day > 31) continue;
    const int week = WeekOfYear(m.year, m.month, m.day, nullptr);
    for (WeeklyBar& w : weeks) {
      if (w.year == m.year && w.week == week) {
        w.marginSell = m.sell;
        w.marginBuy = m.buy;
        break;
      }
    }
  }
}

void CPriceSeries::BuildMonthly() {
  months.clear();
  if (barCount() <= 0) return;
  months.reserve(static_cast<size_t>(barCount()) / 15 + 2);
  const int32_t divisor = VolumeDivisor(bars);
  months.push_back(StartMonth(bars[0], 0));
  for (int32_t i = 0; i < barCount(); ++i) {
    const PriceBar& b = bars[i];
    if (SkippedInDerivedBars(b)) continue;
    if (b.month == months.back().month) {
      MergeDay(&months.back(), b, b.volume / divisor);
    } else {
      months.push_back(StartMonth(b, b.volume / divisor));
    }
  }
}

}  // namespace korvale
