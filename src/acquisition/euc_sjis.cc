#include "acquisition/euc_sjis.h"

namespace korvale {

std::string EucToSjis(std::string_view in) {
  std::string out;
  out.reserve(in.size());
  for (size_t i = 0; i < in.size() && in[i] != '\0'; ++i) {
    const unsigned char c1 = static_cast<unsigned char>(in[i]);
    if (c1 < 0x80) {
      out += static_cast<char>(c1);
      continue;
    }
    if (i + 1 >= in.size() || in[i + 1] == '\0') break;  // a lead byte cut off at the end
    const unsigned char c2 = static_cast<unsigned char>(in[++i]);
    // JIS row and cell, 0x21-0x7E for a well-formed pair; other bytes follow the same arithmetic
    // and still give two non-zero bytes.
    const int row = c1 & 0x7F;
    const int cell = c2 & 0x7F;
    const int s1 = ((row + 1) >> 1) + (row <= 0x5E ? 0x70 : 0xB0);
    int s2;
    if (row & 1) {
      s2 = cell + (cell >= 0x60 ? 0x20 : 0x1F);
    } else {
      s2 = cell + 0x7E;
    }
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
  }
  return out;
}

}  // namespace korvale
