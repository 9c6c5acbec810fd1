// DMI, MACD and OBV over the display window, and the parabolic reversal code.
#include <gtest/gtest.h>

#include <array>

#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Analyse;
using testing::Bar;
using testing::CloseBars;
using testing::DefaultSettings;

// Bars from (high, low, close) triples, opening at the close, one a day from 2006-01-01.
std::vector<PriceBar> Hlc(const std::vector<std::array<int32_t, 3>>& hlc) {
  std::vector<PriceBar> bars;
  for (size_t i = 0; i < hlc.size(); ++i) {
    const auto& t = hlc[i];
    const int month = 1 + static_cast<int>(i) / 28, day = 1 + static_cast<int>(i) % 28;
    bars.push_back(Bar(2006, month, day, t[2], t[0], t[1], t[2], 1000));
  }
  return bars;
}

SettingsRecord DmiSettings(int span) {
  SettingsRecord s = DefaultSettings();
  s.dailySpanDays = static_cast<int16_t>(span);
  s.dmiPeriod = 2;
  return s;
}

TEST(AnalysisDmiTest, AdxrCrossingAndDiCrossingDown) {
  // Span 0, period 2, 8 bars: k0 = 4, DM and TR from bar 4 on.
  //   bar 4: -DM 2, TR 6; bar 5: +DM 5, TR 9; bar 6: -DM 2, TR 10; bar 7 inside day, TR 5.
  //   +DI (bars 4..7) 0, 33, 26, 0; -DI 33, 13, 10, 13; DX 100, 43, 44, 100.
  //   ADX at 6 and 7: 43, 72; ADXR (DX of bar 3 counts 0): 46, 71.
  // ADXR falls below ADX: code 2; +DI drops under -DI: cross code 1.
  const auto bars = Hlc({{101, 95, 97},
                         {101, 97, 99},
                         {101, 95, 101},
                         {107, 99, 102},
                         {103, 97, 102},
                         {108, 99, 102},
                         {107, 97, 100},
                         {104, 99, 101}});
  AnalysisRecord r = Analyse(bars, DmiSettings(0));
  EXPECT_EQ(r.dmiAdxCode, 2);
  EXPECT_EQ(r.dmiCrossCode, 1);
  // A span of 1 needs n - 2b - 1 >= 2b, one bar more than there is.
  r = Analyse(bars, DmiSettings(1));
  EXPECT_EQ(r.dmiAdxCode, -1);
  EXPECT_EQ(r.dmiCrossCode, -1);
}

TEST(AnalysisDmiTest, AdxOverFallingDiCodes) {
  // +DI 66, 28, 0, 7 and -DI 0, 28, 56, 35 over bars 4..7, ADX 50 then 83: -DI fell from 56
  // to 35 while ADX rose through it: code 0.
  AnalysisRecord r = Analyse(Hlc({{100, 97, 100},
                                  {100, 98, 98},
                                  {101, 97, 97},
                                  {99, 94, 97},
                                  {103, 97, 97},
                                  {101, 93, 93},
                                  {96, 88, 93},
                                  {97, 91, 95}}),
                             DmiSettings(0));
  EXPECT_EQ(r.dmiAdxCode, 0);
  EXPECT_EQ(r.dmiCrossCode, -1);
  // +DI 18 then 15 against ADX 13 then 23: code 1; +DI (18 < 31) rises over -DI (15 > 10):
  // cross code 0.
  r = Analyse(Hlc({{106, 97, 98},
                   {100, 94, 99},
                   {102, 94, 95},
                   {96, 95, 96},
                   {101, 95, 95},
                   {97, 90, 97},
                   {100, 91, 95},
                   {100, 89, 97}}),
              DmiSettings(0));
  EXPECT_EQ(r.dmiAdxCode, 1);
  EXPECT_EQ(r.dmiCrossCode, 0);
}

SettingsRecord MacdSettings(int span, int signal) {
  SettingsRecord s = DefaultSettings();
  s.dailySpanDays = static_cast<int16_t>(span);
  s.macdPeriod1 = 1;  // the fast average is the close itself
  s.macdPeriod2 = 2;
  s.macdSignalPeriod = signal;
  return s;
}

TEST(AnalysisMacdTest, ScaledOverTheDisplayWindow) {
  // Span 3, periods 1 and 2, signal 1, 8 bars: j0 = 2. The slow average is 100 until the last
  // close 130 lifts it to 120; MACD over the window (bars 5..7) is 0, 0, 10: hi 10, lo 0.
  AnalysisRecord r =
      Analyse(CloseBars({100, 100, 100, 100, 100, 100, 100, 130}), MacdSettings(3, 1));
  EXPECT_DOUBLE_EQ(r.macdLevel, 100);
  EXPECT_EQ(r.macdCrossCode, 2);  // from -100 (the window's low) to +100
  r = Analyse(CloseBars({100, 100, 100, 100, 100, 100, 100, 70}), MacdSettings(3, 1));
  EXPECT_DOUBLE_EQ(r.macdLevel, -100);
  EXPECT_EQ(r.macdCrossCode, 3);
  // One bar fewer: j0 = 1 is below 2.
  r = Analyse(CloseBars({100, 100, 100, 100, 100, 100, 130}), MacdSettings(3, 1));
  EXPECT_EQ(r.macdLevel, -1000);
  EXPECT_EQ(r.macdCrossCode, -1);
}

TEST(AnalysisMacdTest, SignalCrossingsAndTheWindowsWidth) {
  // Slow average from bar 3: 102, 102, 310/3, 934/9, 2770/27, 8278/81; MACD at bars 6..8:
  // 2/9, -16/27, -16/81; signals (2 bars) at 7 and 8: -5/27, -32/81. Over the window 6..8
  // (hi 18/81, lo -48/81): K = -100/33, L = -100, M = -100, O = +48.5: crossed above the signal.
  const std::vector<int32_t> closes = {100, 102, 102, 102, 102, 104, 104, 102, 102};
  AnalysisRecord r = Analyse(CloseBars(closes), MacdSettings(3, 2));
  EXPECT_NEAR(r.macdLevel, -100.0 / 33, 1e-9);
  EXPECT_EQ(r.macdCrossCode, 0);
  // A window of two bars (hi 0, lo -48/81) scales the same last value to +100/3.
  r = Analyse(CloseBars(closes), MacdSettings(2, 2));
  EXPECT_NEAR(r.macdLevel, 100.0 / 3, 1e-9);

  // Mirrored closes: hi 48/81, lo -18/81, K = +100/33, L = +100, M = +100, O < 0: code 1.
  std::vector<int32_t> mirrored;
  for (int32_t c : closes) mirrored.push_back(204 - c);
  r = Analyse(CloseBars(mirrored), MacdSettings(3, 2));
  EXPECT_NEAR(r.macdLevel, 100.0 / 33, 1e-9);
  EXPECT_EQ(r.macdCrossCode, 1);
}

TEST(AnalysisMacdTest, UnchangedClosesOrNoWindowKeepTheInvalidValues) {
  AnalysisRecord r = Analyse(CloseBars(std::vector<int32_t>(40, 500)), MacdSettings(10, 3));
  EXPECT_EQ(r.macdLevel, -1000);  // MACD 0 throughout: hi = lo
  EXPECT_EQ(r.macdCrossCode, -1);
  r = Analyse(CloseBars({100, 100, 100, 100, 100, 100, 100, 100, 100, 130}), MacdSettings(0, 1));
  EXPECT_EQ(r.macdLevel, -1000);
}

TEST(AnalysisObvTest, RunningSumScaledOverTheWindow) {
  SettingsRecord s = DefaultSettings();
  s.dailySpanDays = 3;
  auto bars = CloseBars({10, 11, 10, 10, 12});
  bars[1].volume = 100;  // up: 100
  bars[2].volume = 50;   // down: 50
  bars[3].volume = 70;   // unchanged: 50
  bars[4].volume = 30;   // up: 80
  // hi 100, lo 50: (80 - 50) / 50.
  EXPECT_DOUBLE_EQ(Analyse(bars, s).obvLevel, 60);
  bars[4].volume = 0;  // a day without volume leaves the sum: (50 - 50) / 50
  EXPECT_DOUBLE_EQ(Analyse(bars, s).obvLevel, 0);
  bars.pop_back();  // n < span + 2
  EXPECT_EQ(Analyse(bars, s).obvLevel, -1000);
  EXPECT_EQ(Analyse(CloseBars({10, 10, 10, 10, 10}), s).obvLevel, -1000);  // hi = lo
  s.dailySpanDays = 0;
  EXPECT_EQ(Analyse(CloseBars({10, 11, 10, 10, 12}), s).obvLevel, -1000);
}

// Bars c = 1000 + 2i with a range of +-20: a slow rise that the line follows from below.
std::vector<PriceBar> Rising(int count) {
  std::vector<std::array<int32_t, 3>> hlc;
  for (int i = 0; i < count; ++i) hlc.push_back({1020 + 2 * i, 980 + 2 * i, 1000 + 2 * i});
  return Hlc(hlc);
}

TEST(AnalysisSarTest, NeedsThirtySixBarsAndSeesAJumpOfMoreThanFiveSteps) {
  const SettingsRecord s = DefaultSettings();
  auto bars = Rising(35);
  bars.push_back(Bar(2006, 3, 1, 950, 1000, 900, 950, 1000));  // a crash turns the line
  EXPECT_EQ(Analyse(bars, s).sarCode, 1);  // jumped up about 16 times its last step
  std::vector<PriceBar> only35(bars.end() - 35, bars.end());
  EXPECT_EQ(Analyse(only35, s).sarCode, -1);
  EXPECT_EQ(Analyse(Rising(36), s).sarCode, -1);  // no reversal
}

TEST(AnalysisSarTest, AJumpAfterAStillStepIsAReversalEitherWay) {
  SettingsRecord s = DefaultSettings();
  s.sarStep = 0;  // the line only moves when it turns
  std::vector<std::array<int32_t, 3>> hlc(35, {110, 100, 105});
  hlc.push_back({105, 90, 95});  // turns falling: the line jumps from 100 up to 110
  EXPECT_EQ(Analyse(Hlc(hlc), s).sarCode, 1);
  hlc.assign(34, {110, 100, 105});
  hlc.push_back({105, 90, 95});    // turns falling: 110
  hlc.push_back({105, 95, 100});   // stays at 110
  hlc.push_back({120, 100, 110});  // turns rising: down to the lowest low, 90
  EXPECT_EQ(Analyse(Hlc(hlc), s).sarCode, 0);
}

}  // namespace
}  // namespace korvale
