// Whole and real numbers read from and written to the text forms of prices, locale-free and
// bounded: a number that does not fit its field is refused rather than wrapped.
#ifndef KORVALE_STORE_NUMBER_FIELDS_H_
#define KORVALE_STORE_NUMBER_FIELDS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvale {

// Reads "%ld" at `*pos` of `text` as a 32-bit number: leading blanks, an optional sign, at least
// one digit; `*pos` is moved past it. False, `*pos` unchanged, without a digit or when the value
// is outside the int32 range.
bool ReadInt32(std::string_view text, size_t* pos, int32_t* value);

// Reads "%lf" at `*pos`: leading blanks, an optional sign, digits with an optional fraction and
// exponent ("inf" and "nan" are not numbers here); `*pos` is moved past it. False, `*pos`
// unchanged, when no number stands there.
bool ReadReal(std::string_view text, size_t* pos, double* value);

// A real number truncated toward zero into the int32 range; false when it does not fit.
bool TruncateToInt32(double value, int32_t* out);

// Appends the decimal form of `value`, zero-padded to `width` characters the way printf's
// "%0*d" pads (the sign counts toward the width).
void AppendDecimal(std::string* out, int64_t value, int width = 0);

// True for the bytes that "%s" and "%d" skip before a field.
inline bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace korvale

#endif  // KORVALE_STORE_NUMBER_FIELDS_H_
