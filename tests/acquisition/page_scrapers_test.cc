// The three scrapers on hand-written pages (written in UTF-8, sent as EUC-JP like the service's).
#include "acquisition/page_scrapers.h"

#include <gtest/gtest.h>

#include "store/cp932.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"
#include "support/web_fixtures.h"

namespace korvale {
namespace {

using testing::EucOf;
using testing::Sjis;

std::string Row(const std::vector<std::string>& cells) {
  std::string row = "<tr align=right>";
  for (const std::string& c : cells) row += "<td>" + c + "</td>";
  return row + "</tr>\n";
}

std::vector<PriceTableRow> Rows(const std::string& utf8Page) {
  CPriceTablePage page;
  ScrapePriceTableText(EucOf(utf8Page), &page);
  return std::vector<PriceTableRow>(page.rows.begin(), page.rows.begin() + page.rowCount);
}

std::string Date(const PriceTableRow& r) {
  return std::to_string(r.year) + "-" + std::to_string(r.month) + "-" + std::to_string(r.day);
}

TEST(ScrapePriceTableTest, ReadsDatesAndSkipsRowsThatAreNotDays) {
  const std::string page =
      "<table><tr><th>日付</th><th>始値</th></tr>\n" +
      Row({"日付", "始値", "高値", "安値", "終値", "出来高"}) +  // not a date
      Row({"2005年5月12日", "1,234", "1,250", "1,200", "1,240", "12,300"}) +
      Row({"2005年12月1日", "0", "10", "10", "10", "1"}) +         // no opening price
      Row({"2005年13月1日", "5", "5", "5", "5", "1"}) +            // no such month
      Row({"1899年5月12日", "5", "5", "5", "5", "1"}) +            // year too early
      Row({"2005年11月30日", "<b>980</b>", "分割: 1株 -> 2株"}) +  // three cells
      Row({"2005年11月29日", "1,000"}) +                           // date and price
      "</table>";
  const std::vector<PriceTableRow> rows = Rows(page);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(Date(rows[0]), "2005-5-12");
  EXPECT_EQ(rows[0].open, 1234);
  EXPECT_EQ(rows[0].high, 1250);
  EXPECT_EQ(rows[0].low, 1200);
  EXPECT_EQ(rows[0].close, 1240);
  EXPECT_EQ(rows[0].volume, 12300);
  for (const PriceTableRow& r : {rows[1], rows[2]}) {
    EXPECT_EQ(r.high, r.open) << Date(r);
    EXPECT_EQ(r.low, r.open) << Date(r);
    EXPECT_EQ(r.close, r.open) << Date(r);
    EXPECT_EQ(r.volume, 0) << Date(r);
  }
  EXPECT_EQ(Date(rows[1]), "2005-11-30");
  EXPECT_EQ(rows[1].open, 980);
  EXPECT_EQ(rows[2].open, 1000);
}

TEST(ScrapePriceTableTest, CellsWithTagsAndForeignBytesAndAFullPage) {
  std::string page = Row({"<a href=x>2005年5月2日</a>", "<b>1,0円00</b>", "2", "3", "4", "5"});
  for (int i = 0; i < 60; ++i) page += Row({"2006年1月5日", "1", "1", "1", "1", "1"});
  const std::vector<PriceTableRow> rows = Rows(page);
  ASSERT_EQ(rows.size(), 50u);  // a page holds 50 rows
  EXPECT_EQ(Date(rows[0]), "2005-5-2");
  EXPECT_EQ(rows[0].open, 10);  // the number ends at the first foreign byte
}

TEST(ScrapePriceTableTest, APageCutInsideATagKeepsTheWholeRowsBeforeIt) {
  const std::string whole = Row({"2005年5月12日", "1", "2", "3", "4", "5"}) +
                            Row({"2005年5月11日", "1", "2", "3", "4", "5"});
  const std::string euc = EucOf(whole);
  const size_t secondRow = euc.find("<tr", 1);
  for (size_t cut : {euc.size() - 2, euc.size() - 7, euc.find("<td", secondRow) + 2}) {
    CPriceTablePage page;
    ScrapePriceTableText(euc.substr(0, cut), &page);
    EXPECT_EQ(page.rowCount, 1) << cut;
  }
}

TEST(ScrapePriceTableTest, RowsListedNewestFirstAreWrittenOldestFirst) {
  CPriceTablePages pages("1301.T", 1301, 60, 2006, 1, 10);
  ASSERT_EQ(pages.pageCount, 2);
  ScrapePriceTableText(EucOf(Row({"2005年5月5日", "5", "5", "5", "5", "5"}) +
                             Row({"2005年5月4日", "4", "4", "4", "4", "4"})),
                       &pages.pages[1]);
  ScrapePriceTableText(EucOf(Row({"2005年5月7日", "7", "7", "7", "7", "7"}) +
                             Row({"2005年5月6日", "6", "6", "6", "6", "6"})),
                       &pages.pages[0]);
  pages.pages[0].rows[pages.pages[0].rowCount++] = PriceTableRow{2100, 1, 1, 9, 9, 9, 9, 9};
  testing::TempDir dir;
  std::string error;
  ASSERT_TRUE(WritePriceTableFile(pages, dir.File("KD1301.KDT"), &error)) << error;
  const std::vector<uint8_t> bytes = testing::ReadBytes(dir.File("KD1301.KDT"));
  ASSERT_EQ(bytes.size(), 4 * kPriceFileRecordSize);  // the year 2100 is left out
  for (int i = 0; i < 4; ++i) {
    const PriceBar bar = DecodeBar(bytes.data() + i * kPriceFileRecordSize);
    EXPECT_EQ(bar.day, 4 + i);
    EXPECT_EQ(bar.close, 4 + i);
  }
}

const std::string kTitles = Row({"コード", "市場", "名称", "時刻", "取引値", "時価総額", "1株利益",
                                 "株価収益率", "1株株主資本", "純資産倍率"});

TEST(ScrapeQuoteTest, PassesOverTitleRowsAndShortRowsToTheFirstCompleteRow) {
  const std::string page =
      "<table>" + kTitles + Row({"1301", "東証1部", "short row"}) +
      Row({"<a href=\"/q?s=1301\">1301</a>", "東証1部", "<b>極洋</b>", "15:00", "2,345",
           "25,678百万円", "(連)123.45", "15.20", "1,000.50", "---"}) +
      Row({"1302", "x", "later", "", "", "1", "1", "1", "1", "1"}) + "</table>";
  QuoteSummary quote;
  ASSERT_TRUE(ScrapeQuoteText(EucOf(page), &quote));
  EXPECT_EQ(quote.code, 1301);
  EXPECT_EQ(quote.name, Sjis("極洋"));
  EXPECT_DOUBLE_EQ(quote.marketCapitalisation, 25678);
  EXPECT_DOUBLE_EQ(quote.earningsPerShare, 123.45);
  EXPECT_DOUBLE_EQ(quote.priceEarningsRatio, 15.2);
  EXPECT_DOUBLE_EQ(quote.bookValuePerShare, 1000.5);
  EXPECT_DOUBLE_EQ(quote.priceBookRatio, 0);
}

TEST(ScrapeQuoteTest, APageWithoutACompleteRowIsNotComplete) {
  QuoteSummary quote;
  EXPECT_FALSE(ScrapeQuoteText(
      EucOf("<table>" + kTitles + Row({"999", "", "", "", "", "", "", "", "", ""})), &quote));
  EXPECT_EQ(quote.code, 999);  // the last row's first cell cleared the summary and set its code
  QuoteSummary cut;
  EXPECT_FALSE(ScrapeQuoteText(EucOf("<tr><td>1301</td><td>x</td><td>name</td><td"), &cut));
  EXPECT_EQ(cut.code, 0);  // the row never closed
}

TEST(ScrapeProfileTest, EachTextNeedsItsMarker) {
  struct Case {
    std::string page;
    std::string market, industry;
  } cases[] = {
      {"<TR><TD>【市場名】東証１部</TD></TR><TR><TD>【業種分類】水産・農林業</TD>", "東証１部",
       "水産・農林業"},
      {"<TD>市場名 東証</TD><TD>【業種分類】水産</TD>", "", ""},  // no market marker: nothing
      {"<TD>【市場名】東証</TD><TD>業種 水産</TD>", "東証", ""},
      {"<TD>【市場名】</TD><TD>【業種分類】水産</TD>", "", ""},  // an empty market text
      {"<TD>【市場名】東証", "", ""},                            // cut before "</TD>"
  };
  for (const Case& c : cases) {
    ProfileText profile;
    ScrapeProfileText(EucOf(c.page), &profile);
    EXPECT_EQ(profile.marketText, Sjis(c.market)) << c.page;
    EXPECT_EQ(profile.industryText, Sjis(c.industry)) << c.page;
  }
  ProfileText profile;
  ScrapeProfileText(EucOf("【市場名】" + std::string(400, 'a') + "</TD>"), &profile);
  EXPECT_EQ(profile.marketText.size(), 254u);
}

TEST(ScrapeFileTest, FilesThatAreNotPagesYieldNothingWithAReason) {
  testing::TempDir dir;
  std::string error;
  ProfileText profile;
  EXPECT_FALSE(ScrapeProfile(dir.File("missing.html"), &profile, &error));
  EXPECT_FALSE(ScrapeProfile(dir.path(), &profile, &error));
  EXPECT_NE(error.find("not a regular file"), std::string::npos);
  // The quote page is read from its first 25600 bytes: a row beyond them is not seen.
  testing::WriteText(dir.File("finance.html"),
                     std::string(kQuotePageBytes, ' ') +
                         EucOf(Row({"1301", "", "n", "", "", "1", "1", "1", "1", "1"})));
  QuoteSummary quote;
  EXPECT_TRUE(ScrapeQuote(dir.File("finance.html"), &quote));
  EXPECT_EQ(quote.code, 0);
}

}  // namespace
}  // namespace korvale
