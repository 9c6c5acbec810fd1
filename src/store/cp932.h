// Conversion between cp932 (Shift-JIS) bytes, which every text of the store keeps, and UTF-8,
// used only for display and command-line output.
#ifndef KORVALE_STORE_CP932_H_
#define KORVALE_STORE_CP932_H_

#include <string>

namespace korvale {

// cp932 bytes to UTF-8. A byte sequence that is not valid cp932 becomes U+FFFD, so the result
// is always valid UTF-8.
std::string Cp932ToUtf8(const std::string& cp932);

// UTF-8 to cp932. Characters cp932 cannot hold become '?'. Used once for each literal text of
// the program that is written to or compared with files.
std::string Utf8ToCp932(const std::string& utf8);

// True when byte c starts a double-byte cp932 character.
inline bool IsCp932LeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length of the longest prefix of `text` of at most maxBytes that does not end inside a
// double-byte character.
size_t Cp932PrefixLength(const std::string& text, size_t maxBytes);

}  // namespace korvale

#endif  // KORVALE_STORE_CP932_H_
