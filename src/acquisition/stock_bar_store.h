// CStockBarStore: stores a stock's new bars in its price file by the rules of the price update,
// for every importer (the daily files of other programs, bulk price files, the vendor's daily
// download): appended to an existing file, or merged into it by date; a stock without a file
// gets one, and a name and a place in the stock list, only when asked to.
#ifndef KORVALE_ACQUISITION_STOCK_BAR_STORE_H_
#define KORVALE_ACQUISITION_STOCK_BAR_STORE_H_

#include <cstdint>
#include <functional>
#include <string>

#include "store/price_series.h"

namespace korvale {

class CStockDictionary;
class CFolderPreparer;

// The two check boxes of the "日々データ更新" dialog, both clear when it opens.
struct ImportOptions {
  // "未登録データは追加登録する": bars of a stock without a price file create the file in the
  // stock's thousand-block folder and register the stock.
  int32_t addUnregistered = 0;
  // "完全更新する（処理時間は遅い）": merge bars into their file by date (the file is reloaded,
  // sorted and rewritten) instead of appending them.
  int32_t completeUpdate = 0;
};

// What storing bars did, added up over the store's life.
struct BarStoreCounts {
  int applied = 0;        // bars written to a price file
  int skipped = 0;        // bars of a stock not to be registered, or dropped by a merge
  int writeFailures = 0;  // bars whose file could not be written
  int newStocks = 0;      // price files created for stocks that had none
};

class CStockBarStore {
 public:
  // `dictionary` and `folders` belong to the caller and must outlive the store; the dictionary
  // gains the stocks the store registers. `dataRootDir` holds the dictionary file new names
  // are written to. `note` receives what is worth telling the user (failed writes, a full
  // stock list). Data-source mode 0 only.
  CStockBarStore(CStockDictionary* dictionary, CFolderPreparer* folders, std::string dataRootDir,
                 ImportOptions options, std::function<void(std::string)> note);

  // Stores `count` bars of `code` (1-9999) as one block. The stock's folder comes from the
  // dictionary, or is its thousand-block folder (made when missing). An existing file gets the
  // bars appended in one write, or with completeUpdate merged (a bar replaces a stored day of
  // its date; days outside 1901-2099 or without a positive open drop out) and rewritten
  // atomically; a file that exists but cannot be read is left alone. Without a file and with
  // addUnregistered, `nameCp932` is written to the dictionary file when the code has no name
  // there, the file is created and the stock listed; otherwise the bars are skipped.
  void Store(int code, const std::string& nameCp932, const PriceBar* bars, int count);

  const BarStoreCounts& counts() const { return counts_; }
  const ImportOptions& options() const { return options_; }
  const std::string& dataRootDir() const { return dataRootDir_; }

 private:
  void Append(const std::string& path, const PriceBar* bars, int count);
  void Merge(const std::string& path, const PriceBar* bars, int count);
  void Register(int code, const std::string& nameCp932, const std::string& folder,
                const std::string& path, const PriceBar* bars, int count);
  void WriteFailed(const std::string& path, const std::string& reason, int count);

  CStockDictionary* dictionary_;
  CFolderPreparer* folders_;
  std::string dataRootDir_;
  ImportOptions options_;
  std::function<void(std::string)> note_;
  BarStoreCounts counts_;
  CPriceSeries series_;         // reused for every merge, so its buffers are kept
  std::vector<uint8_t> bytes_;  // the records of one append
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_STOCK_BAR_STORE_H_
