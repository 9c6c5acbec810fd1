#include "store/dictionary_file.h"

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::Sjis;
using testing::TempDir;

DictionaryFileRecord FullRecord() {
  DictionaryFileRecord r = DictRecord(7203, "トヨタ自動車", 1, 0x0511);
  SetFieldText(r.quoteSymbol, "7203.T");
  SetFieldText(r.text1, Sjis("自動車国内首位"));
  SetFieldText(r.text2, Sjis("連結事業 自動車89 金融6"));
  r.figures[kMarketCapitalisation] = 24000000.5;
  r.figures[kEarningsPerShare] = 180.25;
  r.figures[kPriceEarningsRatio] = 14.5;
  r.figures[kBookValuePerShare] = 2100.0;
  r.figures[kPriceBookRatio] = 1.25;
  r.reserved = 77;
  r.reservedTail[391] = 0xAB;
  return r;
}

TEST(DictionaryRecordTest, FieldsSitAtTheirOffsets) {
  uint8_t bytes[kDictionaryRecordSize] = {};
  EncodeDictionaryRecord(FullRecord(), bytes);
  EXPECT_EQ(bytes[0], 0x23);  // 7203 = 0x1C23
  EXPECT_EQ(bytes[1], 0x1C);
  EXPECT_EQ(bytes[4], 1);
  EXPECT_EQ(bytes[8], 0x11);
  EXPECT_EQ(bytes[9], 0x05);
  EXPECT_EQ(bytes[12], 77);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes) + 16), "7203.T");
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes) + 32), Sjis("トヨタ自動車"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes) + 80), Sjis("自動車国内首位"));
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes) + 336), Sjis("連結事業 自動車89 金融6"));
  double eps;
  std::memcpy(&eps, bytes + 600, 8);
  EXPECT_EQ(eps, 180.25);
  EXPECT_EQ(bytes[1023], 0xAB);
  const DictionaryFileRecord back = DecodeDictionaryRecord(bytes);
  uint8_t again[kDictionaryRecordSize] = {};
  EncodeDictionaryRecord(back, again);
  EXPECT_EQ(std::memcmp(bytes, again, sizeof bytes), 0);
}

TEST(DictionaryFileTest, FieldTextStopsAtTheFieldEndWithoutATerminator) {
  DictionaryFileRecord r;
  std::memset(r.quoteSymbol, 'Q', sizeof r.quoteSymbol);
  std::memset(r.name, 'N', sizeof r.name);
  EXPECT_EQ(FieldText(r.quoteSymbol), std::string(16, 'Q'));
  SetFieldText(r.quoteSymbol, std::string(40, 'S'));
  EXPECT_EQ(FieldText(r.quoteSymbol), std::string(15, 'S'));
  EXPECT_EQ(r.quoteSymbol[15], '\0');
}

TEST(DictionaryFileTest, StoreNameRewritesCodeAndNameOnly) {
  TempDir root;
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {FullRecord()});
  ASSERT_EQ(StoreName(root.path(), 0, 7203, Sjis("トヨタ") + std::string(60, 'x')), 1);
  DictionaryFileRecord r;
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root.path()), 7203, &r));
  EXPECT_EQ(FieldText(r.name), Sjis("トヨタ") + std::string(41, 'x'));  // 47 bytes
  EXPECT_EQ(FieldText(r.text1), Sjis("自動車国内首位"));
  EXPECT_EQ(r.figures[kPriceBookRatio], 1.25);
  EXPECT_EQ(r.reservedTail[391], 0xAB);
  ASSERT_EQ(StoreName(root.path(), 0, 1301, Sjis("極洋")), 1);
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root.path()), 1301, &r));
  EXPECT_EQ(r.code, 1301);
  EXPECT_EQ(FileSize(DictionaryFilePath(root.path())), 10240000);
}

TEST(DictionaryFileTest, StoreNameDoesNothingInWebModeOrWithoutAFile) {
  TempDir root;
  EXPECT_EQ(StoreName(root.path(), 0, 7203, "x"), 0);
  EXPECT_FALSE(FileExists(DictionaryFilePath(root.path())));  // not created by a store
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {});
  EXPECT_EQ(StoreName(root.path(), 2, 7203, "x"), 0);
  EXPECT_EQ(StoreName(root.path(), 0, 0, "x"), 0);
  EXPECT_EQ(StoreName(root.path(), 0, 10000, "x"), 0);
  DictionaryFileRecord r;
  ASSERT_TRUE(ReadDictionaryRecord(DictionaryFilePath(root.path()), 7203, &r));
  EXPECT_EQ(r.code, 0);
}

TEST(DictionaryFileTest, StockInfoGivesTextsFiguresMarketAndTheIndustryByte) {
  TempDir root;
  testing::WriteDictionaryFile(DictionaryFilePath(root.path()), {FullRecord()});
  StockInfo info;
  ASSERT_EQ(ReadStockInfo(root.path(), 0, 7203, &info), 1);
  EXPECT_EQ(info.text1, Sjis("自動車国内首位"));
  EXPECT_EQ(info.text2, Sjis("連結事業 自動車89 金融6"));
  EXPECT_EQ(info.market, 1);
  EXPECT_EQ(info.industry, 0x11);
  EXPECT_EQ(info.figures[kMarketCapitalisation], 24000000.5);
  EXPECT_EQ(ReadStockInfo(root.path(), 2, 7203, &info), 0);
  EXPECT_EQ(ReadStockInfo(root.path(), 0, -1, &info), 0);
  EXPECT_EQ(ReadStockInfo(root.path(), 0, 10000, &info), 0);
  // A file cut short holds no record at the far end.
  testing::WriteBytes(DictionaryFilePath(root.path()), std::vector<uint8_t>(5000, 0));
  EXPECT_EQ(ReadStockInfo(root.path(), 0, 7203, &info), 0);
  EXPECT_EQ(ReadStockInfo(root.path(), 0, 3, &info), 1);
}

}  // namespace
}  // namespace korvale
