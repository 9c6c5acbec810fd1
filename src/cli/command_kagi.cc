// korvale-cli kagi: the columns of the kagi line the kagi window draws, with the price and the
// bar where each turns.
#include <cstdio>

#include "charts/kagi_lines.h"
#include "cli/chart_input.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

int RunKagi(const CliArgs& args) {
  SettingsRecord settings;
  ChartInput input;
  const int status = ConstructionInput(args, "kagi", kChartKagi, &settings, &input);
  if (status >= 0) return status;
  const CPriceSeries& series = *input.series;
  const KagiLines k = ComputeKagiLines(series.bars.data(), series.barCount(), settings);
  const char* mode = k.percentMode ? "percent" : "yen";
  if (args.Has("--json")) {
    std::printf("{\"drawn\": %s, \"firstBar\": %d, \"mode\": \"%s\", \"amount\": %d",
                k.drawn ? "true" : "false", k.firstBar, mode, k.amount);
    std::printf(", \"low\": %d, \"high\": %d, \"xSpan\": %d, \"columns\": [", k.low, k.high,
                k.xSpan);
    for (size_t i = 0; i < k.columns.size(); ++i) {
      const KagiColumn& c = k.columns[i];
      std::printf(
          "%s{\"x\": %d, \"rising\": %s, \"from\": %d, \"fromBar\": %d, \"fromDate\": \"%s\", "
          "\"to\": %d, \"toBar\": %d, \"toDate\": \"%s\"}",
          i ? ", " : "", c.x, c.rising ? "true" : "false", c.from, c.fromBar,
          BarDate(series, c.fromBar).c_str(), c.to, c.toBar, BarDate(series, c.toBar).c_str());
    }
    std::printf("], \"label\": ");
    if (k.label.present) {
      std::printf("{\"x\": %d, \"price\": %lld, \"text\": %s}}\n", k.label.x,
                  static_cast<long long>(k.label.price), JsonQuote(k.label.text).c_str());
    } else {
      std::printf("null}\n");
    }
    return kExitOk;
  }
  if (!k.drawn) {
    std::printf("fewer than 4 bars with a price from bar %d: background only\n", k.firstBar);
    return kExitOk;
  }
  std::printf("reversal %d %s, bars from %d, closes %d-%d, %zu columns\n", k.amount,
              k.percentMode ? "%" : "yen", k.firstBar, k.low, k.high, k.columns.size());
  for (const KagiColumn& c : k.columns) {
    std::printf("%3d %s %d (bar %d %s) -> %d (bar %d %s)\n", c.x, c.rising ? "up  " : "down",
                c.from, c.fromBar, BarDate(series, c.fromBar).c_str(), c.to, c.toBar,
                BarDate(series, c.toBar).c_str());
  }
  if (k.label.present) std::printf("label %s\n", k.label.text.c_str());
  return kExitOk;
}

const CommandRegistration kRegistration({
    "kagi",
    "the columns of the kagi chart, with the price and bar of each turn",
    "usage: korvale-cli kagi (CODE | PATH) [--param N] [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Builds the kagi line the kagi window draws for the stock under the settings of the data\n"
    "root (kagiReversalMode, kagiReversalPercent or kagiReversalYen, kagiSpanDays,\n"
    "kagiAllPeriod), then every --set NAME=VALUE; --param N sets the slider: the reversal in\n"
    "percent (1-100), or in yen (1-500) when kagiReversalMode is 0. Prints one line per column:\n"
    "its x, its direction, the price and bar (series index and date) it starts from and the\n"
    "extreme it reaches, where the line turns; then the label of the last turn. --json prints\n"
    "{\"drawn\", \"firstBar\", \"mode\", \"amount\", \"low\", \"high\", \"xSpan\", \"columns\": "
    "[{\"x\",\n"
    "\"rising\", \"from\", \"fromBar\", \"fromDate\", \"to\", \"toBar\", \"toDate\"}], "
    "\"label\"}.\n"
    "Only closes above 0 take part; with fewer than 4 the chart is its background only.\n",
    {{"--json"}, {"--param", "--set", "--margin", "--lines"}},
    RunKagi,
});

}  // namespace
}  // namespace korvale::cli
