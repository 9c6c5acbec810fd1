#include "acquisition/bulk_export_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/stock_dictionary.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::BlockPricePath;
using testing::FlatBar;
using testing::TempDir;

class BulkExportJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteDictionaryFile(
        DictionaryFilePath(root.path()),
        {testing::DictRecord(1301, "極洋", 1, 1), testing::DictRecord(7203, "トヨタ", 4, 17)});
    std::filesystem::create_directories(root.File("Data/1000"));
    std::filesystem::create_directories(root.File("Data/7000"));
    testing::WritePriceFile(BlockPricePath(root.path(), 1301),
                            {FlatBar(2005, 11, 30, 280, 3), FlatBar(2005, 12, 30, 281, 4),
                             FlatBar(2006, 1, 4, 290, 5), FlatBar(2006, 2, 1, 300, 6)});
    testing::WritePriceFile(BlockPricePath(root.path(), 7203), {FlatBar(2006, 1, 5, 4000, 7)});
  }

  std::string Export(ExportRange range, BatchStatus expected = BatchStatus::kFinished) {
    CStockDictionary dictionary(root.path(), root.path());
    const std::string out = root.File(BulkExportFileName(range));
    CBulkExportJob job(dictionary, range, out);
    EXPECT_EQ(testing::RunToEnd(&job), expected);
    message = job.message();
    std::vector<uint8_t> bytes;
    ReadWholeFile(out, &bytes);
    return std::string(bytes.begin(), bytes.end());
  }

  TempDir root;
  std::string message;
};

TEST_F(BulkExportJobTest, EachRangeWritesItsBarsUnderTheStocksHeader) {
  const std::string header1301 = "T1301, \"" + testing::Sjis("極洋") + "\"\r\n";
  const std::string header7203 = "o7203, \"" + testing::Sjis("トヨタ") + "\"\r\n";
  EXPECT_EQ(Export({}), header1301 +
                            "051130,280,280,280,280,300\r\n051230,281,281,281,281,400\r\n"
                            "060104,290,290,290,290,500\r\n060201,300,300,300,300,600\r\n" +
                            header7203 + "060105,4000,4000,4000,4000,700\r\n");
  EXPECT_TRUE(std::filesystem::exists(root.File("株価All")));
  // A stock without a bar in the range leaves no trace.
  EXPECT_EQ(Export({ExportRange::kYear, 2005}),
            header1301 + "051130,280,280,280,280,300\r\n051230,281,281,281,281,400\r\n");
  EXPECT_TRUE(std::filesystem::exists(root.File("株価2005")));
  EXPECT_EQ(Export({ExportRange::kMonths, 0, 2005, 12, 2}),
            header1301 + "051230,281,281,281,281,400\r\n060104,290,290,290,290,500\r\n" +
                header7203 + "060105,4000,4000,4000,4000,700\r\n");
  EXPECT_TRUE(std::filesystem::exists(root.File("株価200512")));
}

TEST_F(BulkExportJobTest, AnExportThatDoesNotFinishLeavesTheEarlierFileAlone) {
  const std::string out = root.File("株価All");
  testing::WriteText(out, "earlier");
  CStockDictionary dictionary(root.path(), root.path());
  CBulkExportJob job(dictionary, {}, out);
  ASSERT_EQ(job.Start(), BatchStatus::kRunning);
  ASSERT_EQ(job.Step(1), BatchStatus::kRunning);
  job.Cancel();
  job.Finish();
  EXPECT_EQ(testing::ReadBytes(out), std::vector<uint8_t>({'e', 'a', 'r', 'l', 'i', 'e', 'r'}));
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root.path())) {
    files += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(files, 2u);  // the dictionary and the earlier export: no temporary file stays

  CBulkExportJob nowhere(dictionary, {}, root.File("missing/株価All"));
  EXPECT_EQ(testing::RunToEnd(&nowhere), BatchStatus::kFailed);
  EXPECT_EQ(nowhere.message(), root.File("missing/株価All") + " cannot open");
}

}  // namespace
}  // namespace korvale
