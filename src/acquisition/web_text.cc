#include "acquisition/web_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace korvale {

namespace {

constexpr size_t kStripSourceBytes = 1024;
constexpr size_t kInPlaceLimit = 256;  // the texts these routines clean live in 256-byte cells

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips white space and reads a sign; returns the position of the first digit.
size_t SkipToDigits(std::string_view text, bool* negative) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  *negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) *negative = text[i++] == '-';
  return i;
}

}  // namespace

size_t FindText(std::string_view text, std::string_view pattern) {
  const size_t at = text.find(pattern);
  return at == std::string_view::npos ? 0 : at + 1;
}

std::string StripTags(std::string_view source, size_t capacity) {
  std::string out;
  if (capacity == 0) return out;
  const size_t n = std::min(source.size(), kStripSourceBytes);
  bool inTag = false;
  for (size_t i = 0; i < n && source[i] != '\0' && out.size() + 1 < capacity; ++i) {
    const char c = source[i];
    if (inTag) {
      inTag = c != '>';
    } else if (c == '<') {
      inTag = true;
    } else {
      out += c;
    }
  }
  return out;
}

void KeepNumberChars(std::string* text) {
  if (text->size() >= kInPlaceLimit) return;
  std::string kept;
  for (char c : *text) {
    if (IsDigit(c) || c == '-' || c == '.') kept += c;
  }
  *text = kept;
}

void RemoveCommas(std::string* text) {
  if (text->size() >= kInPlaceLimit) return;
  std::string kept;
  for (char c : *text) {
    if (c != ',') kept += c;
  }
  *text = kept;
}

int32_t LeadingInt(std::string_view text) {
  bool negative = false;
  int64_t value = 0;
  constexpr int64_t kMax = std::numeric_limits<int32_t>::max();
  for (size_t i = SkipToDigits(text, &negative); i < text.size() && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kMax + 1);
  }
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(std::min(value, kMax));
}

double LeadingDouble(std::string_view text) {
  bool negative = false;
  size_t start = SkipToDigits(text, &negative);
  size_t end = start;
  bool point = false;
  while (end < text.size() && (IsDigit(text[end]) || (text[end] == '.' && !point))) {
    point = point || text[end] == '.';
    ++end;
  }
  double value = 0;
  // from_chars reads "12.5" the same whatever LC_NUMERIC the windows set.
  auto [ptr, ec] =
      std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::fixed);
  if (ec != std::errc()) return 0;
  return negative ? -value : value;
}

}  // namespace korvale
