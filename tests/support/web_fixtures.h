// What the web-mode tests share: a small sample data root for the stand-in quote service, and
// pages written in UTF-8 and sent as the service's EUC-JP.
#ifndef KORVALE_TESTS_SUPPORT_WEB_FIXTURES_H_
#define KORVALE_TESTS_SUPPORT_WEB_FIXTURES_H_

#include <string>
#include <vector>

#include "store/price_records.h"

namespace korvale::testing {

// A sample database of 12 stocks over two years, made once per test program; read only.
const std::string& WebSampleRoot();
// The codes of WebSampleRoot's stocks, in code order.
std::vector<int> WebSampleCodes();
// The bars of a stock of WebSampleRoot as the program loads them (LoadAll).
std::vector<PriceBar> WebSampleBars(int code);

// UTF-8 text as EUC-JP bytes (through Shift_JIS), as the quote service sends its pages.
std::string EucOf(const std::string& utf8);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_WEB_FIXTURES_H_
