#include "app/main_window_layout.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(MainWindowLayoutTest, AutomaticSpanGivesEachBarFourPixelsOfWhatTheBarsLeave) {
  EXPECT_EQ(AutomaticSpan(800, true, true), 145);   // (800 - 220) / 4
  EXPECT_EQ(AutomaticSpan(800, true, false), 172);  // (800 - 110) / 4
  EXPECT_EQ(AutomaticSpan(800, false, false), 200);
  EXPECT_EQ(AutomaticSpan(200, true, true), 1);     // computed as 220 wide: 0 -> at least 1
  EXPECT_EQ(AutomaticSpan(200, false, false), 55);  // 220 / 4
  EXPECT_EQ(AutomaticSpan(-5, false, true), 27);
}

TEST(MainWindowLayoutTest, SpanRuleWritesAllThreeSpansUnlessAFixedSpanIsSet) {
  SettingsRecord s;
  ApplySettingsDefaults(&s, "/x");
  EXPECT_TRUE(ApplyAutomaticSpan(&s, 800, true, true));  // first start: dailySpanDays 0
  EXPECT_EQ(s.dailySpanDays, 145);
  EXPECT_EQ(s.weeklySpanWeeks, 145);
  EXPECT_EQ(s.monthlySpanMonths, 145);
  EXPECT_FALSE(ApplyAutomaticSpan(&s, 800, true, true));
  s.dailySpanDays = 100;
  s.dailyAutoPeriod = 0;
  EXPECT_FALSE(ApplyAutomaticSpan(&s, 1600, false, false));
  EXPECT_EQ(s.dailySpanDays, 100);
  EXPECT_EQ(s.weeklySpanWeeks, 145);
  s.dailySpanDays = 0;  // no fixed span: automatic even with the flag off
  EXPECT_TRUE(ApplyAutomaticSpan(&s, 1600, false, false));
  EXPECT_EQ(s.dailySpanDays, 400);
  s.dailyAutoPeriod = 1;
  ApplyAutomaticSpan(&s, 1000000, false, false);
  EXPECT_EQ(s.dailySpanDays, 32767);
}

TEST(MainWindowLayoutTest, SizesOfTheWindowAndTheListBox) {
  SettingsRecord s;
  ApplySettingsDefaults(&s, "/x");
  EXPECT_EQ(InitialMainWindowSize(s, 1920, 1080).width, 800);
  EXPECT_EQ(InitialMainWindowSize(s, 640, 1080).height, 540);
  EXPECT_EQ(InitialMainWindowSize(s, 1024, 540).width, 640);
  s.dailyWindowWidth = 1000;
  EXPECT_EQ(InitialMainWindowSize(s, 1920, 1080).width, 800);  // both must be positive
  s.dailyWindowHeight = 700;
  EXPECT_EQ(InitialMainWindowSize(s, 1920, 1080).height, 700);
  EXPECT_EQ(StockListBoxHeight(118), 60);
  EXPECT_EQ(StockListBoxHeight(500), 442);
  EXPECT_EQ(StockListBoxHeight(117), 60);
}

}  // namespace
}  // namespace korvale
