// The short name a stock carries in the stock list.
#ifndef KORVALE_STORE_LIST_NAME_H_
#define KORVALE_STORE_LIST_NAME_H_

#include <string>

namespace korvale {

inline constexpr size_t kListNameBytes = 12;

// The list name of a cp932 name: each half-width katakana or punctuation byte (0xA0-0xDF)
// becomes its two-byte full-width character, double-byte characters are copied whole, other
// bytes as they are; the result is cut to 12 bytes, which may split a double-byte character at
// the cut.
std::string NormaliseName(const std::string& name);

}  // namespace korvale

#endif  // KORVALE_STORE_LIST_NAME_H_
