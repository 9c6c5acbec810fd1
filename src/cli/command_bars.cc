// korvale-cli bars: a price file after one of the loads, or its weekly or monthly bars.
#include <cstdio>

#include "cli/cli.h"
#include "store/file_io.h"
#include "store/price_series.h"

namespace korvale::cli {
namespace {

bool LoadAsAsked(const CliArgs& args, const std::string& path, CPriceSeries* series) {
  const std::string load = args.Value("--load", "all");
  if (load == "all") {
    series->LoadAll(path);
  } else if (load == "tail") {
    series->LoadTail(path);
  } else if (load == "merged") {
    series->LoadMerged(path, nullptr, 0);
  } else if (load.rfind("until:", 0) == 0) {
    int y, m, d;
    if (!ParseDate(load.substr(6), &y, &m, &d)) {
      PrintError("--load until: needs a date YYYY-MM-DD");
      return false;
    }
    series->LoadUntil(y, m, d, path);
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
    PrintError("bars needs one price file PATH");
    return kExitUsage;
  }
  if (args.Has("--weekly") && args.Has("--monthly")) {
    PrintError("--weekly and --monthly exclude each other");
    return kExitUsage;
  }
  const std::string path = args.Positional()[0];
  if (!FileExists(path)) {
    PrintError(path + " cannot open");
    return kExitFailure;
  }
  CPriceSeries series;
  if (!LoadAsAsked(args, path, &series)) return kExitUsage;
  const bool json = args.Has("--json");
  if (args.Has("--weekly")) {
    series.SetMarginPath(args.Value("--margin"));
    series.BuildWeekly(0, nullptr);
  }
  if (!ReportReadProblems(series)) return kExitFailure;
  if (args.Has("--weekly")) {
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
    "the bars of a price file after a load, or its weekly or monthly bars",
    "usage: korvale-cli bars PATH [--load all|tail|merged|until:YYYY-MM-DD]\n"
    "                        [--weekly | --monthly] [--margin PATH] [--json]\n"
    "\n"
    "Loads the price file (default: all records) and prints one line per bar,\n"
    "  YYYY/MM/DD open high low close volume\n"
    "With --weekly the weekly bars (with the balances of the margin file given by --margin),\n"
    "with --monthly the monthly bars. --json prints {\"barCount\": n, \"bars\": [...]}, or\n"
    "weekCount/weeks, monthCount/months.\n",
    {{"--json", "--weekly", "--monthly"}, {"--load", "--margin"}},
    RunBars,
});

}  // namespace
}  // namespace korvale::cli
