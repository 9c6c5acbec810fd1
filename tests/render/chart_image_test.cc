// Charts rendered into images as the main view shows them, and written as PNG files.
#include "render/chart_image.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

TEST(ChartImageTest, AWideChartIsScrolledToItsLatestBars) {
  EnsureGuiApplication();
  CPriceSeries series = testing::SeriesOf(testing::WalkBars(100, 1000, 3));
  SettingsRecord s = testing::QuietChartSettings(100);  // 400 pixels wide
  s.dailyShowVolume = s.dailyShowRci = 1;
  CChartPainter p(s);
  p.Attach(series, kChartDaily);
  const QImage full = RenderChartImage(p, ChartKindOrDaily(kChartDaily).kind, 400, 150);
  const QImage scrolled = RenderChartImage(p, ChartKindOrDaily(kChartDaily).kind, 200, 150);
  EXPECT_EQ(scrolled, full.copy(200, 0, 200, 150));
  // A chart narrower than the client leaves the rest white.
  const QImage wide = RenderChartImage(p, ChartKindOrDaily(kChartDaily).kind, 500, 150);
  EXPECT_EQ(wide.pixel(450, 75), 0xFFFFFFFFu);
  EXPECT_EQ(wide.pixel(0, 140), 0xFFE0E0E0u);  // the standard background
  EXPECT_EQ(wide.copy(0, 0, 400, 150), full);
}

// What the price pane draws over its bars stays inside it, however far from the window's prices.
TEST(ChartImageTest, CurvesAndTrendLinesStayInThePricePane) {
  EnsureGuiApplication();
  // A steady rise: over a 40-bar window the 75- and 25-day averages start far below its prices.
  std::vector<int32_t> closes;
  for (int i = 0; i < 300; ++i) closes.push_back(100 + 10 * i);
  CPriceSeries rising = testing::SeriesOf(testing::FlatCloses(closes));
  // A support line from far below the window up to 40 bars past the last bar.
  CPriceSeries withLine = rising;
  withLine.lines = {testing::TrendLineOf(270, 100, 339, 9000, 2)};
  struct Case {
    const char* what;
    CPriceSeries* drawn;
    bool averages;
  } cases[] = {{"averages", &rising, true}, {"trend line", &withLine, false}};
  SettingsRecord s = testing::QuietChartSettings(40);
  s.dailyShowRci = 1;  // one pane under the price pane
  const int width = 160, height = 300, priceBottom = PriceAreaHeight(height, 1);
  auto render = [&](CPriceSeries& series, bool averages) {
    s.dailyShowMa = averages;
    CChartPainter p(s);
    p.Attach(series, kChartDaily);
    return RenderChartImage(p, ChartKindOrDaily(kChartDaily).kind, width, height);
  };
  const QImage plain = render(rising, false);
  for (const Case& c : cases) {
    const QImage drawn = render(*c.drawn, c.averages);
    EXPECT_NE(drawn.copy(0, 0, width, priceBottom), plain.copy(0, 0, width, priceBottom)) << c.what;
    EXPECT_EQ(drawn.copy(0, priceBottom, width, height - priceBottom),
              plain.copy(0, priceBottom, width, height - priceBottom))
        << c.what;
  }
}

TEST(ChartImageTest, PngIsWrittenWholeOrNotAtAll) {
  EnsureGuiApplication();
  CPriceSeries series = testing::SeriesOf(testing::WalkBars(50, 1000, 4));
  CChartPainter p(testing::QuietChartSettings(50));
  p.Attach(series, kChartDaily);
  const QImage image = RenderChartImage(p, ChartKindOrDaily(kChartMonthly).kind, 120, 90);
  testing::TempDir dir;
  std::string error;
  ASSERT_TRUE(WritePng(image, dir.File("chart.png"), &error)) << error;
  QImage back(QString::fromStdString(dir.File("chart.png")));
  EXPECT_EQ(back.size(), QSize(120, 90));
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
  EXPECT_FALSE(WritePng(image, dir.File("missing/chart.png"), &error));
  EXPECT_FALSE(error.empty());
}

TEST(ChartImageTest, ExtremeSeriesDrawOnTheImageCanvasAtAnyHeight) {
  EnsureGuiApplication();
  std::vector<PriceBar> huge = testing::WalkBars(400, 1000, 5);
  for (size_t i = 0; i < huge.size(); ++i) {
    PriceBar& b = huge[i];
    b.high = INT_MAX;
    b.open = INT_MAX - 1000 * static_cast<int32_t>(i % 7);
    b.close = i % 3 ? INT_MAX - 3000 * static_cast<int32_t>(i % 5) : 1;
    b.low = 1;
    b.volume = INT_MAX;
  }
  CPriceSeries series = testing::SeriesOf(huge);
  const CPriceSeries index = testing::SeriesOf(testing::WalkBars(400, 9000, 6));
  SettingsRecord s = testing::QuietChartSettings(300);
  testing::TurnEveryPaneOn(&s);
  s.dailyWeeklyBeforeSpan = 1;
  const long nanBefore = NonFinitePixelCount();
  for (const int height : {1, 2, 1000}) {
    CChartPainter p(s);
    p.SetIndexSeries(&index);
    p.Attach(series, kChartDaily);
    for (const ChartKindEntry& kind : ChartKinds()) {
      const QImage image = RenderChartImage(p, kind.kind, 1600, height);
      EXPECT_EQ(image.height(), height);
    }
  }
  EXPECT_EQ(NonFinitePixelCount(), nanBefore);
}

}  // namespace
}  // namespace korvale
