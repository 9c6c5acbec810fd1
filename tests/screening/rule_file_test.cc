// Writing and reading rule files.
#include "screening/rule_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <random>

#include "store/cp932.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

std::string DataFile(const std::string& name) {
  const auto bytes = testing::ReadBytes(std::string(KORVALE_TEST_DATA) + "/screening/" + name);
  return std::string(bytes.begin(), bytes.end());
}

ConditionSet NewSet(const SettingsRecord& settings = testing::DefaultSettings()) {
  ConditionSet s;
  InitConditionSet(&s, settings);
  return s;
}

// Every type on, with the values of the expected file full_rule.ERL.
ConditionSet FullSet() {
  ConditionSet s = NewSet();
  s.mode = 1;
  s.scoreThreshold = 2.5;
  for (int t = 0; t < kConditionTypeCount; ++t) {
    s.enabled[t] = 1;
    s.weights[t] = t * 0.25;
  }
  s.minPrice = 100;
  s.maxPrice = 5000;
  s.changePercent = 1.5;
  s.changeDirection = 1;
  s.volumeTimes = 2;
  s.dev1Value = -5.25;
  s.dev2Value = 10;
  s.dev2Direction = 1;
  s.rci1Value = -80;
  s.rci1Direction = 1;
  s.rci2Value = 50;
  s.positionChoice = 3;
  s.maCrossChoice = 5;
  s.levelZone = 1;
  s.levelPercent = 2.5;
  s.vrValue = 150;
  s.oscValue = 1.05;
  s.oscDirection = 1;
  s.rsi1Value = 30;
  s.rsi1Direction = 1;
  s.rsi2Value = 70;
  s.ichimoku1Choice = 2;
  s.ichimoku2Choice = 1;
  s.ichimoku3Choice = 6;
  s.stochKValue = 20;
  s.stochKDirection = 1;
  s.stochDValue = 80;
  s.trendLineChoice = 3;
  s.bbWidthValue = 12.5;
  s.bbBreakChoice = 1;
  s.cciValue = -100;
  s.cciDirection = 1;
  s.dmiAdxChoice = 2;
  s.dmiCrossChoice = 1;
  s.macdCrossChoice = 3;
  s.obvValue = 75;
  s.sarChoice = 1;
  s.corrValue = 60;
  s.devIndexValue = -20;
  s.devIndexDirection = 1;
  return s;
}

TEST(RuleFileTest, WritesTheExpectedBytes) {
  EXPECT_EQ(RuleFileText(FullSet()), DataFile("full_rule.ERL"));
  EXPECT_EQ(RuleFileText(NewSet()), DataFile("empty_rule.ERL"));
  // 4 header lines, then per type its key, values and weight.
  const std::string full = RuleFileText(FullSet());
  size_t keys = 0;
  for (size_t p = full.find("\r\n["); p != std::string::npos; p = full.find("\r\n[", p + 1)) {
    ++keys;
  }
  EXPECT_EQ(keys, 1u + 34u);
}

TEST(RuleFileTest, ReadsBackWhatItWrote) {
  const ConditionSet full = FullSet();
  ConditionSet back = NewSet();
  ParseRuleFileText(RuleFileText(full), &back);
  ConditionSet expected = full;
  expected.levelPercent = 2;  // written "%.lf": 2.5 rounds to even
  EXPECT_EQ(back.mode, expected.mode);
  EXPECT_EQ(back.scoreThreshold, expected.scoreThreshold);
  for (int t = 0; t < kConditionTypeCount; ++t) {
    EXPECT_EQ(back.enabled[t], expected.enabled[t]) << t;
    EXPECT_EQ(back.weights[t], expected.weights[t]) << t;
  }
  for (const ParamField& f : ConditionParamFields()) {
    EXPECT_EQ(GetConditionParam(back, f), GetConditionParam(expected, f)) << f.name;
  }
}

TEST(RuleFileTest, LevelPercentIsWrittenWithoutDecimals) {
  ConditionSet s = NewSet();
  s.enabled[10] = 1;
  for (auto [value, text] : {std::pair{2.5, "2"}, {3.5, "4"}, {2.51, "3"}}) {
    s.levelPercent = value;
    const std::string file = RuleFileText(s);
    EXPECT_NE(file.find("\r\n0\r\n" + std::string(text) + "\r\n0.00\r\n"), std::string::npos)
        << value;
  }
}

TEST(RuleFileTest, DirectionsAreWrittenInvertedAndReadBack) {
  ConditionSet s = NewSet();
  s.enabled[6] = 1;
  s.rci1Direction = 0;  // 以上
  EXPECT_NE(RuleFileText(s).find("0.000000\r\n1\r\n"), std::string::npos);
  const std::string rci = Utf8ToCp932("[RCI1]\r\n13\r\n-50\r\n");
  ConditionSet back = NewSet();
  ParseRuleFileText(rci + "1\r\n1.5\r\n", &back);
  EXPECT_EQ(back.rci1Direction, 0);
  EXPECT_EQ(back.rci1Value, -50);
  EXPECT_EQ(back.weights[6], 1.5);
  EXPECT_EQ(back.enabled[6], 1);
  ParseRuleFileText(rci + "0\r\n", &back);  // a hand-written 0
  EXPECT_EQ(back.rci1Direction, 1);
  ParseRuleFileText(rci + "7\r\n", &back);
  EXPECT_EQ(back.rci1Direction, 0);
}

TEST(RuleFileTest, DayCountsAreNotReadBack) {
  SettingsRecord settings = testing::DefaultSettings();
  ConditionSet s = NewSet(settings);
  s.enabled[15] = 1;
  const std::string file = RuleFileText(s);  // rsi1 days 14
  settings.rsiPeriod1 = 9;
  ConditionSet back = NewSet(settings);
  ParseRuleFileText(file, &back);
  EXPECT_EQ(back.rsi1Days, 9);
}

TEST(RuleFileTest, AMissingWeightIsZeroAndTheNextSectionStillCounts) {
  ConditionSet s = NewSet();
  s.weights[6] = 9;
  ParseRuleFileText(Utf8ToCp932("[RCI2]\r\n26\r\n10\r\n1\r\n[RCI1]\r\n13\r\n-20\r\n1\r\n"), &s);
  EXPECT_EQ(s.enabled[7], 1);
  EXPECT_EQ(s.weights[7], 0);
  EXPECT_EQ(s.rci2Value, 10);
  EXPECT_EQ(s.enabled[6], 1);
  EXPECT_EQ(s.rci1Value, -20);
  EXPECT_EQ(s.weights[6], 0);  // end of file: no weight
}

TEST(RuleFileTest, SectionsInAnyOrderRepeatedAndAmongOtherLines) {
  ConditionSet s = NewSet();
  const std::string text = Utf8ToCp932(
      "garbage\n[株価以下]\n900\n1\n"
      "[評価値]\n1.25\n"
      "[株価以下]\n800\n2\n"         // the last one wins
      "[株価以上]\n[株価以下]\n3\n"  // a value line that looks like a key is a value
      "[条件型]\n1\n");
  ParseRuleFileText(text, &s);
  EXPECT_EQ(s.mode, 1);
  EXPECT_EQ(s.scoreThreshold, 1.25);
  EXPECT_EQ(s.maxPrice, 800);
  EXPECT_EQ(s.weights[1], 2);
  EXPECT_EQ(s.enabled[0], 1);
  EXPECT_EQ(s.minPrice, 0);  // "[株価以下]" read as a number
  EXPECT_EQ(s.weights[0], 3);
  // LF-only lines and a missing last line end.
  ConditionSet t = NewSet();
  ParseRuleFileText(Utf8ToCp932("[条件型]\n1"), &t);
  EXPECT_EQ(t.mode, 1);
}

TEST(RuleFileTest, MalformedAndOverflowingNumbers) {
  ConditionSet s = NewSet();
  ParseRuleFileText(
      Utf8ToCp932("[株価以上]\n99999999999999999999\n1e999\n[株価以下]\n-99999999999\n"
                  "nan\n[出来高前日比]\n  +2.5x\n[条件型]\nabc\n"),
      &s);
  EXPECT_EQ(s.minPrice, 2147483647);  // saturated, not undefined
  EXPECT_TRUE(std::isinf(s.weights[0]));
  EXPECT_EQ(s.maxPrice, -2147483647 - 1);
  EXPECT_EQ(s.weights[1], 0);  // NaN is no weight
  EXPECT_EQ(s.volumeTimes, 2.5);
  EXPECT_EQ(s.mode, 0);
}

TEST(RuleFileTest, BinaryJunkAndHugeLinesNeverCrash) {
  std::mt19937 rng(7);
  const std::string keys = RuleFileText(FullSet());
  for (int round = 0; round < 200; ++round) {
    std::string junk;
    const int length = static_cast<int>(rng() % 4000);
    for (int i = 0; i < length; ++i) junk += static_cast<char>(rng());
    // Now and then a key line in between, so that sections start at the file's end.
    if (round % 2) junk.insert(rng() % (junk.size() + 1), keys.substr(rng() % keys.size()));
    ConditionSet s = NewSet();
    ParseRuleFileText(junk, &s);
    EXPECT_EQ(s.name[0], '\0');
  }
  ConditionSet s = NewSet();
  std::string huge = Utf8ToCp932("[株価前日比]\n") + std::string(100 * 1024, '7') + "\n" +
                     std::string(100 * 1024, 'x') + "\n";
  ParseRuleFileText(huge, &s);
  EXPECT_TRUE(std::isinf(s.changePercent));
  EXPECT_EQ(s.changeDirection, 1);
}

TEST(RuleFileTest, FileWritesAreAtomicAndFailuresReported) {
  testing::TempDir dir;
  const std::string path = dir.File("a.ERL");
  std::string error;
  ASSERT_TRUE(WriteRuleFile(path, FullSet(), &error)) << error;
  ConditionSet back = NewSet();
  ASSERT_TRUE(ReadRuleFileOver(path, &back));
  EXPECT_EQ(back.minPrice, 100);
  EXPECT_FALSE(WriteRuleFile(dir.File("no/such/folder/b.ERL"), FullSet(), &error));
  EXPECT_FALSE(error.empty());
  ConditionSet untouched = NewSet();
  EXPECT_FALSE(ReadRuleFileOver(dir.File("missing.ERL"), &untouched));
  EXPECT_EQ(untouched.enabled[0], 0);
}

}  // namespace
}  // namespace korvale
