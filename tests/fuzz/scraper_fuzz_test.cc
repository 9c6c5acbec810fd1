// Each scraper's fuzz target for a moment: random bytes, pages made of the tokens the scrapers
// look for, every cut of a real page, and oversized pages without an end. A target traps when an
// invariant breaks; the sanitizers catch any read outside the input.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "acquisition/page_scrapers.h"
#include "acquisition/quote_service_pages.h"
#include "store/dictionary_record.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"
#include "support/web_fixtures.h"

extern "C" int scrape_price_table_fuzz(const uint8_t* data, size_t size);
extern "C" int scrape_quote_fuzz(const uint8_t* data, size_t size);
extern "C" int scrape_profile_fuzz(const uint8_t* data, size_t size);

namespace korvale {
namespace {

using Target = int (*)(const uint8_t*, size_t);

struct FuzzCase {
  const char* name;
  Target target;
  std::string realPage;
};

int Feed(Target target, const std::string& input) {
  return target(reinterpret_cast<const uint8_t*>(input.data()), input.size());
}

std::vector<FuzzCase> Targets() {
  ServedStock stock;
  stock.record.code = 1301;
  SetFieldText(stock.record.name, testing::Sjis("極洋"));
  SetFieldText(stock.record.text1, testing::Sjis("水産大手"));
  stock.record.figures[0] = 12345.6;
  stock.symbol = "1301.T";
  std::vector<PriceBar> bars;
  for (int i = 1; i <= 28; ++i) bars.push_back(testing::Bar(2005, 2, i, 10, 12, 9, 11, 1000 * i));
  return {
      {"price table", scrape_price_table_fuzz,
       PriceTablePageOf(bars, DateKey(1983, 1, 1), DateKey(2030, 1, 1), 0)},
      {"quote", scrape_quote_fuzz, QuotePageOf(stock, 2345)},
      {"profile", scrape_profile_fuzz, ProfilePageOf(stock)},
  };
}

// The tokens the scrapers look for, in both cases, with EUC-JP lead bytes and numbers.
const std::vector<std::string>& Tokens() {
  static const std::vector<std::string> tokens = {"<tr",
                                                  "</tr>",
                                                  "<td",
                                                  "</td>",
                                                  "<TD>",
                                                  "</TD>",
                                                  "<",
                                                  ">",
                                                  "<td>",
                                                  "\xA4",
                                                  "\x8E",
                                                  "\xFF",
                                                  std::string(1, '\0'),
                                                  "1",
                                                  "2005",
                                                  "1,234",
                                                  "-",
                                                  ".",
                                                  ",",
                                                  testing::EucOf("年"),
                                                  testing::EucOf("月"),
                                                  testing::EucOf("日"),
                                                  testing::EucOf("【市場名】"),
                                                  testing::EucOf("【業種分類】"),
                                                  testing::EucOf("2005年5月12日"),
                                                  " ",
                                                  "\r\n"};
  return tokens;
}

TEST(ScraperFuzzTest, RandomBytesAndTokenSoup) {
  std::mt19937 random(20250518);
  for (const FuzzCase& c : Targets()) {
    for (int i = 0; i < 400; ++i) {
      std::string bytes(random() % 4096, '\0');
      for (char& b : bytes) b = static_cast<char>(random());
      ASSERT_EQ(Feed(c.target, bytes), 0) << c.name;
      std::string soup;
      for (int n = random() % 300; n > 0; --n) soup += Tokens()[random() % Tokens().size()];
      ASSERT_EQ(Feed(c.target, soup), 0) << c.name;
    }
  }
}

TEST(ScraperFuzzTest, EveryCutOfARealPage) {
  for (const FuzzCase& c : Targets()) {
    ASSERT_GT(c.realPage.size(), 200u) << c.name;
    for (size_t cut = 0; cut <= c.realPage.size(); ++cut) {
      ASSERT_EQ(Feed(c.target, c.realPage.substr(0, cut)), 0) << c.name << " " << cut;
    }
  }
}

TEST(ScraperFuzzTest, OversizedPagesWithoutAnEnd) {
  const size_t mb = size_t{1} << 20;
  const std::vector<std::string> pages = {
      "<tr><td" + std::string(mb, 'a'),  // a tag that never ends
      std::string(mb, '<'),              // tags that never end
      [&] {                              // rows that never close
        std::string s;
        while (s.size() < mb) s += "<tr><td>";
        return s;
      }(),
      [&] {  // a page full of good rows
        std::string s;
        const std::string row =
            "<tr><td>" + testing::EucOf("2005年5月12日") + "</td><td>1</td></tr>";
        while (s.size() < kMaxPageBytes - row.size()) s += row;
        return s;
      }(),
      std::string(mb, '\xA4') + "\xB0",  // lead bytes to the very end
      std::string(mb - 1, '\xA4'),
  };
  for (const FuzzCase& c : Targets()) {
    for (const std::string& page : pages) ASSERT_EQ(Feed(c.target, page), 0) << c.name;
  }
}

}  // namespace
}  // namespace korvale
