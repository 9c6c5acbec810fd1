// EUC-JP to Shift_JIS by the JIS X 0208 arithmetic: the quote service's pages are EUC-JP, the
// program's texts are Shift_JIS (cp932) bytes.
#ifndef KORVALE_ACQUISITION_EUC_SJIS_H_
#define KORVALE_ACQUISITION_EUC_SJIS_H_

#include <string>
#include <string_view>

namespace korvale {

// Converts `in` up to its end or its first zero byte. Bytes below 0x80 are copied; every byte
// with the high bit set starts a two-byte character whose Shift_JIS code follows from its JIS
// row and cell (lead 0xA1-0xDE gives 0x81-0x9F, 0xDF-0xFE gives 0xE0-0xEF, two rows per lead
// byte; the trail byte by the row's parity). Half-width katakana get no special treatment. A
// lead byte with nothing after it is dropped. The result is never longer than the input and
// holds no zero byte.
std::string EucToSjis(std::string_view in);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_EUC_SJIS_H_
