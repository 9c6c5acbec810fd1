#include "store/dictionary_text.h"

#include <gtest/gtest.h>

#include "store/dictionary_file.h"
#include "store/dictionary_vendor_update.h"
#include "store/file_io.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::ReadBytes;
using testing::Sjis;
using testing::TempDir;
using testing::WriteText;

std::string TextOf(const std::string& path) {
  const std::vector<uint8_t> b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

DictionaryFileRecord Record(const std::string& dic, int code) {
  DictionaryFileRecord r;
  EXPECT_TRUE(ReadDictionaryRecord(dic, code, &r));
  return r;
}

class DictionaryTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DictionaryFileRecord toyota = DictRecord(7203, "トヨタ自動車", 1, 17);
    SetFieldText(toyota.quoteSymbol, "7203.T");
    SetFieldText(toyota.text1, Sjis("自動車国内首位、世界有数"));
    SetFieldText(toyota.text2, Sjis("連結事業 自動車89 金融6"));
    toyota.figures[kPriceEarningsRatio] = 14.5;
    DictionaryFileRecord misplaced = DictRecord(5001, "場所違い", 1, 1);
    testing::WriteDictionaryFile(
        dic_, {toyota, DictRecord(1301, "極洋", 1, 1), DictRecord(7204, "隣の銘柄", 2, 3)});
    // Slot 5000 holds a record claiming code 5001: not exported.
    std::vector<uint8_t> bytes = ReadBytes(dic_);
    EncodeDictionaryRecord(misplaced, bytes.data() + 5000 * kDictionaryRecordSize);
    testing::WriteBytes(dic_, bytes);
  }
  TempDir dir_;
  const std::string dic_ = DictionaryFilePath(dir_.path());
};

TEST_F(DictionaryTextTest, ExportWritesOneLinePerRecordWhoseCodeEqualsItsSlot) {
  ASSERT_EQ(ExportText(dic_, dir_.File("out.txt")), 1);
  EXPECT_EQ(TextOf(dir_.File("out.txt")),
            Sjis("1301, , 1, 1, 極洋, , \r\n"
                 "7203, 7203.T, 1, 17, トヨタ自動車, 自動車国内首位、世界有数, "
                 "連結事業 自動車89 金融6\r\n"
                 "7204, , 2, 3, 隣の銘柄, , \r\n"));
  std::string error;
  EXPECT_EQ(ExportText(dir_.File("none.DIC"), dir_.File("x.txt"), &error), 0);
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

TEST_F(DictionaryTextTest, ExportThenImportGivesBackEveryExportedRecord) {
  ASSERT_EQ(ExportText(dic_, dir_.File("out.txt")), 1);
  const std::vector<uint8_t> before = ReadBytes(dic_);
  DictionaryUpdateCounts counts;
  ASSERT_EQ(ImportText(dir_.File("out.txt"), dic_, nullptr, &counts), 1);
  EXPECT_EQ(counts.lines, 3);
  EXPECT_EQ(counts.updated, 3);
  EXPECT_EQ(ReadBytes(dic_), before);  // figures and reserved bytes kept as well

  // Into a dictionary that does not exist yet: created, the text fields come back.
  const std::string fresh = dir_.File("fresh.DIC");
  ASSERT_EQ(ImportText(dir_.File("out.txt"), fresh), 1);
  EXPECT_EQ(FileSize(fresh), 10240000);
  for (int code : {1301, 7203, 7204}) {
    const DictionaryFileRecord a = Record(dic_, code), b = Record(fresh, code);
    EXPECT_EQ(b.code, code);
    EXPECT_EQ(b.market, a.market);
    EXPECT_EQ(b.industry, a.industry);
    EXPECT_EQ(FieldText(b.quoteSymbol), FieldText(a.quoteSymbol));
    EXPECT_EQ(FieldText(b.name), FieldText(a.name));
    EXPECT_EQ(FieldText(b.text1), FieldText(a.text1));
    EXPECT_EQ(FieldText(b.text2), FieldText(a.text2));
  }
  EXPECT_EQ(Record(fresh, 7203).figures[kPriceEarningsRatio], 0.0);
  EXPECT_EQ(Record(fresh, 5000).code, 0);
}

TEST_F(DictionaryTextTest, ImportNeverTakesOverASlotOfAnotherCode) {
  // 7204's slot already belongs to 7204; a line claiming 7203 cannot land there, and a line for
  // 5000 cannot take the slot holding 5001.
  WriteText(dir_.File("in.txt"),
            Sjis("7203, X, 9, 9, 新名, a, b\r\n5000, Y, 1, 1, 乗っ取り, , \r\n"));
  const DictionaryFileRecord neighbour = Record(dic_, 7204);
  DictionaryUpdateCounts counts;
  ASSERT_EQ(ImportText(dir_.File("in.txt"), dic_, nullptr, &counts), 1);
  EXPECT_EQ(counts.updated, 1);
  EXPECT_EQ(counts.skipped, 1);
  EXPECT_EQ(FieldText(Record(dic_, 7203).name), Sjis("新名"));
  EXPECT_EQ(Record(dic_, 7204).market, neighbour.market);
  EXPECT_EQ(FieldText(Record(dic_, 7204).name), FieldText(neighbour.name));
  EXPECT_EQ(Record(dic_, 5000).code, 5001);
}

TEST_F(DictionaryTextTest, ShortBadAndOverlongLines) {
  WriteText(dir_.File("in.txt"),
            "no code here\r\n"
            "0, Z, 1, 1, zero, , \r\n"
            "-5, Z, 1, 1, negative, , \r\n"
            "7203, NEWSYM, 2\r\n"  // ends early: symbol and market only
            "1400\r\n"             // the code alone
            "2000, S, 1, 1, " +
                std::string(60, 'n') + ", " + std::string(300, 't') + ", x\r\n" +
                "3000, S, 1, 1, " + std::string(2000, 'L') + "\r\n" +
                "3001, T, 4, 5, after, , \r\n");
  DictionaryUpdateCounts counts;
  ASSERT_EQ(ImportText(dir_.File("in.txt"), dic_, nullptr, &counts), 1);
  EXPECT_EQ(counts.lines, 8);
  EXPECT_EQ(counts.skipped, 3);
  const DictionaryFileRecord toyota = Record(dic_, 7203);
  EXPECT_EQ(FieldText(toyota.quoteSymbol), "NEWSYM");
  EXPECT_EQ(toyota.market, 2);
  EXPECT_EQ(toyota.industry, 17);
  EXPECT_EQ(FieldText(toyota.name), Sjis("トヨタ自動車"));
  EXPECT_EQ(Record(dic_, 1400).code, 1400);
  EXPECT_EQ(FieldText(Record(dic_, 1400).name), "");
  EXPECT_EQ(FieldText(Record(dic_, 2000).name), std::string(47, 'n'));
  EXPECT_EQ(FieldText(Record(dic_, 2000).text1), std::string(255, 't'));
  EXPECT_EQ(FieldText(Record(dic_, 3000).name), std::string(47, 'L'));
  EXPECT_EQ(Record(dic_, 3001).market, 4);  // the line after the overlong one is its own
  EXPECT_EQ(Record(dic_, 0).code, 0);
  std::string error;
  EXPECT_EQ(ImportText(dir_.File("missing.txt"), dic_, &error), 0);
  EXPECT_NE(error.find("cannot open"), std::string::npos);
}

TEST_F(DictionaryTextTest, VendorFileRenamesStocksAndDropsTheCompanyMark) {
  WriteText(dir_.File("vendor.csv"), Sjis("7203,2006/01/04,（株）トヨタ自動車,1\r\n"
                                          "1301,20060104,極洋（株）,x\r\n"
                                          "1234,x,yz\r\n"
                                          "9999,abcde,（株）\r\n"
                                          "2000,abcde,とても長い名前の会社でございます\r\n"
                                          "0,abcdef,zero\r\n"
                                          "72030,abcdef,five digits\r\n"
                                          "123\r\n"
                                          "name,first\r\n"));
  DictionaryUpdateCounts counts;
  ASSERT_EQ(UpdateNamesFromVendorFile(dir_.File("vendor.csv"), dic_, nullptr, &counts), 1);
  EXPECT_EQ(counts.updated, 5);
  EXPECT_EQ(counts.skipped, 4);
  const DictionaryFileRecord toyota = Record(dic_, 7203);
  EXPECT_EQ(FieldText(toyota.name), Sjis("トヨタ自動車"));
  EXPECT_EQ(FieldText(toyota.quoteSymbol), "7203.T");  // the rest of the record stays
  EXPECT_EQ(toyota.industry, 17);
  EXPECT_EQ(FieldText(Record(dic_, 1301).name), Sjis("極洋"));
  EXPECT_EQ(FieldText(Record(dic_, 1234).name), "yz");  // the comma at the sixth character
  EXPECT_EQ(FieldText(Record(dic_, 9999).name), "");
  EXPECT_EQ(FieldText(Record(dic_, 2000).name), Sjis("とても長い名前の会社でご"));  // 24 bytes
  EXPECT_EQ(Record(dic_, 2000).code, 2000);
}

TEST_F(DictionaryTextTest, VendorUpdateCreatesAMissingDictionary) {
  WriteText(dir_.File("vendor.csv"), Sjis("7203,2006/01/04,トヨタ\n"));
  const std::string fresh = dir_.File("sub.DIC");
  ASSERT_EQ(UpdateNamesFromVendorFile(dir_.File("vendor.csv"), fresh), 1);
  EXPECT_EQ(FileSize(fresh), 10240000);
  EXPECT_EQ(FieldText(Record(fresh, 7203).name), Sjis("トヨタ"));
  EXPECT_EQ(UpdateNamesFromVendorFile(dir_.File("none.csv"), fresh), 0);
}

}  // namespace
}  // namespace korvale
