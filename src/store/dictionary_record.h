// The 1024-byte record of the dictionary file KorvaleEx.DIC: record n belongs to code n, and the
// file holds 10,000 of them.
#ifndef KORVALE_STORE_DICTIONARY_RECORD_H_
#define KORVALE_STORE_DICTIONARY_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace korvale {

inline constexpr size_t kDictionaryRecordSize = 1024;
inline constexpr int kDictionaryRecordCount = 10000;
inline constexpr size_t kDictionaryFileSize = kDictionaryRecordSize * kDictionaryRecordCount;
inline constexpr const char* kDictionaryFileName = "KorvaleEx.DIC";

// The five figures of the stock-information panel, in their order in the record.
enum DictionaryFigure {
  kMarketCapitalisation = 0,  // million yen
  kEarningsPerShare = 1,      // yen
  kPriceEarningsRatio = 2,
  kBookValuePerShare = 3,  // yen
  kPriceBookRatio = 4,
  kDictionaryFigureCount = 5,
};

// The record as stored. Text fields keep their raw bytes (cp932, meant to be NUL-terminated);
// read them with FieldText, which never runs past the field.
struct DictionaryFileRecord {
  int32_t code = 0;  // 0 in an empty slot
  int32_t market = 0;
  int32_t industry = 0;  // only the low byte is meaningful
  int32_t reserved = 0;
  char quoteSymbol[16] = {};
  char name[48] = {};
  char text1[256] = {};  // descriptive texts of the information panel
  char text2[256] = {};
  double figures[kDictionaryFigureCount] = {};
  uint8_t reservedTail[392] = {};
};

namespace dictionary_offsets {
constexpr size_t kCode = 0, kMarket = 4, kIndustry = 8, kReserved = 12, kQuoteSymbol = 16;
constexpr size_t kName = 32, kText1 = 80, kText2 = 336, kFigures = 592, kReservedTail = 632;
}  // namespace dictionary_offsets
static_assert(dictionary_offsets::kName - dictionary_offsets::kQuoteSymbol ==
              sizeof(DictionaryFileRecord::quoteSymbol));
static_assert(dictionary_offsets::kText1 - dictionary_offsets::kName ==
              sizeof(DictionaryFileRecord::name));
static_assert(dictionary_offsets::kFigures - dictionary_offsets::kText2 ==
              sizeof(DictionaryFileRecord::text2));
static_assert(dictionary_offsets::kReservedTail - dictionary_offsets::kFigures ==
              sizeof(DictionaryFileRecord::figures));
static_assert(dictionary_offsets::kReservedTail + sizeof(DictionaryFileRecord::reservedTail) ==
              kDictionaryRecordSize);

// Byte codecs; `in`/`out` point at kDictionaryRecordSize bytes.
DictionaryFileRecord DecodeDictionaryRecord(const uint8_t* in);
void EncodeDictionaryRecord(const DictionaryFileRecord& rec, uint8_t* out);

// The text of a fixed field: up to its first NUL, or the whole field when it has none.
template <size_t N>
std::string FieldText(const char (&field)[N]) {
  const void* nul = std::memchr(field, 0, N);
  return std::string(field, nul ? static_cast<const char*>(nul) - field : N);
}

// Stores text in a fixed field, cut to N - 1 bytes, and zero-fills the rest so the field is
// always terminated.
template <size_t N>
void SetFieldText(char (&field)[N], std::string_view text) {
  const size_t n = text.size() < N - 1 ? text.size() : N - 1;
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), n);
}

}  // namespace korvale

#endif  // KORVALE_STORE_DICTIONARY_RECORD_H_
