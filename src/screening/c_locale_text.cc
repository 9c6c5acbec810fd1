#include "screening/c_locale_text.h"

#include <locale.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdlib>
#include <limits>

#include "store/string_printf.h"

namespace korvale {

namespace {

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return c;
}

// Switches the calling thread to the C locale for one formatting call.
class ScopedCLocale {
 public:
  ScopedCLocale() : old_(CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(nullptr)) {}
  ~ScopedCLocale() {
    if (old_) uselocale(old_);
  }

 private:
  locale_t old_;
};

}  // namespace

std::string FormatC(const char* format, ...) {
  ScopedCLocale scope;
  va_list args;
  va_start(args, format);
  std::string out = StringPrintfV(format, args);
  va_end(args);
  return out;
}

int32_t AtoiC(const char* p) {
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  while (*p >= '0' && *p <= '9') {
    value = std::min<int64_t>(value * 10 + (*p++ - '0'), kLimit);
  }
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

double AtofC(const char* text) {
  const locale_t c = CLocale();
  const double v = c ? strtod_l(text, nullptr, c) : std::strtod(text, nullptr);
  return std::isnan(v) ? 0.0 : v;
}

}  // namespace korvale
