#include "store/fetch_list.h"

#include <algorithm>
#include <cstring>

#include "store/line_file.h"
#include "store/stock_dictionary.h"
#include "store/stock_name_table.h"

namespace korvale {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A decimal integer as "%d" reads it (leading white space, an optional sign), without its
// overflow: any value beyond 99999 is reported as 99999, which no code reaches.
bool ParseInt(const char* p, int* value) {
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  int v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = v > 99999 ? v : v * 10 + (*p - '0');
  if (v > 99999) v = 99999;
  *value = negative ? -v : v;
  return true;
}

}  // namespace

bool ParseFetchListLine(const char* line, FetchListLine* out) {
  const char* comma = std::strchr(line, ',');
  const size_t symbolLength = comma ? static_cast<size_t>(comma - line) : std::strlen(line);
  if (symbolLength == 0) return false;
  const char* p = line + symbolLength;
  while (IsSpace(*p)) ++p;
  if (*p != ',') return false;
  int code;
  if (!ParseInt(p + 1, &code) || code < 1 || code > 9999) return false;
  out->symbol.assign(line, symbolLength);
  out->code = code;
  out->name.clear();
  const char* field = line;
  for (int commas = 0; commas < 3 && field; ++commas) {
    field = std::strchr(field, ',');
    if (field) ++field;
  }
  if (field) {
    std::string name(field);
    if (!name.empty() && name.back() == '\r') name.pop_back();  // the line end ReadLine keeps
    if (name.size() > kFetchListNameBytes) name.resize(kFetchListNameBytes);
    out->name = name;
  }
  return true;
}

bool CStockNameTable::ApplyFetchListSymbols(const std::string& path) {
  CLineFile file;
  if (!file.Open(path)) return false;
  char line[kFetchListLineBytes];
  FetchListLine parsed;
  while (ReadRecordLine(file, line, sizeof line) != kNoLine && ParseFetchListLine(line, &parsed)) {
    char* symbol = entries[static_cast<size_t>(parsed.code)].quoteSymbol;
    const size_t n = std::min(parsed.symbol.size(), kQuoteSymbolBytes);
    std::memcpy(symbol, parsed.symbol.data(), n);
    symbol[n] = '\0';
  }
  return true;
}

bool CStockDictionary::ReadFetchList(const std::string& path) {
  CLineFile file;
  if (!file.Open(path)) return false;
  char line[kFetchListLineBytes];
  FetchListLine parsed;
  while (itemCount < kMaxStockItems && ReadRecordLine(file, line, sizeof line) != kNoLine &&
         ParseFetchListLine(line, &parsed)) {
    StockListItem item{};
    std::memcpy(item.name, parsed.name.data(), parsed.name.size());  // at most 14 of 16 bytes
    std::string name;
    int industry = 0;
    item.market = static_cast<int16_t>(names.Lookup(parsed.code, &name, &industry));
    item.industry = static_cast<int16_t>(industry);
    item.code = static_cast<int16_t>(parsed.code);
    item.folder = 0;
    item.marginFolder = 0;
    items.push_back(item);
    ++itemCount;
  }
  return true;
}

}  // namespace korvale
