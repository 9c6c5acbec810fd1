#include "acquisition/bulk_import_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "store/dictionary_file.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::BlockPricePath;
using testing::FlatBar;
using testing::Sjis;
using testing::StoredBars;
using testing::TempDir;

// A data root below a folder of its own, so that a file written outside it would show.
class BulkImportJobTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root + "/Data/1000");
    testing::WriteDictionaryFile(DictionaryFilePath(root),
                                 {testing::DictRecord(1301, "極洋", 1, 1)});
    testing::WritePriceFile(BlockPricePath(root, 1301),
                            {FlatBar(2006, 1, 4, 290), FlatBar(2006, 1, 6, 292)});
  }

  BatchStatus Import(const std::string& text, ImportOptions options) {
    testing::WriteText(input, text);
    CFolderPreparer folders(root, 0);
    CBulkImportJob job(&dictionary, &folders, root, options, input);
    const BatchStatus status = testing::RunToEnd(&job);
    notes = job.notes();
    stored = job.storeCounts();
    return status;
  }

  std::set<std::string> FilesBelow(const std::string& folder) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      if (e.is_regular_file()) files.insert(fs::relative(e.path(), folder).string());
    }
    return files;
  }

  TempDir dir;
  std::string root = dir.File("root");
  std::string input = dir.File("株価All");
  CStockDictionary dictionary{root, root};
  std::vector<std::string> notes;
  BarStoreCounts stored;
};

TEST_F(BulkImportJobTest, BlocksAreAppendedMergedOrRegisteredAsTheOptionsSay) {
  const std::string file =
      "T1301, \"x\"\r\n060105,291,291,291,291,1000\r\n"
      "060104,299,299,299,299,2000\r\n"
      "o4063, \"" +
      Sjis("信越化学") + "\"\r\n690102,900,910,890,905,12345\r\n";
  ASSERT_EQ(Import(file, ImportOptions{}), BatchStatus::kFinished);
  EXPECT_EQ(stored.applied, 2);
  EXPECT_EQ(stored.skipped, 1);
  std::vector<PriceBar> bars = StoredBars(BlockPricePath(root, 1301));
  ASSERT_EQ(bars.size(), 4u);  // appended as they stand, the old day again at the end
  EXPECT_EQ(bars[2].volume, 10);
  EXPECT_FALSE(fs::exists(BlockPricePath(root, 4063)));

  ImportOptions both;
  both.addUnregistered = 1;
  both.completeUpdate = 1;
  ASSERT_EQ(Import(file, both), BatchStatus::kFinished);
  bars = StoredBars(BlockPricePath(root, 1301));
  ASSERT_EQ(bars.size(), 3u);  // merged: sorted, one bar a date, the import's day winning
  EXPECT_EQ(DateKey(bars[0]), 20060104);
  EXPECT_EQ(bars[0].close, 299);
  bars = StoredBars(BlockPricePath(root, 4063));
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_EQ(bars[0].year, 2069);  // written from 1969 as "69"
  EXPECT_EQ(bars[0].volume, 123);
  EXPECT_GE(dictionary.FindItem(4063), 0);
  DictionaryFileRecord rec;
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root), 4063, &rec));
  EXPECT_EQ(FieldText(rec.name), Sjis("信越化学"));
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root), 1301, &rec));
  EXPECT_EQ(FieldText(rec.name), Sjis("極洋"));  // a named stock keeps its name
}

TEST_F(BulkImportJobTest, BadInputIsSkippedWithNotesAndNothingLandsOutsideTheRoot) {
  ImportOptions add;
  add.addUnregistered = 1;
  std::string file =
      "060104,1,1,1,1,1\r\n"                  // before any header
      "T0, \"zero\"\r\n060104,1,1,1,1,1\r\n"  // code outside 1-9999
      "T12345, \"big\"\r\n060104,1,1,1,1,1\r\n"
      "T-7, \"../../x\"\r\n060104,1,1,1,1,1\r\n"
      "T1301, \"x\"\r\n";
  file += std::string(10 << 20, '7') + "\r\n";          // a 10 MB line
  file += "060111,\x01\xfe\xff,2,3,4\r\n";              // binary bytes
  file += "060112,99999999999,1,1,1,100\r\n";           // beyond 32 bits
  file += "060113,-5,-5,-5,-5,-500\r\n";                // negative, as stored
  file += "060110,300,300,300,300,100\r\n";             // out of order, as stored
  file += std::string("\x81\x40\x00\xff", 4) + "\r\n";  // a header of junk
  file += "060114,1,1,1,1,1\r\n";
  ASSERT_EQ(Import(file, add), BatchStatus::kFinished);
  const std::vector<PriceBar> bars = StoredBars(BlockPricePath(root, 1301));
  ASSERT_EQ(bars.size(), 4u);
  EXPECT_EQ(bars[2].open, -5);
  EXPECT_EQ(bars[3].close, 300);
  EXPECT_EQ(stored.applied, 2);
  EXPECT_EQ(FilesBelow(dir.path()),
            (std::set<std::string>{"株価All", "root/KorvaleEx.DIC", "root/Data/1000/KD1301.KDT"}));
  ASSERT_GE(notes.size(), 6u);
  EXPECT_EQ(notes[0], input + " line 1: price line before any stock header, skipped");
  EXPECT_NE(notes[1].find("line 2: the stock header's code is outside 1-9999"), std::string::npos);
}

}  // namespace
}  // namespace korvale
