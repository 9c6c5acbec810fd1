#include "store/number_fields.h"

#include <charconv>
#include <cmath>

namespace korvale {

bool ReadInt32(std::string_view text, size_t* pos, int32_t* value) {
  size_t p = *pos;
  while (p < text.size() && IsBlank(text[p])) ++p;
  bool negative = false;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  int64_t v = 0;
  size_t digits = 0;
  for (; p < text.size() && text[p] >= '0' && text[p] <= '9'; ++p, ++digits) {
    v = v * 10 + (text[p] - '0');
    if (v > int64_t{INT32_MAX} + 1) return false;
  }
  if (digits == 0) return false;
  v = negative ? -v : v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *value = static_cast<int32_t>(v);
  *pos = p;
  return true;
}

bool ReadReal(std::string_view text, size_t* pos, double* value) {
  size_t p = *pos;
  while (p < text.size() && IsBlank(text[p])) ++p;
  // from_chars takes a leading minus but no plus, and reads "inf" and "nan", which are not
  // numbers of these files.
  if (p < text.size() && text[p] == '+') {
    ++p;
    if (p < text.size() && text[p] == '-') return false;
  }
  size_t first = p;
  if (first < text.size() && text[first] == '-') ++first;
  if (first >= text.size() || !((text[first] >= '0' && text[first] <= '9') || text[first] == '.')) {
    return false;
  }
  double v = 0;
  const auto [end, ec] =
      std::from_chars(text.data() + p, text.data() + text.size(), v, std::chars_format::general);
  if (ec != std::errc() || !std::isfinite(v)) return false;
  *value = v;
  *pos = static_cast<size_t>(end - text.data());
  return true;
}

bool TruncateToInt32(double value, int32_t* out) {
  const double t = std::trunc(value);
  if (!(t >= INT32_MIN && t <= INT32_MAX)) return false;
  *out = static_cast<int32_t>(t);
  return true;
}

void AppendDecimal(std::string* out, int64_t value, int width) {
  char digits[24];
  int n = 0;
  // Work on the negative value so that the smallest int64 has a magnitude.
  int64_t v = value < 0 ? value : -value;
  do {
    digits[n++] = static_cast<char>('0' - v % 10);
    v /= 10;
  } while (v != 0);
  if (value < 0) {
    out->push_back('-');
    --width;
  }
  for (int i = n; i < width; ++i) out->push_back('0');
  while (n > 0) out->push_back(digits[--n]);
}

}  // namespace korvale
