// The analysis batch over a small data root, driven as the progress dialog drives it.
#include "screening/analysis_batch_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "screening/analysis_cache.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "support/dictionary_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::TempDir;

std::vector<int32_t> Closes(int count, int from) {
  std::vector<int32_t> closes;
  for (int i = 0; i < count; ++i) closes.push_back(from + (i % 5) * 7 - i % 3);
  return closes;
}

std::vector<uint8_t> EncodedRecord(const AnalysisRecord& r) {
  std::vector<uint8_t> bytes(kAnalysisRecordSize);
  EncodeAnalysisRecord(r, bytes.data());
  return bytes;
}

// Stocks 1301 (44 days from 2006-01-05), 1332 (listed from 2006-02-01), 6501 (an empty price
// file) and 7203, whose file goes away after the dictionary was built.
class AnalysisBatchJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"Data/1000", "Data/7000", "Data/LINE"}) {
      std::filesystem::create_directories(root_.File(folder));
    }
    testing::WriteDictionaryFile(
        DictionaryFilePath(root_.path()),
        {DictRecord(1301, "極洋", 1, 1), DictRecord(1332, "日本水産", 1, 1),
         DictRecord(6501, "日立製作所", 1, 16), DictRecord(7203, "トヨタ自動車", 1, 17)});
    testing::WritePriceFile(root_.File("Data/1000/KD1301.KDT"),
                            testing::WeekdayBars(2006, 1, 5, Closes(44, 500)));
    testing::WritePriceFile(root_.File("Data/1000/KD1332.KDT"),
                            testing::WeekdayBars(2006, 2, 1, Closes(25, 300)));
    testing::TouchFile(root_.path(), "Data/6000/KD6501.KDT");
    testing::WritePriceFile(root_.File("Data/7000/KD7203.KDT"),
                            testing::WeekdayBars(2006, 1, 5, Closes(10, 900)));
    dict_ = std::make_unique<CStockDictionary>(root_.path(), root_.path());
    ASSERT_EQ(dict_->itemCount, 4);
    settings_ = testing::DefaultSettings();
  }

  std::unique_ptr<CAnalysisBatchJob> Job() {
    return std::make_unique<CAnalysisBatchJob>(*dict_, &store_, settings_, nullptr,
                                               root_.File("Data/LINE"), CachePath());
  }
  std::string CachePath() const { return AnalysisCachePath(root_.path()); }

  // The record of one price file as the record command computes it.
  AnalysisRecord Direct(const std::string& file, int32_t position, int asOfDay = 0) {
    CPriceSeries series;
    if (asOfDay) {
      series.LoadUntil(2006, 1, asOfDay, root_.File(file));
    } else {
      series.LoadAll(root_.File(file));
    }
    AnalysisRecord rec;
    ComputeAnalysisRecord(series, position, settings_, nullptr, &rec);
    return rec;
  }

  TempDir root_;
  std::unique_ptr<CStockDictionary> dict_;
  SettingsRecord settings_;
  CAnalysisStore store_;
};

TEST_F(AnalysisBatchJobTest, ALatestBatchAppendsInListOrderSkipsMissingFilesAndSavesTheCache) {
  std::filesystem::remove(root_.File("Data/7000/KD7203.KDT"));
  store_.AppendComputed(AnalysisRecord{}, 1999, 1, 1);  // a previous batch, cleared by Start

  auto job = Job();
  EXPECT_EQ(job->ScreeningTitle(), "最新の");
  ASSERT_EQ(job->Start(), AnalysisJobStatus::kRunning);
  EXPECT_EQ(store_.recordCount, 0);
  EXPECT_EQ(job->total(), 4);
  EXPECT_EQ(job->Step(2), AnalysisJobStatus::kRunning);
  EXPECT_EQ(job->done(), 2);
  EXPECT_EQ(store_.recordCount, 2);
  EXPECT_EQ(job->Step(kStocksPerTick), AnalysisJobStatus::kFinished);
  EXPECT_EQ(job->done(), 4);
  EXPECT_EQ(job->skipped(), 1);
  EXPECT_FALSE(FileExists(CachePath()));  // only Finish writes it

  // The empty price file opens, so 6501 has a record (of invalid values); 7203 has none.
  ASSERT_EQ(store_.recordCount, 3);
  EXPECT_EQ(EncodedRecord(store_.records[0]), EncodedRecord(Direct("Data/1000/KD1301.KDT", 0)));
  EXPECT_EQ(EncodedRecord(store_.records[1]), EncodedRecord(Direct("Data/1000/KD1332.KDT", 1)));
  EXPECT_EQ(store_.records[2].stockIndex, 2);
  EXPECT_EQ(store_.records[2].lastClose, 0);
  // 1332's last day: 25 weekdays from Wednesday 2006-02-01 end on Tuesday 2006-03-07.
  EXPECT_EQ(store_.asOfYear, 2006);
  EXPECT_EQ(store_.asOfMonth, 3);
  EXPECT_EQ(store_.asOfDay, 7);

  std::string error;
  ASSERT_TRUE(job->Finish(&error)) << error;
  EXPECT_TRUE(job->cacheWritten());
  EXPECT_EQ(FileSize(CachePath()), 3 * 304);

  // Three records for four stocks: the previous results cannot stand in for a batch.
  CAnalysisStore reread;
  EXPECT_FALSE(LoadReusableCache(&reread, CachePath(), *dict_));
  EXPECT_EQ(reread.recordCount, 3);
  EXPECT_EQ(EncodedRecord(reread.records[1]), EncodedRecord(store_.records[1]));
}

TEST_F(AnalysisBatchJobTest, TheCacheIsReusedOnlyWhileItsCountMatchesTheStockList) {
  auto job = Job();
  job->Start();
  while (job->Step(kStocksPerTick) == AnalysisJobStatus::kRunning) {
  }
  ASSERT_TRUE(job->Finish());
  CAnalysisStore reread;
  EXPECT_TRUE(LoadReusableCache(&reread, CachePath(), *dict_));
  EXPECT_EQ(reread.recordCount, 4);

  // A stock added since the batch.
  testing::TouchFile(root_.path(), "Data/8000/KD8001.KDT");
  const CStockDictionary grown(root_.path(), root_.path());
  EXPECT_FALSE(LoadReusableCache(&reread, CachePath(), grown));
  // No cache at all.
  std::filesystem::remove(CachePath());
  EXPECT_FALSE(LoadReusableCache(&reread, CachePath(), *dict_));
}

TEST_F(AnalysisBatchJobTest, AnAsOfBatchReadsTheBarsUpToTheDateAndWritesNoCache) {
  testing::WriteBytes(CachePath(), {1, 2, 3});
  auto job = Job();
  job->SetAsOfDate(2006, 1, 20);
  EXPECT_EQ(job->ScreeningTitle(), "2006/01/20");
  job->Start();
  EXPECT_EQ(job->Step(100), AnalysisJobStatus::kFinished);
  ASSERT_EQ(store_.recordCount, 4);
  EXPECT_EQ(EncodedRecord(store_.records[0]), EncodedRecord(Direct("Data/1000/KD1301.KDT", 0, 20)));
  // 1332 was listed later: a record of invalid values all the same.
  EXPECT_EQ(store_.records[1].stockIndex, 1);
  EXPECT_EQ(store_.records[1].lastClose, 0);
  EXPECT_EQ(store_.records[1].highAll, 0);
  EXPECT_EQ(EncodedRecord(store_.records[3]), EncodedRecord(Direct("Data/7000/KD7203.KDT", 3, 20)));
  EXPECT_EQ(store_.asOfDay, 18);  // 7203's tenth weekday, Wednesday 2006-01-18
  EXPECT_TRUE(job->Finish());
  EXPECT_FALSE(job->cacheWritten());
  EXPECT_EQ(testing::ReadBytes(CachePath()), (std::vector<uint8_t>{1, 2, 3}));
}

TEST_F(AnalysisBatchJobTest, CancelKeepsTheRecordsSoFarAndWritesNoCache) {
  auto job = Job();
  job->Start();
  job->Step(1);
  job->Cancel();
  EXPECT_EQ(job->status(), AnalysisJobStatus::kCancelled);
  EXPECT_EQ(job->Step(kStocksPerTick), AnalysisJobStatus::kCancelled);
  EXPECT_EQ(job->done(), 1);
  EXPECT_EQ(store_.recordCount, 1);
  EXPECT_EQ(store_.records[0].stockIndex, 0);
  EXPECT_TRUE(job->Finish());
  EXPECT_FALSE(FileExists(CachePath()));
}

TEST_F(AnalysisBatchJobTest, TrendLinesComeFromTheLineFolderAndAnEmptyListFinishesAtOnce) {
  // A resistance at 100 over all 44 days of 1301: its closes lie above it.
  TrendLineFileRecord line;
  line.year1 = 2006;
  line.month1 = 1;
  line.day1 = 5;
  line.price1 = 100;
  line.year2 = 2006;
  line.month2 = 3;
  line.day2 = 7;
  line.price2 = 100;
  line.kind = 1;
  std::vector<uint8_t> bytes(kTrendLineFileRecordSize);
  EncodeTrendLineFileRecord(line, bytes.data());
  testing::WriteBytes(root_.File("Data/LINE/LN1301.DAT"), bytes);
  auto job = Job();
  job->Start();
  job->Step(kStocksPerTick);
  EXPECT_EQ(store_.records[0].trendLineCode, 0);
  EXPECT_EQ(store_.records[1].trendLineCode, kTrendLineCodeNone);

  TempDir empty;
  const CStockDictionary none(empty.path(), empty.path());
  CAnalysisBatchJob emptyJob(none, &store_, settings_, nullptr, empty.File("Data/LINE"),
                             AnalysisCachePath(empty.path()));
  EXPECT_EQ(emptyJob.Start(), AnalysisJobStatus::kFinished);
  EXPECT_EQ(store_.recordCount, 0);
  EXPECT_TRUE(emptyJob.Finish());
  EXPECT_EQ(FileSize(AnalysisCachePath(empty.path())), 0);
}

// The store after a whole batch in slices of `slice` stocks on `threads` threads, as bytes.
struct BatchResult {
  std::vector<uint8_t> bytes;
  int32_t year = 0, month = 0, day = 0;
  int skipped = 0;
  bool operator==(const BatchResult&) const = default;
};

BatchResult RunWholeBatch(const CStockDictionary& dict, const SettingsRecord& settings,
                          const std::string& root, int threads, int slice, int asOfDay) {
  CAnalysisStore store;
  CAnalysisBatchJob job(dict, &store, settings, nullptr, root + "/Data/LINE",
                        AnalysisCachePath(root));
  job.SetThreads(threads);
  if (asOfDay) job.SetAsOfDate(2006, 3, asOfDay);
  job.Start();
  while (job.Step(slice) == AnalysisJobStatus::kRunning) {
  }
  BatchResult r;
  for (const AnalysisRecord& rec : store.Records()) {
    const std::vector<uint8_t> one = EncodedRecord(rec);
    r.bytes.insert(r.bytes.end(), one.begin(), one.end());
  }
  r.year = store.asOfYear;
  r.month = store.asOfMonth;
  r.day = store.asOfDay;
  r.skipped = job.skipped();
  return r;
}

TEST(AnalysisBatchThreadsTest, SpreadingTheBatchOverThreadsGivesTheSameStore) {
  TempDir root;
  std::filesystem::create_directories(root.File("Data/1000"));
  // 27 stocks of different lengths; one empty file, two files gone after the scan, and a
  // last stock whose bars end early, so the as-of date depends on the order of appending.
  for (int k = 0; k < 27; ++k) {
    const std::string file = root.File("Data/1000/KD" + std::to_string(1001 + k) + ".KDT");
    if (k == 5) {
      testing::WriteBytes(file, {});
    } else {
      const int count = k == 26 ? 12 : 30 + (k * 37) % 90;
      testing::WritePriceFile(
          file, testing::WeekdayBars(2006, 1, 2 + k % 3, Closes(count, 200 + 13 * k)));
    }
  }
  const CStockDictionary dict(root.path(), root.path());
  ASSERT_EQ(dict.itemCount, 27);
  std::filesystem::remove(root.File("Data/1000/KD1008.KDT"));
  std::filesystem::remove(root.File("Data/1000/KD1020.KDT"));
  SettingsRecord settings = testing::DefaultSettings();
  settings.dailySpanDays = 20;

  for (int asOfDay : {0, 10}) {
    const BatchResult one = RunWholeBatch(dict, settings, root.path(), 1, kStocksPerTick, asOfDay);
    EXPECT_EQ(one.bytes.size(), 25u * kAnalysisRecordSize);
    EXPECT_EQ(one.skipped, 2);
    for (int threads : {2, 3}) {
      for (int slice : {1, 2, 7, kStocksPerTick, 100}) {
        EXPECT_TRUE(RunWholeBatch(dict, settings, root.path(), threads, slice, asOfDay) == one)
            << threads << " threads, slices of " << slice << ", as of " << asOfDay;
      }
    }
  }
}

}  // namespace
}  // namespace korvale
