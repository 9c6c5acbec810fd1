#include "store/week_of_year.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(WeekOfYearTest, WeekOneHoldsTheFirstOfJanuaryAndWeeksBeginOnSunday) {
  int weekday = -1;
  // 2006-01-01 was a Sunday.
  EXPECT_EQ(WeekOfYear(2006, 1, 1, &weekday), 1);
  EXPECT_EQ(weekday, 0);
  EXPECT_EQ(WeekOfYear(2006, 1, 7, &weekday), 1);
  EXPECT_EQ(weekday, 6);
  EXPECT_EQ(WeekOfYear(2006, 1, 8, &weekday), 2);
  EXPECT_EQ(weekday, 0);
  // 2005-01-01 was a Saturday: week 1 is a single day.
  EXPECT_EQ(WeekOfYear(2005, 1, 1, &weekday), 1);
  EXPECT_EQ(weekday, 6);
  EXPECT_EQ(WeekOfYear(2005, 1, 2, &weekday), 2);
}

TEST(WeekOfYearTest, YearEndAndNewYearInOneCalendarWeekGetDifferentNumbers) {
  int weekday = -1;
  // Wednesday 2008-12-31 and Thursday 2009-01-01.
  EXPECT_EQ(WeekOfYear(2008, 12, 31, &weekday), 53);
  EXPECT_EQ(weekday, 3);
  EXPECT_EQ(WeekOfYear(2009, 1, 1, &weekday), 1);
  EXPECT_EQ(weekday, 4);
  // 2000 was a leap year starting on Saturday: 31 December is in week 54.
  EXPECT_EQ(WeekOfYear(2000, 12, 31, &weekday), 54);
  EXPECT_EQ(weekday, 0);
}

TEST(WeekOfYearTest, LeapYearsShiftDatesAfterFebruary) {
  int weekday = -1;
  EXPECT_EQ(WeekOfYear(2004, 3, 1, &weekday), 10);
  EXPECT_EQ(weekday, 1);  // Monday
  EXPECT_EQ(WeekOfYear(2100, 3, 1, &weekday), 10);
  EXPECT_EQ(weekday, 1);  // 2100 is not a leap year; 1 March 2100 is a Monday
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_EQ(DaysInMonth(2004, 2), 29);
  EXPECT_EQ(DaysInMonth(2005, 2), 28);
}

TEST(WeekOfYearTest, NonsenseDatesDoNotReadOutsideTheTables) {
  int weekday = -1;
  EXPECT_EQ(WeekOfYear(2006, 0, 0, &weekday), 0);
  EXPECT_EQ(WeekOfYear(2006, 13, 1, &weekday), 0);
  EXPECT_EQ(WeekOfYear(0, -3, 1, &weekday), 0);
  WeekOfYear(-5, 2, 100, &weekday);
  EXPECT_GE(weekday, 0);
  EXPECT_LE(weekday, 6);
}

}  // namespace
}  // namespace korvale
