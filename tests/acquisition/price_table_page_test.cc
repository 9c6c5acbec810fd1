// The pages a daily span needs and their requests.
#include "acquisition/price_table_page.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(PriceTablePagesTest, TheSpanDecidesThePagesAndTheirRowOffsets) {
  struct Case {
    int span, rows, pages;
  } cases[] = {{100, 150, 3}, {120, 150, 3}, {0, 50, 1}, {49, 50, 1}, {50, 100, 2}, {-5, 50, 1}};
  for (const Case& c : cases) {
    CPriceTablePages pages("1301.T", 1301, c.span, 2025, 12, 30);
    EXPECT_EQ(pages.rowsWanted, c.rows) << c.span;
    ASSERT_EQ(pages.pageCount, c.pages) << c.span;
    ASSERT_EQ(pages.pages.size(), static_cast<size_t>(c.pages));
    for (int i = 0; i < c.pages; ++i) {
      EXPECT_NE(pages.pages[i].url.find("&y=" + std::to_string(i * 50) + "&x=.csv"),
                std::string::npos)
          << pages.pages[i].url;
    }
  }
  CPriceTablePages pages("1301.T", 1301, 100, 2025, 12, 30);
  EXPECT_EQ(pages.pages[2].fileName, "kdttemp-002.html");
  EXPECT_EQ(pages.pages[1].url, "/t?s=1301.T&a=1&b=1&c=1983&d=12&e=30&f=2025&g=d&q=t&y=50&x=.csv");
}

TEST(PriceTablePagesTest, ASymbolCannotChangeTheQuery) {
  EXPECT_EQ(PriceTableRequest("a&y=9#/ \xE9", 2025, 1, 2, 0).substr(0, 30),
            "/t?s=a%26y%3D9%23%2F%20%E9&a=1");
}

}  // namespace
}  // namespace korvale
