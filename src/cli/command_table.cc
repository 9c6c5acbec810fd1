// korvale-cli table: the rows the price table window shows for a stock.
#include <cstdio>

#include "charts/price_table.h"
#include "cli/chart_input.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

int RunTable(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("table needs one CODE or PATH");
    return kExitUsage;
  }
  if (args.Has("--weekly") && args.Has("--monthly")) {
    PrintError("--weekly and --monthly exclude each other");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  ChartInput input;
  if (!LoadChartInput(args, args.Positional()[0], settings, &input)) return kExitFailure;
  CPriceSeries& series = *input.series;
  int kind = kTableDaily;
  const char* name = "daily";
  if (args.Has("--weekly")) {
    series.BuildWeekly(0, nullptr);
    kind = kTableWeekly;
    name = "weekly";
  } else if (args.Has("--monthly")) {
    series.BuildMonthly();
    kind = kTableMonthly;
    name = "monthly";
  }
  std::vector<PriceTableTexts> rows;
  FillPriceTableRows(series, kind, settings, &rows);
  if (args.Has("--json")) {
    std::printf("{\"kind\": \"%s\", \"columns\": [", name);
    const char* separator = "";
    for (const PriceTableColumn& c : PriceTableColumns()) {
      std::printf("%s%s", separator, JsonQuote(c.caption).c_str());
      separator = ", ";
    }
    std::printf("], \"rows\": [");
    for (size_t i = 0; i < rows.size(); ++i) {
      std::printf("%s\n  [", i ? "," : "");
      for (size_t k = 0; k < rows[i].size(); ++k) {
        std::printf("%s%s", k ? ", " : "", JsonQuote(rows[i][k]).c_str());
      }
      std::printf("]");
    }
    std::printf("\n]}\n");
    return kExitOk;
  }
  for (const PriceTableTexts& row : rows) {
    std::printf("%s %s %s %s %s %s\n", row[0].c_str(), row[1].c_str(), row[2].c_str(),
                row[3].c_str(), row[4].c_str(), row[5].c_str());
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "table",
    "the rows of the price table window (daily, weekly or monthly)",
    "usage: korvale-cli table (CODE | PATH) [--weekly | --monthly] [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Loads the stock as the main window opens it (CODE: its files below the data root; PATH: a\n"
    "price file) and prints the rows the price table shows, oldest first: the last\n"
    "dailyTableDays daily bars, with --weekly the last weeklyTableWeeks weekly bars, with\n"
    "--monthly the last monthlyTableMonths monthly bars (all when there are fewer). One line a\n"
    "row: the date (YYYY/MM/DD; YYYY/MM for months) and open, high, low, close and volume, each\n"
    "\"%6d\" as the table shows them, separated by one space. The settings are those of the data\n"
    "root, then every --set. --json prints {\"kind\", \"columns\": [captions], \"rows\": [[six\n"
    "texts]]}.\n",
    {{"--json", "--weekly", "--monthly"}, {"--set"}},
    RunTable,
});

}  // namespace
}  // namespace korvale::cli
