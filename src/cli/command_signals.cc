// korvale-cli signals: the values the signal chart shows, bar by bar.
#include <cstdio>

#include "cli/chart_input.h"
#include "cli/cli.h"
#include "cli/stock_record.h"
#include "screening/c_locale_text.h"
#include "store/cp932.h"

namespace korvale::cli {
namespace {

// Scores are sums of weights: ten significant digits show them as typed.
std::string FormatNumber(double v) { return FormatC("%.10g", v); }

std::string Value(const SignalRowValues& row, int bar) {
  if (!row.present) return "-";
  return FormatNumber(row.values[static_cast<size_t>(bar)]);
}

int RunSignals(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("signals needs one stock CODE (or a price file PATH)");
    return kExitUsage;
  }
  int width;
  if (!ClientWidthOption(args, &width)) return kExitUsage;
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  ChartInput input;
  if (!LoadChartInput(args, args.Positional()[0], settings, &input)) return kExitFailure;
  const ChartKindEntry* signal = FindChartKind(kChartSignal);
  auto painter = MakeChartPainter(settings, input, signal->kind, width, 800);
  input.signals->Rows(*painter);
  const auto& rows = input.signals->values();
  const CPriceSeries& series = *input.series;
  const int count = series.barCount(), shown = painter->windowCount();
  const bool json = args.Has("--json");
  if (json) {
    std::printf("{\"rows\": [");
  } else {
    std::printf("# %d bars shown of %d\n", shown, count);
  }
  for (int k = 0; k < kSignalSlots; ++k) {
    const SignalRowValues& row = rows[static_cast<size_t>(k)];
    const std::string name = Cp932ToUtf8(row.name);
    if (json) {
      std::printf("%s\n  {\"slot\": %d, \"name\": %s, \"low\": %s, \"high\": %s}", k ? "," : "",
                  k, row.present ? JsonQuote(name).c_str() : "null",
                  FormatNumber(row.low).c_str(), FormatNumber(row.high).c_str());
    } else if (row.present) {
      std::printf("# row %d: %s, %s .. %s\n", k + 1, name.c_str(), FormatNumber(row.low).c_str(),
                  FormatNumber(row.high).c_str());
    } else {
      std::printf("# row %d: no rule\n", k + 1);
    }
  }
  if (json) std::printf("\n], \"bars\": [");
  for (int i = count - shown; i < count; ++i) {
    const PriceBar& b = series.bars[static_cast<size_t>(i)];
    const std::string date = FormatC("%04d-%02d-%02d", b.year, b.month, b.day);
    if (json) {
      std::printf("%s\n  {\"date\": \"%s\", \"values\": [", i > count - shown ? "," : "",
                  date.c_str());
      for (int k = 0; k < kSignalSlots; ++k) {
        const SignalRowValues& row = rows[static_cast<size_t>(k)];
        std::printf("%s%s", k ? ", " : "", row.present ? Value(row, i).c_str() : "null");
      }
      std::printf("]}");
    } else {
      std::printf("%s", date.c_str());
      for (int k = 0; k < kSignalSlots; ++k) {
        std::printf(" %s", Value(rows[static_cast<size_t>(k)], i).c_str());
      }
      std::printf("\n");
    }
  }
  if (json) std::printf("\n]}\n");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "signals",
    "the signal chart's values: how up to four rules judged each displayed bar",
    "usage: korvale-cli signals CODE [--root DIR] [--rules NAME,...] [--width W]\n"
    "                           [--set NAME=VALUE]... [--json]\n"
    "\n"
    "For each bar the daily chart shows in a main window W pixels wide (default 1200; the span\n"
    "as the window sets it), the values of the signal chart's four rows: the stock's analysis\n"
    "record as of that day (its price file loaded up to the day, no trend lines) judged by\n"
    "each rule, 1 or 0 for a rule of all conditions, the score for a weighted one. --rules\n"
    "names up to four rules of the Rules folder for the rows in order; without it the rows are\n"
    "the list's first four rules. A row without a rule shows '-'. Prints each row's rule and\n"
    "scale, then one line per bar: the date and the four values; --json gives {rows: [{slot,\n"
    "name, low, high}], bars: [{date, values}]}. 'korvale-cli render CODE --chart signal'\n"
    "draws the chart.\n",
    {{"--json"}, {"--rules", "--width", "--set"}},
    RunSignals,
});

}  // namespace
}  // namespace korvale::cli
