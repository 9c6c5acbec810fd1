#include "store/stock_dictionary.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::Sjis;
using testing::TempDir;
using testing::TouchFile;

std::vector<int> Codes(const CStockDictionary& d) {
  std::vector<int> codes;
  for (const StockListItem& item : d.items) codes.push_back(item.code);
  return codes;
}

TEST(StockDictionaryScanTest, FindsPriceFilesByTheirExactNameShapeInAnyFolder) {
  TempDir root;
  TouchFile(root.path(), "Data/7000/Kd7203.KDT");
  TouchFile(root.path(), "Data/7000/kd7204.kdt");
  TouchFile(root.path(), "Data/7000/KD7203.KDT.bak");
  TouchFile(root.path(), "Data/7000/KD72031.KDT");
  TouchFile(root.path(), "Data/7000/KDab12.KDT");
  TouchFile(root.path(), "Data/7000/XD7205.KDT");
  TouchFile(root.path(), "Other/Deep/KD1301.KDT");  // outside Data, two levels down
  TouchFile(root.path(), "KD9984.kdt");
  CStockDictionary d(root.path(), root.path());

  EXPECT_EQ(d.mode, 0);
  EXPECT_EQ(Codes(d), (std::vector<int>{1301, 7203, 7204, 9984}));
  EXPECT_EQ(d.itemCount, 4);
  std::string folder;
  ASSERT_EQ(d.GetFolder(7203, &folder), 1);
  EXPECT_EQ(folder, root.path() + "/Data/7000");
  ASSERT_EQ(d.GetFolder(1301, &folder), 1);
  EXPECT_EQ(folder, root.path() + "/Other/Deep");
  ASSERT_EQ(d.GetFolder(9984, &folder), 1);
  EXPECT_EQ(folder, root.path());
  EXPECT_EQ(d.GetFolder(7205, &folder), 0);
  EXPECT_EQ(d.GetFolder(72031, &folder), 0);
  EXPECT_EQ(d.present[7203], 1);
  EXPECT_EQ(d.present[7205], 0);
  // Walked depth first in byte order of names: Data/7000, the root's KD9984.kdt, Other/Deep.
  EXPECT_EQ(d.folderCount, 3);
  EXPECT_EQ(d.folders[1], root.path() + "/Data/7000");
  EXPECT_EQ(d.folders[2], root.path());
  EXPECT_EQ(d.folders[3], root.path() + "/Other/Deep");
}

TEST(StockDictionaryScanTest, TwoFoldersHoldingOneCodeGiveTwoItemsAndLookupsFindTheFirst) {
  TempDir root;
  TouchFile(root.path(), "B/KD7203.KDT");
  TouchFile(root.path(), "A/KD7203.KDT");
  TouchFile(root.path(), "A/KD9000.KDT");
  TouchFile(root.path(), "B/KD1000.KDT");
  CStockDictionary d(root.path() + "/", root.path());  // a trailing separator is not doubled
  EXPECT_EQ(Codes(d), (std::vector<int>{1000, 7203, 7203, 9000}));
  std::string folder;
  ASSERT_EQ(d.GetFolder(7203, &folder), 1);
  EXPECT_EQ(folder, root.path() + "/A");
  EXPECT_EQ(d.items[1].folder, 1);
  EXPECT_EQ(d.items[2].folder, 2);
}

TEST(StockDictionaryScanTest, ThousandBlockIndexPointsAtTheFirstItemOfEachBlock) {
  TempDir root;
  for (const char* name : {"KD1301.KDT", "KD1302.KDT", "KD7203.KDT", "KD9984.KDT"}) {
    TouchFile(root.path(), std::string("Data/") + name);
  }
  CStockDictionary d(root.path(), root.path());
  const int expected[11] = {0, 0, 2, 2, 2, 2, 2, 2, 3, 3, 0};
  for (int k = 0; k < 11; ++k) EXPECT_EQ(d.firstOfThousand[k], expected[k]) << k;
  for (int code : {1301, 1302, 7203, 9984}) EXPECT_GE(d.FindItem(code), 0) << code;
  EXPECT_EQ(d.FindItem(5000), -1);
  EXPECT_EQ(d.FindItem(0), -1);
  EXPECT_EQ(d.FindItem(-7), -1);
  EXPECT_EQ(d.FindItem(12000), -1);
}

TEST(StockDictionaryScanTest, StocksOnlyBelowTwoThousandLeaveTheIndexAtZeroAndAreFound) {
  TempDir root;
  TouchFile(root.path(), "Data/1000/KD1234.KDT");
  TouchFile(root.path(), "Data/1000/KD1999.KDT");
  CStockDictionary d(root.path(), root.path());
  for (int k = 0; k < 11; ++k) EXPECT_EQ(d.firstOfThousand[k], 0) << k;
  std::string folder;
  EXPECT_EQ(d.GetFolder(1234, &folder), 1);
  EXPECT_EQ(d.GetFolder(1999, &folder), 1);
  EXPECT_EQ(d.GetFolder(8000, &folder), 0);
}

TEST(StockDictionaryScanTest, ItemsTakeNameMarketAndIndustryFromTheNameTable) {
  TempDir root;
  testing::WriteDictionaryFile(
      DictionaryFilePath(root.path()),
      {DictRecord(7203, "トヨタ自動車", 1, 17), DictRecord(6758, "ｿﾆｰｸﾞﾙｰﾌﾟ", 99, 16)});
  TouchFile(root.path(), "Data/7000/KD7203.KDT");
  TouchFile(root.path(), "Data/6000/KD6758.KDT");
  TouchFile(root.path(), "Data/1000/KD1301.KDT");
  CStockDictionary d(root.path(), root.path());
  ASSERT_EQ(Codes(d), (std::vector<int>{1301, 6758, 7203}));
  EXPECT_EQ(std::string(d.items[0].name), "(1301)");  // unknown to the dictionary
  EXPECT_EQ(d.items[0].market, 13);
  EXPECT_EQ(d.items[0].industry, 0);
  // Half-width katakana made full-width, cut at 12 bytes; a stored market 99 counts as 13.
  EXPECT_EQ(std::string(d.items[1].name), Sjis("ソニーク゛ル"));  // marks stay separate
  EXPECT_EQ(d.items[1].market, 13);
  EXPECT_EQ(d.items[1].industry, 16);
  EXPECT_EQ(std::string(d.items[2].name), Sjis("トヨタ自動車"));
  EXPECT_EQ(d.items[2].market, 1);
  EXPECT_EQ(d.items[2].industry, 17);
  EXPECT_EQ(d.items[2].marginFolder, -1);
}

TEST(StockDictionaryScanTest, MarginFilesGiveTheirStocksAMarginPath) {
  TempDir root;
  TouchFile(root.path(), "Data/7000/KD7203.KDT");
  TouchFile(root.path(), "Data/7000/KD7204.KDT");
  TouchFile(root.path(), "Data/SZ/sz7203.sdt");
  TouchFile(root.path(), "Data/SZ/SZ1301.SDT");  // no price file: nobody to attach it to
  TouchFile(root.path(), "Data/SZ/SZ7204.SDT.old");
  CStockDictionary d(root.path(), root.path());
  std::string path = "stale";
  ASSERT_EQ(d.GetMarginPath(7203, &path), 1);
  EXPECT_EQ(path, root.path() + "/Data/SZ/SZ7203.SDT");
  EXPECT_EQ(d.GetMarginPath(7204, &path), 0);
  EXPECT_EQ(path, "");
  EXPECT_EQ(d.GetMarginPath(1301, &path), 0);
  EXPECT_EQ(d.FindItem(1301), -1);
}

TEST(StockDictionaryTableTest, FolderTableHoldsNinetyNineFoldersAndComparesExactly) {
  TempDir root;
  CStockDictionary d(root.path(), root.path());
  for (int i = 1; i <= 99; ++i) ASSERT_EQ(d.AddFolder("/f/" + std::to_string(i)), i);
  EXPECT_FALSE(IsFolderIndex(d.AddFolder("/f/100")));
  EXPECT_NE(d.AddFolder("/f/100") & kNoFolder, 0);
  EXPECT_EQ(d.FindFolder("/f/42"), 42);
  EXPECT_NE(d.FindFolder("/F/42") & kNoFolder, 0);
  EXPECT_NE(d.FindFolder("/f/100") & kNoFolder, 0);
}

TEST(StockDictionaryTableTest, ItemListHoldsSixThousandStocks) {
  TempDir root;
  CStockDictionary d(root.path(), root.path());
  const int folder = d.AddFolder(root.path());
  for (int i = 0; i < kMaxStockItems; ++i) ASSERT_EQ(d.AddStock(1000 + i % 9000, folder), 1);
  EXPECT_EQ(d.AddStock(9999, folder), 0);
  EXPECT_EQ(d.itemCount, kMaxStockItems);
  EXPECT_EQ(d.items.size(), static_cast<size_t>(kMaxStockItems));
  // Out of range arguments are refused rather than stored.
  TempDir other;
  CStockDictionary e(other.path(), other.path());
  EXPECT_EQ(e.AddStock(0, 0), 0);
  EXPECT_EQ(e.AddStock(10000, 0), 0);
  EXPECT_EQ(e.AddStock(7203, 1), 0);  // no folder 1 yet
  EXPECT_EQ(e.itemCount, 0);
}

TEST(StockDictionaryTableTest, StocksOfAFolderBeyondTheNinetyNinthAreNotListed) {
  TempDir root;
  for (int i = 0; i < 100; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "F%03d/KD%04d.KDT", i, 1000 + i);
    TouchFile(root.path(), name);
  }
  CStockDictionary d(root.path(), root.path());
  EXPECT_EQ(d.folderCount, 99);
  EXPECT_EQ(d.itemCount, 99);
  EXPECT_EQ(d.FindItem(1099), -1);
  EXPECT_EQ(d.present[1099], 1);  // seen, but it has no folder to be found in
}

TEST(StockDictionaryTest, CopyKeepsFoldersAndItemsAndReadsTheNamesAfresh) {
  TempDir root;
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {DictRecord(7203, "旧名", 1, 17)});
  TouchFile(root.path(), "Data/7000/KD7203.KDT");
  CStockDictionary d(root.path(), root.path());
  ASSERT_EQ(StoreName(root.path(), 0, 7203, Sjis("新名")), 1);
  CStockDictionary copy(d);
  EXPECT_EQ(copy.itemCount, 1);
  EXPECT_EQ(copy.folderCount, d.folderCount);
  EXPECT_EQ(copy.folders[1], d.folders[1]);
  std::string folder, name;
  int industry;
  EXPECT_EQ(copy.GetFolder(7203, &folder), 1);
  copy.names.Lookup(7203, &name, &industry);
  EXPECT_EQ(name, Sjis("新名"));
  d.names.Lookup(7203, &name, &industry);
  EXPECT_EQ(name, Sjis("旧名"));
  EXPECT_EQ(std::string(copy.items[0].name), Sjis("旧名"));  // the list keeps what it had
}

TEST(StockDictionaryTest, MissingDictionaryFileIsCreatedEmpty) {
  TempDir root;
  TouchFile(root.path(), "Data/1000/KD1301.KDT");
  CStockDictionary d(root.path(), root.path());
  EXPECT_EQ(d.nameTableError, "");
  EXPECT_EQ(FileSize(DictionaryFilePath(root.path())), 10240000);
  EXPECT_EQ(std::string(d.items[0].name), "(1301)");
}

TEST(StockDictionaryTest, UncreatableDictionaryFileIsReportedAndEveryCodeUnlisted) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
  TempDir root;
  TouchFile(root.path(), "Data/1000/KD1301.KDT");
  std::filesystem::permissions(root.path(), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::remove);
  CStockDictionary d(root.path(), root.path());
  EXPECT_NE(d.nameTableError, "");
  EXPECT_EQ(d.itemCount, 1);
  EXPECT_FALSE(d.names.HasName(1301));
}

TEST(StockDictionaryTest, RebuildSeesNewFiles) {
  TempDir root;
  TouchFile(root.path(), "Data/1000/KD1301.KDT");
  CStockDictionary d(root.path(), root.path());
  TouchFile(root.path(), "Data/7000/KD7203.KDT");
  EXPECT_EQ(d.FindItem(7203), -1);
  d.Rebuild();
  EXPECT_EQ(Codes(d), (std::vector<int>{1301, 7203}));
  EXPECT_EQ(d.folderCount, 2);
}

}  // namespace
}  // namespace korvale
