// Where a stock's price, margin and trend-line files are, and the one way every front end and
// batch loads a stock from them.
#ifndef KORVALE_STORE_STOCK_FILES_H_
#define KORVALE_STORE_STOCK_FILES_H_

#include <atomic>
#include <memory>
#include <string>

#include "store/price_series.h"
#include "store/stock_dictionary.h"

namespace korvale {

// Reads a price file from a peer server (remote mode). The network layer implements it; the
// dictionary of a remote run carries one, so every load of a stock reaches the peer through it.
class RemotePriceReader {
 public:
  virtual ~RemotePriceReader() = default;
  // The whole price file at `url` into `body`. False, with the reason in `error`, when the peer
  // cannot be reached, answers with another status than 200 or sends a body that is not whole
  // records; `body` is then empty. `stop` (may be null), set by another thread, abandons the
  // read. Safe to call from several threads at once.
  virtual bool ReadPriceFile(const std::string& url, std::string* body, std::string* error,
                             const std::atomic<bool>* stop) const = 0;
};

struct StockFiles {
  int code = 0;
  std::string pricePath;   // a file, or in remote mode the price file's address on the peer
  std::string marginPath;  // empty when the stock has no margin file
  std::string linePath;    // empty when lines are not kept (remote mode)
  // Set in remote mode: pricePath is read through it.
  std::shared_ptr<const RemotePriceReader> remote;
};

// The files of dictionary item `itemIndex`: the price file in the item's own folder (two items
// of one code, a stock kept in two folders, each have their own), the margin file the dictionary
// found for the code, the trend lines in `lineFolder`. The paths reuse the capacity of `files`.
// In remote mode (a dictionary built from a peer's stock page) the price file is the address
// ComposePeerUrl gives, read through the dictionary's remote reader; margins and trend lines
// are not used. False when the item or its folder index is not valid.
bool ResolveItemFiles(const CStockDictionary& dictionary, int itemIndex,
                      const std::string& lineFolder, StockFiles* files);
// The same for the first item of `code`; false when the dictionary does not list the code.
bool ResolveStockFiles(const CStockDictionary& dictionary, int code, const std::string& lineFolder,
                       StockFiles* files);

// How much of the price file LoadStock reads: every record, or those up to and including a date.
struct StockLoadLimit {
  bool asOf = false;
  int year = 0, month = 0, day = 0;
};

// The bytes of the stock's price file: the file, or in remote mode the peer's answer. False,
// with the reason in `error` (may be null), when it cannot be read; `stop` (may be null)
// abandons a remote read.
bool ReadPriceFile(const StockFiles& files, std::string* body, std::string* error,
                   const std::atomic<bool>* stop = nullptr);

// Loads a stock as the document opens one: the bars (all, or up to the limit's date), then the
// margin-file path and the trend lines. With `placeholderWhenEmpty`, a load that kept no bar
// leaves the one-bar placeholder the chart shows instead. Returns what the load returned: a bar
// kept (all bars) or the file opened (up to a date). A remote price file that cannot be read
// loads no bar (never an error page read as prices); why goes to `error` (may be null; left
// empty for local files and reads that succeeded). `stop` abandons a remote read.
bool LoadStock(const StockFiles& files, CPriceSeries* series, const StockLoadLimit& limit = {},
               bool placeholderWhenEmpty = false, std::string* error = nullptr,
               const std::atomic<bool>* stop = nullptr);

}  // namespace korvale

#endif  // KORVALE_STORE_STOCK_FILES_H_
