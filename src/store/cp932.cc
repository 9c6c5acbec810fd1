#include "store/cp932.h"

#include <iconv.h>

#include <cerrno>

namespace korvale {

namespace {

// iconv descriptors are not thread-safe; each conversion opens its own (cheap next to the work
// that prints or parses the text).
std::string Convert(const char* to, const char* from, const std::string& in,
                    const std::string& replacement, bool skipOneByte) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return in;
  std::string out;
  out.reserve(in.size() * 3 / 2 + 4);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  char buf[512];
  while (srcLeft > 0) {
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buf, static_cast<size_t>(dst - buf));
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: one bad byte (or a cut character at the end) becomes the replacement.
    out += replacement;
    size_t skip = 1;
    if (!skipOneByte) {
      // A bad UTF-8 character: skip its continuation bytes too.
      while (skip < srcLeft && (static_cast<unsigned char>(src[skip]) & 0xC0) == 0x80) ++skip;
    }
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::string Cp932ToUtf8(const std::string& cp932) {
  bool ascii = true;
  for (unsigned char c : cp932) {
    if (c >= 0x80) {
      ascii = false;
      break;
    }
  }
  if (ascii) return cp932;
  // A name cut to its field's size may end in half a double-byte character; show it without.
  const size_t whole = Cp932PrefixLength(cp932, cp932.size());
  const std::string text = whole + 1 == cp932.size() &&
                                   IsCp932LeadByte(static_cast<unsigned char>(cp932.back()))
                               ? cp932.substr(0, whole)
                               : cp932;
  return Convert("UTF-8", "CP932", text, "\xEF\xBF\xBD", true);
}

std::string Utf8ToCp932(const std::string& utf8) {
  return Convert("CP932", "UTF-8", utf8, "?", false);
}

size_t Cp932PrefixLength(const std::string& text, size_t maxBytes) {
  size_t i = 0;
  while (i < text.size()) {
    size_t len = IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
    if (i + len > maxBytes || i + len > text.size()) break;
    i += len;
  }
  return i;
}

}  // namespace korvale
