#include "acquisition/margin_update_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "store/stock_dictionary.h"
#include "store/store_folders.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::StoredMargins;
using testing::TempDir;
using testing::WriteText;

TEST(MarginFileNameTest, DatesOfBothNameForms) {
  MarginFileDate d = MarginDateOfFileName("SZ050512.DAT");
  EXPECT_EQ(d.form, kMarginNameSz);
  EXPECT_EQ(d.year, 2005);
  EXPECT_EQ(d.month, 5);
  EXPECT_EQ(d.day, 12);
  EXPECT_EQ(MarginDateOfFileName("sz691231.dat").year, 2069);
  EXPECT_EQ(MarginDateOfFileName("Sz700105.DAT").year, 1970);
  d = MarginDateOfFileName("YS200505.12");
  EXPECT_EQ(d.form, kMarginNameYs);
  EXPECT_EQ(d.year, 2005);
  EXPECT_EQ(d.month, 5);
  EXPECT_EQ(d.day, 12);
  EXPECT_EQ(MarginDateOfFileName("ys2005").day, 0);  // a short name reads as zeros past its end
  EXPECT_EQ(MarginDateOfFileName("SZX50512.DAT").form, kMarginNameNone);
  EXPECT_EQ(MarginDateOfFileName("margin.csv").form, kMarginNameNone);
  EXPECT_EQ(MarginDateOfFileName("").form, kMarginNameNone);
}

class MarginUpdateJobTest : public ::testing::Test {
 protected:
  // 7203 has a margin file in Data/7000 already; 1301 has none.
  void SetUp() override {
    testing::WriteDictionaryFile(root.File("KorvaleEx.DIC"), {});
    testing::TouchFile(root.path(), "Data/7000/KD7203.KDT");
    testing::TouchFile(root.path(), "Data/7000/SZ7203.SDT");
  }

  UpdateJobStatus Run(const std::vector<std::string>& paths) {
    CStockDictionary dictionary(root.path(), root.path());
    CMarginUpdateJob job(&dictionary, &folders, paths);
    UpdateJobStatus status = job.Start();
    while (status == UpdateJobStatus::kRunning) status = job.Step(kRecordsPerTick);
    job.Finish();
    counts = job.counts();
    message = job.message();
    return status;
  }

  TempDir root;
  CFolderPreparer folders{root.path(), 0};
  UpdateCounts counts;
  std::string message;
};

TEST_F(MarginUpdateJobTest, AnSzFileAppendsItsDatedBalancesToEachStocksMarginFile) {
  const std::string input = root.File("SZ050512.DAT");
  WriteText(input, testing::Sjis("1301,極洋,100,200\r\n7203,トヨタ,3000,4000\r\n1332\r\n") +
                       "1333,abc\r\n");
  ASSERT_EQ(Run({input}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.records, 4);
  EXPECT_EQ(counts.applied, 4);
  EXPECT_TRUE(fs::exists(root.File("_SZ050512.DAT")));
  std::vector<MarginRecord> r = StoredMargins(root.File("Data/SZ/SZ1301.SDT"));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].year, 2005);
  EXPECT_EQ(r[0].month, 5);
  EXPECT_EQ(r[0].day, 12);
  EXPECT_EQ(r[0].sell, 100);
  EXPECT_EQ(r[0].buy, 200);
  // The stock's own margin file wherever the scan found it.
  r = StoredMargins(root.File("Data/7000/SZ7203.SDT"));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].buy, 4000);
  EXPECT_FALSE(fs::exists(root.File("Data/SZ/SZ7203.SDT")));
  // No comma after position 4: both values 0.
  r = StoredMargins(root.File("Data/SZ/SZ1332.SDT"));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].sell, 0);
  EXPECT_EQ(r[0].buy, 0);
  EXPECT_EQ(StoredMargins(root.File("Data/SZ/SZ1333.SDT"))[0].sell, 0);

  // No date check and no merge: fed again, the records are appended again.
  fs::rename(root.File("_SZ050512.DAT"), input);
  ASSERT_EQ(Run({input}), UpdateJobStatus::kFinished);
  EXPECT_EQ(StoredMargins(root.File("Data/SZ/SZ1301.SDT")).size(), 2u);
}

TEST_F(MarginUpdateJobTest, AYsFileSkipsTwoHeaderLinesAndCountsTwoFewer) {
  const std::string input = root.File("YS200505.12");
  // In the YS form the values follow the first comma from position 7 on.
  WriteText(input, "header 1\r\nheader 2\r\n1301,a,11,22\r\n1332,abcdef,33,44\r\n");
  CStockDictionary dictionary(root.path(), root.path());
  CMarginUpdateJob job(&dictionary, &folders, {input});
  ASSERT_EQ(job.Start(), UpdateJobStatus::kRunning);
  EXPECT_EQ(job.total(), 2);
  EXPECT_EQ(job.fileDate().form, kMarginNameYs);
  EXPECT_EQ(job.Step(kRecordsPerTick), UpdateJobStatus::kFinished);
  std::vector<MarginRecord> r = StoredMargins(root.File("Data/SZ/SZ1301.SDT"));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].year, 2005);
  EXPECT_EQ(r[0].day, 12);
  EXPECT_EQ(r[0].sell, 22);  // the first comma from position 7 on is the one before 22
  EXPECT_EQ(r[0].buy, 0);
  r = StoredMargins(root.File("Data/SZ/SZ1332.SDT"));
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].sell, 33);
  EXPECT_EQ(r[0].buy, 44);
}

TEST_F(MarginUpdateJobTest, ANameOfNeitherFormIsReportedByName) {
  WriteText(root.File("margin.csv"), "1301,a,1,2\r\n");
  EXPECT_EQ(Run({root.File("margin.csv")}), UpdateJobStatus::kFailed);
  EXPECT_EQ(message, NotMarginFileMessage(root.File("margin.csv")));
  EXPECT_NE(message.find(root.File("margin.csv")), std::string::npos);
  EXPECT_FALSE(fs::exists(root.File("Data/SZ")));
  EXPECT_EQ(Run({root.File("SZ050512.DAT")}), UpdateJobStatus::kFailed);  // missing
  EXPECT_EQ(message, root.File("SZ050512.DAT") + " cannot open");
}

TEST_F(MarginUpdateJobTest, CodesOutsideTheRangeAndEmptyFilesWriteNothing) {
  const std::string input = root.File("SZ050512.DAT");
  WriteText(input, "0,a,1,2\r\n10000,a,1,2\r\n-7,a,1,2\r\nabc\r\n\r\n1301,a,99999999999,-5\r\n");
  ASSERT_EQ(Run({input}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.records, 6);
  EXPECT_EQ(counts.skipped, 5);
  EXPECT_EQ(testing::FileNames(root.File("Data/SZ")), std::vector<std::string>{"SZ1301.SDT"});
  EXPECT_EQ(StoredMargins(root.File("Data/SZ/SZ1301.SDT"))[0].buy, -5);

  // An empty file, or a YS file of its header alone, has nothing to read and is done at once.
  WriteText(root.File("SZ050519.DAT"), "");
  WriteText(root.File("YS200505.26"), "h1\r\nh2\r\n");
  ASSERT_EQ(Run({root.File("SZ050519.DAT"), root.File("YS200505.26")}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.filesDone, 2);
  EXPECT_TRUE(fs::exists(root.File("_SZ050519.DAT")));
  EXPECT_TRUE(fs::exists(root.File("_YS200505.26")));
}

TEST_F(MarginUpdateJobTest, AFileWithALineThatCouldNotBeWrittenKeepsItsName) {
  // A FIFO where 1301's new margin file goes: the append fails at once instead of waiting for a
  // reader.
  fs::create_directories(root.File("Data/SZ"));
  ASSERT_EQ(::mkfifo(root.File("Data/SZ/SZ1301.SDT").c_str(), 0644), 0);
  const std::string input = root.File("SZ050512.DAT");
  WriteText(input, "1301,a,1,2\r\n7203,b,3,4\r\n");
  EXPECT_EQ(Run({input}), UpdateJobStatus::kFinished);
  EXPECT_EQ(counts.applied, 1);
  EXPECT_EQ(counts.writeFailures, 1);
  EXPECT_EQ(counts.filesKept, 1);
  EXPECT_TRUE(fs::exists(input));
  EXPECT_FALSE(fs::exists(root.File("_SZ050512.DAT")));
}

}  // namespace
}  // namespace korvale
