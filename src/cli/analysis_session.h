// What the analyze, screen, rank and records commands share: the data root opened as the
// program opens it, and the analysis records obtained as the command "分析..." obtains them.
#ifndef KORVALE_CLI_ANALYSIS_SESSION_H_
#define KORVALE_CLI_ANALYSIS_SESSION_H_

#include <memory>
#include <string>

#include "app/app_context.h"
#include "cli/cli.h"
#include "screening/analysis_store.h"
#include "store/stock_dictionary.h"

namespace korvale::cli {

struct AnalysisSession {
  std::unique_ptr<CAppContext> context;  // the settings in effect and the index series
  std::unique_ptr<CStockDictionary> dictionary;
  CAnalysisStore store;
  std::string title;  // the screening window's title: "最新の" or the as-of date (UTF-8)
};

// Loads the settings (with every --set) and gives them the automatic span of the main window
// for a client of --width pixels (default 1200) as the record command does; refuses a data
// root that is not a folder or a data-source mode other than local folders; builds the stock
// dictionary and loads the rules and the index series as at start-up. Returns kExitOk, or
// kExitUsage or kExitFailure with the reason printed.
int OpenAnalysisSession(const CliArgs& args, AnalysisSession* session);

// Runs the analysis batch over the whole dictionary (as of the limit's date when it has one), in
// slices of kStocksPerTick on `threads` threads (0: DefaultBatchThreads) with a progress line on
// stderr; a complete batch over the latest data writes the cache file. Returns kExitOk, or
// kExitFailure (reason printed) when the cache could not be written.
int RunBatch(AnalysisSession* session, const StockLoadLimit& asOf, int threads = 0);

// The records for the screening commands: with --cached the cache file when it can be reused
// ("前回の分析結果を使用"), else a fresh batch over the latest data.
int ObtainRecords(const CliArgs& args, AnalysisSession* session);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_ANALYSIS_SESSION_H_
