// The painter's side of the trend-line editor: the kind a new line gets, the editor chart's
// pixel mapping, and lines that stay on their days when the window moves.
#include <gtest/gtest.h>

#include "charts/chart_painter.h"
#include "charts/recording_canvas.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"

namespace korvale {
namespace {

using testing::FlatCloses;
using testing::QuietChartSettings;
using testing::SeriesOf;

TEST(TrendLineEditorTest, ANewLineIsSupportWhenMoreClosesItSpansStandAboveIt) {
  // Closes 100 on bars 0-4, 200 on bars 5-9.
  CPriceSeries series = SeriesOf(FlatCloses({100, 100, 100, 100, 100, 200, 200, 200, 200, 200}));
  CChartPainter p(QuietChartSettings(10));
  p.Attach(series, kChartDaily);
  struct Case {
    int x1, price1, x2, price2, kind;
  } cases[] = {
      {0, 50, 9, 50, kLineSupport},       // every close above
      {0, 300, 9, 300, kLineResistance},  // every close below
      {9, 300, 0, 300, kLineResistance},  // drawn right to left: the same bars decide
      {0, 100, 4, 100, kLineResistance},  // closes on the line count for neither side
      {0, 150, 9, 150, kLineResistance},  // five above, five below
      {2, 150, 9, 150, kLineSupport},     // bars 2-9 only: five above, three below
      {9, 150, 2, 150, kLineSupport},     // reversed, the same bars
      {5, 150, 60, 150, kLineSupport},    // the days to come have no closes to count
      {12, 50, 30, 50, kLineResistance},  // wholly in the days to come: no close at all
      {3, 50, 3, 400, kLineResistance},   // vertical: bar 3's close lies within it
      {7, 50, 7, 150, kLineSupport},      // vertical below bar 7's close
  };
  for (const Case& c : cases) {
    const int i = p.AddTrendLine(c.x1, c.price1, c.x2, c.price2);
    const ChartTrendLine& line = p.trendLines()[i];
    EXPECT_EQ(line.kind, c.kind) << c.x1 << "," << c.price1 << " " << c.x2 << "," << c.price2;
    // The ends are kept in the order drawn.
    EXPECT_EQ(line.x1, c.x1);
    EXPECT_EQ(line.price2, c.price2);
  }
}

TEST(TrendLineEditorTest, EditorPixelsMapToBarsUpToFortyBeyondTheWindow) {
  CPriceSeries series = SeriesOf(FlatCloses({100, 120, 140, 160, 180, 200, 220, 240, 260, 280}));
  CChartPainter p(QuietChartSettings(10));
  p.Attach(series, kChartDaily);
  p.SetChartHeight(209);
  int bar = 0, price = 0;
  EXPECT_FALSE(p.EditorToWorld(10, 10, &bar, &price));  // nothing drawn yet
  RecordingCanvas canvas;  // text height 9: the price pane is 200 pixels high
  p.DrawTrendLineEditor(canvas);
  EXPECT_EQ(p.editorWidth(), 4 * 10 + 104);
  // The range 100-280 widened by a quarter (45) on both sides: 55 at the bottom, 325 at the top.
  ASSERT_TRUE(p.EditorToWorld(0, 200, &bar, &price));
  EXPECT_EQ(bar, 0);
  EXPECT_EQ(price, 55);
  ASSERT_TRUE(p.EditorToWorld(7, 0, &bar, &price));
  EXPECT_EQ(bar, 1);
  EXPECT_NEAR(price, 325, 1);
  ASSERT_TRUE(p.EditorToWorld(4 * 50 - 1, 100, &bar, &price));
  EXPECT_EQ(bar, 49);
  EXPECT_FALSE(p.EditorToWorld(4 * 50, 100, &bar, &price));
  // A point maps back onto its pixel.
  const CanvasPoint px = p.EditorToPixel(3, 190);
  EXPECT_EQ(px.x, 12);
  EXPECT_NEAR(px.y, 100, 1);
  // The main chart's read-out keeps its own mapping.
  EXPECT_FALSE(p.HitTestDaily(5, 50).found);
  EXPECT_EQ(p.HitTestTrendLineEditor(5, 50).index, 1);
}

TEST(TrendLineEditorTest, TheSelectedLineShowsCirclesAtItsEndsInTheEditorOnly) {
  CPriceSeries series = SeriesOf(FlatCloses({100, 120, 140, 160, 180, 200, 220, 240, 260, 280}));
  CChartPainter p(QuietChartSettings(10));
  p.Attach(series, kChartDaily);
  p.SetChartHeight(209);
  p.SelectTrendLine(p.AddTrendLine(1, 150, 8, 250));
  RecordingCanvas editor, chart;
  p.DrawTrendLineEditor(editor);
  p.DrawDailyChart(chart);
  EXPECT_EQ(editor.OpsOf(CanvasOp::kEllipse).size(), 2u);
  EXPECT_TRUE(chart.OpsOf(CanvasOp::kEllipse).empty());
  p.MarkTrendLineDeleted(0);
  editor.Clear();
  p.DrawTrendLineEditor(editor);
  EXPECT_TRUE(editor.OpsOf(CanvasOp::kEllipse).empty());
  EXPECT_TRUE(testing::LinesOfColour(editor, p.colour(kSlotResistanceLine)).empty());
}

TEST(TrendLineEditorTest, ANewSpanKeepsTheLinesOnTheirDays) {
  std::vector<int32_t> closes(30, 100);
  CPriceSeries series = SeriesOf(FlatCloses(closes));
  TrendLine stored;
  stored.index1 = 22;
  stored.price1 = 90;
  stored.index2 = 27;
  stored.price2 = 95;
  stored.kind = kLineSupport;
  series.lines = {stored};
  SettingsRecord s = QuietChartSettings(10);
  CChartPainter p(s);
  p.Attach(series, kChartDaily);
  EXPECT_EQ(p.trendLines()[0].x1, 2);
  p.AddTrendLine(5, 100, 9, 120);  // series bars 25 and 29
  // The main window's width changes the span: the window moves, the lines stay on their bars.
  s.dailySpanDays = 25;
  p.ReplaceSettings(s);
  EXPECT_EQ(p.trendLines()[0].x1, 17);
  EXPECT_EQ(p.trendLines()[1].x2, 24);
  EXPECT_TRUE(p.trendLines()[0].geometry->HitTest(17, 90));
  ASSERT_EQ(p.StoreTrendLines(series), 2);
  EXPECT_EQ(series.lines[0].index1, 22);
  EXPECT_EQ(series.lines[1].index1, 25);
  EXPECT_EQ(series.lines[1].index2, 29);
}

}  // namespace
}  // namespace korvale
