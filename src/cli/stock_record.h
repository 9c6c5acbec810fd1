// What the record and rule commands share: finding a stock of the data root and computing its
// analysis record as the analysis batch does, for the client width of --width.
#ifndef KORVALE_CLI_STOCK_RECORD_H_
#define KORVALE_CLI_STOCK_RECORD_H_

#include <string>

#include "app/app_context.h"
#include "cli/cli.h"
#include "screening/analysis_record.h"
#include "store/settings_record.h"

namespace korvale::cli {

// The client width the record commands assume without --width, as the chart commands do.
inline constexpr int kRecordClientWidth = 1200;

// The client width of --width (1-10000 pixels), kRecordClientWidth without the option. Prints
// the reason and returns false for any other value.
bool ClientWidthOption(const CliArgs& args, int* width);

// The record of stock `codeText` as the analysis batch computes it: the price file through
// LoadAll (or LoadUntil the date of --as-of), its trend lines from Data/LINE/LN####.DAT,
// stockIndex = the stock's position in the local stock dictionary of the data root, and the
// index series loaded into `context` as at start, under the context's settings with the
// automatic span of the main window for a client of --width pixels (default 1200) applied.
// Prints the reason and returns kExitUsage or kExitFailure on failure, else kExitOk.
int ComputeStockRecord(const CliArgs& args, CAppContext* context, const std::string& codeText,
                       AnalysisRecord* out);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_STOCK_RECORD_H_
