// Ichimoku codes and the trend-line code.
#include <gtest/gtest.h>

#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Analyse;
using testing::Bar;
using testing::DefaultSettings;
using testing::FlatBar;
using testing::SeriesOf;

SettingsRecord IchimokuSettings() {
  SettingsRecord s = DefaultSettings();
  s.ichimokuDailyBase = 3;
  s.ichimokuDailyConversion = 2;
  s.ichimokuDailySpanPeriod = 4;
  s.ichimokuDailyLeadShiftA = 2;
  return s;
}

// Bars 0..3 make the cloud under the last bar (shift 2, so it is drawn at bar 3):
// span A = ((100 + 110) / 2 + (100 + 110) / 2) / 2 = 105, span B = (100 + firstHigh) / 2.
// Bars 4 and 5 are flat at the previous and the last close.
std::vector<PriceBar> CloudBars(int32_t firstHigh, int32_t prev, int32_t last) {
  return {Bar(2006, 1, 5, 105, firstHigh, 100, 105, 1),
          Bar(2006, 1, 6, 105, 110, 100, 105, 1),
          Bar(2006, 1, 9, 105, 110, 100, 105, 1),
          Bar(2006, 1, 10, 105, 110, 100, 105, 1),
          FlatBar(2006, 1, 11, prev),
          FlatBar(2006, 1, 12, last)};
}

TEST(AnalysisIchimokuTest, CloudCodesOnAndAroundTheEdges) {
  const SettingsRecord s = IchimokuSettings();
  struct Case {
    int32_t prev, last, code;
  } cases[] = {
      {100, 111, 0},    // above the top (110)
      {100, 110, 1},    // on the top after a rise
      {120, 110, 2},    // on the top after a fall
      {110, 110, 100},  // on the top, unchanged
      {100, 107, 3},    // strictly inside
      {107, 105, 4},    // on the bottom (105) after a fall
      {100, 105, 5},    // on the bottom after a rise
      {105, 105, 100},  // on the bottom, unchanged
      {100, 104, 6},    // below
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Analyse(CloudBars(120, c.prev, c.last), s).ichimokuCloud, c.code)
        << c.prev << " " << c.last;
  }
  // A cloud of zero width (span B also 105): a close on it is 100 whatever came before.
  EXPECT_EQ(Analyse(CloudBars(110, 100, 105), s).ichimokuCloud, 100);
  EXPECT_EQ(Analyse(CloudBars(110, 100, 106), s).ichimokuCloud, 0);
}

TEST(AnalysisIchimokuTest, CrossAndSlopeOfBaseAndConversionLines) {
  const SettingsRecord s = IchimokuSettings();
  // Base over bars 3..5 (100..130) = 115 below conversion over 4..5 (120..130) = 125; the base
  // rose from 110 (bars 2..4).
  AnalysisRecord r = Analyse(CloudBars(120, 120, 130), s);
  EXPECT_EQ(r.ichimokuCross, 0);
  EXPECT_EQ(r.ichimokuSlope, 0);
  // Falling: base (80..110) = 95 above conversion (80..90) = 85, down from 100.
  r = Analyse(CloudBars(120, 90, 80), s);
  EXPECT_EQ(r.ichimokuCross, 1);
  EXPECT_EQ(r.ichimokuSlope, 2);
  // Equal on both bars: base and conversion both 105 at bars 4 and 5.
  r = Analyse(CloudBars(120, 100, 110), s);
  EXPECT_EQ(r.ichimokuCross, 4);
  EXPECT_EQ(r.ichimokuSlope, 1);

  // Equal now (bar 5 spans 95..115, so both lines are 105); one bar earlier the base over
  // bars 2..4 included a high of 130 (112) while the conversion over 3..4 was 102: code 2.
  auto bars = CloudBars(120, 95, 0);
  bars[5] = Bar(2006, 1, 12, 100, 115, 95, 100, 1);
  bars[2].high = 130;
  EXPECT_EQ(Analyse(bars, s).ichimokuCross, 2);
  // The same with a low of 50 at bar 2 instead: the base (80) was the lower: code 3.
  bars[2].high = 110;
  bars[2].low = 50;
  EXPECT_EQ(Analyse(bars, s).ichimokuCross, 3);
}

TEST(AnalysisIchimokuTest, TooFewBarsOrAbsurdPeriodsGive100) {
  SettingsRecord s = IchimokuSettings();
  s.ichimokuDailySpanPeriod = 6;  // = n
  AnalysisRecord r = Analyse(CloudBars(120, 100, 110), s);
  EXPECT_EQ(r.ichimokuCross, 100);
  EXPECT_EQ(r.ichimokuSlope, 100);
  EXPECT_EQ(r.ichimokuCloud, 100);
  s = IchimokuSettings();
  s.ichimokuDailyLeadShiftA = 9;  // the cloud would come from before the first bar
  r = Analyse(CloudBars(120, 100, 110), s);
  EXPECT_EQ(r.ichimokuCloud, 100);
  EXPECT_EQ(r.ichimokuCross, 4);
  s.ichimokuDailyLeadShiftA = -1;
  EXPECT_EQ(Analyse(CloudBars(120, 100, 110), s).ichimokuCloud, 100);
  s = IchimokuSettings();
  s.ichimokuDailyBase = 0;
  EXPECT_EQ(Analyse(CloudBars(120, 100, 110), s).ichimokuCross, 100);
}

// Ten bars; the last close is 100, the previous `prev`.
CPriceSeries LineSeries(int32_t prev, std::vector<TrendLine> lines) {
  std::vector<int32_t> closes(10, 100);
  closes[8] = prev;
  CPriceSeries series = SeriesOf(testing::CloseBars(closes));
  series.lines = std::move(lines);
  return series;
}

TrendLine Line(int32_t i1, int32_t p1, int32_t i2, int32_t p2, int32_t kind,
               bool unresolved = false) {
  return testing::TrendLineOf(i1, p1, i2, p2, kind, unresolved ? 1 : 0);
}

TEST(AnalysisTrendLineTest, ResistanceAndSupportCodes) {
  const SettingsRecord s = DefaultSettings();
  auto code = [&](int32_t prev, std::vector<TrendLine> lines) {
    return Analyse(LineSeries(prev, std::move(lines)), s).trendLineCode;
  };
  EXPECT_EQ(code(95, {}), 255);
  EXPECT_EQ(code(95, {Line(0, 90, 9, 90, 1)}), 0);      // close above a resistance
  EXPECT_EQ(code(105, {Line(0, 100, 9, 100, 3)}), 1);   // on it, not above the previous close
  EXPECT_EQ(code(95, {Line(0, 100, 9, 100, 1)}), 255);  // on it after a rise: nothing
  EXPECT_EQ(code(95, {Line(0, 100, 9, 100, 2)}), 2);    // on a support, not below the previous
  EXPECT_EQ(code(105, {Line(0, 100, 9, 100, 4)}), 255);
  EXPECT_EQ(code(95, {Line(0, 110, 12, 110, 4)}), 3);  // below a support; span reaches beyond
  EXPECT_EQ(code(95, {Line(0, 90, 9, 90, 5)}), 255);   // an unknown kind
  // Sloped support from (0, 10) to (10, 110): 100 at bar 9, touched from below.
  EXPECT_EQ(code(95, {Line(10, 110, 0, 10, 2)}), 2);
  // A support far below the close gives nothing.
  EXPECT_EQ(code(95, {Line(0, 0, 10, 25, 2)}), 255);
}

TEST(AnalysisTrendLineTest, TheLineValueIsTruncatedBeforeTheComparison) {
  std::vector<int32_t> closes(10, 22);
  closes[8] = 20;
  CPriceSeries series = SeriesOf(testing::CloseBars(closes));
  series.lines = {Line(0, 0, 10, 25, 2)};  // 22.5 at bar 9
  EXPECT_EQ(Analyse(series, DefaultSettings()).trendLineCode, 2);  // 22 = close
}

TEST(AnalysisTrendLineTest, SkipsUnresolvedLinesAndLinesEndingBeforeTheLastBar) {
  const SettingsRecord s = DefaultSettings();
  // The span 0..8 ends before bar 9, though its extension lies below the close.
  EXPECT_EQ(Analyse(LineSeries(95, {Line(0, 90, 8, 90, 1)}), s).trendLineCode, 255);
  EXPECT_EQ(Analyse(LineSeries(95, {Line(0, 90, 9, 90, 1, true)}), s).trendLineCode, 255);
  // The first line that gives a code ends the search.
  EXPECT_EQ(Analyse(LineSeries(95, {Line(0, 90, 9, 90, 1, true), Line(0, 90, 8, 90, 1),
                                    Line(0, 110, 9, 110, 2), Line(0, 90, 9, 90, 1)}),
                    s)
                .trendLineCode,
            3);
}

}  // namespace
}  // namespace korvale
