#include "store/list_name.h"

#include "store/cp932.h"

namespace korvale {

namespace {

// Full-width forms of the bytes 0xA0-0xDF, two cp932 bytes each.
const std::string& FullWidthTable() {
  static const std::string table = Utf8ToCp932(
      "　。「」，．ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
      "ハヒフヘホマミムメモヤユヨラリルレロワン゛゜");
  return table;
}

}  // namespace

std::string NormaliseName(const std::string& name) {
  const std::string& table = FullWidthTable();
  std::string out;
  out.reserve(kListNameBytes + 2);
  for (size_t i = 0; i < name.size() && out.size() < kListNameBytes; ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (c >= 0xA0 && c <= 0xDF) {
      out.append(table, static_cast<size_t>(c - 0xA0) * 2, 2);
    } else if (IsCp932LeadByte(c)) {
      // Both lead-byte ranges (0x81-0x9F and 0xE0-0xFC) take their trail byte along, so the
      // trail byte of a kanji such as 凜 (0xEA 0xA3) is never taken for a katakana.
      out += static_cast<char>(c);
      if (i + 1 < name.size()) out += name[++i];
    } else {
      out += static_cast<char>(c);
    }
  }
  if (out.size() > kListNameBytes) out.resize(kListNameBytes);
  return out;
}

}  // namespace korvale
