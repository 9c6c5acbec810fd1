#include "store/string_printf.h"

#include <cstdio>

namespace korvale {

std::string StringPrintfV(const char* format, va_list args) {
  // Most texts fit the stack buffer; a longer one is formatted again into a string of its size,
  // which needs its own copy of the arguments.
  char buffer[256];
  va_list again;
  va_copy(again, args);
  const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
  if (n < 0 || static_cast<size_t>(n) < sizeof buffer) {
    va_end(again);
    if (n < 0) return std::string();
    return std::string(buffer, static_cast<size_t>(n));
  }
  std::string out(static_cast<size_t>(n) + 1, '\0');
  std::vsnprintf(out.data(), out.size(), format, again);
  va_end(again);
  out.resize(static_cast<size_t>(n));
  return out;
}

std::string StringPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string out = StringPrintfV(format, args);
  va_end(args);
  return out;
}

}  // namespace korvale
