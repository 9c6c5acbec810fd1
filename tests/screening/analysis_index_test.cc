// Correlation with the market index and the deviation from it.
#include <gtest/gtest.h>

#include "screening/analysis_groups.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Analyse;
using testing::CloseBars;
using testing::DefaultSettings;
using testing::SeriesOf;

// Weekdays from Thursday 2006-01-05: 44 bars make ten weekly bars starting at bars 0, 2, 7, 12,
// ..., 42 (a short first and last week), so all 44 closes are kept (5 * 10 - 5 > 44).
constexpr int kBars = 44;

CPriceSeries IndexOf(const std::vector<int32_t>& closes) {
  CPriceSeries index = SeriesOf(CloseBars(closes));
  index.BuildWeekly(0, nullptr);
  return index;
}

std::vector<int32_t> Rising(int count, int from = 100) {
  std::vector<int32_t> closes;
  for (int i = 0; i < count; ++i) closes.push_back(from + i);
  return closes;
}

SettingsRecord IndexSettings() {
  SettingsRecord s = DefaultSettings();
  s.useIndexAnalysis = 1;
  s.weeklyIndexPeriod = 1;  // windows of 5 daily closes
  return s;
}

TEST(AnalysisIndexTest, AStockCopyingTheIndexCorrelatesFullyAndDoesNotDeviate) {
  const CPriceSeries index = IndexOf(Rising(kBars));
  const AnalysisRecord r = Analyse(SeriesOf(CloseBars(Rising(kBars))), IndexSettings(), &index);
  EXPECT_EQ(r.indexCorrelation, 100);
  EXPECT_EQ(r.indexDeviation, 0);
  // The same at double the price plus a constant: correlation is unchanged by scale and shift.
  std::vector<int32_t> scaled;
  for (int32_t c : Rising(kBars)) scaled.push_back(2 * c + 50);
  EXPECT_EQ(Analyse(SeriesOf(CloseBars(scaled)), IndexSettings(), &index).indexCorrelation, 100);
}

TEST(AnalysisIndexTest, AMirroredStockCorrelatesNegativelyAndHasNoReference) {
  const CPriceSeries index = IndexOf(Rising(kBars));
  std::vector<int32_t> mirrored;
  for (int32_t c : Rising(kBars)) mirrored.push_back(1000 - c);
  const AnalysisRecord r = Analyse(SeriesOf(CloseBars(mirrored)), IndexSettings(), &index);
  EXPECT_EQ(r.indexCorrelation, -100);
  EXPECT_EQ(r.indexDeviation, 0);  // no point with a correlation >= 0
}

TEST(AnalysisIndexTest, DeviationIsMeasuredFromTheLatestBestCorrelatedPoint) {
  const CPriceSeries index = IndexOf(Rising(kBars));
  // The stock follows the index up to bar 27 and then stays at 127: windows after bar 27 are
  // flat (no correlation), so the reference is the point at bar 27 (close 127 in both).
  // Deviations at the points 32, 37, 42: 1 - 132/127, 1 - 137/127, 1 - 142/127; the last is
  // the largest: -100.
  std::vector<int32_t> closes = Rising(kBars);
  for (int i = 28; i < kBars; ++i) closes[i] = 127;
  AnalysisRecord r = Analyse(SeriesOf(CloseBars(closes)), IndexSettings(), &index);
  EXPECT_EQ(r.indexCorrelation, 0);  // the last window is flat
  EXPECT_DOUBLE_EQ(r.indexDeviation, -100);

  // Zigzag after bar 27 (137 on even bars, 127 on odd): deviations 5/127, -10/127, -5/127 at
  // the last three points, so the last one is half the largest.
  for (int i = 28; i < kBars; ++i) closes[i] = i % 2 == 0 ? 137 : 127;
  r = Analyse(SeriesOf(CloseBars(closes)), IndexSettings(), &index);
  EXPECT_NEAR(r.indexDeviation, -50, 1e-9);
  EXPECT_GT(r.indexCorrelation, -100);
  EXPECT_LT(r.indexCorrelation, 100);
}

TEST(AnalysisIndexTest, TheWindowEndsAtTheWeeklyPointsOwnBar) {
  const CPriceSeries index = IndexOf(Rising(kBars));
  std::vector<int32_t> closes = Rising(kBars);
  closes[43] = 5;  // after the last weekly point's bar (42): outside every window
  EXPECT_EQ(Analyse(SeriesOf(CloseBars(closes)), IndexSettings(), &index).indexCorrelation, 100);
  closes[43] = 143;
  closes[42] = 5;  // the last point's own bar closes its window
  EXPECT_LT(Analyse(SeriesOf(CloseBars(closes)), IndexSettings(), &index).indexCorrelation, 0);
}

TEST(AnalysisIndexTest, AnIndexWithALongerHistoryIsPairedByItsLastWeeks) {
  // The index starts 20 weeks earlier (from Thursday 2005-08-18) and ends on the same day.
  std::vector<int32_t> longer = Rising(100 + kBars, 0);
  CPriceSeries index = SeriesOf(testing::WeekdayBars(2005, 8, 18, longer));
  ASSERT_EQ(index.bars[100].day, 5);
  index.BuildWeekly(0, nullptr);
  const std::vector<int32_t> tail(longer.end() - kBars, longer.end());
  AnalysisRecord r = Analyse(SeriesOf(CloseBars(tail)), IndexSettings(), &index);
  EXPECT_EQ(r.indexCorrelation, 100);
}

TEST(AnalysisIndexTest, DeviationNeedsEveryWeeklyPointAmongTheKeptCloses) {
  // 47 bars: the last week is full, so only 5 * 10 - 5 = 45 closes are kept and the first
  // weekly point (bar 0) falls before them.
  const CPriceSeries index = IndexOf(Rising(47));
  std::vector<int32_t> closes = Rising(47);
  for (int i = 28; i < 47; ++i) closes[i] = 127;
  const AnalysisRecord r = Analyse(SeriesOf(CloseBars(closes)), IndexSettings(), &index);
  EXPECT_EQ(r.indexDeviation, 0);
}

TEST(AnalysisIndexTest, OffWithoutTheSwitchTheIndexOrEnoughBars) {
  const CPriceSeries index = IndexOf(Rising(kBars));
  const CPriceSeries stock = SeriesOf(CloseBars(Rising(kBars)));
  SettingsRecord s = IndexSettings();
  s.useIndexAnalysis = 0;
  EXPECT_EQ(Analyse(stock, s, &index).indexCorrelation, 0);
  EXPECT_EQ(Analyse(stock, IndexSettings(), nullptr).indexCorrelation, 0);
  s = IndexSettings();
  s.weeklyIndexPeriod = 9;  // windows of 45 closes: no more than the 44 kept
  EXPECT_EQ(Analyse(stock, s, &index).indexCorrelation, 0);
  s.weeklyIndexPeriod = 0;
  EXPECT_EQ(Analyse(stock, s, &index).indexCorrelation, 0);
  // A flat index has no correlation anywhere.
  const CPriceSeries flat = IndexOf(std::vector<int32_t>(kBars, 300));
  const AnalysisRecord r = Analyse(stock, IndexSettings(), &flat);
  EXPECT_EQ(r.indexCorrelation, 0);
  EXPECT_EQ(r.indexDeviation, 0);
}

TEST(AnalysisIndexTest, WeeklyBarDatesMatchTheSeriesWeeklyBars) {
  // Across a year end (the week number restarts), with a bar of an impossible month skipped.
  std::vector<PriceBar> bars = testing::WeekdayBars(2005, 12, 20, Rising(30));
  bars[7].month = 13;
  CPriceSeries series = SeriesOf(bars);
  series.BuildWeekly(0, nullptr);
  std::vector<uint32_t> dates;
  analysis::WeeklyBarDates({series.bars.data(), series.barCount()}, &dates);
  ASSERT_EQ(dates.size(), series.weeks.size());
  for (size_t i = 0; i < dates.size(); ++i) {
    const WeeklyBar& w = series.weeks[i];
    EXPECT_EQ(dates[i], (uint32_t{static_cast<uint16_t>(w.year)} << 16) |
                            (uint32_t{static_cast<uint8_t>(w.month)} << 8) |
                            static_cast<uint8_t>(w.day))
        << i;
  }
}

}  // namespace
}  // namespace korvale
