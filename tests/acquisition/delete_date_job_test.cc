#include "acquisition/delete_date_job.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <filesystem>

#include "store/dictionary_file.h"
#include "store/stock_dictionary.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::BlockPricePath;
using testing::FlatBar;
using testing::StoredBars;
using testing::StoredMargins;
using testing::TempDir;

class DeleteDateJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteDictionaryFile(
        DictionaryFilePath(root.path()),
        {testing::DictRecord(1301, "極洋", 1, 1), testing::DictRecord(7203, "トヨタ", 1, 17)});
    std::filesystem::create_directories(root.File("Data/1000"));
    std::filesystem::create_directories(root.File("Data/7000"));
    std::filesystem::create_directories(root.File("Data/SZ"));
    // Appended out of order, one day twice.
    testing::WritePriceFile(
        BlockPricePath(root.path(), 1301),
        {FlatBar(2006, 2, 1, 300), FlatBar(2005, 12, 30, 280), FlatBar(2006, 1, 4, 290),
         FlatBar(2006, 1, 31, 295), FlatBar(2006, 2, 1, 301)});
    testing::WritePriceFile(BlockPricePath(root.path(), 7203),
                            {FlatBar(2006, 1, 4, 4000), FlatBar(2006, 2, 2, 4100)});
    WriteMargins(root.File("Data/SZ/SZ1301.SDT"), {{2006, 1, 6, 10, 20}, {2006, 2, 3, 11, 21}});
    WriteMargins(root.File("Data/SZ/SZ7203.SDT"), {{2006, 2, 3, 30, 40}});
  }

  static void WriteMargins(const std::string& path, const std::vector<MarginRecord>& records) {
    std::vector<uint8_t> bytes(records.size() * kMarginRecordSize);
    for (size_t i = 0; i < records.size(); ++i) {
      EncodeMarginRecord(records[i], bytes.data() + i * kMarginRecordSize);
    }
    testing::WriteBytes(path, bytes);
  }

  DeleteDateCounts Run(DeleteDateTarget target) {
    CStockDictionary dictionary(root.path(), root.path());
    CDeleteDateJob job(dictionary, target);
    EXPECT_EQ(testing::RunToEnd(&job), BatchStatus::kFinished);
    return job.counts();
  }

  static std::vector<int> Dates(const std::vector<PriceBar>& bars) {
    std::vector<int> dates;
    for (const PriceBar& b : bars) dates.push_back(DateKey(b));
    return dates;
  }

  TempDir root;
};

TEST_F(DeleteDateJobTest, AMonthLeavesEveryPriceFileSortedWithoutIt) {
  const DeleteDateCounts counts = Run({false, true, 2006, 1, 0});
  EXPECT_EQ(counts.rewritten, 2);
  EXPECT_EQ(counts.removed, 3);
  EXPECT_EQ(Dates(StoredBars(BlockPricePath(root.path(), 1301))),
            (std::vector<int>{20051230, 20060201}));
  EXPECT_EQ(StoredBars(BlockPricePath(root.path(), 1301))[1].close, 301);  // the later record
  EXPECT_EQ(Dates(StoredBars(BlockPricePath(root.path(), 7203))), (std::vector<int>{20060202}));

  Run({false, false, 2006, 2, 1});
  EXPECT_EQ(Dates(StoredBars(BlockPricePath(root.path(), 1301))), (std::vector<int>{20051230}));
}

TEST_F(DeleteDateJobTest, AMarginFileWithoutTheDateIsNotRewritten) {
  const std::string untouched = root.File("Data/SZ/SZ7203.SDT");
  struct utimbuf old = {1000000000, 1000000000};
  ASSERT_EQ(::utime(untouched.c_str(), &old), 0);
  const DeleteDateCounts counts = Run({true, false, 2006, 1, 6});
  EXPECT_EQ(counts.rewritten, 1);
  EXPECT_EQ(counts.unchanged, 1);
  const std::vector<MarginRecord> kept = StoredMargins(root.File("Data/SZ/SZ1301.SDT"));
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0].month, 2);
  struct stat st;
  ASSERT_EQ(::stat(untouched.c_str(), &st), 0);
  EXPECT_EQ(st.st_mtime, 1000000000);
  EXPECT_EQ(StoredBars(BlockPricePath(root.path(), 1301)).size(), 5u);  // prices untouched
}

}  // namespace
}  // namespace korvale
