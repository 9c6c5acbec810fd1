// The analysis store and its cache file.
#include "screening/analysis_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>

#include "screening/analysis_cache.h"
#include "store/file_io.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::TempDir;

// A record whose fields say which one it is.
AnalysisRecord Numbered(int32_t i) {
  AnalysisRecord r;
  r.stockIndex = i;
  r.lastClose = 1000 + i;
  r.priceChangePercent = i / 4.0;
  r.rci2 = -i;
  r.positionCode = i % 6;
  r.indexDeviation = i * 0.5;
  return r;
}

std::vector<uint8_t> CacheBytes(int32_t count, int32_t firstIndex = 0) {
  std::vector<uint8_t> bytes(static_cast<size_t>(count) * kAnalysisRecordSize);
  for (int32_t i = 0; i < count; ++i) {
    EncodeAnalysisRecord(Numbered(firstIndex + i), bytes.data() + i * kAnalysisRecordSize);
  }
  return bytes;
}

TEST(AnalysisStoreTest, AppendTakesTheLastBarsDateAndKeepsItForASeriesWithoutBars) {
  const SettingsRecord settings = testing::DefaultSettings();
  CAnalysisStore store;
  EXPECT_EQ(store.capacity, 6000);
  EXPECT_EQ(store.records.size(), 6000u);

  // Thursday 2006-01-05 onwards: the third bar is Monday 2006-01-09.
  ASSERT_TRUE(store.AppendRecord(testing::SeriesOf(testing::CloseBars({100, 110, 99})), 4, settings,
                                 nullptr));
  EXPECT_EQ(store.recordCount, 1);
  EXPECT_EQ(store.records[0].stockIndex, 4);
  EXPECT_EQ(store.records[0].lastClose, 99);
  EXPECT_EQ(store.records[0].priceChange, -11);
  EXPECT_EQ(store.asOfYear, 2006);
  EXPECT_EQ(store.asOfMonth, 1);
  EXPECT_EQ(store.asOfDay, 9);

  // A stock with no bar (an as-of date before its first day) gets a record of invalid values
  // and leaves the date of the stock before it.
  ASSERT_TRUE(store.AppendRecord(CPriceSeries(), 9, settings, nullptr));
  EXPECT_EQ(store.recordCount, 2);
  EXPECT_EQ(store.records[1].stockIndex, 9);
  EXPECT_EQ(store.records[1].lastClose, 0);
  EXPECT_EQ(store.records[1].rci1, kRecordInvalid);
  EXPECT_EQ(store.asOfDay, 9);

  store.ClearRecords();
  EXPECT_EQ(store.recordCount, 0);
  EXPECT_TRUE(store.Records().empty());
}

TEST(AnalysisStoreTest, AFullStoreRefusesFurtherRecords) {
  CAnalysisStore store;
  for (int32_t i = 0; i < store.capacity; ++i)
    ASSERT_TRUE(store.AppendComputed(Numbered(i), 0, 0, 0));
  EXPECT_FALSE(store.AppendComputed(Numbered(1), 2020, 1, 1));
  EXPECT_FALSE(store.AppendRecord(testing::SeriesOf(testing::CloseBars({1, 2})), 1,
                                  testing::DefaultSettings(), nullptr));
  EXPECT_EQ(store.recordCount, 6000);
  EXPECT_EQ(store.asOfYear, 0);
}

TEST(AnalysisCacheTest, SavedRecordsStandBackToBackAndLoadAsTheyWere) {
  TempDir dir;
  const std::string path = AnalysisCachePath(dir.path());
  EXPECT_EQ(path, dir.path() + "/analize.tmp");
  CAnalysisStore store;
  for (int32_t i = 0; i < 3; ++i) store.AppendComputed(Numbered(i), 2024, 5, 31);
  ASSERT_EQ(store.SaveCache(path), 1);
  EXPECT_EQ(testing::ReadBytes(path), CacheBytes(3));

  CAnalysisStore loaded;
  CacheLoadInfo info;
  ASSERT_EQ(loaded.LoadCache(path, &info), 1);
  ASSERT_EQ(loaded.recordCount, 3);
  EXPECT_EQ(info.fileRecords, 3);
  EXPECT_FALSE(info.partialBlock);
  EXPECT_FALSE(info.cut);
  for (int32_t i = 0; i < 3; ++i) {
    EXPECT_EQ(loaded.records[i].lastClose, 1000 + i);
    EXPECT_EQ(loaded.records[i].rci2, -i);
    EXPECT_EQ(loaded.records[i].indexDeviation, i * 0.5);
  }
  EXPECT_EQ(loaded.asOfYear, 0);  // the date is not kept in the file

  // An empty store writes an empty file, which loads as no records.
  loaded.ClearRecords();
  ASSERT_EQ(loaded.SaveCache(path), 1);
  EXPECT_EQ(FileSize(path), 0);
  ASSERT_EQ(store.LoadCache(path), 1);
  EXPECT_EQ(store.recordCount, 0);
}

TEST(AnalysisCacheTest, ATrailingPartialBlockIsCountedWithInvalidValuesForWhatIsMissing) {
  TempDir dir;
  const std::string path = dir.File("analize.tmp");
  std::vector<uint8_t> bytes = CacheBytes(3);
  // 100 bytes of a fourth record: up to and including rci2 (offsets 88-95), not positionCode.
  const std::vector<uint8_t> fourth = CacheBytes(1, 3);
  bytes.insert(bytes.end(), fourth.begin(), fourth.begin() + 100);
  testing::WriteBytes(path, bytes);

  CAnalysisStore store;
  // Stale contents in the slot must not show through.
  store.AppendComputed(Numbered(50), 0, 0, 0);
  store.AppendComputed(Numbered(51), 0, 0, 0);
  store.AppendComputed(Numbered(52), 0, 0, 0);
  store.AppendComputed(Numbered(53), 0, 0, 0);
  CacheLoadInfo info;
  ASSERT_EQ(store.LoadCache(path, &info), 1);
  ASSERT_EQ(store.recordCount, 4);
  EXPECT_TRUE(info.partialBlock);
  EXPECT_EQ(info.fileRecords, 4);
  EXPECT_EQ(store.records[2].positionCode, 2);
  EXPECT_EQ(store.records[3].stockIndex, 3);
  EXPECT_EQ(store.records[3].lastClose, 1003);
  EXPECT_EQ(store.records[3].rci2, -3);
  EXPECT_EQ(store.records[3].positionCode, kPositionCodeNone);
  EXPECT_EQ(store.records[3].macdLevel, kRecordInvalidLevel);
  EXPECT_EQ(store.records[3].indexDeviation, 0);

  // A file shorter than one record is one partial record.
  testing::WriteBytes(path, std::vector<uint8_t>(fourth.begin(), fourth.begin() + 8));
  ASSERT_EQ(store.LoadCache(path, &info), 1);
  ASSERT_EQ(store.recordCount, 1);
  EXPECT_EQ(store.records[0].lastClose, 1003);
  EXPECT_EQ(store.records[0].rci1, kRecordInvalid);
}

TEST(AnalysisCacheTest, AFileLongerThanTheStoreFillsEverySlotAndNoMore) {
  TempDir dir;
  const std::string path = dir.File("analize.tmp");
  testing::WriteBytes(path, CacheBytes(7000));
  CAnalysisStore store;
  CacheLoadInfo info;
  ASSERT_EQ(store.LoadCache(path, &info), 1);
  EXPECT_EQ(store.recordCount, 6000);
  EXPECT_EQ(store.records[5999].stockIndex, 5999);
  EXPECT_EQ(info.fileRecords, 7000);
  EXPECT_TRUE(info.cut);

  // Exactly 6,000 records fit; 6,000 and a few bytes do not.
  testing::WriteBytes(path, CacheBytes(6000));
  ASSERT_EQ(store.LoadCache(path, &info), 1);
  EXPECT_EQ(store.recordCount, 6000);
  EXPECT_FALSE(info.cut);
  std::vector<uint8_t> bytes = CacheBytes(6000);
  bytes.push_back(1);
  testing::WriteBytes(path, bytes);
  ASSERT_EQ(store.LoadCache(path, &info), 1);
  EXPECT_EQ(store.recordCount, 6000);
  EXPECT_TRUE(info.cut);
}

TEST(AnalysisCacheTest, MissingOrUnreadableFilesLoadNothing) {
  TempDir dir;
  CAnalysisStore store;
  store.AppendComputed(Numbered(0), 0, 0, 0);
  EXPECT_EQ(store.LoadCache(dir.File("analize.tmp")), 0);
  EXPECT_EQ(store.recordCount, 0);
  std::filesystem::create_directory(dir.File("folder.tmp"));
  store.AppendComputed(Numbered(0), 0, 0, 0);
  EXPECT_EQ(store.LoadCache(dir.File("folder.tmp")), 0);
  EXPECT_EQ(store.recordCount, 0);
}

TEST(AnalysisCacheTest, AFailedSaveIsReportedAndLeavesTheOldFile) {
  TempDir dir;
  CAnalysisStore store;
  store.AppendComputed(Numbered(0), 0, 0, 0);
  std::string error;
  EXPECT_EQ(store.SaveCache(dir.File("no/such/folder/analize.tmp"), &error), 0);
  EXPECT_FALSE(error.empty());

  // A read-only folder: the old cache stays as it was.
  const std::string path = dir.File("analize.tmp");
  testing::WriteBytes(path, CacheBytes(2));
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  const bool canStillWrite = ::access(dir.path().c_str(), W_OK) == 0;  // running as root
  if (!canStillWrite) {
    EXPECT_EQ(store.SaveCache(path, &error), 0);
    EXPECT_EQ(testing::ReadBytes(path), CacheBytes(2));
  }
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
}

}  // namespace
}  // namespace korvale
