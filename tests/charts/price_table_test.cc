// The rows of the price table: how many, which bars and in which formats.
#include "charts/price_table.h"

#include <gtest/gtest.h>

#include "store/string_printf.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::DefaultSettings;
using testing::SeriesOf;

std::vector<PriceTableTexts> Rows(const CPriceSeries& s, int kind, const SettingsRecord& settings) {
  std::vector<PriceTableTexts> rows;
  FillPriceTableRows(s, kind, settings, &rows);
  return rows;
}

TEST(PriceTableTest, RowsAreTheNewestBarsOfTheKindOldestFirst) {
  std::vector<PriceBar> bars;
  for (int d = 2; d <= 31; ++d) {  // every day of January 2006 from Monday 2
    bars.push_back(Bar(2006, 1, d, 100 + d, 110 + d, 90 + d, 105 + d, 1000 * d));
  }
  bars.push_back(Bar(2006, 2, 1, 1234567, 1234568, 1, 1234560, 123456789));
  CPriceSeries s = SeriesOf(bars);
  s.BuildWeekly(0, nullptr);
  s.BuildMonthly();
  SettingsRecord settings = DefaultSettings();
  settings.dailyTableDays = 40;  // more than the 31 bars: all of them
  settings.weeklyTableWeeks = 2;
  settings.monthlyTableMonths = 5;

  const auto daily = Rows(s, kTableDaily, settings);
  ASSERT_EQ(daily.size(), 31u);
  EXPECT_EQ(daily[0],
            (PriceTableTexts{"2006/01/02", "   102", "   112", "    92", "   107", "  2000"}));
  // Numbers wider than six digits keep every digit.
  EXPECT_EQ(daily[30],
            (PriceTableTexts{"2006/02/01", "1234567", "1234568", "     1", "1234560", "123456789"}));
  settings.dailyTableDays = 3;
  EXPECT_EQ(Rows(s, kTableDaily, settings).front()[0], "2006/01/30");

  // The last two weekly bars as the series built them: the week from Sunday 29 January to
  // Wednesday 1 February, and the week before it.
  const auto weekly = Rows(s, kTableWeekly, settings);
  ASSERT_EQ(weekly.size(), 2u);
  const WeeklyBar& w = s.weeks[s.weekCount() - 1];
  EXPECT_EQ(weekly[1][0], "2006/01/29");
  EXPECT_EQ(weekly[1][1], "   129");
  EXPECT_EQ(weekly[1][2], "1234568");
  EXPECT_EQ(weekly[1][4], "1234560");
  EXPECT_EQ(weekly[1][5], StringPrintf("%6d", w.volume));  // the series' volume divisor applies
  EXPECT_EQ(weekly[0][0], "2006/01/22");

  const auto monthly = Rows(s, kTableMonthly, settings);
  ASSERT_EQ(monthly.size(), 2u);
  EXPECT_EQ(monthly[0], (PriceTableTexts{"2006/01", "   102", "   141", "    92", "   136",
                                       StringPrintf("%6d", s.months[0].volume)}));
  EXPECT_EQ(monthly[1][0], "2006/02");
}

TEST(PriceTableTest, NothingToShowGivesNoRows) {
  SettingsRecord settings = DefaultSettings();
  CPriceSeries empty;
  EXPECT_TRUE(Rows(empty, kTableDaily, settings).empty());
  EXPECT_TRUE(Rows(empty, kTableWeekly, settings).empty());  // weeks never built
  // The placeholder a stock without prices is shown as is not a day.
  CPriceSeries placeholder;
  placeholder.Reset();
  EXPECT_TRUE(Rows(placeholder, kTableMonthly, settings).empty());
  CPriceSeries s = SeriesOf({Bar(2006, 1, 4, 1, 1, 1, 1, 1)});
  settings.dailyTableDays = 0;
  EXPECT_TRUE(Rows(s, kTableDaily, settings).empty());
  settings.dailyTableDays = -5;
  EXPECT_TRUE(Rows(s, kTableDaily, settings).empty());
  EXPECT_TRUE(Rows(s, 32772, DefaultSettings()).empty());
}

}  // namespace
}  // namespace korvale
