// The text routines the page scrapers share: byte-wise search, tag removal, and the clean-up of
// number cells. They work on bytes (cp932 or EUC-JP alike) and never read past their input.
#ifndef KORVALE_ACQUISITION_WEB_TEXT_H_
#define KORVALE_ACQUISITION_WEB_TEXT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvale {

// 1-based position of the first occurrence of `pattern` in `text` (byte-wise, case-sensitive);
// 0 when absent.
size_t FindText(std::string_view text, std::string_view pattern);

// At most min(source.size(), 1024) bytes of `source`, stopping at a zero byte, with everything
// from a "<" up to and including the next ">" left out (an unclosed tag to the end). The result
// holds at most capacity - 1 bytes.
std::string StripTags(std::string_view source, size_t capacity);

// Keeps only the digits, "-" and "." (every byte with the high bit set goes too). In place;
// a text of 256 bytes or more is left unchanged.
void KeepNumberChars(std::string* text);
// Drops every ",". In place; a text of 256 bytes or more is left unchanged.
void RemoveCommas(std::string* text);

// The leading integer of a text as atoi reads it (white space, a sign, digits), saturated to
// the int32 range instead of overflowing; 0 when there is none.
int32_t LeadingInt(std::string_view text);
// The leading decimal number of a text (white space, a sign, digits with one "."), read the same
// in every locale; 0 when there is none.
double LeadingDouble(std::string_view text);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_WEB_TEXT_H_
