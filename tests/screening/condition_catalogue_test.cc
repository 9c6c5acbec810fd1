// The tests of the condition types, the two evaluation modes and the catalogue's texts.
#include "screening/condition_catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "support/screening_fixtures.h"

namespace korvale {
namespace {

ConditionSet NewSet() {
  ConditionSet s;
  InitConditionSet(&s, testing::DefaultSettings());
  return s;
}

TEST(ConditionSetTest, InitCopiesTheDayCountsFromTheSettings) {
  SettingsRecord settings = testing::DefaultSettings();
  settings.rciPeriod2 = 31;
  settings.weeklyIndexPeriod = 10;
  ConditionSet s;
  std::memset(&s, 0x5A, sizeof s);
  InitConditionSet(&s, settings);
  EXPECT_EQ(s.mode, 0);
  EXPECT_EQ(s.scoreThreshold, 0);
  EXPECT_EQ(s.name[0], '\0');
  for (int t = 0; t < kConditionTypeCount; ++t) {
    EXPECT_EQ(s.enabled[t], 0);
    EXPECT_EQ(s.weights[t], 0);
  }
  EXPECT_EQ(s.levelMonths, 6);
  EXPECT_EQ(s.dev1Days, 65);
  EXPECT_EQ(s.dev2Days, 130);
  EXPECT_EQ(s.oscLongDays, 130);
  EXPECT_EQ(s.oscShortDays, 65);
  EXPECT_EQ(s.rci2Days, 31);
  EXPECT_EQ(s.vrDays, 25);
  EXPECT_EQ(s.stochDDays, 12);  // the %K period, as for %K
  EXPECT_EQ(s.macdDays, 5);
  EXPECT_EQ(s.bbWidthDays, 21);
  EXPECT_EQ(s.corrDays, 50);
  EXPECT_EQ(s.devIndexDays, 50);
  EXPECT_EQ(s.rsi1Value, 0);
  EXPECT_EQ(s.obvDirection, 0);
}

TEST(ConditionSetTest, NamesAreCutWithoutSplittingADoubleByteCharacter) {
  ConditionSet s = NewSet();
  // 62 single bytes and then a two-byte character: the character does not fit in 63 bytes.
  std::string name(62, 'a');
  name += "\x82\xa0";  // あ
  SetConditionSetName(&s, name);
  EXPECT_EQ(std::string(s.name), std::string(62, 'a'));
  SetConditionSetName(&s, std::string(61, 'a') + "\x82\xa0xyz");
  EXPECT_EQ(std::string(s.name), std::string(61, 'a') + "\x82\xa0");
  SetConditionSetName(&s, std::string(200, 'b'));
  EXPECT_EQ(std::strlen(s.name), 63u);
}

TEST(ConditionCatalogueTest, NamesAndTextsAsTheListShowsThem) {
  EXPECT_STREQ(ConditionTypeName(0), "株価下限");
  EXPECT_STREQ(ConditionTypeName(10), "株価水準　　　　");  // four ideographic spaces
  EXPECT_STREQ(ConditionTypeName(26), "ＤＭＩ－ＡＤＸ　");
  EXPECT_STREQ(ConditionTypeName(33), "インデックス偏差");
  EXPECT_STREQ(ConditionTypeName(34), "");
  EXPECT_STREQ(ConditionChoiceText(19, 1), "株価線が抵抗帯に上から突入");
  EXPECT_STREQ(ConditionChoiceText(29, 3), "MACDが±０ライン下抜いた");
  EXPECT_STREQ(ConditionChoiceText(10, 1), "安値圏");
  EXPECT_EQ(ConditionChoiceText(8, 6), nullptr);
  EXPECT_EQ(ConditionChoiceText(8, -1), nullptr);
  EXPECT_EQ(ConditionChoiceText(2, 0), nullptr);
  EXPECT_EQ(ConditionChoiceCount(19), 7);
  EXPECT_STREQ(DirectionText(0), "以上");
  EXPECT_STREQ(DirectionText(1), "以下");
}

// The direction test of each numeric type at its bounds.
TEST(ConditionCatalogueTest, ThresholdsAreClampedToTheFieldsRangeAndInvalidMarkersRejected) {
  ConditionSet s = NewSet();
  AnalysisRecord r;
  // RCI at or above -150 acts as -100: every valid value passes, the marker -10000 does not.
  s.rci1Value = -150;
  r.rci1 = -100;
  EXPECT_TRUE(TestCondition(s, 6, r));
  r.rci1 = -10000;
  EXPECT_FALSE(TestCondition(s, 6, r));
  // RCI at or below 150 acts as 100.
  s.rci1Direction = 1;
  s.rci1Value = 150;
  r.rci1 = 100;
  EXPECT_TRUE(TestCondition(s, 6, r));
  r.rci1 = -10000;
  EXPECT_FALSE(TestCondition(s, 6, r));

  // Volume ratio at or above 0: the marker fails, 0 passes; 10000 is beyond the open end.
  s.vrValue = 0;
  r.volumeRatio = -10000;
  EXPECT_FALSE(TestCondition(s, 13, r));
  r.volumeRatio = 0;
  EXPECT_TRUE(TestCondition(s, 13, r));
  r.volumeRatio = 10000;
  EXPECT_FALSE(TestCondition(s, 13, r));
  s.vrDirection = 1;
  s.vrValue = 10000;
  EXPECT_TRUE(TestCondition(s, 13, r));  // at or below accepts it
  s.vrValue = 20000;
  EXPECT_TRUE(TestCondition(s, 13, r));
  s.vrValue = 9999;
  EXPECT_FALSE(TestCondition(s, 13, r));

  // Band width likewise.
  r.bollingerWidth = 10000;
  s.bbWidthValue = 5;
  EXPECT_FALSE(TestCondition(s, 23, r));
  s.bbWidthDirection = 1;
  s.bbWidthValue = 10000;
  EXPECT_TRUE(TestCondition(s, 23, r));
  r.bollingerWidth = -1000;
  EXPECT_FALSE(TestCondition(s, 23, r));

  // CCI: both ends open.
  s.cciDirection = 1;
  s.cciValue = 0;
  r.cci = -500;
  EXPECT_FALSE(TestCondition(s, 25, r));
  r.cci = -499.5;
  EXPECT_TRUE(TestCondition(s, 25, r));
  // MACD 1000 fails at or above; index correlation 100 fails at or above; OBV 100 passes.
  s.macdValue = 0;
  r.macdLevel = 1000;
  EXPECT_FALSE(TestCondition(s, 28, r));
  r.macdLevel = 999;
  EXPECT_TRUE(TestCondition(s, 28, r));
  r.macdLevel = -1000;  // the marker
  s.macdDirection = 1;
  EXPECT_FALSE(TestCondition(s, 28, r));
  s.corrValue = 50;
  r.indexCorrelation = 100;
  EXPECT_FALSE(TestCondition(s, 32, r));
  r.indexCorrelation = 99.9;
  EXPECT_TRUE(TestCondition(s, 32, r));
  s.obvValue = 50;
  r.obvLevel = 100;
  EXPECT_TRUE(TestCondition(s, 30, r));
  s.obvDirection = 1;  // the type's own direction field
  EXPECT_FALSE(TestCondition(s, 30, r));
  s.devIndexDirection = 1;
  s.devIndexValue = 0;
  r.indexDeviation = -100;
  EXPECT_FALSE(TestCondition(s, 33, r));
  r.indexDeviation = -99;
  EXPECT_TRUE(TestCondition(s, 33, r));

  // RSI and stochastics: closed ends, markers -10000 and -1000 rejected both ways.
  for (int type : {15, 16, 20, 21}) {
    ConditionSet t = NewSet();
    AnalysisRecord v;
    v.rsi1 = v.rsi2 = v.stochK = v.stochD = 100;
    EXPECT_TRUE(TestCondition(t, type, v)) << type;
    v.rsi1 = v.rsi2 = -10000;
    v.stochK = v.stochD = -1000;
    t.rsi1Direction = t.rsi2Direction = t.stochKDirection = t.stochDDirection = 1;
    t.rsi1Value = t.rsi2Value = t.stochKValue = t.stochDValue = 50;
    EXPECT_FALSE(TestCondition(t, type, v)) << type;
  }
}

TEST(ConditionCatalogueTest, OscillatorDirectionsAreAsymmetric) {
  ConditionSet s = NewSet();
  AnalysisRecord r;  // oscillator -10000: no long average
  s.oscValue = -20000;
  EXPECT_FALSE(TestCondition(s, 14, r));  // at or above: never below 0
  s.oscDirection = 1;
  s.oscValue = 1.0;
  EXPECT_TRUE(TestCondition(s, 14, r));  // at or below: no lower bound, the marker passes
  r.oscillator = 1.05;
  EXPECT_FALSE(TestCondition(s, 14, r));
  s.oscDirection = 0;
  EXPECT_TRUE(TestCondition(s, 14, r));
}

TEST(ConditionCatalogueTest, PriceLevelTruncatesTheBoundary) {
  ConditionSet s = NewSet();
  AnalysisRecord r;
  s.levelPercent = 10;
  r.periodHigh = 1000;
  r.lastClose = 901;
  EXPECT_TRUE(TestCondition(s, 10, r));
  r.lastClose = 900;  // trunc(90 * 1000 * 0.01) = 900
  EXPECT_FALSE(TestCondition(s, 10, r));
  // Low zone: below trunc((P + 100) * low * 0.01); 2.5 % over 1001 is 1026.025 -> 1026.
  s.levelZone = 1;
  s.levelPercent = 2.5;
  r.periodLow = 1001;
  r.lastClose = 1025;
  EXPECT_TRUE(TestCondition(s, 10, r));
  r.lastClose = 1026;
  EXPECT_FALSE(TestCondition(s, 10, r));
  s.levelPercent = 1e300;  // no integer overflow
  EXPECT_TRUE(TestCondition(s, 10, r));
}

TEST(ConditionCatalogueTest, PriceVolumeAndDeviationTests) {
  ConditionSet s = NewSet();
  AnalysisRecord r;
  r.lastClose = 500;
  s.minPrice = 500;
  s.maxPrice = 499;
  EXPECT_TRUE(TestCondition(s, 0, r));
  EXPECT_FALSE(TestCondition(s, 1, r));
  r.priceChangePercent = -3;
  s.changePercent = -3;
  EXPECT_TRUE(TestCondition(s, 2, r));
  s.changePercent = -2.9;
  EXPECT_FALSE(TestCondition(s, 2, r));
  s.changeDirection = 1;
  EXPECT_TRUE(TestCondition(s, 2, r));
  r.volumeChange = 1.5;
  s.volumeTimes = 1.5;
  EXPECT_TRUE(TestCondition(s, 3, r));
  s.volumeTimes = 1.51;
  EXPECT_FALSE(TestCondition(s, 3, r));

  // Deviation from the short average 400: +25 %.
  r.maShort = 400;
  s.dev1Value = 25;
  EXPECT_TRUE(TestCondition(s, 4, r));
  s.dev1Value = 25.1;
  EXPECT_FALSE(TestCondition(s, 4, r));
  s.dev1Direction = 1;
  EXPECT_TRUE(TestCondition(s, 4, r));
  r.maShort = 0;  // no average: fails both ways
  EXPECT_FALSE(TestCondition(s, 4, r));
  s.dev1Direction = 0;
  s.dev1Value = -50;
  EXPECT_FALSE(TestCondition(s, 4, r));
  // Long average 0.01: +4,999,900 % lies beyond the 10000 bound.
  r.maLong = 0.01;
  s.dev2Value = 0;
  EXPECT_FALSE(TestCondition(s, 5, r));
  r.maLong = 1000;  // -50 %
  s.dev2Direction = 1;
  s.dev2Value = -50;
  EXPECT_TRUE(TestCondition(s, 5, r));
}

TEST(ConditionCatalogueTest, ChoicesMatchTheRecordsCodes) {
  ConditionSet s = NewSet();
  AnalysisRecord r;
  r.positionCode = 3;
  r.crossFlags = 16 | 64;
  r.ichimokuCross = 2;
  r.ichimokuSlope = 1;
  r.ichimokuCloud = 6;
  r.trendLineCode = 3;
  r.bollingerBreak = 1;
  r.dmiAdxCode = 2;
  r.dmiCrossCode = 0;
  r.macdCrossCode = 3;
  r.sarCode = 0;
  s.positionChoice = 3;
  s.maCrossChoice = 4;  // bit 16
  s.ichimoku1Choice = 2;
  s.ichimoku2Choice = 1;
  s.ichimoku3Choice = 6;
  s.trendLineChoice = 3;
  s.bbBreakChoice = 1;
  s.dmiAdxChoice = 2;
  s.dmiCrossChoice = 0;
  s.macdCrossChoice = 3;
  s.sarChoice = 0;
  for (int type : {8, 9, 11, 17, 18, 19, 22, 24, 26, 27, 29, 31}) {
    EXPECT_TRUE(TestCondition(s, type, r)) << type;
  }
  EXPECT_FALSE(TestCondition(s, 12, r));  // no inside pair
  s.maCrossChoice = 36;                   // the shift is taken modulo 32: bit 16 again
  EXPECT_TRUE(TestCondition(s, 9, r));
  s.maCrossChoice = -28;  // -28 mod 32 = 4
  EXPECT_TRUE(TestCondition(s, 9, r));
  s.maCrossChoice = 5;
  EXPECT_FALSE(TestCondition(s, 9, r));
  // Codes without a text never equal a choice the list offers.
  r.ichimokuCloud = 100;
  r.trendLineCode = 255;
  r.positionCode = 9999;
  for (int choice = 0; choice < 7; ++choice) {
    s.ichimoku3Choice = s.trendLineChoice = s.positionChoice = choice;
    EXPECT_FALSE(TestCondition(s, 19, r) || TestCondition(s, 22, r) || TestCondition(s, 8, r));
  }
  EXPECT_FALSE(TestCondition(s, -1, r));
  EXPECT_FALSE(TestCondition(s, 34, r));
}

TEST(ConditionCatalogueTest, NanValuesAndThresholdsHoldNowhere) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  ConditionSet s = NewSet();
  AnalysisRecord r;
  r.rci1 = r.volumeRatio = r.cci = r.oscillator = r.priceChangePercent = nan;
  r.volumeChange = r.maShort = nan;
  for (int dir : {0, 1}) {
    s.rci1Direction = s.vrDirection = s.cciDirection = s.oscDirection = dir;
    s.changeDirection = s.dev1Direction = dir;
    for (int type : {2, 3, 4, 6, 13, 14, 25}) EXPECT_FALSE(TestCondition(s, type, r)) << type;
  }
  AnalysisRecord valid;
  valid.rci1 = 0;
  s.rci1Value = nan;
  EXPECT_FALSE(TestCondition(s, 6, valid));
}

TEST(ConditionEvaluationTest, MatchesAllAndScore) {
  ConditionSet s = NewSet();
  AnalysisRecord r;
  r.lastClose = 300;
  r.rsi1 = 25;
  // Nothing enabled: every record matches, the score is 0.
  EXPECT_TRUE(MatchesAll(s, r));
  EXPECT_EQ(Score(s, r), 0);
  s.enabled[0] = 1;  // price at least 200: holds
  s.minPrice = 200;
  s.weights[0] = 1.5;
  s.enabled[15] = 1;  // RSI at or below 20: fails
  s.rsi1Direction = 1;
  s.rsi1Value = 20;
  s.weights[15] = 2;
  s.enabled[11] = 1;  // engulfing: fails
  s.weights[11] = 0.25;
  EXPECT_FALSE(MatchesAll(s, r));
  EXPECT_EQ(Score(s, r), 1.5);
  s.rsi1Value = 30;
  r.crossFlags = 64;
  EXPECT_TRUE(MatchesAll(s, r));
  EXPECT_EQ(Score(s, r), 3.75);
  // A disabled type's test never counts, whatever it would say.
  s.enabled[1] = 0;
  s.maxPrice = 1;
  s.weights[1] = 100;
  EXPECT_EQ(Score(s, r), 3.75);
}

TEST(ConditionEvaluationTest, ScreeningTruncatesTheScoreAndValidationComparesStrictly) {
  ConditionSet s = NewSet();
  AnalysisRecord r;
  // Nothing enabled: mode 0 lists everything; mode 1 scores 0.
  EXPECT_TRUE(ListedByScreening(s, r));
  EXPECT_TRUE(CountedByValidation(s, r));
  s.mode = 1;
  EXPECT_TRUE(ListedByScreening(s, r));  // trunc(0) >= 0
  EXPECT_FALSE(CountedByValidation(s, r));
  s.scoreThreshold = 0.5;
  EXPECT_FALSE(ListedByScreening(s, r));

  s.scoreThreshold = 2.5;
  s.enabled[0] = 1;  // lastClose 0 >= minPrice 0 holds
  s.weights[0] = 2.9;
  EXPECT_FALSE(ListedByScreening(s, r));   // trunc(2.9) = 2 < 2.5
  EXPECT_TRUE(CountedByValidation(s, r));  // 2.9 > 2.5
  s.weights[0] = 3.0;
  EXPECT_TRUE(ListedByScreening(s, r));
  EXPECT_TRUE(CountedByValidation(s, r));
  s.scoreThreshold = 3.0;
  EXPECT_TRUE(ListedByScreening(s, r));
  EXPECT_FALSE(CountedByValidation(s, r));  // equal is not above
}

}  // namespace
}  // namespace korvale
