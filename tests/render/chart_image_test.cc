// Charts rendered into images as the main view shows them, and written as PNG files.
#include "render/chart_image.h"

#include <gtest/gtest.h>

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
  const QImage full = RenderChartImage(p, kChartDaily, 400, 150);
  const QImage scrolled = RenderChartImage(p, kChartDaily, 200, 150);
  EXPECT_EQ(scrolled, full.copy(200, 0, 200, 150));
  // A chart narrower than the client leaves the rest white.
  const QImage wide = RenderChartImage(p, kChartDaily, 500, 150);
  EXPECT_EQ(wide.pixel(450, 75), 0xFFFFFFFFu);
  EXPECT_EQ(wide.pixel(0, 140), 0xFFE0E0E0u);  // the standard background
  EXPECT_EQ(wide.copy(0, 0, 400, 150), full);
}

TEST(ChartImageTest, PngIsWrittenWholeOrNotAtAll) {
  EnsureGuiApplication();
  CPriceSeries series = testing::SeriesOf(testing::WalkBars(50, 1000, 4));
  CChartPainter p(testing::QuietChartSettings(50));
  p.Attach(series, kChartDaily);
  const QImage image = RenderChartImage(p, kChartMonthly, 120, 90);
  testing::TempDir dir;
  std::string error;
  ASSERT_TRUE(WritePng(image, dir.File("chart.png"), &error)) << error;
  QImage back(QString::fromStdString(dir.File("chart.png")));
  EXPECT_EQ(back.size(), QSize(120, 90));
  EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
  EXPECT_FALSE(WritePng(image, dir.File("missing/chart.png"), &error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace korvale
