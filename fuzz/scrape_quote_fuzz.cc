// libFuzzer target: the quote-page scraper on any page bytes. A complete row carries a code of
// 1000-9999 and a name of at most 31 bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "acquisition/page_scrapers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvale::QuoteSummary quote;
  const std::string_view page(reinterpret_cast<const char*>(data), size);
  const bool complete = korvale::ScrapeQuoteText(page.substr(0, korvale::kQuotePageBytes), &quote);
  if (quote.name.size() > 31) __builtin_trap();
  if (complete && (quote.code < 1000 || quote.code > 9999)) __builtin_trap();
  return 0;
}
