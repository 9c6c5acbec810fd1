#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/price_series.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::FlatBar;

class TrendLinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    series_.bars = testing::WeekdayBars(2006, 1, 9, {10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
    series_.SetLinePath(dir_.File("LN7203.DAT"));
  }
  testing::TempDir dir_;
  CPriceSeries series_;
};

TEST_F(TrendLinesTest, PointsBeyondTheLastBarSaveWithTheLastDateAndLoadBack) {
  series_.lines.push_back(TrendLine{2, 1200, 13, 1900, 1});  // index 13: four bars beyond bar 9
  ASSERT_EQ(series_.SaveLines(), 1);
  auto bytes = testing::ReadBytes(series_.linePath);
  ASSERT_EQ(bytes.size(), kTrendLineFileRecordSize);
  TrendLineFileRecord r = DecodeTrendLineFileRecord(bytes.data());
  EXPECT_EQ(r.day1, series_.bars[2].day);
  EXPECT_EQ(r.beyond1, 0);
  EXPECT_EQ(r.day2, series_.bars[9].day);
  EXPECT_EQ(r.beyond2, 4);
  EXPECT_EQ(r.kind, 1);

  CPriceSeries other;
  other.bars = series_.bars;
  other.SetLinePath(series_.linePath);
  other.LoadLines();
  ASSERT_EQ(other.lineCount(), 1);
  EXPECT_EQ(other.lines[0].index1, 2);
  EXPECT_EQ(other.lines[0].index2, 13);
  EXPECT_EQ(other.lines[0].price2, 1900);
  EXPECT_EQ(other.lines[0].unresolved, 0);
  EXPECT_EQ(other.lines[0].geometry, nullptr);
}

TEST_F(TrendLinesTest, LinesFollowTheirDatesWhenNewDaysArrive) {
  series_.lines.push_back(TrendLine{3, 100, 5, 200, 2});
  ASSERT_EQ(series_.SaveLines(), 1);
  // Two older days inserted before the history.
  CPriceSeries longer;
  longer.bars = testing::WeekdayBars(2006, 1, 5, {8, 9});
  longer.bars.insert(longer.bars.end(), series_.bars.begin(), series_.bars.end());
  longer.SetLinePath(series_.linePath);
  longer.LoadLines();
  EXPECT_EQ(longer.lines[0].index1, 5);
  EXPECT_EQ(longer.lines[0].index2, 7);
}

TEST_F(TrendLinesTest, AMissingDateMarksTheLineUnresolvedAndItIsWrittenBackUnchanged) {
  TrendLineFileRecord r{2001, 2, 3, 500, 0, 2006, 1, 10, 600, 0, 3};
  uint8_t bytes[kTrendLineFileRecordSize];
  EncodeTrendLineFileRecord(r, bytes);
  testing::WriteBytes(series_.linePath, std::vector<uint8_t>(bytes, bytes + sizeof bytes));
  series_.LoadLines();
  ASSERT_EQ(series_.lineCount(), 1);
  EXPECT_EQ(series_.lines[0].unresolved, 1);
  ASSERT_EQ(series_.SaveLines(), 1);
  EXPECT_EQ(testing::ReadBytes(series_.linePath), std::vector<uint8_t>(bytes, bytes + sizeof bytes));

  CPriceSeries empty;
  empty.SetLinePath(series_.linePath);
  empty.LoadLines();
  ASSERT_EQ(empty.lineCount(), 1);
  EXPECT_EQ(empty.lines[0].unresolved, 1);  // no bars at all
}

TEST_F(TrendLinesTest, DeletingEveryLinePersists) {
  series_.lines.push_back(TrendLine{1, 100, 2, 200, 1});
  ASSERT_EQ(series_.SaveLines(), 1);
  series_.LoadLines();
  series_.ClearLines();
  ASSERT_EQ(series_.SaveLines(), 1);
  EXPECT_FALSE(FileExists(series_.linePath));
  series_.LoadLines();
  EXPECT_EQ(series_.lineCount(), 0);
  // Lines first written in this session (no file when the stock was opened) go too.
  series_.SetLinePath(series_.linePath);
  series_.lines.push_back(TrendLine{1, 100, 2, 200, 1});
  ASSERT_EQ(series_.SaveLines(), 1);
  series_.ClearLines();
  ASSERT_EQ(series_.SaveLines(), 1);
  EXPECT_FALSE(FileExists(series_.linePath));
}

TEST_F(TrendLinesTest, ASeriesThatNeverLoadedLinesDoesNotRemoveTheFile) {
  series_.lines.push_back(TrendLine{1, 100, 2, 200, 1});
  ASSERT_EQ(series_.SaveLines(), 1);
  CPriceSeries fresh;
  fresh.SetLinePath(series_.linePath);
  ASSERT_EQ(fresh.SaveLines(), 1);
  EXPECT_TRUE(FileExists(series_.linePath));
}

TEST_F(TrendLinesTest, MissingOrJunkLineFilesGiveNoLinesOrUnresolvedOnes) {
  series_.LoadLines();
  EXPECT_EQ(series_.lineCount(), 0);
  std::vector<uint8_t> junk(28 * 3 + 5, 0xFF);
  testing::WriteBytes(series_.linePath, junk);
  series_.LoadLines();
  EXPECT_EQ(series_.lineCount(), 3);
  for (const TrendLine& l : series_.lines) EXPECT_EQ(l.unresolved, 1);
}

}  // namespace
}  // namespace korvale
