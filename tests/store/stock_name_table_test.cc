#include "store/stock_name_table.h"

#include <gtest/gtest.h>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::Sjis;
using testing::TempDir;

TEST(StockNameTableTest, LoadKeepsListedSlotsWithTheirMarketAndIndustry) {
  TempDir root;
  DictionaryFileRecord low = DictRecord(999, "低い", 1, 1);  // below 1000: no stock
  DictionaryFileRecord nameless = DictRecord(1302, "", 1, 1);
  DictionaryFileRecord odd = DictRecord(9999, "外", 0, 0x1234);
  testing::WriteDictionaryFile(
      DictionaryFilePath(root.path()),
      {DictRecord(7203, "トヨタ自動車", 1, 17), low, nameless, odd,
       DictRecord(8001, "伊藤忠商事", 12, 26), DictRecord(8002, "丸紅", 13, 26)});
  CStockNameTable t;
  ASSERT_EQ(t.Load(root.path()), 1);
  std::string name, symbol = "x";
  int industry = -1;
  EXPECT_EQ(t.Lookup(7203, &name, &industry, &symbol), 1);
  EXPECT_EQ(name, Sjis("トヨタ自動車"));
  EXPECT_EQ(industry, 17);
  EXPECT_EQ(symbol, "");
  EXPECT_FALSE(t.HasName(999));
  EXPECT_FALSE(t.HasName(1302));
  EXPECT_EQ(t.Lookup(9999, &name, &industry), 13);  // market 0 is taken as 13
  EXPECT_EQ(industry, 0x34);                        // the low byte only
  EXPECT_EQ(t.Lookup(8001, &name, &industry), 12);
  EXPECT_EQ(t.Lookup(8002, &name, &industry), 13);
}

TEST(StockNameTableTest, UnknownCodesLookUpAsTheirNumberInMarketThirteen) {
  TempDir root;
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {});
  CStockNameTable t;
  t.Load(root.path());
  std::string name;
  int industry = 5;
  EXPECT_EQ(t.Lookup(1301, &name, &industry), 13);
  EXPECT_EQ(name, "(1301)");
  EXPECT_EQ(industry, 0);
  EXPECT_EQ(t.Lookup(42, &name, &industry), 13);
  EXPECT_EQ(name, "(0042)");
  EXPECT_EQ(t.Lookup(-5, &name, &industry), 13);  // never indexes outside the table
  EXPECT_EQ(t.Lookup(123456, &name, &industry), 13);
  EXPECT_FALSE(t.HasName(10001));
}

TEST(StockNameTableTest, NamesAreCutAt23BytesAndLoseAFinalLineEnd) {
  TempDir root;
  DictionaryFileRecord longName;
  longName.code = 4000;
  std::memset(longName.name, 'N', sizeof longName.name);  // 48 bytes, no terminator
  DictionaryFileRecord spaced = DictRecord(4001, " 空白で始まる", 1, 1);
  DictionaryFileRecord withLf = DictRecord(4002, "改行付き\n", 1, 1);
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {longName, spaced, withLf});
  CStockNameTable t;
  t.Load(root.path());
  std::string name;
  int industry;
  t.Lookup(4000, &name, &industry);
  EXPECT_EQ(name, std::string(23, 'N'));
  EXPECT_FALSE(t.HasName(4001));  // a leading space marks a slot as unlisted
  t.Lookup(4001, &name, &industry);
  EXPECT_EQ(name, "(4001)");
  t.Lookup(4002, &name, &industry);
  EXPECT_EQ(name, Sjis("改行付き"));
}

TEST(StockNameTableTest, SlotsAreFilledByTheirCodeFieldAndShortFilesGiveWhatTheyHold) {
  TempDir root;
  // Record 1500 claims code 7203; the table is indexed by the code field, not the position.
  std::vector<uint8_t> bytes(1501 * kDictionaryRecordSize + 100, 0);
  EncodeDictionaryRecord(DictRecord(7203, "位置違い", 1, 17),
                         bytes.data() + 1500 * kDictionaryRecordSize);
  testing::WriteBytes(DictionaryFilePath(root.path()), bytes);
  CStockNameTable t;
  ASSERT_EQ(t.Load(root.path()), 1);
  EXPECT_TRUE(t.HasName(7203));
  EXPECT_FALSE(t.HasName(1500));
  // A file longer than 10,000 records: the extra records are not read.
  std::vector<uint8_t> big(kDictionaryFileSize + kDictionaryRecordSize, 0);
  EncodeDictionaryRecord(DictRecord(8000, "余分", 1, 1), big.data() + kDictionaryFileSize);
  testing::WriteBytes(DictionaryFilePath(root.path()), big);
  t.Load(root.path());
  EXPECT_FALSE(t.HasName(8000));
  EXPECT_FALSE(t.HasName(7203));  // each load starts from an empty table
}

TEST(StockNameTableTest, MissingFileIsCreatedWithTenThousandEmptyRecords) {
  TempDir root;
  CStockNameTable t;
  ASSERT_EQ(t.Load(root.path()), 1);
  const std::vector<uint8_t> bytes = testing::ReadBytes(DictionaryFilePath(root.path()));
  ASSERT_EQ(bytes.size(), 10240000u);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0), 10240000);
}

}  // namespace
}  // namespace korvale
