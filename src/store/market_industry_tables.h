// The market table (codes 0-13) and the industry table (codes 0-34) with their Japanese names,
// shared by the stock lists, the rankings and the information panels.
#ifndef KORVALE_STORE_MARKET_INDUSTRY_TABLES_H_
#define KORVALE_STORE_MARKET_INDUSTRY_TABLES_H_

#include <string>

namespace korvale {

inline constexpr int kMarketCount = 14;    // 0 "all markets" (a menu choice only), 1-13
inline constexpr int kIndustryCount = 35;  // 0-34
// The market of a stock the dictionary does not know, and of a stored market outside 1-12.
inline constexpr int kOtherMarket = 13;

// Names in cp932, as they are compared with and written to files. Empty text for a code
// outside the table, so a display indexing with an untrusted code never reads past the end.
const std::string& MarketName(int market);
const std::string& IndustryName(int industry);

// The same names in UTF-8, for command-line output; "" outside the table.
const char* MarketNameUtf8(int market);
const char* IndustryNameUtf8(int industry);

}  // namespace korvale

#endif  // KORVALE_STORE_MARKET_INDUSTRY_TABLES_H_
