#include "store/stock_name_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "store/dictionary_file.h"
#include "store/dictionary_record.h"
#include "store/file_io.h"
#include "store/market_industry_tables.h"

namespace korvale {

namespace {

bool InTable(int code) { return code >= 0 && code < kNameTableSize; }

}  // namespace

bool CStockNameTable::Load(const std::string& folder, std::string* error) {
  entries.assign(kNameTableSize, StockNameEntry{});
  const std::string path = DictionaryFilePath(folder);
  bool missing = false;
  ScopedFd file(OpenForReading(path, nullptr, nullptr, &missing));
  if (!file.valid()) {
    // Present but unreadable, or not a regular file: every code unlisted, and nothing of the
    // user's is replaced by an empty dictionary.
    if (!missing) return true;
    return CreateEmptyDictionaryFile(path, error);
  }
  // Records are read in blocks rather than one seek and read each; only the whole records of
  // the first 10,000 count, whatever the file's length.
  constexpr int kBlock = 256;
  std::vector<uint8_t> block(kBlock * kDictionaryRecordSize);
  namespace off = dictionary_offsets;
  for (int first = 0; first < kDictionaryRecordCount; first += kBlock) {
    const size_t want = std::min(kBlock, kDictionaryRecordCount - first);
    const ssize_t bytes = ReadAt(file.get(), block.data(), want * kDictionaryRecordSize,
                                 int64_t{first} * kDictionaryRecordSize);
    const size_t got = bytes > 0 ? static_cast<size_t>(bytes) / kDictionaryRecordSize : 0;
    for (size_t i = 0; i < got; ++i) {
      const uint8_t* rec = block.data() + i * kDictionaryRecordSize;
      int32_t code, market, industry;
      std::memcpy(&code, rec + off::kCode, 4);
      std::memcpy(&market, rec + off::kMarket, 4);
      std::memcpy(&industry, rec + off::kIndustry, 4);
      const char* name = reinterpret_cast<const char*>(rec + off::kName);
      if (code < 1000 || code > 9999 || name[0] == '\0') continue;
      StockNameEntry& e = entries[static_cast<size_t>(code)];
      // The first 23 bytes of the name, never past the end of its 48-byte field.
      const size_t len = strnlen(name, sizeof e.name - 1);
      std::memcpy(e.name, name, len);
      e.name[len] = '\0';
      e.quoteSymbol[0] = '\0';
      e.market = static_cast<uint8_t>(market >= 1 && market <= 12 ? market : kOtherMarket);
      e.industry = static_cast<uint8_t>(industry & 0xFF);
    }
    if (got < want) break;
  }
  return true;
}

bool CStockNameTable::HasName(int code) const {
  if (!InTable(code)) return false;
  const char c = entries[static_cast<size_t>(code)].name[0];
  return c != '\0' && c != ' ';
}

int CStockNameTable::Lookup(int code, std::string* name, int* industry,
                            std::string* quoteSymbol) const {
  if (!HasName(code)) {
    char text[24];
    std::snprintf(text, sizeof text, "(%04d)", code);
    *name = text;
    *industry = 0;
    if (quoteSymbol) {
      quoteSymbol->clear();
      if (InTable(code)) *quoteSymbol = entries[static_cast<size_t>(code)].quoteSymbol;
    }
    return kOtherMarket;
  }
  const StockNameEntry& e = entries[static_cast<size_t>(code)];
  *name = e.name;
  if (!name->empty() && (name->back() == '\n' || name->back() == '\r')) name->pop_back();
  *industry = e.industry;
  if (quoteSymbol) *quoteSymbol = e.quoteSymbol;
  return e.market;
}

}  // namespace korvale
