#include "store/week_of_year.h"

namespace korvale {

namespace {
constexpr int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int Mod7(int v) { return ((v % 7) + 7) % 7; }
}  // namespace

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return kMonthLength[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

int WeekOfYear(int y, int m, int d, int* weekday) {
  if (m < 1 || m > 12) {
    if (weekday) *weekday = 0;
    return 0;
  }
  const bool leap = IsLeapYear(y);
  const int janFirst = Mod7(y + (y - 1) / 4 - (y - 1) / 100 + (y - 1) / 400);
  const int daysBefore = kDaysBefore[m - 1] + (m > 2 && leap ? 1 : 0);
  if (weekday) *weekday = Mod7(janFirst + daysBefore + d - 1);
  return (janFirst + daysBefore + d - 1) / 7 + 1;
}

}  // namespace korvale
