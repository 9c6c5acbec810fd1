// A line of the other data tool's daily price download: characters 1-8 the date YYYYMMDD,
// 10-13 the code, 15-16 the market tag, then the comma-separated open, high, low, close and
// volume; the stock name is the line's third comma-separated field.
#ifndef KORVALE_STORE_VENDOR_PRICE_LINE_H_
#define KORVALE_STORE_VENDOR_PRICE_LINE_H_

#include <string>
#include <string_view>

#include "store/price_records.h"

namespace korvale {

// Preference order of a market tag (the text at characters 15-16): "t1" 1, "t2" 2, "o" 3,
// "n" 4, "q" 5, "m" 6, "j" 7, "i" 8, only the first letter counting except for "t"; 0 for any
// other tag.
int VendorMarketOrder(std::string_view tag);
inline constexpr int kVendorMarketOrders = 9;  // orders 0-8

// True for a data line: it begins with "1" or "2".
inline bool IsVendorDataLine(std::string_view line) {
  return !line.empty() && (line[0] == '1' || line[0] == '2');
}

struct VendorPriceLine {
  int code = 0;         // characters 10-13
  int marketOrder = 0;  // of the tag at characters 15-16
  PriceBar bar;         // date and the five numbers truncated to whole numbers; reserved 0
  std::string nameCp932;
};

// Reads a data line (without its line end). The numbers start after the first comma among
// characters 15-18, or at character 15 when there is none, and are read as "%lf,%lf,%lf,%lf,%lf".
// False when the line is no data line, its date is not eight digits of a day (month 1-12, day
// 1-31), its code has no digits, or the five numbers are not all there or do not fit 32 bits.
bool ParseVendorPriceLine(std::string_view line, VendorPriceLine* out);

// Among the preference orders set in `orderBits` (bit n for order n), the one whose lines a
// stock takes: the lowest of 1-8, or 0 when only unknown tags were seen.
int PreferredVendorOrder(unsigned orderBits);

}  // namespace korvale

#endif  // KORVALE_STORE_VENDOR_PRICE_LINE_H_
