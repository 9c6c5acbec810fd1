#include "store/vendor_price_line.h"

#include <algorithm>

#include "store/number_fields.h"

namespace korvale {

namespace {

// 0-based positions of the fixed columns.
constexpr size_t kCodeAt = 9, kCodeWidth = 4;
constexpr size_t kTagAt = 14, kTagWidth = 2;
constexpr size_t kCommaSearchEnd = 18;  // characters 15-18

bool Digits(std::string_view s, size_t from, size_t n, int* value) {
  if (from + n > s.size()) return false;
  int v = 0;
  for (size_t i = from; i < from + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
  }
  *value = v;
  return true;
}

}  // namespace

int VendorMarketOrder(std::string_view tag) {
  if (tag.empty()) return 0;
  switch (tag[0]) {
    case 't':
      if (tag.size() < 2) return 0;
      return tag[1] == '1' ? 1 : tag[1] == '2' ? 2 : 0;
    case 'o':
      return 3;
    case 'n':
      return 4;
    case 'q':
      return 5;
    case 'm':
      return 6;
    case 'j':
      return 7;
    case 'i':
      return 8;
    default:
      return 0;
  }
}

int PreferredVendorOrder(unsigned orderBits) {
  for (int order = 1; order < kVendorMarketOrders; ++order) {
    if (orderBits & (1u << order)) return order;
  }
  return 0;
}

bool ParseVendorPriceLine(std::string_view line, VendorPriceLine* out) {
  if (!IsVendorDataLine(line)) return false;
  int year, month, day;
  if (!Digits(line, 0, 4, &year) || !Digits(line, 4, 2, &month) || !Digits(line, 6, 2, &day) ||
      month < 1 || month > 12 || day < 1 || day > 31) {
    return false;
  }
  // "%4d" over the code's columns: blanks, then digits up to the column's end.
  const std::string_view codeText = line.substr(std::min(kCodeAt, line.size()), kCodeWidth);
  size_t p = 0;
  while (p < codeText.size() && IsBlank(codeText[p])) ++p;
  if (p == codeText.size() || codeText[p] < '0' || codeText[p] > '9') return false;
  int code = 0;
  for (; p < codeText.size() && codeText[p] >= '0' && codeText[p] <= '9'; ++p) {
    code = code * 10 + (codeText[p] - '0');
  }
  if (line.size() <= kTagAt) return false;
  const std::string_view tag = line.substr(kTagAt, kTagWidth);

  size_t start = kTagAt;
  const size_t comma = line.substr(0, kCommaSearchEnd).find(',', kTagAt);
  if (comma != std::string_view::npos) start = comma + 1;
  double values[5];
  size_t q = start;
  for (int i = 0; i < 5; ++i) {
    if (i > 0) {
      if (q >= line.size() || line[q] != ',') return false;
      ++q;
    }
    if (!ReadReal(line, &q, &values[i])) return false;
  }
  PriceBar bar;
  bar.year = static_cast<int16_t>(year);
  bar.month = static_cast<int8_t>(month);
  bar.day = static_cast<int8_t>(day);
  int32_t* fields[5] = {&bar.open, &bar.high, &bar.low, &bar.close, &bar.volume};
  for (int i = 0; i < 5; ++i) {
    if (!TruncateToInt32(values[i], fields[i])) return false;
  }

  // The name: the third comma-separated field.
  size_t from = 0;
  for (int commas = 0; commas < 2; ++commas) {
    const size_t next = line.find(',', from);
    if (next == std::string_view::npos) {
      from = line.size();
      break;
    }
    from = next + 1;
  }
  const size_t to = std::min(line.find(',', from), line.size());
  out->code = code;
  out->marketOrder = VendorMarketOrder(tag);
  out->bar = bar;
  out->nameCp932.assign(line.substr(from, to - from));
  return true;
}

}  // namespace korvale
