#include "store/fetch_list.h"

#include <gtest/gtest.h>

#include "store/dictionary_file.h"
#include "store/stock_dictionary.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DictRecord;
using testing::Sjis;
using testing::TempDir;

TEST(FetchListTest, LineGivesSymbolCodeAndTheNameAfterTheThirdComma) {
  FetchListLine f;
  ASSERT_TRUE(ParseFetchListLine((Sjis("7203.T,7203,東証,トヨタ自動車") + "\r").c_str(), &f));
  EXPECT_EQ(f.symbol, "7203.T");
  EXPECT_EQ(f.code, 7203);
  EXPECT_EQ(f.name, Sjis("トヨタ自動車"));
  ASSERT_TRUE(ParseFetchListLine("X1  ,  1301,a,ABCDEFGHIJKLMNOPQR\r", &f));
  EXPECT_EQ(f.symbol, "X1  ");
  EXPECT_EQ(f.code, 1301);
  EXPECT_EQ(f.name, "ABCDEFGHIJKLMN");  // 14 bytes
  ASSERT_TRUE(ParseFetchListLine("S,9999,only three\r", &f));
  EXPECT_EQ(f.name, "");
  ASSERT_TRUE(ParseFetchListLine("S,1000,x,cut line without end", &f));
  EXPECT_EQ(f.name, "cut line witho");  // nothing dropped: there was no line end
}

TEST(FetchListTest, MissingSymbolsAndCodesOutsideTheRangeEndTheList) {
  FetchListLine f;
  EXPECT_FALSE(ParseFetchListLine("\r", &f));
  EXPECT_FALSE(ParseFetchListLine(",7203,x,y\r", &f));
  EXPECT_FALSE(ParseFetchListLine("S,0,x,y\r", &f));
  EXPECT_FALSE(ParseFetchListLine("S,10000,x,y\r", &f));
  EXPECT_FALSE(ParseFetchListLine("S,-7203,x,y\r", &f));
  EXPECT_FALSE(ParseFetchListLine("S,99999999999999999999999,x,y\r", &f));
  EXPECT_FALSE(ParseFetchListLine("S,abc,x,y\r", &f));
  EXPECT_FALSE(ParseFetchListLine("S;7203;x;y\r", &f));
}

TEST(FetchListTest, WebModeDictionaryReadsTheListInItsOrderWithSymbols) {
  TempDir work;
  testing::WriteDictionaryFile(DictionaryFilePath(work.path()),
                               {DictRecord(7203, "トヨタ", 1, 17), DictRecord(1301, "極洋", 1, 1)});
  testing::WriteText(work.File("fetchlist.csv"),
                     Sjis("7203.T,7203,a,トヨタ自動車株式会社\n") + "1301.T,1301,b,KYOKUYO\n" +
                         "OVERLONG_SYMBOL_X,2000,c," + std::string(400, 'n') + "\n" +
                         "3000.T,3000,d,after the long one\n" + "BAD,99999999999999999,x,y\n" +
                         "4000.T,4000,e,never read\n");
  CStockDictionary d("http://quotes.example/all.csv", 0, "", 0, work.path());
  EXPECT_EQ(d.mode, 2);
  ASSERT_EQ(d.itemCount, 4);
  EXPECT_EQ(d.items[0].code, 7203);
  EXPECT_EQ(std::string(d.items[0].name), Sjis("トヨタ自動車株"));  // 14 bytes
  EXPECT_EQ(d.items[0].market, 1);
  EXPECT_EQ(d.items[0].industry, 17);
  EXPECT_EQ(d.items[0].folder, 0);
  EXPECT_EQ(d.items[0].marginFolder, 0);
  EXPECT_EQ(d.items[1].code, 1301);
  EXPECT_EQ(d.items[2].code, 2000);
  EXPECT_EQ(std::string(d.items[2].name), std::string(14, 'n'));
  EXPECT_EQ(d.items[3].code, 3000);  // the long line's tail was not taken for a line
  EXPECT_EQ(d.items[3].market, 13);
  std::string name, symbol;
  int industry;
  d.names.Lookup(7203, &name, &industry, &symbol);
  EXPECT_EQ(symbol, "7203.T");
  d.names.Lookup(2000, &name, &industry, &symbol);
  EXPECT_EQ(symbol, "OVERLONG_SY");  // 11 characters
  std::string path;
  EXPECT_EQ(d.GetMarginPath(7203, &path), 0);
  // In source order the index is exact only for ascending lists: 1301 sits before block 2's
  // first item (index 0 for 7203), so it is still found; nothing is lost by the order here.
  EXPECT_EQ(d.firstOfThousand[2], 0);
  EXPECT_EQ(d.firstOfThousand[8], 0);
  EXPECT_EQ(d.FindItem(3000), 3);
}

TEST(FetchListTest, ListStopsAtSixThousandStocksAndWithoutAFileStaysEmpty) {
  TempDir work;
  testing::WriteDictionaryFile(DictionaryFilePath(work.path()), {});
  CStockDictionary none("http://x/", 0, "", 0, work.path());
  EXPECT_EQ(none.itemCount, 0);
  std::string text;
  for (int i = 0; i < 6500; ++i) text += "S," + std::to_string(1000 + i) + ",x,n\r\n";
  testing::WriteText(work.File("fetchlist.csv"), text);
  CStockDictionary d("http://x/", 0, "", 0, work.path());
  EXPECT_EQ(d.itemCount, kMaxStockItems);
  EXPECT_EQ(d.items.back().code, 6999);
}

}  // namespace
}  // namespace korvale
