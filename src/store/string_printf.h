// printf into a std::string of any length.
#ifndef KORVALE_STORE_STRING_PRINTF_H_
#define KORVALE_STORE_STRING_PRINTF_H_

#include <cstdarg>
#include <string>

namespace korvale {

// printf into a std::string, in the locale the calling thread runs under. Any length; empty
// when the format cannot be expanded.
std::string StringPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// StringPrintf over an argument list the caller has started (and ends after the call), for
// wrappers that format under other conditions, such as another locale.
std::string StringPrintfV(const char* format, va_list args) __attribute__((format(printf, 1, 0)));

}  // namespace korvale

#endif  // KORVALE_STORE_STRING_PRINTF_H_
