// The code-indexed names, markets and industries of the dictionary file: every listed stock,
// whether or not prices are stored for it.
#ifndef KORVALE_STORE_STOCK_NAME_TABLE_H_
#define KORVALE_STORE_STOCK_NAME_TABLE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace korvale {

struct StockNameEntry {
  char name[24];         // cp932, at most 23 bytes, terminated
  char quoteSymbol[12];  // the web quote service's symbol; filled only from the fetch list
  uint8_t market;        // 1-13
  uint8_t industry;      // the low byte of the stored industry
};

inline constexpr int kNameTableSize = 10001;  // codes 0-10000

class CStockNameTable {
 public:
  CStockNameTable() : entries(kNameTableSize, StockNameEntry{}) {}
  virtual ~CStockNameTable() = default;

  // Empties the table and loads "<folder>/KorvaleEx.DIC". A missing file is created empty
  // (every code then unlisted). Returns true; false with a reason in `error` when the missing file
  // cannot be created (the caller shows kDiskAccessErrorMessage). A file of the wrong size
  // yields the whole records it holds.
  bool Load(const std::string& folder, std::string* error = nullptr);

  // True when the entry of `code` is listed: its name is neither empty nor starts with a space.
  bool HasName(int code) const;

  // For a listed code: the name (a final line feed or carriage return removed), its industry,
  // and the market as the result. For any other code: "(%04d)", industry 0 and market 13.
  // `quoteSymbol` (may be null) gets the entry's symbol.
  int Lookup(int code, std::string* name, int* industry, std::string* quoteSymbol = nullptr) const;

  // Sets the quote symbol (at most 11 bytes) of every code named in a fetch list, reading as
  // ReadFetchList does. False when the file does not open.
  bool ApplyFetchListSymbols(const std::string& path);

  std::vector<StockNameEntry> entries;  // kNameTableSize entries, indexed by code
};

}  // namespace korvale

#endif  // KORVALE_STORE_STOCK_NAME_TABLE_H_
