// korvale-cli bars: a price file after one of the loads, or its weekly or monthly bars.
#include <cstdio>

#include "cli/cli.h"
#include "cli/stock_source.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/stock_files.h"
#include "store/string_printf.h"

namespace korvale::cli {
namespace {

// Loads the price file as --load asks: from the file at `path`, or from `bytes` (a stock of
// the stock list, possibly the peer's) when it is not null.
bool LoadAsAsked(const CliArgs& args, const std::string& path, const std::string* bytes,
                 CPriceSeries* series) {
  const auto* data = bytes ? reinterpret_cast<const uint8_t*>(bytes->data()) : nullptr;
  const size_t size = bytes ? bytes->size() : 0;
  const std::string load = args.Value("--load", "all");
  if (load == "all") {
    bytes ? series->LoadAllBytes(data, size, path) : series->LoadAll(path);
  } else if (load == "tail") {
    bytes ? series->LoadTailBytes(data, size, path) : series->LoadTail(path);
  } else if (load == "merged") {
    bytes ? series->LoadMergedBytes(data, size, path, nullptr, 0)
          : series->LoadMerged(path, nullptr, 0);
  } else if (load.rfind("until:", 0) == 0) {
    int y, m, d;
    if (!ParseDate(load.substr(6), &y, &m, &d)) {
      PrintError("--load until: needs a date YYYY-MM-DD");
      return false;
    }
    bytes ? series->LoadUntilBytes(y, m, d, data, size, path) : series->LoadUntil(y, m, d, path);
  } else {
    PrintError("--load takes all, tail, merged or until:YYYY-MM-DD");
    return false;
  }
  return true;
}

void PrintDaily(const CPriceSeries& s, bool json) {
  if (json) {
    std::printf("{\"barCount\": %d, \"bars\": [", s.barCount());
    for (int i = 0; i < s.barCount(); ++i) {
      const PriceBar& b = s.bars[i];
      std::printf(
          "%s\n  {\"year\": %d, \"month\": %d, \"day\": %d, \"reserved1\": %d, \"reserved2\": %d, "
          "\"open\": %d, \"high\": %d, \"low\": %d, \"close\": %d, \"volume\": %d}",
          i ? "," : "", b.year, b.month, b.day, b.reserved1, b.reserved2, b.open, b.high, b.low,
          b.close, b.volume);
    }
    std::printf("\n]}\n");
    return;
  }
  for (int i = 0; i < s.barCount(); ++i) {
    const PriceBar& b = s.bars[i];
    std::printf("%04d/%02d/%02d %d %d %d %d %d\n", b.year, b.month, b.day, b.open, b.high, b.low,
                b.close, b.volume);
  }
}

void PrintWeekly(const CPriceSeries& s, bool json) {
  if (json) {
    std::printf("{\"weekCount\": %d, \"weeks\": [", s.weekCount());
    for (int i = 0; i < s.weekCount(); ++i) {
      const WeeklyBar& w = s.weeks[i];
      std::printf(
          "%s\n  {\"year\": %d, \"month\": %d, \"day\": %d, \"week\": %d, \"open\": %d, "
          "\"high\": %d, \"low\": %d, \"close\": %d, \"volume\": %d, \"marginSell\": %d, "
          "\"marginBuy\": %d}",
          i ? "," : "", w.year, w.month, w.day, w.week, w.open, w.high, w.low, w.close, w.volume,
          w.marginSell, w.marginBuy);
    }
    std::printf("\n]}\n");
    return;
  }
  for (int i = 0; i < s.weekCount(); ++i) {
    const WeeklyBar& w = s.weeks[i];
    std::printf("%04d/%02d/%02d %d %d %d %d %d week=%d marginSell=%d marginBuy=%d\n", w.year,
                w.month, w.day, w.open, w.high, w.low, w.close, w.volume, w.week, w.marginSell,
                w.marginBuy);
  }
}

void PrintMonthly(const CPriceSeries& s, bool json) {
  if (json) {
    std::printf("{\"monthCount\": %d, \"months\": [", s.monthCount());
    for (int i = 0; i < s.monthCount(); ++i) {
      const MonthlyBar& m = s.months[i];
      std::printf(
          "%s\n  {\"year\": %d, \"month\": %d, \"open\": %d, \"high\": %d, \"low\": %d, "
          "\"close\": %d, \"volume\": %d}",
          i ? "," : "", m.year, m.month, m.open, m.high, m.low, m.close, m.volume);
    }
    std::printf("\n]}\n");
    return;
  }
  for (int i = 0; i < s.monthCount(); ++i) {
    const MonthlyBar& m = s.months[i];
    std::printf("%04d/%02d %d %d %d %d %d\n", m.year, m.month, m.open, m.high, m.low, m.close,
                m.volume);
  }
}

int RunBars(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("bars needs one stock CODE or price file PATH");
    return kExitUsage;
  }
  if (args.Has("--weekly") && args.Has("--monthly")) {
    PrintError("--weekly and --monthly exclude each other");
    return kExitUsage;
  }
  const std::string argument = args.Positional()[0];
  StockFiles files;
  files.pricePath = argument;
  files.marginPath = args.Value("--margin");
  std::string bytes;
  int code = 0;
  const bool byCode = ParseCode(argument, &code) && !FileExists(argument);
  if (byCode) {
    // A stock of the stock list: its own file, or in remote mode the peer's.
    SettingsRecord settings;
    if (!LoadSettings(args, &settings)) return kExitFailure;
    const std::unique_ptr<CStockDictionary> dictionary = OpenStockDictionary(settings);
    if (!dictionary) return kExitFailure;
    if (!ResolveStockFiles(*dictionary, code, "", &files)) {
      PrintError(StringPrintf("no price file of %04d in the stock list of %s", code,
                              settings.dataRootDir));
      return kExitFailure;
    }
    if (args.Has("--margin")) files.marginPath = args.Value("--margin");
    std::string error;
    if (!ReadPriceFile(files, &bytes, &error)) {
      PrintError(error);
      return kExitFailure;
    }
  } else if (!FileExists(argument)) {
    PrintError(argument + " cannot open");
    return kExitFailure;
  }
  CPriceSeries series;
  if (!LoadAsAsked(args, files.pricePath, byCode ? &bytes : nullptr, &series)) return kExitUsage;
  const bool json = args.Has("--json");
  if (args.Has("--weekly")) {
    series.SetMarginPath(files.marginPath);
    series.BuildWeekly(0, nullptr);
    PrintWeekly(series, json);
  } else if (args.Has("--monthly")) {
    series.BuildMonthly();
    PrintMonthly(series, json);
  } else {
    PrintDaily(series, json);
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "bars",
    "the bars of a stock or a price file after a load, or its weekly or monthly bars",
    "usage: korvale-cli bars (CODE | PATH) [--root DIR] [--load all|tail|merged|until:YYYY-MM-DD]\n"
    "                        [--weekly | --monthly] [--margin PATH] [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Loads a stock's price file (default: all records) and prints one line per bar,\n"
    "  YYYY/MM/DD open high low close volume\n"
    "CODE is a stock of the data root's stock list (in remote mode the file comes from the\n"
    "peer), PATH a price file. With --weekly the weekly bars (with the balances of the stock's\n"
    "margin file, or of the one given by --margin), with --monthly the monthly bars. --json\n"
    "prints {\"barCount\": n, \"bars\": [...]}, or weekCount/weeks, monthCount/months.\n",
    {{"--json", "--weekly", "--monthly"}, {"--load", "--margin", "--set"}},
    RunBars,
});

}  // namespace
}  // namespace korvale::cli
