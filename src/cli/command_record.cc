// korvale-cli record: the analysis record of one stock, every field by its name.
#include <cstdio>

#include "cli/cli.h"
#include "cli/stock_record.h"

namespace korvale::cli {
namespace {

int RunRecord(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("record needs one stock CODE");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  CAppContext context(settings);
  AnalysisRecord rec;
  const int status = ComputeStockRecord(args, &context, args.Positional()[0], &rec);
  if (status != kExitOk) return status;
  const bool json = args.Has("--json");
  if (json) std::printf("{");
  bool first = true;
  for (const RecordField& f : AnalysisRecordFields()) {
    const std::string value = RecordFieldText(rec, f);
    if (json) {
      std::printf("%s\n  %s: %s", first ? "" : ",", JsonQuote(f.name).c_str(), value.c_str());
    } else {
      std::printf("%s=%s\n", f.name, value.c_str());
    }
    first = false;
  }
  if (json) std::printf("\n}\n");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "record",
    "the analysis record of a stock, as the analysis batch computes it",
    "usage: korvale-cli record CODE [--root DIR] [--as-of YYYY-MM-DD] [--width W]\n"
    "                          [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Loads the stock's price file (all of it, or up to the --as-of date) with its trend lines,\n"
    "and the market-index series as at start-up, and prints every field of the analysis\n"
    "record, one name=value per line in layout order, or as one JSON object. stockIndex is\n"
    "the stock's position in the stock list; doubles carry 17 significant digits, so they\n"
    "read back to the same value. --set NAME=VALUE overrides a settings field (a period, or\n"
    "useIndexAnalysis=1 for the index fields). DMI, MACD and OBV look back over the daily\n"
    "chart's span, which the main window sets from its width: as for a client W pixels wide\n"
    "(default 1200) with both side bars docked, (W - 220) / 4 bars, unless the settings fix\n"
    "it (dailyAutoPeriod=0 with dailySpanDays>0).\n",
    {{"--json"}, {"--as-of", "--set", "--width"}},
    RunRecord,
});

}  // namespace
}  // namespace korvale::cli
