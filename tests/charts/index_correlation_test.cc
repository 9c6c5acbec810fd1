// Correlation with the market index and the relative line, daily and weekly.
#include "charts/index_correlation.h"

#include <gtest/gtest.h>

#include "charts/chart_painter.h"
#include "charts/recording_canvas.h"
#include "support/chart_fixtures.h"
#include "support/screening_fixtures.h"

namespace korvale {
namespace {

using testing::FlatCloses;
using testing::SeriesOf;

TEST(DailyIndexCorrelationTest, PairsFromTheLastBarsAndScalesTheRelativeLine) {
  // n = 2: every window of two pairs correlates +1 or -1. d = min(window 4, 4, 4 - 2, 4 - 2).
  const CPriceSeries index = SeriesOf(FlatCloses({1, 2, 3, 4}));
  const CPriceSeries stock = SeriesOf(FlatCloses({1, 2, 4, 3}));
  std::vector<double> r, rel;
  DailyIndexCorrelation(stock, 4, index, 2, &r, &rel);
  ASSERT_EQ(r.size(), 5u);  // one per bar plus the spare
  EXPECT_EQ(r[0], kIndexValueMissing);
  EXPECT_EQ(r[1], kIndexValueMissing);
  EXPECT_DOUBLE_EQ(r[2], 1);   // (2, 3) with (2, 4)
  EXPECT_DOUBLE_EQ(r[3], -1);  // (3, 4) with (4, 3)
  // Base: bar 2. Relative: 4/4 - 3/3 = 0 and 3/4 - 4/3, scaled to -1.
  EXPECT_DOUBLE_EQ(rel[2], 0);
  EXPECT_DOUBLE_EQ(rel[3], -1);
  EXPECT_EQ(r[4], kIndexValueMissing);
}

TEST(DailyIndexCorrelationTest, ProportionalSeriesCorrelateFullyAndFlatOnesNotAtAll) {
  std::vector<int32_t> a, b, flat;
  for (int i = 0; i < 40; ++i) {
    a.push_back(1000 + (i * 37) % 23);
    b.push_back(2 * a.back() + 5);
    flat.push_back(500);
  }
  const CPriceSeries index = SeriesOf(FlatCloses(a));
  const CPriceSeries stock = SeriesOf(FlatCloses(b));
  std::vector<double> r, rel;
  DailyIndexCorrelation(stock, 20, index, 10, &r, &rel);
  for (int i = 20; i < 40; ++i) EXPECT_NEAR(r[i], 1, 1e-12) << i;
  EXPECT_EQ(r[19], kIndexValueMissing);  // before the window
  DailyIndexCorrelation(SeriesOf(FlatCloses(flat)), 20, index, 10, &r, &rel);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(r[i], kIndexValueMissing) << i;
  // An index shorter than the window still pairs what it has.
  const CPriceSeries shortIndex = SeriesOf(FlatCloses(std::vector<int32_t>(a.end() - 15, a.end())));
  DailyIndexCorrelation(stock, 20, shortIndex, 10, &r, &rel);
  EXPECT_EQ(r[34], kIndexValueMissing);
  EXPECT_NEAR(r[35], 1, 1e-12);
}

TEST(WeeklyIndexCorrelationTest, WeeksMatchDailyBarsByDate) {
  std::vector<int32_t> a, b;
  for (int i = 0; i < 60; ++i) {
    a.push_back(1000 + (i * 37) % 23);
    b.push_back(3000 - a.back());
  }
  CPriceSeries stock = SeriesOf(FlatCloses(b));
  CPriceSeries index = SeriesOf(FlatCloses(a));
  index.bars.erase(index.bars.begin() + 50);  // the Monday of week 10 is missing in the index
  stock.BuildWeekly(0, nullptr);
  ASSERT_EQ(stock.weekCount(), 12);
  std::vector<double> r, rel;
  WeeklyIndexCorrelation(stock, 0, 12, index, 1, &r, &rel);
  ASSERT_EQ(r.size(), 13u);
  EXPECT_EQ(r[0], kIndexValueMissing);  // fewer than five daily bars up to the first Monday
  EXPECT_NEAR(r[1], -1, 1e-12);         // five daily closes ending at the week's first day
  EXPECT_NEAR(r[9], -1, 1e-12);
  EXPECT_EQ(r[10], kIndexValueMissing);
  EXPECT_NEAR(r[11], -1, 1e-12);
}

TEST(IndexPaneTest, DailyPaneDrawsSegmentsOnlyBetweenValues) {
  std::vector<int32_t> a, b;
  for (int i = 0; i < 40; ++i) {
    a.push_back(1000 + (i * 37) % 23);
    b.push_back(2 * a.back() + (i % 3));
  }
  CPriceSeries stock = SeriesOf(FlatCloses(b));
  const CPriceSeries index = SeriesOf(FlatCloses(a));
  SettingsRecord s = testing::QuietChartSettings(20);
  s.useIndexAnalysis = s.dailyIndexAnalysis = 1;
  s.dailyIndexPeriod = 10;
  CChartPainter p(s);
  p.SetIndexSeries(&index);
  p.Attach(stock, kChartDaily);
  p.SetChartHeight(400);
  RecordingCanvas c;
  p.DrawDailyChart(c);
  EXPECT_EQ(testing::LinesOfColour(c, p.colour(10)).size(), 19u);  // 20 values, 19 segments
  EXPECT_NE(c.FindText("Index相関"), nullptr);
  // Without the index series the pane stays empty but is laid out.
  CChartPainter bare(s);
  bare.Attach(stock, kChartDaily);
  bare.SetChartHeight(400);
  RecordingCanvas c2;
  bare.DrawDailyChart(c2);
  EXPECT_TRUE(testing::LinesOfColour(c2, p.colour(10)).empty());
  EXPECT_NE(c2.FindText("Index相関"), nullptr);
}

}  // namespace
}  // namespace korvale
