// korvale-cli analyze: the analysis batch of the command "分析...", run by the same job object
// as the progress dialog.
#include <cstdio>

#include "cli/analysis_session.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

int RunAnalyze(const CliArgs& args) {
  if (!args.Positional().empty()) {
    PrintError("analyze takes no positional arguments");
    return kExitUsage;
  }
  StockLoadLimit asOf;
  if (!AsOfOption(args, &asOf)) return kExitUsage;
  int threads = 0;
  if (args.Has("--threads")) {
    const std::string text = args.Value("--threads");
    if (text.size() != 1 || text[0] < '1' || text[0] > '8') {
      PrintError("--threads needs a number 1-8");
      return kExitUsage;
    }
    threads = text[0] - '0';
  }
  AnalysisSession session;
  if (const int opened = OpenAnalysisSession(args, &session); opened != kExitOk) return opened;
  const int status = RunBatch(&session, asOf, threads);
  const CAnalysisStore& store = session.store;
  if (store.asOfYear == 0) {
    std::printf("%d records, no as-of date\n", store.recordCount);
  } else {
    std::printf("%d records, as of %04d-%02d-%02d\n", store.recordCount, store.asOfYear,
                store.asOfMonth, store.asOfDay);
  }
  return status;
}

const CommandRegistration kRegistration({
    "analyze",
    "the analysis batch: every stock's analysis record, saved as analize.tmp",
    "usage: korvale-cli analyze [--root DIR] [--as-of YYYY-MM-DD] [--width W] [--threads N]\n"
    "                           [--set NAME=VALUE]...\n"
    "\n"
    "Builds the stock dictionary of the data root and computes the analysis record of every\n"
    "stock with a price file, in dictionary order, from the whole file or, with --as-of, from\n"
    "the bars up to that date; a progress line goes to stderr. A complete batch over the\n"
    "latest data is saved as analize.tmp in the data root (a batch as of a date is not).\n"
    "Prints the number of records and the as-of date (the date of the last bar of the last\n"
    "stock analysed). The records are those 'korvale-cli record' prints: the daily span (the\n"
    "look-back of DMI, MACD and OBV) is set as the main window sets it for a client W pixels\n"
    "wide (default 1200) unless the settings fix it. --set NAME=VALUE overrides a settings\n"
    "field (a period, or useIndexAnalysis=1 for the index fields). The stocks are loaded and\n"
    "computed on N threads (1-8; default the processor's cores, at most 4); the records and\n"
    "their order are the same for any N. Exit 1 when analize.tmp cannot be written.\n",
    {{}, {"--as-of", "--set", "--width", "--threads"}},
    RunAnalyze,
});

}  // namespace
}  // namespace korvale::cli
