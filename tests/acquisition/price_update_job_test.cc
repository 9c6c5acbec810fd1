#include "acquisition/price_update_job.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "acquisition/zentak_file_source.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/market_industry_tables.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::CommaLine;
using testing::DictRecord;
using testing::FlatBar;
using testing::Sjis;
using testing::StoredBars;
using testing::TempDir;
using testing::WritePriceFile;
using testing::WriteText;

const std::string kHeader0512 = "20050512\r\nDaily prices\r\n";

// A data root with named stocks 1301, 1332, 7203 (and 2914 named but without prices), price
// files for the first three in their thousand-block folders.
class PriceUpdateJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteDictionaryFile(
        DictionaryFilePath(root.path()),
        {DictRecord(1301, "極洋", 1, 1), DictRecord(1332, "日本水産", 1, 1),
         DictRecord(7203, "トヨタ自動車", 1, 17), DictRecord(2914, "日本たばこ産業", 1, 4)});
    fs::create_directories(root.File("Data/1000"));
    fs::create_directories(root.File("Data/7000"));
    WritePriceFile(PricePath(1301), {FlatBar(2005, 5, 10, 250), FlatBar(2005, 5, 11, 251)});
    WritePriceFile(PricePath(1332), {FlatBar(2005, 5, 11, 500)});
    WritePriceFile(PricePath(7203), {FlatBar(2005, 5, 11, 4000)});
  }

  std::string PricePath(int code) const {
    char block[8];
    std::snprintf(block, sizeof block, "%04d", ThousandBlock(code));
    return PriceFileName(root.File("Data/") + block, code);
  }

  // Runs a job over the files to its end, 20 records a step, with a fresh dictionary unless one
  // is given.
  UpdateJobStatus Run(const std::vector<std::string>& paths, ImportOptions options,
                      CStockDictionary* dictionary = nullptr) {
    std::unique_ptr<CStockDictionary> own;
    if (!dictionary) {
      own = std::make_unique<CStockDictionary>(root.path(), root.path());
      dictionary = own.get();
    }
    CPriceUpdateJob job(ImportSourcePtr(new CZentakFileSource), dictionary, &folders, root.path(),
                        options, paths);
    UpdateJobStatus status = job.Start();
    while (status == UpdateJobStatus::kRunning) status = job.Step(kRecordsPerTick);
    job.Finish();
    counts = job.counts();
    message = job.message();
    notes = job.notes();
    return status;
  }

  TempDir root;
  CFolderPreparer folders{root.path(), 0};
  UpdateCounts counts;
  std::string message;
  std::vector<std::string> notes;
};

TEST_F(PriceUpdateJobTest, AppendsFeedTwiceAndACompleteUpdateKeepsOneBarADate) {
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, kHeader0512 + CommaLine(1301, 1, "極洋", 252, 256, 249, 255, 1200) + "\r\n" +
                       CommaLine(1332, 1, "日本水産", 505, 505, 505, 505, 30) + "\r\n" +
                       CommaLine(7203, 1, "トヨタ", 4010, 4010, 4010, 4010, 90) + "\r\n");
  ASSERT_EQ(Run({input}, ImportOptions{}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.records, 3);
  EXPECT_EQ(counts.applied, 3);
  EXPECT_EQ(counts.filesDone, 1);
  EXPECT_FALSE(fs::exists(input));
  ASSERT_TRUE(fs::exists(root.File("_DS050512.DAT")));
  std::vector<PriceBar> bars = StoredBars(PricePath(1301));
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(DateKey(bars[2]), 20050512);
  EXPECT_EQ(bars[2].open, 252);
  EXPECT_EQ(bars[2].high, 256);
  EXPECT_EQ(bars[2].low, 249);
  EXPECT_EQ(bars[2].close, 255);
  EXPECT_EQ(bars[2].volume, 1200);
  EXPECT_EQ(StoredBars(PricePath(7203)).size(), 2u);

  // Fed again under its old name, the records are appended a second time.
  fs::rename(root.File("_DS050512.DAT"), input);
  ASSERT_EQ(Run({input}, ImportOptions{}), UpdateJobStatus::kFinished);
  bars = StoredBars(PricePath(1301));
  ASSERT_EQ(bars.size(), 4u);
  EXPECT_EQ(DateKey(bars[3]), 20050512);

  // A complete update of an earlier day sorts the file, keeps one bar a date and lets the
  // record replace the stored day.
  const std::string earlier = root.File("DS050511.DAT");
  WriteText(earlier,
            "20050511\r\nh\r\n" + CommaLine(1301, 1, "極洋", 260, 262, 258, 261, 7) + "\r\n");
  ImportOptions complete;
  complete.completeUpdate = 1;
  ASSERT_EQ(Run({earlier}, complete), UpdateJobStatus::kFinished);
  bars = StoredBars(PricePath(1301));
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_EQ(DateKey(bars[0]), 20050510);
  EXPECT_EQ(DateKey(bars[1]), 20050511);
  EXPECT_EQ(bars[1].close, 261);
  EXPECT_EQ(bars[1].volume, 7);
  EXPECT_EQ(DateKey(bars[2]), 20050512);
  EXPECT_EQ(bars[2].close, 255);
}

TEST_F(PriceUpdateJobTest, ACodeWithoutPricesIsDroppedOrRegisteredAsTheOptionSays) {
  const std::string input = root.File("DS050512.DAT");
  const std::string lines =
      kHeader0512 + CommaLine(2914, 1, "ＪＴ", 300, 310, 295, 305, 10) + "\r\n" +
      CommaLine(4063, 1, "信越化学工業株式会社長い名前", 900, 900, 900, 900, 20) + "\r\n";
  WriteText(input, lines);
  ASSERT_EQ(Run({input}, ImportOptions{}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.skipped, 2);
  EXPECT_EQ(counts.applied, 0);
  EXPECT_FALSE(fs::exists(PricePath(2914)));
  EXPECT_FALSE(fs::exists(PricePath(4063)));

  WriteText(input, lines);
  CStockDictionary dictionary(root.path(), root.path());
  ImportOptions add;
  add.addUnregistered = 1;
  ASSERT_EQ(Run({input}, add, &dictionary), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.newStocks, 2);
  ASSERT_EQ(StoredBars(PricePath(2914)).size(), 1u);
  EXPECT_EQ(StoredBars(PricePath(4063))[0].close, 900);
  // Both are listed at once, in their home folders; a named stock keeps its dictionary name,
  // an unnamed one is named from the record (cut to 47 bytes in the file, 23 in the table).
  std::string folder;
  ASSERT_EQ(dictionary.GetFolder(4063, &folder), 1);
  EXPECT_EQ(folder, root.File("Data/4000"));
  ASSERT_GE(dictionary.FindItem(2914), 0);
  DictionaryFileRecord rec;
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root.path()), 2914, &rec));
  EXPECT_EQ(FieldText(rec.name), Sjis("日本たばこ産業"));
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root.path()), 4063, &rec));
  EXPECT_EQ(rec.code, 4063);
  EXPECT_EQ(FieldText(rec.name), Sjis("信越化学工業株式会社長い名前"));
  EXPECT_TRUE(dictionary.names.HasName(4063));
  std::string name;
  int industry;
  EXPECT_EQ(dictionary.names.Lookup(4063, &name, &industry), kOtherMarket);
  EXPECT_EQ(name, Sjis("信越化学工業株式会社長い名前").substr(0, 23));

  // A fresh scan finds the new stocks where the job put them.
  CStockDictionary rescanned(root.path(), root.path());
  EXPECT_EQ(rescanned.GetFolder(2914, &folder), 1);
  EXPECT_EQ(folder, root.File("Data/2000"));
}

TEST_F(PriceUpdateJobTest, CancellingMidFileKeepsTheNameAndWhatWasWritten) {
  const std::string input = root.File("DS050512.DAT");
  std::string lines = kHeader0512;
  for (int i = 0; i < 50; ++i) lines += CommaLine(1301, 1, "a", 300 + i, 300, 300, 300, 1) + "\r\n";
  WriteText(input, lines);
  CStockDictionary dictionary(root.path(), root.path());
  CPriceUpdateJob job(ImportSourcePtr(new CZentakFileSource), &dictionary, &folders, root.path(),
                      ImportOptions{}, {input});
  ASSERT_EQ(job.Start(), UpdateJobStatus::kRunning);
  EXPECT_EQ(job.total(), 51);
  EXPECT_EQ(job.ProgressText(), "更新中... DS050512.DAT ");
  ASSERT_EQ(job.Step(kRecordsPerTick), UpdateJobStatus::kRunning);
  EXPECT_EQ(job.done(), 20);
  job.Cancel();
  EXPECT_EQ(job.status(), UpdateJobStatus::kCancelled);
  EXPECT_EQ(job.Step(kRecordsPerTick), UpdateJobStatus::kCancelled);  // nothing more happens
  EXPECT_TRUE(fs::exists(input));
  EXPECT_EQ(StoredBars(PricePath(1301)).size(), 2u + 20u);
}

TEST_F(PriceUpdateJobTest, SeveralFilesAreHandledInByteOrderOfTheirPaths) {
  for (const char* name : {"b.dat", "a.dat", "c.dat"}) {
    const int day = 12 + (name[0] - 'a');
    WriteText(root.File(name), "200505" + std::to_string(day) + "\r\nh\r\n" +
                                   CommaLine(1301, 1, "a", day, day, day, day, 1) + "\r\n");
  }
  ASSERT_EQ(Run({root.File("b.dat"), root.File("a.dat"), root.File("c.dat")}, ImportOptions{}),
            UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.filesDone, 3);
  const std::vector<PriceBar> bars = StoredBars(PricePath(1301));
  ASSERT_EQ(bars.size(), 5u);
  EXPECT_EQ(DateKey(bars[2]), 20050512);
  EXPECT_EQ(DateKey(bars[3]), 20050513);
  EXPECT_EQ(DateKey(bars[4]), 20050514);
  EXPECT_EQ(testing::FileNames(root.path()),
            (std::vector<std::string>{"KorvaleEx.DIC", "_a.dat", "_b.dat", "_c.dat"}));
}

TEST_F(PriceUpdateJobTest, AFileThatCannotBeOpenedStopsTheBatchThere) {
  WriteText(root.File("a.dat"), kHeader0512 + CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n");
  WriteText(root.File("b.dat"), "this is no daily file\r\n");
  WriteText(root.File("c.dat"), kHeader0512 + CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n");
  EXPECT_EQ(Run({root.File("c.dat"), root.File("b.dat"), root.File("a.dat")}, ImportOptions{}),
            UpdateJobStatus::kFailed);
  EXPECT_EQ(message, root.File("b.dat") + " cannot open");
  EXPECT_TRUE(fs::exists(root.File("_a.dat")));
  EXPECT_TRUE(fs::exists(root.File("b.dat")));
  EXPECT_TRUE(fs::exists(root.File("c.dat")));
  EXPECT_EQ(Run({root.File("missing.dat")}, ImportOptions{}), UpdateJobStatus::kFailed);
  EXPECT_EQ(message, root.File("missing.dat") + " cannot open");
}

TEST_F(PriceUpdateJobTest, AnEarlierFileOfTheDoneNameIsNeverReplaced) {
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, kHeader0512 + CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n");
  WriteText(root.File("_DS050512.DAT"), "an earlier input");
  ASSERT_EQ(Run({input}, ImportOptions{}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.applied, 1);
  EXPECT_TRUE(fs::exists(input));
  EXPECT_EQ(testing::ReadBytes(root.File("_DS050512.DAT")).size(), 16u);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_NE(notes[0].find("exists already"), std::string::npos);
}

TEST_F(PriceUpdateJobTest, RecordsOutsideTheRulesAreCountedAndSkipped) {
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, kHeader0512 + CommaLine(0, 1, "zero", 1, 1, 1, 1, 1) + "\r\n" +
                       CommaLine(10000, 1, "five digits", 1, 1, 1, 1, 1) + "\r\n" +
                       "-5,1,negative,1,1,1,1,1\r\n" +
                       CommaLine(1301, 1, "no open", 0, 1, 1, 1, 1) + "\r\n" +
                       CommaLine(1301, 1, "negative open", -3, 1, 1, 1, 1) + "\r\n" +
                       std::string("\x01\xff\x00junk", 8) + "\r\n" +
                       "13011,1,code cut at four digits,7,7,7,7,7\r\n" +
                       "1301,1,huge,99999999999,1,1,1,1\r\n");
  ImportOptions add;
  add.addUnregistered = 1;
  ASSERT_EQ(Run({input}, add), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.records, 8);
  // "%4d" reads 1301 from 13011; the rest of that line no longer parses, so open stays 0.
  // The eleven-digit open wraps as the conversion does; whatever it gives, only a positive
  // open is taken.
  const std::vector<PriceBar> bars = StoredBars(PricePath(1301));
  EXPECT_EQ(counts.applied + counts.skipped, 8);
  EXPECT_EQ(bars.size(), 2u + static_cast<size_t>(counts.applied));
  for (size_t i = 2; i < bars.size(); ++i) EXPECT_GT(bars[i].open, 0);
  EXPECT_FALSE(fs::exists(root.File("Data/0000")));
  EXPECT_FALSE(fs::exists(root.File("Data/10000")));
}

TEST_F(PriceUpdateJobTest, AbsurdHeaderDatesAreAppendedAsReadAndDroppedByTheCompleteUpdate) {
  const std::string input = root.File("DS999999.DAT");
  const std::string text = "99999999\r\nh\r\n" + CommaLine(1301, 1, "a", 7, 7, 7, 7, 7) + "\r\n";
  WriteText(input, text);
  ImportOptions complete;
  complete.completeUpdate = 1;
  ASSERT_EQ(Run({input}, complete), UpdateJobStatus::kFinished);
  std::vector<PriceBar> bars = StoredBars(PricePath(1301));
  ASSERT_EQ(bars.size(), 2u);  // year 9999 lies outside the calendar the merge keeps
  EXPECT_EQ(counts.skipped, 1);
  EXPECT_EQ(DateKey(bars[1]), 20050511);

  WriteText(input, text);
  ASSERT_EQ(Run({input}, ImportOptions{}), UpdateJobStatus::kFinished);
  bars = StoredBars(PricePath(1301));
  ASSERT_EQ(bars.size(), 3u);  // appending looks at no date
  EXPECT_EQ(bars[2].year, 9999);
  EXPECT_EQ(bars[2].month, 99);
  EXPECT_EQ(bars[2].day, 99);
}

TEST_F(PriceUpdateJobTest, BinaryJunkAndLongFilesNeverEscapeTheRoot) {
  // Binary junk is not a daily file.
  std::string junk;
  uint32_t x = 12345;
  for (int i = 0; i < 100000; ++i) {
    x = x * 1103515245u + 12345u;
    junk += static_cast<char>(x >> 24);
  }
  WriteText(root.File("junk.dat"), junk);
  EXPECT_EQ(Run({root.File("junk.dat")}, ImportOptions{}), UpdateJobStatus::kFailed);

  // The same junk after a valid header: read to its end, nothing but valid records written.
  WriteText(root.File("junk2.dat"), kHeader0512 + junk);
  ImportOptions add;
  add.addUnregistered = 1;
  add.completeUpdate = 1;
  EXPECT_EQ(Run({root.File("junk2.dat")}, add), UpdateJobStatus::kFinished);

  // 20,000 lines: the count stops at 10,000, and the lines beyond are read all the same.
  std::string lines = kHeader0512;
  for (int i = 0; i < 19997; ++i) lines += "0,0,x,1,1,1,1,1\r\n";
  lines += CommaLine(1301, 1, "a", 301, 301, 301, 301, 1) + "\r\n";
  lines += CommaLine(1332, 1, "b", 501, 501, 501, 501, 1) + "\r\n";
  lines += CommaLine(7203, 1, "c", 4001, 4001, 4001, 4001, 1) + "\r\n";
  WriteText(root.File("long.dat"), lines);
  ASSERT_EQ(Run({root.File("long.dat")}, ImportOptions{}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.records, 20000);
  EXPECT_EQ(counts.applied, 3);
  EXPECT_EQ(StoredBars(PricePath(7203)).back().close, 4001);
  EXPECT_TRUE(fs::exists(root.File("_long.dat")));

  // Whatever was written lies in the root's Data tree, in files named after valid codes.
  for (const auto& e : fs::recursive_directory_iterator(root.path())) {
    if (!e.is_regular_file()) continue;
    const std::string rel = fs::relative(e.path(), root.path()).string();
    if (rel.rfind("Data/", 0) != 0) continue;
    const std::string name = e.path().filename().string();
    ASSERT_EQ(name.size(), 10u) << rel;
    const int code = std::stoi(name.substr(2, 4));
    EXPECT_GE(code, 1) << rel;
    EXPECT_EQ(e.path().parent_path().filename().string(),
              fs::path(PricePath(code)).parent_path().filename().string())
        << rel;
  }
}

TEST_F(PriceUpdateJobTest, ACompleteUpdateNeverReplacesAFileItCannotRead) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  fs::permissions(PricePath(1301), fs::perms::none);
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, kHeader0512 + CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n");
  ImportOptions complete;
  complete.completeUpdate = 1;
  ASSERT_EQ(Run({input}, complete), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.writeFailures, 1);
  fs::permissions(PricePath(1301), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(StoredBars(PricePath(1301)).size(), 2u);
}

TEST_F(PriceUpdateJobTest, AFileWithARecordThatCouldNotBeWrittenKeepsItsName) {
  const std::string input = root.File("DS050512.DAT");
  const std::string text = kHeader0512 + CommaLine(1301, 1, "a", 260, 260, 260, 260, 1) + "\r\n" +
                           CommaLine(1332, 1, "b", 510, 510, 510, 510, 1) + "\r\n";
  const int64_t size1301 = FileSize(PricePath(1301));
  // An append that meets a full disk (here a size limit just above 1301's file, so the other
  // stock's append goes through), and a complete update over a file too large to be read.
  {
    WriteText(input, text);
    {
      testing::FileSizeLimit fullDisk(size1301 + 10);
      EXPECT_EQ(Run({input}, ImportOptions{}), UpdateJobStatus::kFinished);
    }
    EXPECT_EQ(counts.writeFailures, 1);
    EXPECT_EQ(counts.applied, 1);
    EXPECT_EQ(FileSize(PricePath(1301)), size1301);
  }
  {
    const int64_t huge = (kMaxPriceFileRecords + 1) * kPriceFileRecordSize;
    ASSERT_EQ(::truncate(PricePath(1301).c_str(), huge), 0);
    ImportOptions complete;
    complete.completeUpdate = 1;
    EXPECT_EQ(Run({input}, complete), UpdateJobStatus::kFinished);
    EXPECT_EQ(counts.writeFailures, 1);
    EXPECT_EQ(FileSize(PricePath(1301)), huge);
  }
  // Both times the input keeps its name and the notes say why.
  EXPECT_TRUE(FileExists(input));
  EXPECT_EQ(counts.filesKept, 1);
  ASSERT_FALSE(notes.empty());
  EXPECT_NE(notes.back().find(input + " keeps its name"), std::string::npos) << notes.back();
}

TEST_F(PriceUpdateJobTest, AMissingDataRootStopsTheUpdateBeforeAnyFile) {
  const std::string input = root.File("DS050512.DAT");
  WriteText(input, kHeader0512 + CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n");
  CStockDictionary dictionary(root.File("gone"), root.File("gone"));
  CFolderPreparer gone(root.File("gone"), 0);
  CPriceUpdateJob job(ImportSourcePtr(new CZentakFileSource), &dictionary, &gone,
                      root.File("gone"), ImportOptions{}, {input});
  EXPECT_EQ(job.Start(), UpdateJobStatus::kFailed);
  EXPECT_NE(job.message().find(root.File("gone")), std::string::npos) << job.message();
  EXPECT_EQ(job.counts().records, 0);
  EXPECT_TRUE(FileExists(input));
}

}  // namespace
}  // namespace korvale
