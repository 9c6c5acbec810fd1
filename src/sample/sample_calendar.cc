#include "sample/sample_calendar.h"

#include <cstddef>

#include "store/week_of_year.h"

namespace korvale::sample {

namespace {

int Weekday(int y, int m, int d) {
  int weekday = 0;
  WeekOfYear(y, m, d, &weekday);
  return weekday;
}

// Day of month of the n-th Monday.
int NthMonday(int y, int m, int n) {
  const int first = Weekday(y, m, 1);
  const int firstMonday = 1 + (8 - first) % 7;
  return firstMonday + 7 * (n - 1);
}

// The equinox days by the usual approximation, good for 1980-2099.
int VernalEquinox(int y) {
  return static_cast<int>(20.8431 + 0.242194 * (y - 1980)) - (y - 1980) / 4;
}
int AutumnalEquinox(int y) {
  return static_cast<int>(23.2488 + 0.242194 * (y - 1980)) - (y - 1980) / 4;
}

// National holidays; the market's own new-year break is added by IsMarketHoliday.
bool IsNamedHoliday(int y, int m, int d) {
  switch (m) {
    case 1:
      return d == 1 || d == NthMonday(y, 1, 2);
    case 2:
      return d == 11 || (y >= 2020 && d == 23);
    case 3:
      return d == VernalEquinox(y);
    case 4:
      return d == 29;
    case 5:
      return d >= 3 && d <= 5;
    case 7:
      return y >= 2003 && d == NthMonday(y, 7, 3);
    case 8:
      return y >= 2016 && d == 11;
    case 9:
      return (y >= 2003 && d == NthMonday(y, 9, 3)) || d == AutumnalEquinox(y);
    case 10:
      return d == NthMonday(y, 10, 2);
    case 11:
      return d == 3 || d == 23;
    case 12:
      return y >= 1989 && y <= 2018 && d == 23;
  }
  return false;
}

}  // namespace

bool IsMarketHoliday(int y, int m, int d) {
  if ((m == 1 && d <= 3) || (m == 12 && d == 31)) return true;  // the new-year break
  if (IsNamedHoliday(y, m, d)) return true;
  // A holiday falling on a Sunday moves to the next day that is not a holiday itself.
  for (int back = 1; back <= 3; ++back) {
    int py = y, pm = m, pd = d - back;
    if (pd < 1) {
      if (--pm < 1) pm = 12, --py;
      pd += DaysInMonth(py, pm);
    }
    if (!IsNamedHoliday(py, pm, pd)) return false;
    if (Weekday(py, pm, pd) == 0) return true;
  }
  return false;
}

std::vector<TradingDay> TradingDays(int firstYear, int lastYear) {
  std::vector<TradingDay> days;
  days.reserve(static_cast<size_t>(lastYear - firstYear + 1) * 246);
  for (int y = firstYear; y <= lastYear; ++y) {
    for (int m = 1; m <= 12; ++m) {
      const int length = DaysInMonth(y, m);
      int weekday = Weekday(y, m, 1);
      for (int d = 1; d <= length; ++d, weekday = (weekday + 1) % 7) {
        if (weekday == 0 || weekday == 6 || IsMarketHoliday(y, m, d)) continue;
        days.push_back({static_cast<int16_t>(y), static_cast<int8_t>(m), static_cast<int8_t>(d),
                        static_cast<int8_t>(weekday)});
      }
    }
  }
  return days;
}

}  // namespace korvale::sample
