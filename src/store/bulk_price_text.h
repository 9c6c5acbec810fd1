// The bulk price file that moves whole databases in and out (cp932 text, CR LF): for each stock
// a header line "%s%d, \"%s\"" (market letter, code, list name), then one line a bar
// "%02d%02d%02d,%ld,%ld,%ld,%ld,%.0lf" (two-digit year, month, day, open, high, low, close,
// volume x 100).
#ifndef KORVALE_STORE_BULK_PRICE_TEXT_H_
#define KORVALE_STORE_BULK_PRICE_TEXT_H_

#include <string>
#include <string_view>

#include "store/price_records.h"

namespace korvale {

// The letter of a market code (0 "A", 1 "T", 2 "t", 3 "O", 4 "o", 5 "N", 6 "n", 7 "F", 8 "S",
// 9 "Q", 10 "H", 11 "M", 12 "Y"); "A" for any other code.
char BulkMarketLetter(int market);

// Appends a stock's header line.
void AppendBulkHeader(std::string* out, int market, int code, const std::string& nameCp932);

// Appends a bar's line: the year as year - 1900 before 2000 and year - 2000 from 2000 on, so
// only 1901-2069 read back as themselves (1970-1999 and 2000-2069 by the reader's window).
void AppendBulkBarLine(std::string* out, const PriceBar& bar);

// True for a data line: it begins with a digit. Any other line is a header (or nothing).
inline bool IsBulkDataLine(std::string_view line) {
  return !line.empty() && line[0] >= '0' && line[0] <= '9';
}

// A header line (without its line end): the code is the number after the first character
// ("%d" followed by a comma), the name the text inside the first pair of quotes (empty when
// there is none). False when no number followed by a comma stands after the letter, or the
// number does not fit 32 bits.
bool ParseBulkHeader(std::string_view line, int* code, std::string* nameCp932);

// A data line (without its line end), split at its commas: field 1 exactly six digits YYMMDD
// (a year below 70 is 2000-2069, otherwise 1970-1999; month 1-12, day 1-31), fields 2-5 open,
// high, low and close (their integer part, which must fit 32 bits), field 6 the volume as a
// real number divided by 100 and truncated (0 when absent or not a number). False for a line
// that gives no bar. The bar's reserved bytes are 0.
bool ParseBulkBarLine(std::string_view line, PriceBar* bar);

}  // namespace korvale

#endif  // KORVALE_STORE_BULK_PRICE_TEXT_H_
