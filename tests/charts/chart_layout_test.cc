// Attaching a painter to a series: display windows, widths, the layout of the daily chart, the
// date axes and the trend lines.
#include <gtest/gtest.h>

#include <functional>

#include "charts/chart_painter.h"
#include "charts/price_panes.h"
#include "charts/recording_canvas.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::QuietChartSettings;
using testing::SeriesOf;
using testing::WalkBars;

// The y of the date axis's top line (the only lines starting half a bar left of the chart).
int DateAxisTop(const RecordingCanvas& c) {
  for (const CanvasOp& op : c.OpsOf(CanvasOp::kLine)) {
    if (op.x1 == -2 && op.y1 == op.y2) return op.y1;
  }
  return -1;
}

TEST(DailyLayoutTest, PriceAreaShrinksWithThePaneCount) {
  const int expected[] = {1000, 750, 600, 520, 450, 400, 400, 400, 400, 400, 400, 400, 400};
  for (int n = 0; n <= 12; ++n) EXPECT_EQ(PriceAreaHeight(1000, n), expected[n]) << n;

  const std::vector<std::function<void(SettingsRecord*)>> panes = {
      [](SettingsRecord* s) { s->dailyShowDeviation = 1; },
      [](SettingsRecord* s) { s->dailyShowOscillator = 1; },
      [](SettingsRecord* s) { s->dailyShowPsychological = 1; },
      [](SettingsRecord* s) { s->dailyShowRci = 1; },
      [](SettingsRecord* s) { s->dailyShowRsi = 1; },
      [](SettingsRecord* s) { s->dailyShowVolumeRatio = 1; },
      [](SettingsRecord* s) { s->dailyShowStochastics = 1; },
      [](SettingsRecord* s) { s->dailyShowMacd = 1; },
      [](SettingsRecord* s) { s->dailyShowObv = 1; },
      [](SettingsRecord* s) { s->dailyShowDmi = 1; },
      [](SettingsRecord* s) { s->dailyShowCci = 1; },
      [](SettingsRecord* s) { s->useIndexAnalysis = s->dailyIndexAnalysis = 1; }};
  CPriceSeries series = SeriesOf(WalkBars(80, 1000, 3));
  const CPriceSeries index = SeriesOf(WalkBars(90, 5000, 4));
  for (int n = 0; n <= 12; ++n) {
    SettingsRecord s = QuietChartSettings(40);
    for (int k = 0; k < n; ++k) panes[k](&s);
    CChartPainter p(s);
    p.SetIndexSeries(&index);
    p.Attach(series, kChartDaily);
    p.SetChartHeight(1000);
    RecordingCanvas c(9);
    p.DrawDailyChart(c);
    EXPECT_EQ(DateAxisTop(c), expected[n] - 9) << n << " panes";
  }
}

// The labels of the year's and the span's high stand at their bar, except that one on the last
// bars ends at the price pane's right edge instead of running past it.
TEST(DailyLayoutTest, HighLabelsStayInsideThePricePane) {
  struct Case {
    const char* what;
    int peak;  // index of the highest bar among 40
  } cases[] = {{"middle", 20}, {"last bar", 39}};
  for (const Case& c : cases) {
    std::vector<int32_t> closes;
    for (int i = 0; i < 40; ++i) closes.push_back(1000 + 10 * i - (i > c.peak ? 300 : 0));
    CPriceSeries series = SeriesOf(testing::FlatCloses(closes));
    CChartPainter p(QuietChartSettings(40));
    p.Attach(series, kChartDaily);
    p.SetChartHeight(300);
    RecordingCanvas canvas(9);
    p.DrawDailyChart(canvas);
    const std::string text = std::to_string(closes[static_cast<size_t>(c.peak)]);
    const CanvasOp* label = canvas.FindText(text);
    ASSERT_NE(label, nullptr) << c.what;
    const int right = label->x1 + canvas.TextWidth(text);
    if (c.peak == 39) {
      EXPECT_EQ(right, p.dailyWidth()) << c.what;
    } else {
      EXPECT_LT(right, p.dailyWidth()) << c.what;
      EXPECT_NEAR(label->x1, c.peak * p.dailyWidth() / 40, 4) << c.what;
    }
  }
}

TEST(DailyLayoutTest, PanesStackFromTheBottomInTheirOrder) {
  SettingsRecord s = QuietChartSettings(300);
  testing::TurnEveryPaneOn(&s);
  s.dailyShowPriceVolumeHistogram = 0;
  CPriceSeries series = SeriesOf(WalkBars(400, 1000, 5));
  const CPriceSeries index = SeriesOf(WalkBars(450, 5000, 6));
  CChartPainter p(s);
  p.SetIndexSeries(&index);
  p.Attach(series, kChartDaily);
  p.SetChartHeight(1000);  // price area 400, twelve panes of 50
  RecordingCanvas c(9);
  p.DrawDailyChart(c);
  const struct {
    const char* text;
    int y;
  } labels[] = {{"乖離率", 961},
                {"サイコロジ", 852},
                {"カルライン", 861},
                {"RCI13", 802},
                {"RCI26", 811},
                {"RSI14", 752},
                {"ストキャスティック", 652},
                {"MACD", 600},
                {"Signal", 609},
                {"OBV", 550},
                {"-DI", 500},
                {"+DI", 511},
                {"ADX", 524},
                {"ADXR", 539},
                {"CCI", 450},
                {"Index相関", 402}};
  for (const auto& l : labels) {
    const CanvasOp* op = c.FindText(l.text);
    ASSERT_NE(op, nullptr) << l.text;
    EXPECT_EQ(op->y1, l.y) << l.text;
    EXPECT_EQ(op->x1, 0) << l.text;
  }
  // Label colours: each period label takes its line's colour, on the background colour.
  EXPECT_EQ(c.FindText("RSI14")->textColour, p.colour(10));
  EXPECT_EQ(c.FindText("RSI42")->textColour, p.colour(9));
  EXPECT_EQ(c.FindText("ADXR")->textColour, p.colour(63));
  EXPECT_EQ(c.FindText("RSI14")->textBackground, p.colour(0));
}

TEST(DisplayWindowTest, SpanAllPeriodAndWindowsWiderThanTheData) {
  CPriceSeries series = SeriesOf(WalkBars(100, 1000, 1));
  auto attach = [&](SettingsRecord s) {
    auto p = std::make_unique<CChartPainter>(s);
    p->Attach(series, kChartDaily);
    return p;
  };
  SettingsRecord s = QuietChartSettings(30);
  auto p = attach(s);
  EXPECT_EQ(p->windowCount(), 30);
  EXPECT_EQ(p->hiddenCount(), 70);
  EXPECT_EQ(p->dailyWidth(), 120);
  s.dailyAllPeriod = 1;
  EXPECT_EQ(attach(s)->windowCount(), 100);
  s = QuietChartSettings(500);
  EXPECT_EQ(attach(s)->windowCount(), 100);
  EXPECT_EQ(attach(s)->hiddenCount(), 0);
  s = QuietChartSettings(0);
  EXPECT_EQ(attach(s)->windowCount(), 0);
  s = QuietChartSettings(30);
  s.weeklySpanWeeks = 5;
  s.monthlySpanMonths = 2;
  p = attach(s);
  EXPECT_EQ(p->weeklyWindowCount(), 5);
  EXPECT_EQ(p->weeklyWindowStart(), series.weekCount() - 5);
  EXPECT_EQ(p->weeklyWidth(), 20);
  EXPECT_EQ(p->monthlyWindowCount(), 2);
  EXPECT_EQ(p->monthlyWidth(), 8);
  s.dailyShowPriceVolumeHistogram = 1;
  EXPECT_EQ(attach(s)->dailyWidth(), 220);
}

TEST(DisplayWindowTest, WeeklySectionOfTenWeeksIsThirtyPixelsAndWidensTheChartByForty) {
  // Twenty weeks of weekdays from Monday 2006-01-09; the window's first bar (index 88) is the
  // Thursday of week 17, and the weekly window starts at week 7.
  CPriceSeries series = SeriesOf(testing::FlatCloses(std::vector<int32_t>(100, 500)));
  SettingsRecord s = QuietChartSettings(12);
  s.weeklySpanWeeks = 13;
  CChartPainter plain(s);
  plain.Attach(series, kChartDaily);
  EXPECT_EQ(plain.dailyWidth(), 48);
  s.dailyWeeklyBeforeSpan = 1;
  CChartPainter p(s);
  p.Attach(series, kChartDaily);
  EXPECT_EQ(p.weeksBefore(), 10);
  EXPECT_EQ(p.dailyWidth(), 88);
  p.SetChartHeight(200);
  RecordingCanvas c;
  p.DrawDailyChart(c);
  bool divider = false, dailyCandleAtSection = false;
  for (const CanvasOp& op : c.ops()) {
    if (op.kind == CanvasOp::kLine && op.x1 == 30 && op.x2 == 30 && op.y1 == 200 && op.y2 == 0) {
      divider = true;
    }
    if (op.kind == CanvasOp::kFill && op.x1 == 30 && op.brush.colour == p.colour(4)) {
      dailyCandleAtSection = true;
    }
  }
  EXPECT_TRUE(divider);
  EXPECT_TRUE(dailyCandleAtSection);
}

TEST(DateAxisTest, MonthChangesAreLabelledWithTwoDigitYearsNeverOnTheFirstBar) {
  for (const bool startInNovember : {true, false}) {
    // 30 weekdays from Monday 1999-11-29, or from Wednesday 1999-12-01.
    std::vector<PriceBar> bars =
        testing::WeekdayBars(1999, 11, startInNovember ? 29 : 30, std::vector<int32_t>(31, 100));
    if (!startInNovember) bars.erase(bars.begin());  // now starts on 1 December
    CPriceSeries series = SeriesOf(bars);
    CChartPainter p(QuietChartSettings(static_cast<int>(bars.size())));
    p.Attach(series, kChartDaily);
    p.SetChartHeight(200);
    RecordingCanvas c(9);
    p.DrawDailyChart(c);
    std::vector<std::string> labels;
    for (const std::string& t : c.Texts()) {
      if (t.find('/') != std::string::npos) labels.push_back(t);
    }
    if (startInNovember) {
      ASSERT_EQ(labels, (std::vector<std::string>{"99/12", "00/ 1"}));
      // Bar 2 is the first of December: 6 pixels right of its line, 1 below the axis top.
      EXPECT_EQ(c.FindText("99/12")->x1, 2 * 4 + 6);
      EXPECT_EQ(c.FindText("99/12")->y1, 200 - 9 + 1);
    } else {
      EXPECT_EQ(labels, (std::vector<std::string>{"00/ 1"}));
    }
  }
}

TEST(DateAxisTest, ALabelThatWouldOverlapThePreviousOneIsLeftOutAndItsLineStays) {
  // Weekly bars at 2 pixels a week on a narrow chart: months come closer than a label is wide.
  std::vector<WeeklyBar> weeks(60);
  for (int i = 0; i < 60; ++i) {
    const int day = 7 * i;  // from 2 January 2023
    weeks[i].year = 2023 + day / 364;
    weeks[i].month = static_cast<int8_t>((day % 364) / 31 + 1);
    weeks[i].open = weeks[i].high = weeks[i].low = weeks[i].close = 100;
  }
  const CChartPainter p(testing::DefaultSettings());
  RecordingCanvas c(9);
  CChartMapper m(&c, 9);
  DrawDateAxis(PaneTools{p.palette(), c, m, 9}, PaneRect{0, 0, 120, 9}, weeks.data(), 60);
  int changes = 0;
  for (int i = 1; i < 60; ++i) changes += weeks[i].month != weeks[i - 1].month;
  int previousEnd = -1000, labels = 0, lines = 0;
  for (const CanvasOp& op : c.ops()) {
    if (op.kind == CanvasOp::kLine && op.x1 == op.x2) ++lines;
    if (op.kind != CanvasOp::kText) continue;
    EXPECT_GE(op.x1, previousEnd) << op.text;
    previousEnd = op.x1 + TextWidthEstimate(op.text, 9);
    ++labels;
  }
  EXPECT_GE(labels, 2);
  EXPECT_LT(labels, changes);
  EXPECT_GE(lines, changes);
}

TEST(DateAxisTest, MonthlyAxisMarksYearsAndTheFollowingYearWhenItFits) {
  std::vector<MonthlyBar> months;
  for (int i = 0; i < 18; ++i) {
    MonthlyBar m;
    m.year = static_cast<int16_t>(1999 + i / 12);
    m.month = static_cast<int8_t>(i % 12 + 1);
    m.open = m.high = m.low = m.close = 100;
    months.push_back(m);
  }
  const CChartPainter p(testing::DefaultSettings());
  for (const int extension : {0, 26}) {
    RecordingCanvas c(9);
    CChartMapper m(&c, 9);
    DrawMonthlyAxis(PaneTools{p.palette(), c, m, 9}, PaneRect{0, 0, 72, 10}, months.data(), 18,
                    extension);
    if (extension == 0) {
      EXPECT_EQ(c.Texts(), (std::vector<std::string>{"2000"}));
    } else {
      EXPECT_EQ(c.Texts(), (std::vector<std::string>{"2000", "2001"}));
      EXPECT_EQ(c.FindText("2001")->x1, 24 * 4 + 6);
    }
  }
}

TEST(TrendLineTest, LinesAreDrawnByKindAndStoredBackWithoutDeletedOnes) {
  CPriceSeries series = SeriesOf(WalkBars(60, 1000, 2));
  series.lines = {testing::TrendLineOf(40, 1000, 50, 1010, 1),
                  testing::TrendLineOf(35, 990, 45, 995, 2),
                  testing::TrendLineOf(3, 900, 4, 901, 4, 1)};
  CChartPainter p(QuietChartSettings(30));  // hidden 30
  p.Attach(series, kChartDaily);
  ASSERT_EQ(p.trendLines().size(), 3u);
  EXPECT_EQ(p.trendLines()[0].x1, 10);
  EXPECT_EQ(p.trendLines()[0].x2, 20);
  EXPECT_EQ(p.trendLines()[0].geometry->tolY, 50);  // 1000 / 20
  p.SetChartHeight(300);
  RecordingCanvas c;
  p.DrawDailyChart(c);
  const auto resistance = testing::LinesOfColour(c, p.colour(58));
  ASSERT_EQ(resistance.size(), 1u);
  EXPECT_EQ(resistance[0].x1, 40);
  EXPECT_EQ(resistance[0].x2, 80);
  EXPECT_EQ(testing::LinesOfColour(c, p.colour(59)).size(), 1u);  // the unresolved one is not

  p.MarkTrendLineDeleted(1);
  EXPECT_EQ(p.StoreTrendLines(series), 2);
  ASSERT_EQ(series.lines.size(), 2u);
  EXPECT_EQ(series.lines[0].index1, 40);
  EXPECT_EQ(series.lines[0].index2, 50);
  EXPECT_EQ(series.lines[0].kind, 1);
  EXPECT_EQ(series.lines[1].unresolved, 1);  // kept as read
  EXPECT_EQ(series.lines[1].index1, 3);
}

TEST(DailyViewTest, AWindowLookingBackIsDrawnAsOnItsLastDayAndLinesKeepTheirDays) {
  CPriceSeries series = SeriesOf(WalkBars(200, 1000, 2));
  series.lines = {testing::TrendLineOf(150, 1000, 170, 1020, 1)};
  SettingsRecord settings = QuietChartSettings(60);
  CChartPainter p(settings);
  p.Attach(series, kChartDaily);
  p.SetDailyView(50, 40, 8);  // bars 110 .. 159 at 8 pixels
  EXPECT_EQ(p.hiddenCount(), 110);
  EXPECT_EQ(p.windowCount(), 50);
  EXPECT_EQ(p.dailyWidth(), 400);
  EXPECT_EQ(p.trendLines()[0].x1, 40);
  p.SetChartHeight(300);
  RecordingCanvas c;
  p.DrawDailyChart(c);
  EXPECT_EQ(p.HitTestDaily(-1, -1).close, series.bars[159].close);
  // A changed span (the automatic span on a resize) moves the window too: the line stays put.
  settings.dailySpanDays = 80;
  p.SetDailyView(0, 0, 4);
  p.ReplaceSettings(settings);
  EXPECT_EQ(p.hiddenCount(), 120);
  EXPECT_EQ(p.StoreTrendLines(series), 1);
  EXPECT_EQ(series.lines[0].index1, 150);
  EXPECT_EQ(series.lines[0].index2, 170);
}

}  // namespace
}  // namespace korvale
