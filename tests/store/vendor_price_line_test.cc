#include "store/vendor_price_line.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(VendorPriceLineTest, ReadsTheFixedColumnsAndTheNumbersAfterTheTagsComma) {
  VendorPriceLine line;
  ASSERT_TRUE(ParseVendorPriceLine("20060104 7203 t1,5000,5100.7,4950,5080,1234567", &line));
  EXPECT_EQ(line.code, 7203);
  EXPECT_EQ(line.marketOrder, 1);
  EXPECT_EQ(line.bar.year, 2006);
  EXPECT_EQ(line.bar.month, 1);
  EXPECT_EQ(line.bar.day, 4);
  EXPECT_EQ(line.bar.high, 5100);
  EXPECT_EQ(line.bar.volume, 1234567);
  EXPECT_EQ(line.nameCp932, "5100.7");  // the third comma field, whatever it holds
  // Without a comma among characters 15-18 the numbers start at character 15.
  ASSERT_TRUE(ParseVendorPriceLine("20060104 1301 12345,110,90,105,7,Kyokuyo", &line));
  EXPECT_EQ(line.bar.open, 12345);
  EXPECT_EQ(line.marketOrder, 0);
  for (const char* bad :
       {"30060104 7203 t1,1,1,1,1,1", "2006010x 7203 t1,1,1,1,1,1", "20061304 7203 t1,1,1,1,1,1",
        "20060104 abcd t1,1,1,1,1,1", "20060104 7203 t1,1,1,1,1", "20060104 7203 t1,1,1,1,1,9e99",
        "20060104 7203"}) {
    EXPECT_FALSE(ParseVendorPriceLine(bad, &line)) << bad;
  }
}

TEST(VendorPriceLineTest, MarketsArePreferredInTheirOrderUnknownTagsLast) {
  const char* tags[] = {"t1", "t2", "o,", "n1", "q", "mx", "j", "i", "t3", "x", ""};
  const int orders[] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 0, 0};
  for (size_t i = 0; i < std::size(tags); ++i) EXPECT_EQ(VendorMarketOrder(tags[i]), orders[i]);
  EXPECT_EQ(PreferredVendorOrder((1u << 3) | (1u << 1)), 1);
  EXPECT_EQ(PreferredVendorOrder((1u << 0) | (1u << 4)), 4);
  EXPECT_EQ(PreferredVendorOrder(1u << 0), 0);
}

}  // namespace
}  // namespace korvale
