#include "store/dictionary_record.h"

#include "store/byte_order.h"

namespace korvale {

namespace off = dictionary_offsets;

DictionaryFileRecord DecodeDictionaryRecord(const uint8_t* in) {
  DictionaryFileRecord r;
  r.code = LoadLE<int32_t>(in + off::kCode);
  r.market = LoadLE<int32_t>(in + off::kMarket);
  r.industry = LoadLE<int32_t>(in + off::kIndustry);
  r.reserved = LoadLE<int32_t>(in + off::kReserved);
  std::memcpy(r.quoteSymbol, in + off::kQuoteSymbol, sizeof r.quoteSymbol);
  std::memcpy(r.name, in + off::kName, sizeof r.name);
  std::memcpy(r.text1, in + off::kText1, sizeof r.text1);
  std::memcpy(r.text2, in + off::kText2, sizeof r.text2);
  for (int i = 0; i < kDictionaryFigureCount; ++i) {
    r.figures[i] = LoadLE<double>(in + off::kFigures + 8 * static_cast<size_t>(i));
  }
  std::memcpy(r.reservedTail, in + off::kReservedTail, sizeof r.reservedTail);
  return r;
}

void EncodeDictionaryRecord(const DictionaryFileRecord& r, uint8_t* out) {
  StoreLE<int32_t>(out + off::kCode, r.code);
  StoreLE<int32_t>(out + off::kMarket, r.market);
  StoreLE<int32_t>(out + off::kIndustry, r.industry);
  StoreLE<int32_t>(out + off::kReserved, r.reserved);
  std::memcpy(out + off::kQuoteSymbol, r.quoteSymbol, sizeof r.quoteSymbol);
  std::memcpy(out + off::kName, r.name, sizeof r.name);
  std::memcpy(out + off::kText1, r.text1, sizeof r.text1);
  std::memcpy(out + off::kText2, r.text2, sizeof r.text2);
  for (int i = 0; i < kDictionaryFigureCount; ++i) {
    StoreLE<double>(out + off::kFigures + 8 * static_cast<size_t>(i), r.figures[i]);
  }
  std::memcpy(out + off::kReservedTail, r.reservedTail, sizeof r.reservedTail);
}

}  // namespace korvale
