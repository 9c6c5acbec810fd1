#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>

#include "store/price_series.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::FlatBar;
using testing::TempDir;

TEST(PriceSeriesLoadTest, LeadingEmptyDaysAreDroppedAndAnInnerZeroDayIsFlatAtThePreviousClose) {
  TempDir dir;
  const std::string path = dir.File("KD7203.KDT");
  testing::WritePriceFile(path, {
                                    Bar(2006, 1, 4, 0, 0, 0, 0, 0),
                                    Bar(2006, 1, 5, 0, 0, 0, 0, 0),
                                    Bar(2006, 1, 6, 100, 110, 90, 105, 5000),
                                    Bar(2006, 1, 10, 0, 0, 0, 0, 700),  // traded, no prices
                                    Bar(2006, 1, 11, 0, 0, 0, 0, 0),
                                    Bar(2006, 1, 12, 106, 108, 0, 107, 0),  // a zero price
                                    Bar(2006, 1, 13, 107, 109, 105, 108, 900),
                                });
  CPriceSeries s;
  ASSERT_EQ(s.LoadAll(path), 1);
  EXPECT_EQ(s.filePath, path);
  ASSERT_EQ(s.barCount(), 5);
  EXPECT_EQ(s.bars[0].day, 6);
  // A day with volume but no prices is taken unchanged.
  EXPECT_EQ(s.bars[1].volume, 700);
  EXPECT_EQ(s.bars[1].close, 0);
  // Zero volume and not all prices positive: flat at the previous kept bar's close.
  EXPECT_EQ(s.bars[2].day, 11);
  EXPECT_EQ(s.bars[2].open, 0);  // the previous kept bar closed at 0
  EXPECT_EQ(s.bars[3].day, 12);
  EXPECT_EQ(s.bars[3].open, 0);
  EXPECT_EQ(s.bars[3].high, 0);
  EXPECT_EQ(s.bars[4].close, 108);
}

TEST(PriceSeriesLoadTest, ZeroDayInsideHistoryKeepsDateReservedBytesAndVolume) {
  TempDir dir;
  const std::string path = dir.File("a.kdt");
  PriceBar quiet = Bar(2006, 1, 10, 0, 0, 0, 0, 0);
  quiet.reserved1 = 3;
  testing::WritePriceFile(path, {Bar(2006, 1, 6, 100, 110, 90, 105, 5000), quiet});
  CPriceSeries s;
  ASSERT_EQ(s.LoadAll(path), 1);
  ASSERT_EQ(s.barCount(), 2);
  EXPECT_EQ(s.bars[1].open, 105);
  EXPECT_EQ(s.bars[1].high, 105);
  EXPECT_EQ(s.bars[1].low, 105);
  EXPECT_EQ(s.bars[1].close, 105);
  EXPECT_EQ(s.bars[1].reserved1, 3);
  EXPECT_EQ(s.bars[1].day, 10);
}

TEST(PriceSeriesLoadTest, FileOfOnlyEmptyDaysOrMissingFileLoadsNothing) {
  TempDir dir;
  const std::string path = dir.File("empty.kdt");
  testing::WritePriceFile(path, {Bar(2006, 1, 4, 0, 0, 0, 0, 0)});
  CPriceSeries s;
  EXPECT_EQ(s.LoadAll(path), 0);
  EXPECT_EQ(s.barCount(), 0);
  EXPECT_EQ(s.LoadAll(dir.File("missing.kdt")), 0);
  EXPECT_EQ(s.barCount(), 0);
  EXPECT_EQ(s.LoadTail(dir.File("missing.kdt")), 0);
  EXPECT_EQ(s.LoadUntil(2006, 1, 1, dir.File("missing.kdt")), 0);
}

TEST(PriceSeriesLoadTest, PartialRecordsAtTheEndAreIgnored) {
  TempDir dir;
  auto bytes = testing::PriceFileBytes({FlatBar(2006, 1, 4, 100), FlatBar(2006, 1, 5, 101)});
  std::vector<uint8_t> b25(bytes.begin(), bytes.begin() + 25);
  testing::WriteBytes(dir.File("25.kdt"), b25);
  bytes.push_back(0x55);  // 53 bytes
  testing::WriteBytes(dir.File("53.kdt"), bytes);
  CPriceSeries s;
  EXPECT_EQ(s.LoadAll(dir.File("25.kdt")), 0);
  EXPECT_EQ(s.barCount(), 0);
  EXPECT_EQ(s.LoadAll(dir.File("53.kdt")), 1);
  EXPECT_EQ(s.barCount(), 2);
}

// A price file a peer sent is loaded from memory: every load gives what it gives for the file.
TEST(PriceSeriesLoadTest, LoadsFromBytesInMemoryMatchTheFileLoads) {
  TempDir dir;
  std::vector<PriceBar> bars;
  for (int i = 0; i < 60; ++i) bars.push_back(FlatBar(2006 + i / 20, 1 + i % 12, 1 + i % 28, 100 + i));
  bars.push_back(Bar(2009, 5, 1, 0, 0, 0, 0, 0));  // a day without trading
  auto bytes = testing::PriceFileBytes(bars);
  bytes.push_back(0x55);  // a cut record at the end
  const std::string path = dir.File("KD1301.KDT");
  testing::WriteBytes(path, bytes);
  using Load = std::function<bool(CPriceSeries&, bool fromBytes)>;
  const uint8_t* data = bytes.data();
  const size_t size = bytes.size();
  const std::pair<const char*, Load> loads[] = {
      {"all", [&](CPriceSeries& s, bool b) { return b ? s.LoadAllBytes(data, size, path) : s.LoadAll(path); }},
      {"tail", [&](CPriceSeries& s, bool b) { return b ? s.LoadTailBytes(data, size, path) : s.LoadTail(path); }},
      {"until", [&](CPriceSeries& s, bool b) {
         return b ? s.LoadUntilBytes(2007, 6, 30, data, size, path) : s.LoadUntil(2007, 6, 30, path);
       }},
      {"merged", [&](CPriceSeries& s, bool b) {
         return b ? s.LoadMergedBytes(data, size, path, nullptr, 0) : s.LoadMerged(path, nullptr, 0);
       }},
  };
  for (const auto& [name, load] : loads) {
    CPriceSeries fromFile, fromBytes;
    EXPECT_EQ(load(fromFile, false), load(fromBytes, true)) << name;
    ASSERT_EQ(fromFile.barCount(), fromBytes.barCount()) << name;
    ASSERT_GT(fromFile.barCount(), 0) << name;
    for (int i = 0; i < fromFile.barCount(); ++i) {
      EXPECT_EQ(DateKey(fromFile.bars[i]), DateKey(fromBytes.bars[i])) << name << i;
      EXPECT_EQ(fromFile.bars[i].close, fromBytes.bars[i].close) << name << i;
    }
    EXPECT_EQ(fromBytes.filePath, path);
  }
}

TEST(PriceSeriesLoadTest, LoadAllKeepsFileOrderWhileLoadMergedSortsAndKeepsTheLaterRecord) {
  TempDir dir;
  const std::string path = dir.File("KD1301.KDT");
  testing::WritePriceFile(path, {
                                    FlatBar(2006, 1, 5, 100),
                                    FlatBar(2006, 1, 6, 101),
                                    FlatBar(2006, 1, 5, 199),  // the 5th again, later
                                    FlatBar(2006, 1, 4, 98),   // out of order
                                    FlatBar(1899, 12, 30, 50),
                                    FlatBar(2100, 1, 4, 60),
                                });
  CPriceSeries all;
  ASSERT_EQ(all.LoadAll(path), 1);
  ASSERT_EQ(all.barCount(), 6);
  EXPECT_EQ(all.bars[2].close, 199);
  EXPECT_EQ(all.bars[4].year, 1899);

  CPriceSeries merged;
  ASSERT_EQ(merged.LoadMerged(path, nullptr, 0), 1);
  ASSERT_EQ(merged.barCount(), 3);
  EXPECT_EQ(merged.bars[0].day, 4);
  EXPECT_EQ(merged.bars[1].day, 5);
  EXPECT_EQ(merged.bars[1].close, 199);
  EXPECT_EQ(merged.bars[2].day, 6);
  EXPECT_EQ(merged.filePath, path);
}

TEST(PriceSeriesLoadTest, MergedExtraBarsReplaceFileDaysAndDaysWithoutOpenAreDropped) {
  TempDir dir;
  const std::string path = dir.File("KD1301.KDT");
  PriceBar reserved = FlatBar(2006, 1, 5, 100);
  reserved.reserved1 = 9;
  testing::WritePriceFile(path, {FlatBar(2006, 1, 4, 98), reserved, FlatBar(2006, 1, 6, 101)});
  std::vector<PriceBar> extra = {
      FlatBar(2006, 1, 6, 150),
      FlatBar(2006, 1, 9, 151),
      Bar(2006, 1, 10, 0, 5, 5, 5, 100),  // no open: dropped
      FlatBar(2006, 13, 1, 5),            // month out of range: not placed
      FlatBar(2005, 12, 30, 97),
  };
  CPriceSeries s;
  ASSERT_EQ(s.LoadMerged(path, extra.data(), static_cast<int>(extra.size())), 1);
  ASSERT_EQ(s.barCount(), 5);
  EXPECT_EQ(s.bars[0].year, 2005);
  EXPECT_EQ(s.bars[2].reserved1, 0);  // rebuilt from the grid
  EXPECT_EQ(s.bars[3].close, 150);
  EXPECT_EQ(s.bars[4].day, 9);
}

TEST(PriceSeriesLoadTest, MergedWithNothingInRangeReturnsZeroAndKeepsTheLoad) {
  TempDir dir;
  const std::string path = dir.File("old.kdt");
  testing::WritePriceFile(path, {FlatBar(1850, 1, 5, 100)});
  CPriceSeries s;
  EXPECT_EQ(s.LoadMerged(path, nullptr, 0), 0);
  EXPECT_EQ(s.barCount(), 1);  // what the whole-file load gave
  // A missing file: the extra bars alone.
  PriceBar one = FlatBar(2010, 4, 1, 10);
  EXPECT_EQ(s.LoadMerged(dir.File("none.kdt"), &one, 1), 1);
  EXPECT_EQ(s.barCount(), 1);
  EXPECT_EQ(s.bars[0].year, 2010);
}

TEST(PriceSeriesLoadTest, TailReadsTheLast32Records) {
  TempDir dir;
  std::vector<PriceBar> bars;
  for (int i = 0; i < 40; ++i) bars.push_back(FlatBar(2006, 2, 1 + i % 28, 100 + i));
  testing::WritePriceFile(dir.File("40.kdt"), bars);
  bars.resize(10);
  testing::WritePriceFile(dir.File("10.kdt"), bars);
  CPriceSeries s;
  ASSERT_EQ(s.LoadTail(dir.File("40.kdt")), 1);
  ASSERT_EQ(s.barCount(), 32);
  EXPECT_EQ(s.bars[0].close, 108);
  EXPECT_EQ(s.bars[31].close, 139);
  ASSERT_EQ(s.LoadTail(dir.File("10.kdt")), 1);
  EXPECT_EQ(s.barCount(), 10);
}

TEST(PriceSeriesLoadTest, UntilStopsAtTheFirstLaterDateAndSucceedsWhenEmpty) {
  TempDir dir;
  const std::string path = dir.File("u.kdt");
  testing::WritePriceFile(path, {FlatBar(2006, 1, 4, 1), FlatBar(2006, 1, 5, 2),
                                 FlatBar(2006, 1, 10, 3), FlatBar(2006, 1, 6, 4)});
  CPriceSeries s;
  ASSERT_EQ(s.LoadUntil(2006, 1, 6, path), 1);
  ASSERT_EQ(s.barCount(), 2);  // the 10th stops the read; the 6th behind it is not read
  ASSERT_EQ(s.LoadUntil(2005, 12, 31, path), 1);
  EXPECT_EQ(s.barCount(), 0);
}

TEST(PriceSeriesLoadTest, ResetGivesTheOneBarPlaceholder) {
  CPriceSeries s;
  s.filePath = "x";
  s.marginPath = "y";
  s.linePath = "z";
  s.Reset();
  ASSERT_EQ(s.barCount(), 1);
  ASSERT_EQ(s.weekCount(), 1);
  ASSERT_EQ(s.monthCount(), 1);
  EXPECT_EQ(s.lineCount(), 0);
  EXPECT_EQ(s.bars[0].year, 0);
  EXPECT_EQ(s.bars[0].close, 1);
  EXPECT_EQ(s.bars[0].volume, 0);
  EXPECT_EQ(s.weeks[0].week, 0);
  EXPECT_EQ(s.months[0].open, 1);
  EXPECT_TRUE(s.filePath.empty());
  EXPECT_TRUE(s.marginPath.empty());
  EXPECT_TRUE(s.linePath.empty());
}

TEST(PriceSeriesLoadTest, SaveAllRoundTripsTheFileByteForByte) {
  TempDir dir;
  std::vector<PriceBar> bars = {Bar(2006, 1, 4, 70000, 80000, 65536, 65535, 1),
                                Bar(2006, 1, 5, -70000, 10, -10, 5, 2000000000)};
  bars[1].reserved2 = 200;
  testing::WritePriceFile(dir.File("in.kdt"), bars);
  CPriceSeries s;
  ASSERT_EQ(s.LoadAll(dir.File("in.kdt")), 1);
  ASSERT_EQ(s.SaveAll(dir.File("out.kdt")), 1);
  EXPECT_EQ(testing::ReadBytes(dir.File("out.kdt")), testing::ReadBytes(dir.File("in.kdt")));
}

TEST(PriceSeriesLoadTest, SaveWithoutLeavesOutADayOrAMonth) {
  TempDir dir;
  CPriceSeries s;
  std::vector<PriceBar> bars = {FlatBar(2006, 1, 31, 1), FlatBar(2006, 2, 1, 2),
                                FlatBar(2006, 2, 2, 3), FlatBar(2007, 2, 1, 4)};
  testing::WritePriceFile(dir.File("in.kdt"), bars);
  ASSERT_EQ(s.LoadAll(dir.File("in.kdt")), 1);
  ASSERT_EQ(s.SaveWithout(dir.File("day.kdt"), 0, 2006, 2, 1), 1);
  EXPECT_EQ(testing::ReadBytes(dir.File("day.kdt")),
            testing::PriceFileBytes({bars[0], bars[2], bars[3]}));
  ASSERT_EQ(s.SaveWithout(dir.File("month.kdt"), 1, 2006, 2, 0), 1);
  EXPECT_EQ(testing::ReadBytes(dir.File("month.kdt")), testing::PriceFileBytes({bars[0], bars[3]}));
}

TEST(PriceSeriesLoadTest, FailedSaveIsReportedAndLeavesTheOldFile) {
  TempDir dir;
  CPriceSeries s;
  testing::WritePriceFile(dir.File("in.kdt"), {FlatBar(2006, 1, 4, 1)});
  ASSERT_EQ(s.LoadAll(dir.File("in.kdt")), 1);
  std::string error;
  EXPECT_EQ(s.SaveAll(dir.File("no/such/folder/x.kdt"), &error), 0);
  EXPECT_FALSE(error.empty());
}

TEST(PriceSeriesLoadTest, RandomAndHugeFilesNeverCrash) {
  TempDir dir;
  std::mt19937 rng(42);
  CPriceSeries s;
  for (int round = 0; round < 50; ++round) {
    std::vector<uint8_t> junk(rng() % 4000);
    for (auto& b : junk) b = static_cast<uint8_t>(rng());
    testing::WriteBytes(dir.File("junk.kdt"), junk);
    s.LoadAll(dir.File("junk.kdt"));
    s.BuildWeekly(static_cast<int>(rng() % 100), nullptr);
    s.BuildMonthly();
    s.HasBadBar();
    s.YearExtremes();
    s.WindowExtremes(300);
    s.LoadMerged(dir.File("junk.kdt"), s.bars.data(), s.barCount());
    s.LoadTail(dir.File("junk.kdt"));
    s.LoadUntil(2000, 1, 1, dir.File("junk.kdt"));
  }
  // 200,000 records of a repeated day.
  std::vector<uint8_t> huge = testing::PriceFileBytes(std::vector<PriceBar>(200000, FlatBar(2006, 1, 4, 5)));
  testing::WriteBytes(dir.File("huge.kdt"), huge);
  ASSERT_EQ(s.LoadAll(dir.File("huge.kdt")), 1);
  EXPECT_EQ(s.barCount(), 200000);
  ASSERT_EQ(s.LoadMerged(dir.File("huge.kdt"), nullptr, 0), 1);
  EXPECT_EQ(s.barCount(), 1);
  testing::WriteBytes(dir.File("empty.kdt"), {});
  EXPECT_EQ(s.LoadAll(dir.File("empty.kdt")), 0);
  EXPECT_EQ(s.LoadAll(dir.path()), 0);  // a folder is not a price file
}

}  // namespace
}  // namespace korvale
