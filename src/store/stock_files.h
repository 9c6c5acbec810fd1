// Where a stock's price, margin and trend-line files are, and the one way every front end and
// batch loads a stock from them.
#ifndef KORVALE_STORE_STOCK_FILES_H_
#define KORVALE_STORE_STOCK_FILES_H_

#include <string>

#include "store/price_series.h"
#include "store/stock_dictionary.h"

namespace korvale {

struct StockFiles {
  int code = 0;
  std::string pricePath;
  std::string marginPath;  // empty when the stock has no margin file
  std::string linePath;
};

// The files of dictionary item `itemIndex`: the price file in the item's own folder (two items
// of one code, a stock kept in two folders, each have their own), the margin file the dictionary
// found for the code, the trend lines in `lineFolder`. The paths reuse the capacity of `files`.
// False when the item or its folder index is not valid.
bool ResolveItemFiles(const CStockDictionary& dictionary, int itemIndex,
                      const std::string& lineFolder, StockFiles* files);
// The same for the first item of `code`; false when the dictionary does not list the code.
bool ResolveStockFiles(const CStockDictionary& dictionary, int code, const std::string& lineFolder,
                       StockFiles* files);

// How much of the price file LoadStock reads: every record, those up to and including a date,
// or (`tail`) the newest 32 only.
struct StockLoadLimit {
  bool asOf = false;
  int year = 0, month = 0, day = 0;
  bool tail = false;
};

// Loads a stock as the document opens one: the bars (all, up to the limit's date or the tail),
// then the margin-file path and the trend lines. With `placeholderWhenEmpty`, a load that kept no bar
// leaves the one-bar placeholder the chart shows instead. Returns what the load returned: a bar
// kept (all bars, the tail) or the file opened (up to a date).
bool LoadStock(const StockFiles& files, CPriceSeries* series, const StockLoadLimit& limit = {},
               bool placeholderWhenEmpty = false);

}  // namespace korvale

#endif  // KORVALE_STORE_STOCK_FILES_H_
