#include "store/stock_list.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::Sjis;
using testing::TempDir;

class StockListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteDictionaryFile(
        DictionaryFilePath(root_.path()),
        {DictRecord(1301, "極洋", 1, 1), DictRecord(1332, "日本水産", 1, 1),
         DictRecord(6501, "日立製作所", 1, 16), DictRecord(7001, "ｱｲﾁ", 9, 15),
         DictRecord(7200, "自動車部品", 2, 17), DictRecord(7203, "トヨタ自動車", 1, 17),
         DictRecord(7209, "七二〇九", 11, 17), DictRecord(7210, "七二一〇", 1, 17),
         DictRecord(7211, "三菱自動車", 1, 17), DictRecord(8001, "伊藤忠商事", 1, 26)});
    for (int code : {1301, 1332, 6501, 7001, 7200, 7203, 7209, 7210, 7211, 8001, 9999}) {
      testing::TouchFile(root_.path(), "Data/" + std::to_string(code / 1000 * 1000) + "/KD" +
                                           std::to_string(code) + ".KDT");
    }
    dict_ = std::make_unique<CStockDictionary>(root_.path(), root_.path());
  }

  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const StockListRow& r : list_.rows) codes.push_back(r.code);
    return codes;
  }

  TempDir root_;
  std::unique_ptr<CStockDictionary> dict_;
  ShownStockList list_;
};

TEST_F(StockListTest, AllStocksShowCodeAndListNameWithTheirItemIndex) {
  FillAll(*dict_, &list_);
  EXPECT_EQ(list_.title, Sjis("全銘柄"));
  ASSERT_EQ(list_.rows.size(), 11u);
  EXPECT_EQ(list_.rows[0].text, Sjis("1301 極洋"));
  EXPECT_EQ(list_.rows[3].text, Sjis("7001 アイチ"));
  EXPECT_EQ(list_.rows[10].text, "9999 (9999)");
  for (size_t i = 0; i < list_.rows.size(); ++i) {
    EXPECT_EQ(list_.rows[i].itemData, 1);
    EXPECT_EQ(list_.rows[i].itemIndex, static_cast<int>(i));
  }
}

TEST_F(StockListTest, CodeRangesScaleTheNumberToFourDigits) {
  ASSERT_TRUE(FillCodeRange(*dict_, 7, &list_));
  EXPECT_EQ(list_.title, Sjis("7000番台銘柄"));
  EXPECT_EQ(Codes(), (std::vector<int>{7001, 7200, 7203, 7209, 7210, 7211}));
  ASSERT_TRUE(FillCodeRange(*dict_, 72, &list_));
  EXPECT_EQ(list_.title, Sjis("7200番台銘柄"));
  EXPECT_EQ(Codes(), (std::vector<int>{7200, 7203, 7209, 7210, 7211}));
  ASSERT_TRUE(FillCodeRange(*dict_, 720, &list_));
  EXPECT_EQ(list_.title, Sjis("7200番台銘柄"));
  EXPECT_EQ(Codes(), (std::vector<int>{7200, 7203, 7209}));
  ASSERT_TRUE(FillCodeRange(*dict_, 7203, &list_));
  EXPECT_EQ(list_.title, Sjis("7203番台銘柄"));
  EXPECT_EQ(Codes(), (std::vector<int>{7203}));
  EXPECT_EQ(list_.rows[0].itemIndex, 5);
  ASSERT_TRUE(FillCodeRange(*dict_, 0, &list_));
  EXPECT_EQ(list_.rows.size(), 11u);
  EXPECT_EQ(list_.title, Sjis("全銘柄"));
  EXPECT_FALSE(FillCodeRange(*dict_, 10000, &list_));
  EXPECT_FALSE(FillCodeRange(*dict_, -7, &list_));
  EXPECT_EQ(list_.rows.size(), 11u);  // a refused number leaves the list alone
}

TEST_F(StockListTest, MarketIndustryAndNameFills) {
  FillMarket(*dict_, 1, &list_);
  EXPECT_EQ(list_.title, Sjis("東証１部"));
  EXPECT_EQ(Codes(), (std::vector<int>{1301, 1332, 6501, 7203, 7210, 7211, 8001}));
  FillMarket(*dict_, 13, &list_);
  EXPECT_EQ(list_.title, Sjis("その他"));
  EXPECT_EQ(Codes(), (std::vector<int>{9999}));
  FillIndustry(*dict_, 0, &list_);
  EXPECT_EQ(list_.title, Sjis("その他・未定義"));
  EXPECT_EQ(Codes(), (std::vector<int>{9999}));
  FillIndustry(*dict_, 17, &list_);
  EXPECT_EQ(list_.title, Sjis("輸送用機器"));
  EXPECT_EQ(Codes(), (std::vector<int>{7200, 7203, 7209, 7210, 7211}));
  FillNameSearch(*dict_, Sjis("自動車"), &list_);
  EXPECT_EQ(list_.title, Sjis("自動車"));
  EXPECT_EQ(Codes(), (std::vector<int>{7200, 7203, 7211}));
  FillNameSearch(*dict_, Sjis("アイ"), &list_);  // matched against the full-width list name
  EXPECT_EQ(Codes(), (std::vector<int>{7001}));
  FillNameSearch(*dict_, "(99", &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{9999}));
  FillNameSearch(*dict_, "", &list_);
  EXPECT_EQ(list_.rows.size(), 11u);
}

TEST_F(StockListTest, ListFileRowsKeepTheirLineAndMarkUnknownCodes) {
  testing::WriteText(root_.File("watch.LST"),
                     Sjis("1000 無効\r\n1301 極洋のメモ\r\n5555 未登録\r\n# 見出し\r\n"
                          "  7203 トヨタ\r\n10000 大きすぎ\r\n1001\r\n7211 last without end"));
  ASSERT_TRUE(OpenListFile(*dict_, root_.File("watch.LST"), &list_));
  EXPECT_EQ(list_.title, "watch.LST");
  ASSERT_EQ(list_.rows.size(), 4u);
  EXPECT_EQ(list_.rows[0].text, Sjis("1301 極洋のメモ"));
  EXPECT_EQ(list_.rows[0].itemData, 1);
  EXPECT_EQ(list_.rows[0].itemIndex, 0);
  EXPECT_EQ(list_.rows[1].text, Sjis("5555 未登録"));
  EXPECT_EQ(list_.rows[1].itemData, 0);
  EXPECT_EQ(list_.rows[1].itemIndex, 0);
  EXPECT_EQ(list_.rows[2].text, Sjis("  7203 トヨタ"));
  EXPECT_EQ(list_.rows[2].itemIndex, 5);
  EXPECT_EQ(list_.rows[3].text, "1001");
  EXPECT_EQ(list_.rows[3].itemData, 0);
}

TEST_F(StockListTest, SavedListUsesItemNamesAndKeepsUnknownRowsAsTheyWere) {
  testing::WriteText(root_.File("in.LST"), Sjis("7203 メモ付き\n5555 未登録\n1301 x\n"));
  ASSERT_TRUE(OpenListFile(*dict_, root_.File("in.LST"), &list_));
  ASSERT_EQ(SaveListFile(*dict_, list_, root_.File("out.LST")), 1);
  const std::vector<uint8_t> saved = testing::ReadBytes(root_.File("out.LST"));
  EXPECT_EQ(std::string(saved.begin(), saved.end()),
            Sjis("7203 トヨタ自動車\r\n5555 未登録\r\n1301 極洋\r\n"));
  ShownStockList again;
  ASSERT_TRUE(OpenListFile(*dict_, root_.File("out.LST"), &again));
  ASSERT_EQ(again.rows.size(), 3u);
  EXPECT_EQ(again.rows[1].itemData, 0);
  FillCodeRange(*dict_, 72, &list_);
  ASSERT_EQ(SaveListFile(*dict_, list_, root_.File("out.LST")), 1);
  const std::vector<uint8_t> range = testing::ReadBytes(root_.File("out.LST"));
  EXPECT_EQ(std::string(range.begin(), range.end()),
            Sjis("7200 自動車部品\r\n7203 トヨタ自動車\r\n7209 七二〇九\r\n7210 七二一〇\r\n"
                 "7211 三菱自動車\r\n"));
  std::string error;
  EXPECT_EQ(SaveListFile(*dict_, list_, root_.File("no/such/dir/x.LST"), &error), 0);
  EXPECT_NE(error, "");
}

TEST_F(StockListTest, UnreadableJunkAndEmptyDictionaryCases) {
  FillAll(*dict_, &list_);
  ASSERT_TRUE(OpenListFile(*dict_, root_.File("missing.LST"), &list_));
  EXPECT_TRUE(list_.rows.empty());
  EXPECT_EQ(list_.title, "missing.LST");

  std::vector<uint8_t> junk(200000);
  uint32_t x = 99;
  for (uint8_t& b : junk) {
    x = x * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(x >> 24);
  }
  testing::WriteBytes(root_.File("junk.LST"), junk);
  ASSERT_TRUE(OpenListFile(*dict_, root_.File("junk.LST"), &list_));
  for (const StockListRow& r : list_.rows) {
    EXPECT_GE(r.code, 1001);
    EXPECT_LE(r.code, 9999);
    EXPECT_LT(r.text.size(), 250u);
    EXPECT_FALSE(Cp932ToUtf8(r.text).empty());
  }

  TempDir empty;
  CStockDictionary none(empty.path(), empty.path());
  ShownStockList kept;
  kept.title = "before";
  EXPECT_FALSE(OpenListFile(none, root_.File("watch.LST"), &kept));
  EXPECT_EQ(kept.title, "before");
}

TEST(StockListCommandsTest, MenuIdsMapToMarketsAndIndustries) {
  EXPECT_EQ(MarketOfCommand(32785), 1);
  EXPECT_EQ(MarketOfCommand(32905), 5);
  EXPECT_EQ(MarketOfCommand(32793), 13);
  EXPECT_EQ(MarketOfCommand(32781), -1);
  EXPECT_EQ(IndustryOfCommand(32903), 0);
  EXPECT_EQ(IndustryOfCommand(32902), 30);
  EXPECT_EQ(IndustryOfCommand(32899), 31);
  EXPECT_EQ(IndustryOfCommand(32898), -1);
}

}  // namespace
}  // namespace korvale
