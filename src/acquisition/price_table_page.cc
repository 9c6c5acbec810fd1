#include "acquisition/price_table_page.h"

#include <algorithm>
#include <cstdio>

#include "store/file_io.h"
#include "store/price_records.h"

namespace korvale {

namespace {

std::string PercentEncoded(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace

int PriceTableRowsWanted(int dailySpanDays) {
  const int span = dailySpanDays < 0 ? 0 : dailySpanDays;
  return (span / kPriceTableRowsPerPage + 1) * kPriceTableRowsPerPage;
}

int PriceTablePageCount(int rowsWanted) {
  if (rowsWanted <= 0) return 0;
  return rowsWanted / kPriceTableRowsPerPage + (rowsWanted % kPriceTableRowsPerPage ? 1 : 0);
}

std::string PriceTableRequest(const std::string& quoteSymbol, int year, int month, int day,
                              int offset) {
  char query[128];
  std::snprintf(query, sizeof query, "&a=%d&b=%d&c=%d&d=%d&e=%d&f=%d&g=d&q=t&y=%d&x=.csv", 1, 1,
                1983, month, day, year, offset);
  return "/t?s=" + PercentEncoded(quoteSymbol) + query;
}

CPriceTablePages::CPriceTablePages(const std::string& quoteSymbol, int code, int dailySpanDays,
                                   int year, int month, int day)
    : quoteSymbol(quoteSymbol), code(code) {
  rowsWanted = PriceTableRowsWanted(dailySpanDays);
  pageCount = PriceTablePageCount(rowsWanted);
  pages.resize(static_cast<size_t>(pageCount));
  for (int i = 0; i < pageCount; ++i) {
    CPriceTablePage& page = pages[static_cast<size_t>(i)];
    char name[32];
    std::snprintf(name, sizeof name, "kdttemp-%03d.html", i);
    page.fileName = name;
    page.endYear = year;
    page.endMonth = month;
    page.endDay = day;
    page.url = PriceTableRequest(quoteSymbol, year, month, day, i * kPriceTableRowsPerPage);
  }
}

bool WritePriceTableFile(const CPriceTablePages& pages, const std::string& path,
                         std::string* error) {
  std::vector<uint8_t> bytes;
  for (auto page = pages.pages.rbegin(); page != pages.pages.rend(); ++page) {
    for (int r = std::min(page->rowCount, kPriceTableRowsPerPage) - 1; r >= 0; --r) {
      const PriceTableRow& row = page->rows[static_cast<size_t>(r)];
      if (row.year < 1901 || row.year > 2099) continue;
      PriceBar bar;
      bar.year = static_cast<int16_t>(row.year);
      bar.month = static_cast<int8_t>(row.month);
      bar.day = static_cast<int8_t>(row.day);
      bar.open = row.open;
      bar.high = row.high;
      bar.low = row.low;
      bar.close = row.close;
      bar.volume = row.volume;
      bytes.resize(bytes.size() + kPriceFileRecordSize);
      EncodeBar(bar, bytes.data() + bytes.size() - kPriceFileRecordSize);
    }
  }
  return WriteFileAtomically(path, bytes.data(), bytes.size(), error);
}

}  // namespace korvale
