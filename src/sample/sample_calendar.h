// Trading days of the sample database: weekdays without the new-year break and the national
// holidays (fixed-date, moving Monday and equinox holidays, with substitute Mondays).
#ifndef KORVALE_APP_SAMPLE_CALENDAR_H_
#define KORVALE_APP_SAMPLE_CALENDAR_H_

#include <cstdint>
#include <vector>

namespace korvale::sample {

struct TradingDay {
  int16_t year;
  int8_t month;
  int8_t day;
  int8_t weekday;  // 0 Sunday ... 6 Saturday
};

// The trading days of the years firstYear to lastYear, in order.
std::vector<TradingDay> TradingDays(int firstYear, int lastYear);

// True when the market is closed on that weekday date for a holiday.
bool IsMarketHoliday(int year, int month, int day);

}  // namespace korvale::sample

#endif  // KORVALE_APP_SAMPLE_CALENDAR_H_
