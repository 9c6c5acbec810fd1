// Number formatting and parsing that follow the C locale whatever locale the program runs
// under, so rule files and descriptions read and write numbers the same on every desktop.
#ifndef KORVALE_SCREENING_C_LOCALE_TEXT_H_
#define KORVALE_SCREENING_C_LOCALE_TEXT_H_

#include <cstdint>
#include <string>

namespace korvale {

// printf into a string, formatted in the C locale. Any length.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));

// As atoi: leading white space, an optional sign, then digits; 0 when there is no number. A
// number beyond the int32 range saturates at its end instead of being undefined.
int32_t AtoiC(const char* text);

// As atof in the C locale (decimal point '.'); 0 when there is no number, and 0 for "nan",
// which no threshold may hold; an overflow gives +-infinity as atof does.
double AtofC(const char* text);

}  // namespace korvale

#endif  // KORVALE_SCREENING_C_LOCALE_TEXT_H_
