#include "acquisition/vendor_import_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/dictionary_file.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::BlockPricePath;
using testing::StoredBars;

TEST(VendorImportJobTest, AStockOnSeveralMarketsTakesItsPreferredMarketsLinesOnly) {
  testing::TempDir root;
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {});
  const std::string input = root.File("prices.txt");
  testing::WriteText(input,
                     "date code market,open,high,low,close,volume\r\n"
                     "20060104 7203 o,4100,4100,4100,4100,5\r\n"
                     "20060104 7203 t1,4000,4050,3990,4020,700\r\n"
                     "20060105 7203 t1,4030,4060,4000,4040,800\r\n"
                     "20060105 7203 o,4130,4130,4130,4130,6\r\n"
                     "20060104 1301 o,250,251,249,250,30\r\n"
                     "20060104 9984 x,3000,3000,3000,3000,1\r\n"
                     "20060104 0000 t1,1,1,1,1,1\r\n"
                     "20060106 7203 t1,oops\r\n");
  CStockDictionary dictionary(root.path(), root.path());
  CFolderPreparer folders(root.path(), 0);
  ImportOptions add;
  add.addUnregistered = 1;
  CVendorImportJob job(&dictionary, &folders, root.path(), add, input);
  ASSERT_EQ(testing::RunToEnd(&job), BatchStatus::kFinished);
  const std::vector<PriceBar> bars = StoredBars(BlockPricePath(root.path(), 7203));
  ASSERT_EQ(bars.size(), 2u);
  EXPECT_EQ(bars[0].close, 4020);
  EXPECT_EQ(bars[1].volume, 800);
  EXPECT_EQ(StoredBars(BlockPricePath(root.path(), 1301)).size(), 1u);
  EXPECT_EQ(StoredBars(BlockPricePath(root.path(), 9984)).size(), 1u);  // only an unknown tag
  EXPECT_EQ(job.otherMarketLines(), 2);
  EXPECT_EQ(job.counts().skippedLines, 2);
  EXPECT_EQ(dictionary.itemCount, 3);
}

TEST(VendorImportJobTest, AFileThatDoesNotOpenEndsTheJobWithItsPath) {
  testing::TempDir root;
  CStockDictionary dictionary(root.path(), root.path());
  CFolderPreparer folders(root.path(), 0);
  CVendorImportJob job(&dictionary, &folders, root.path(), ImportOptions{}, root.File("none.txt"));
  EXPECT_EQ(job.Start(), BatchStatus::kFailed);
  EXPECT_EQ(job.message(), root.File("none.txt") + " cannot open");
}

}  // namespace
}  // namespace korvale
