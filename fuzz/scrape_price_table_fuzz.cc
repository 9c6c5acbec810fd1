// libFuzzer target: the price-table scraper on any page bytes. Every row it stores is a calendar
// day with an opening price, and a page never holds more than 50.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "acquisition/page_scrapers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvale::CPriceTablePage page;
  korvale::ScrapePriceTableText(std::string_view(reinterpret_cast<const char*>(data), size), &page);
  if (page.rowCount < 0 || page.rowCount > korvale::kPriceTableRowsPerPage) __builtin_trap();
  for (int i = 0; i < page.rowCount; ++i) {
    const korvale::PriceTableRow& row = page.rows[static_cast<size_t>(i)];
    if (row.year <= 1900 || row.month < 1 || row.month > 12 || row.day < 1 || row.day > 31) {
      __builtin_trap();
    }
  }
  return 0;
}
