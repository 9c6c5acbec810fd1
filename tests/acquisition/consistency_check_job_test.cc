#include "acquisition/consistency_check_job.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store/dictionary_file.h"
#include "store/stock_dictionary.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::BlockPricePath;
using testing::DictRecord;
using testing::FlatBar;
using testing::TempDir;
using testing::WritePriceFile;

TEST(ConsistencyCheckJobTest, TheListHoldsExactlyTheFailingStocksMappedToTheirItems) {
  TempDir root;
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()),
                               {DictRecord(1301, "極洋", 1, 1), DictRecord(7203, "トヨタ", 1, 17),
                                DictRecord(9984, "ソフトバンク", 1, 25)});
  std::filesystem::create_directories(root.File("Data/1000"));
  std::filesystem::create_directories(root.File("Data/7000"));
  std::filesystem::create_directories(root.File("Data/9000"));
  WritePriceFile(BlockPricePath(root.path(), 1301),
                 {FlatBar(2006, 1, 4, 250), FlatBar(2006, 1, 5, 260)});
  // A close that doubles from one day to the next.
  WritePriceFile(BlockPricePath(root.path(), 7203),
                 {FlatBar(2006, 1, 4, 4000), FlatBar(2006, 1, 5, 8000)});
  // A close above the high.
  WritePriceFile(BlockPricePath(root.path(), 9984),
                 {testing::Bar(2006, 1, 4, 3000, 3100, 2900, 3200, 10)});
  CStockDictionary dictionary(root.path(), root.path());
  CConsistencyCheckJob job(dictionary);
  ASSERT_EQ(testing::RunToEnd(&job), BatchStatus::kFinished);
  const ShownStockList& list = job.list();
  EXPECT_EQ(list.title, testing::Sjis("株価整合性チェック"));
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.rows[0].text, testing::Sjis("7203 トヨタ"));
  EXPECT_EQ(list.rows[0].itemData, 1);
  EXPECT_EQ(list.rows[0].itemIndex, dictionary.FindItem(7203));
  EXPECT_EQ(list.rows[1].code, 9984);
  EXPECT_EQ(job.done(), 3);
}

}  // namespace
}  // namespace korvale
