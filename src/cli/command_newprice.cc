// korvale-cli newprice: the boxes of the new-price chart the new-price window draws, with the
// close and bar that made each.
#include <cstdio>

#include "charts/new_price_boxes.h"
#include "cli/chart_input.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

int RunNewPrice(const CliArgs& args) {
  SettingsRecord settings;
  ChartInput input;
  const int status = ConstructionInput(args, "newprice", kChartNewPrice, &settings, &input);
  if (status >= 0) return status;
  const CPriceSeries& series = *input.series;
  const NewPriceBoxes b = ComputeNewPriceBoxes(series.bars.data(), series.barCount(), settings);
  if (args.Has("--json")) {
    std::printf("{\"drawn\": %s, \"firstBar\": %d, \"lines\": %d, \"low\": %d, \"high\": %d",
                b.drawn ? "true" : "false", b.firstBar, b.lines, b.low, b.high);
    std::printf(", \"xSpan\": %d, \"boxes\": [", b.xSpan);
    for (size_t i = 0; i < b.boxes.size(); ++i) {
      const NewPriceBox& box = b.boxes[i];
      std::printf(
          "%s{\"x\": %d, \"rising\": %s, \"from\": %d, \"to\": %d, \"bar\": %d, \"date\": \"%s\"}",
          i ? ", " : "", box.x, box.rising ? "true" : "false", box.from, box.to, box.bar,
          BarDate(series, box.bar).c_str());
    }
    std::printf("], \"labels\": [");
    for (size_t i = 0; i < b.labels.size(); ++i) {
      std::printf("%s{\"x\": %d, \"price\": %lld, \"text\": %s}", i ? ", " : "", b.labels[i].x,
                  static_cast<long long>(b.labels[i].price), JsonQuote(b.labels[i].text).c_str());
    }
    std::printf("], \"mark\": ");
    if (b.marksLastClose) {
      std::printf("{\"x\": %d, \"price\": %d}}\n", b.markX, b.markPrice);
    } else {
      std::printf("null}\n");
    }
    return kExitOk;
  }
  if (!b.drawn) {
    std::printf("fewer than %d bars with a price from bar %d: background only\n",
                std::max(b.lines + 1, 4), b.firstBar);
    return kExitOk;
  }
  std::printf("%d reversal lines, bars from %d, closes %d-%d, %zu boxes\n", b.lines, b.firstBar,
              b.low, b.high, b.boxes.size());
  for (const NewPriceBox& box : b.boxes) {
    std::printf("%3d %s %d -> %d (bar %d %s)\n", box.x, box.rising ? "up  " : "down", box.from,
                box.to, box.bar, BarDate(series, box.bar).c_str());
  }
  for (const NewPriceLabel& l : b.labels) std::printf("label %s\n", l.text.c_str());
  return kExitOk;
}

const CommandRegistration kRegistration({
    "newprice",
    "the boxes of the new-price chart, with the close and bar of each",
    "usage: korvale-cli newprice (CODE | PATH) [--param N] [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Builds the boxes the new-price window draws for the stock under the settings of the data\n"
    "root (newPriceReversalLines, newPriceSpanDays, newPriceAllPeriod), then every\n"
    "--set NAME=VALUE; --param N sets the slider: the lines a reversal must break (1-10; a\n"
    "stored value below 1 counts as 3). Prints one line per box: its x, direction, the price\n"
    "it starts from and the close that made it with that bar (series index and date); then\n"
    "the reversal labels. --json prints {\"drawn\", \"firstBar\", \"lines\", \"low\", \"high\",\n"
    "\"xSpan\", \"boxes\": [{\"x\", \"rising\", \"from\", \"to\", \"bar\", \"date\"}], \"labels\": "
    "[{\"x\",\n"
    "\"price\", \"text\"}], \"mark\"}. Only closes above 0 take part.\n",
    {{"--json"}, {"--param", "--set", "--margin", "--lines"}},
    RunNewPrice,
});

}  // namespace
}  // namespace korvale::cli
