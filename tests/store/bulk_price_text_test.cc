#include "store/bulk_price_text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;

TEST(BulkPriceTextTest, HeaderAndBarLinesAreWrittenInTheFilesForm) {
  std::string out;
  AppendBulkHeader(&out, 2, 7203, "Toyota");
  AppendBulkBarLine(&out, Bar(2006, 1, 4, 5000, 5100, 4950, 5080, 21474836));
  AppendBulkBarLine(&out, Bar(1998, 12, 30, 1, 2, 1, 2, 0));
  AppendBulkBarLine(&out, Bar(2000, 1, 4, -5, 0, -70000, 9, INT32_MIN));
  EXPECT_EQ(out,
            "t7203, \"Toyota\"\r\n"
            "060104,5000,5100,4950,5080,2147483600\r\n"
            "981230,1,2,1,2,0\r\n"
            "000104,-5,0,-70000,9,-214748364800\r\n");
  const std::string letters = "ATtOoNnFSQHMYAA";
  for (int market = 0; market <= 14; ++market) {
    EXPECT_EQ(BulkMarketLetter(market), letters[static_cast<size_t>(market)]) << market;
  }
  EXPECT_EQ(BulkMarketLetter(-1), 'A');
}

TEST(BulkPriceTextTest, TwoDigitYearsComeBackThroughTheWindow70To69) {
  struct Case {
    int written, readBack;
  } cases[] = {{1901, 1901 + 100}, {1969, 2069}, {1970, 1970}, {1999, 1999},
               {2000, 2000},       {2069, 2069}, {2070, 1970}};
  for (const Case& c : cases) {
    std::string line;
    AppendBulkBarLine(&line, Bar(c.written, 3, 31, 10, 11, 9, 10, 5));
    line.resize(line.size() - 2);  // the CR LF
    PriceBar bar;
    if (c.written == 1901) {
      EXPECT_EQ(line.substr(0, 6), "010331");  // 1901 is written as 01 and read as 2001
      continue;
    }
    ASSERT_TRUE(ParseBulkBarLine(line, &bar)) << line;
    EXPECT_EQ(bar.year, c.readBack) << c.written;
    EXPECT_EQ(bar.volume, 5);
  }
}

TEST(BulkPriceTextTest, LinesThatGiveNoBarAreRefused) {
  PriceBar bar;
  EXPECT_TRUE(ParseBulkBarLine("060104,100,110,90,105", &bar));  // no volume: 0
  EXPECT_EQ(bar.volume, 0);
  EXPECT_TRUE(ParseBulkBarLine("060104,100.9,110,90,105,abc", &bar));
  EXPECT_EQ(bar.open, 100);
  EXPECT_EQ(bar.volume, 0);
  EXPECT_TRUE(ParseBulkBarLine("060104,-100,110,90,105,1e4", &bar));
  EXPECT_EQ(bar.open, -100);
  EXPECT_EQ(bar.volume, 100);
  for (const char* line :
       {"0601040,100,110,90,105,100", "061304,100,110,90,105,100", "060100,100,110,90,105,100",
        "060104,100,110,90", "060104,,110,90,105", "060104,2147483648,110,90,105,100",
        "060104,100,110,90,105,1e300", "060104,100,110,90,105,nan"}) {
    EXPECT_EQ(ParseBulkBarLine(line, &bar), std::string(line).find("nan") != std::string::npos)
        << line;
  }
}

TEST(BulkPriceTextTest, HeadersGiveTheCodeAfterTheLetterAndTheQuotedName) {
  int code;
  std::string name;
  ASSERT_TRUE(ParseBulkHeader("T7203, \"Toyota, Inc.\"", &code, &name));
  EXPECT_EQ(code, 7203);
  EXPECT_EQ(name, "Toyota, Inc.");
  ASSERT_TRUE(ParseBulkHeader("A123456,", &code, &name));
  EXPECT_EQ(code, 123456);
  EXPECT_EQ(name, "");
  EXPECT_FALSE(ParseBulkHeader("T, \"x\"", &code, &name));
  EXPECT_FALSE(ParseBulkHeader("T7203 \"x\"", &code, &name));
  EXPECT_FALSE(ParseBulkHeader("T99999999999,", &code, &name));
}

}  // namespace
}  // namespace korvale
