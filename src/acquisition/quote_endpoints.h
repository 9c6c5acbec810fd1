// Where the web quote service and the fetch list are: the service's three hosts (profile, quote
// and price-table server) and the fetch list's address. The defaults are the service's own;
// the file "webhosts.txt" in the data root points any of them elsewhere (a mirror, the
// stand-in service of the tests and the demo):
//
//   # lines of name=URL; names profile, quote, table, fetchlist
//   profile=http://127.0.0.1:8123
//   fetchlist=http://127.0.0.1:8123/fetchlist.csv
#ifndef KORVALE_ACQUISITION_QUOTE_ENDPOINTS_H_
#define KORVALE_ACQUISITION_QUOTE_ENDPOINTS_H_

#include <string>

#include "acquisition/price_table_page.h"

namespace korvale {

inline constexpr const char* kWebHostsFileName = "webhosts.txt";
inline constexpr const char* kDefaultProfileHost = "http://profile.finance.example.jp";
inline constexpr const char* kDefaultQuoteHost = "http://quote.finance.example.jp";
inline constexpr const char* kDefaultTableHost = "http://table.finance.example.jp";

struct QuoteEndpoints {
  // "http://host[:port]" (or https), without a trailing "/".
  std::string profileHost = kDefaultProfileHost;
  std::string quoteHost = kDefaultQuoteHost;
  std::string tableHost = kDefaultTableHost;
  std::string fetchListUrl;  // the settings' allStocksUrl unless the file names another
};

// The defaults with `allStocksUrl` as the fetch list, then "<dataRootDir>/webhosts.txt" over
// them when it exists. True when there is no file or every line of it applied; false with the
// line and the reason in `error` for a line that is not "name=URL" with a known name and an
// http:// or https:// address of at most 255 bytes without spaces (the other lines still
// apply; blank lines and lines starting with "#" are passed over).
bool LoadQuoteEndpoints(const std::string& dataRootDir, const std::string& allStocksUrl,
                        QuoteEndpoints* out, std::string* error);

// The requests of one stock: the profile "/biz/fundamental/%04d.html", the quote page
// "/q?s=%04d&d=v3" and a price-table page (its own request) on their hosts.
std::string ProfileUrl(const QuoteEndpoints& endpoints, int code);
std::string QuoteUrl(const QuoteEndpoints& endpoints, int code);
std::string TableUrl(const QuoteEndpoints& endpoints, const CPriceTablePage& page);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_QUOTE_ENDPOINTS_H_
