// The one-line descriptions of the condition types.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>

#include "screening/condition_catalogue.h"
#include "support/screening_fixtures.h"

namespace korvale {
namespace {

ConditionSet NewSet() {
  ConditionSet s;
  InitConditionSet(&s, testing::DefaultSettings());
  return s;
}

TEST(ConditionDescribeTest, EachFormatWithItsValues) {
  ConditionSet s = NewSet();
  s.minPrice = 1200;
  s.maxPrice = -5;
  s.changePercent = 2.345;
  s.volumeTimes = 1.5;
  s.rci1Value = -80;
  s.rci1Direction = 1;
  s.positionChoice = 2;
  s.levelZone = 1;
  s.levelPercent = 2.5;
  s.oscValue = 1.05;
  s.obvValue = 75;
  s.corrValue = 60;
  s.sarChoice = 1;
  EXPECT_EQ(DescribeCondition(s, 0), "1200円以上");
  EXPECT_EQ(DescribeCondition(s, 1), "-5円以下");
  EXPECT_EQ(DescribeCondition(s, 2), "2.35%以上");  // 2.345 is stored just above
  EXPECT_EQ(DescribeCondition(s, 3), "1.50倍以上");
  EXPECT_EQ(DescribeCondition(s, 6), "(13日線) -80.00%以下");
  EXPECT_EQ(DescribeCondition(s, 8), "上：長期線／中：株価線／下：短期線");
  EXPECT_EQ(DescribeCondition(s, 10), "6ヶ月来安値圏から2.5%以内");
  EXPECT_EQ(DescribeCondition(s, 11), " ");
  EXPECT_EQ(DescribeCondition(s, 12), " ");
  EXPECT_EQ(DescribeCondition(s, 14), "(短期線/長期線) 1.05%以上");
  EXPECT_EQ(DescribeCondition(s, 28), "(5日線) 0.00%以上");
  EXPECT_EQ(DescribeCondition(s, 30), "   75.00%以上");
  EXPECT_EQ(DescribeCondition(s, 31), "SAR陰転");
  EXPECT_EQ(DescribeCondition(s, 32), "(130日) 60.00%以上");
  EXPECT_EQ(DescribeCondition(s, 33), "(130日) 0.00%以上");
  EXPECT_EQ(DescribeCondition(s, 34), " ");
  EXPECT_EQ(DescribeCondition(s, -1), " ");
}

TEST(ConditionDescribeTest, DayCountsFollowTheSettingsTheSetWasMadeWith) {
  SettingsRecord settings = testing::DefaultSettings();
  settings.rsiPeriod2 = 9;
  ConditionSet s;
  InitConditionSet(&s, settings);
  EXPECT_EQ(DescribeCondition(s, 16), "(9日線) 0.00%以上");
}

TEST(ConditionDescribeTest, AChoiceWithoutTextAndAHugeValueStayInTheBuffer) {
  ConditionSet s = NewSet();
  s.positionChoice = 17;
  EXPECT_EQ(DescribeCondition(s, 8), " ");
  s.changePercent = 1e300;  // 300 digits before the point
  char buffer[kDescriptionSize + 8];
  std::memset(buffer, 'Z', sizeof buffer);
  DescribeCondition(s, 2, buffer, kDescriptionSize);
  EXPECT_EQ(std::strlen(buffer), kDescriptionSize - 1);
  EXPECT_EQ(buffer[kDescriptionSize], 'Z');  // nothing written past the buffer
  // A cut never splits a multi-byte character: a small buffer ends before "以".
  s.changePercent = 1;
  char small[8];
  DescribeCondition(s, 2, small, sizeof small);
  EXPECT_STREQ(small, "1.00%");
}

TEST(ConditionDescribeTest, NumbersUseAPointWhateverTheLocale) {
  // A locale with a decimal comma, when the machine has one; the C locale otherwise.
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  ConditionSet s = NewSet();
  s.volumeTimes = 1.5;
  EXPECT_EQ(DescribeCondition(s, 3), "1.50倍以上");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

}  // namespace
}  // namespace korvale
