// The fetch list of the web quote service: one stock a line, "symbol,code,field,name", read
// through a CLineFile. It is the stock list of data-source mode 2 and the source of the quote
// symbols (CStockDictionary::ReadFetchList, CStockNameTable::ApplyFetchListSymbols).
#ifndef KORVALE_STORE_FETCH_LIST_H_
#define KORVALE_STORE_FETCH_LIST_H_

#include <string>

namespace korvale {

inline constexpr const char* kFetchListFileName = "fetchlist.csv";
inline constexpr int kFetchListLineBytes = 250;
inline constexpr size_t kFetchListNameBytes = 14;
inline constexpr size_t kQuoteSymbolBytes = 11;

struct FetchListLine {
  std::string symbol;  // up to the first comma
  int code = 0;
  std::string name;  // the text after the third comma without its line end, at most 14 bytes
};

// Parses one line as read by ReadLine: the symbol (at least one character) up to the first
// comma, optional white space, the comma, the code. False when the symbol or the code is missing
// or the code lies outside 1-9999: the list ends there (an empty line ends it too).
bool ParseFetchListLine(const char* line, FetchListLine* out);

}  // namespace korvale

#endif  // KORVALE_STORE_FETCH_LIST_H_
