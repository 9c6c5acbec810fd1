// What the record and rule commands share: finding a stock of the data root and computing its
// analysis record as the analysis batch does.
#ifndef KORVALE_CLI_STOCK_RECORD_H_
#define KORVALE_CLI_STOCK_RECORD_H_

#include <string>
#include <vector>

#include "cli/cli.h"
#include "screening/analysis_record.h"
#include "store/settings_record.h"

namespace korvale::cli {

// The stocks with a price file below the data root, in the order of the stock dictionary:
// every file named KD####.KDT (any case) found by walking the folders, sorted by code.
class StockList {
 public:
  explicit StockList(const std::string& root);
  // Position of the first item of `code` and the folder of its price file; false when the
  // code has no price file.
  bool Find(int code, int* position, std::string* folder) const;

 private:
  struct Item {
    int code;
    std::string folder;
  };
  std::vector<Item> items_;
};

// Parses a securities code 1..9999. False on anything else.
bool ParseCode(const std::string& text, int* code);

// The record of stock `codeText` as the analysis batch computes it: the price file through
// LoadAll (or LoadUntil the date of --as-of), its trend lines from Data/LINE/LN####.DAT,
// stockIndex = the stock's position in the list, and the index series loaded as at start.
// Prints the reason and returns kExitUsage or kExitFailure on failure, else kExitOk.
int ComputeStockRecord(const CliArgs& args, const SettingsRecord& settings,
                       const std::string& codeText, AnalysisRecord* out);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_STOCK_RECORD_H_
