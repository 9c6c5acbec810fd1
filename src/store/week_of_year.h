// Sunday-based week numbers: week 1 holds 1 January, weeks begin on Sunday.
#ifndef KORVALE_STORE_WEEK_OF_YEAR_H_
#define KORVALE_STORE_WEEK_OF_YEAR_H_

namespace korvale {

bool IsLeapYear(int year);

// Week number of the date (1 .. 54) and its weekday in `weekday` (0 Sunday .. 6 Saturday; may
// be null). The last days of December and the first of January get different numbers even when
// they share a calendar week. A month outside 1..12 gives week 0 and weekday 0.
int WeekOfYear(int year, int month, int day, int* weekday);

// Days in a month of a year (0 for a month outside 1..12).
int DaysInMonth(int year, int month);

}  // namespace korvale

#endif  // KORVALE_STORE_WEEK_OF_YEAR_H_
