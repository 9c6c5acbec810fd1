// The quote service's price table of one stock: 50 daily rows a page, newest first. The pages a
// daily span needs, their requests, and the price file their rows make.
#ifndef KORVALE_ACQUISITION_PRICE_TABLE_PAGE_H_
#define KORVALE_ACQUISITION_PRICE_TABLE_PAGE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace korvale {

inline constexpr int kPriceTableRowsPerPage = 50;

// One scraped daily row; a cleared row is all zero.
struct PriceTableRow {
  int32_t year = 0, month = 0, day = 0;
  int32_t open = 0, high = 0, low = 0, close = 0, volume = 0;
};

struct CPriceTablePage {
  std::string fileName;  // "kdttemp-%03d.html" with the page index, inside the download folder
  std::string url;       // the request: path and query on the table server
  int startYear = 1983, startMonth = 1, startDay = 1;
  int endYear = 0, endMonth = 0, endDay = 0;  // the day the page was made
  std::array<PriceTableRow, kPriceTableRowsPerPage> rows{};
  int rowCapacity = kPriceTableRowsPerPage;
  int rowCount = 0;  // rows stored by the scraper
};

// Rows the daily chart needs: (dailySpanDays / 50 + 1) * 50, a negative span counting as 0.
int PriceTableRowsWanted(int dailySpanDays);
// Pages for that many rows: one per 50, plus one for a remainder.
int PriceTablePageCount(int rowsWanted);

// The request of one page: "/t?s=SYMBOL&a=1&b=1&c=1983&d=M&e=D&f=Y&g=d&q=t&y=OFFSET&x=.csv" for the
// history from 1983-01-01 to the given day, starting `offset` rows from the newest. Bytes of
// the symbol other than letters, digits and "-._~" are percent-encoded, so a symbol from the
// fetch list cannot change the query.
std::string PriceTableRequest(const std::string& quoteSymbol, int year, int month, int day,
                              int offset);

// All pages of one stock.
struct CPriceTablePages {
  // The pages `dailySpanDays` needs, each with its file name, request and an end date of
  // year-month-day (today, as the caller knows it).
  CPriceTablePages(const std::string& quoteSymbol, int code, int dailySpanDays, int year, int month,
                   int day);

  std::string quoteSymbol;
  int code = 0;
  int rowsWanted = 0;
  int pageCount = 0;
  std::vector<CPriceTablePage> pages;
};

// Writes the stored rows of all pages as a price file at `path`: pages from the last to the
// first and each page's rows from the last to the first, since the service lists the newest day
// first; only rows of the years 1901-2099. The file is replaced atomically. False with a reason
// in `error` when it cannot be written.
bool WritePriceTableFile(const CPriceTablePages& pages, const std::string& path,
                         std::string* error);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_PRICE_TABLE_PAGE_H_
