// The three scrapers of the quote service's saved pages: the company profile (two texts), the
// quote page (name and five key figures) and one page of the price table (up to 50 daily rows).
// Pages are EUC-JP; what the scrapers return is cp932. They read untrusted bytes: any input
// gives a bounded result in time linear in its size.
#ifndef KORVALE_ACQUISITION_PAGE_SCRAPERS_H_
#define KORVALE_ACQUISITION_PAGE_SCRAPERS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "acquisition/price_table_page.h"

namespace korvale {

// The largest page the scrapers read from a file (and the download keeps).
inline constexpr size_t kMaxPageBytes = size_t{8} << 20;
// The quote page is read from its first 25600 bytes only.
inline constexpr size_t kQuotePageBytes = 25600;

// What the profile page yields: the market text and the industry text, cp932, at most 254
// bytes each; empty when not found.
struct ProfileText {
  std::string marketText;
  std::string industryText;
};

// What the quote page yields.
struct QuoteSummary {
  int32_t code = 0;
  int32_t reserved = 0;             // always 0
  std::string name;                 // cp932, at most 31 bytes
  double marketCapitalisation = 0;  // million yen
  double earningsPerShare = 0;      // yen
  double priceEarningsRatio = 0;
  double bookValuePerShare = 0;  // yen
  double priceBookRatio = 0;
};

// The profile in page text (read up to a zero byte): converted to Shift_JIS, then the text
// between "【市場名】" and the next "</TD>" as the market text and, only when that was found and
// not empty, the text between "【業種分類】" and the next "</TD>" as the industry text; longer
// texts are cut. True when the market text was found.
bool ScrapeProfileText(std::string_view page, ProfileText* out);

// The quote summary in page text: the first table row ("<tr" to the end of the next "</tr>")
// whose first cell is a code of 1000-9999 and that has ten cells ("<td" to the end of the next
// "</td>", tags stripped): cell 2 the name, cell 5 the market capitalisation (whole number),
// cells 6-9 the per-share figures. Each row's first cell clears `out`, so a page without a
// complete row leaves what the last row with a code held. True when a complete row was found.
bool ScrapeQuoteText(std::string_view page, QuoteSummary* out);

// The daily rows in page text, stored in order into the page's free rows (at most 50): cell 0
// a date "Y年M月D日" (after conversion), cells 1-5 open, high, low, close and volume (commas
// dropped). A row whose date does not read, or whose open is 0, is skipped; a row of only date
// and open gets that price in all four prices and volume 0, and one of exactly three cells
// keeps its high at the open. Returns the number of rows stored by this call.
int ScrapePriceTableText(std::string_view page, CPriceTablePage* out);

// The same on a saved page file. A file that cannot be read (missing, not a regular file,
// larger than kMaxPageBytes) yields nothing: false with the reason in `error` (may be null).
// The quote page is read from its first kQuotePageBytes bytes.
bool ScrapeProfile(const std::string& path, ProfileText* out, std::string* error = nullptr);
bool ScrapeQuote(const std::string& path, QuoteSummary* out, std::string* error = nullptr);
bool ScrapePriceTable(const std::string& path, CPriceTablePage* out, std::string* error = nullptr);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_PAGE_SCRAPERS_H_
