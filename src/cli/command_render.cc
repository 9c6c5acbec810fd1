// korvale-cli render: a chart drawn as the main view draws it, written as a PNG file.
#include "cli/chart_input.h"
#include "cli/cli.h"

#ifdef KORVALE_HAVE_RENDER
#include "render/chart_image.h"
#endif

namespace korvale::cli {
namespace {

int RunRender(const CliArgs& args) {
  std::string output;
  std::vector<std::string> rest;
  if (!OutputOption(args, &output, &rest) || output.empty()) {
    PrintError("render needs -o OUT.png");
    return kExitUsage;
  }
  if (rest.size() != 1) {
    PrintError("render needs one CODE or PATH");
    return kExitUsage;
  }
  const ChartKindEntry* kind;
  int width, height;
  if (!ChartOptions(args, &kind, &width, &height)) return kExitUsage;
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  if (args.Has("--theme")) {
    const std::string theme = args.Value("--theme");
    if (theme.size() != 1 || theme[0] < '0' || theme[0] > '5') {
      PrintError("--theme takes 0-5");
      return kExitUsage;
    }
    settings.colourTheme = theme[0] - '0';
  }
  if (!ParamOption(args, *kind, &settings)) return kExitUsage;
#ifdef KORVALE_HAVE_RENDER
  ChartInput input;
  if (!LoadChartInput(args, rest[0], settings, &input)) return kExitFailure;
  EnsureGuiApplication();
  auto painter = MakeChartPainter(settings, input, kind->kind, width, height);
  const QImage image = RenderChartImage(*painter, kind->kind, width, height);
  std::string error;
  if (!WritePng(image, output, &error)) {
    PrintError(output + ": " + error);
    return kExitFailure;
  }
  return kExitOk;
#else
  PrintError("this korvale-cli was built without Qt: render is not available");
  return kExitFailure;
#endif
}

const CommandRegistration kRegistration({
    "render",
    "draw a chart into a PNG file",
    "usage: korvale-cli render (CODE | PATH) --chart KIND [--size WxH] [--theme N]\n"
    "                          [--param N] [--set NAME=VALUE]... -o OUT.png\n"
    "                          [--margin FILE] [--lines FILE] [--rules NAME,...]\n"
    "\n"
    "Draws the chart as its window draws it for a client area of WxH pixels (default\n"
    "1200x800), scrolled to the latest bars, and writes it as a PNG file. KIND is daily,\n"
    "weekly or monthly (the main window's chart), ichimoku, ichimoku-weekly or\n"
    "ichimoku-monthly (the Ichimoku window), kagi, newprice or reverse (the auxiliary\n"
    "windows), or signal (the signal chart: the daily bars over the whole client area and\n"
    "four rows of rules, --rules as for 'korvale-cli signals'). CODE is a stock code whose\n"
    "files are found below the data root; PATH a price file, with its margin and trend-line\n"
    "files given by --margin and --lines. The settings are those of the data root, then every\n"
    "--set NAME=VALUE; --theme N picks the colour theme 0-5 (標準, Hanamori, Tsukishiro, 白黒,\n"
    "古書, Mindows-YP). --param N sets the slider of a kagi (reversal in percent 1-100, or in\n"
    "yen 1-500 with kagiReversalMode=0), newprice (reversal lines 1-10) or reverse\n"
    "(moving-average days 1-100) chart. When dailySpanDays is 0 or dailyAutoPeriod is set,\n"
    "the span comes from the width: (W - 220) / 4 bars, as with both side bars docked. The\n"
    "index panes read the stock indexStockCode below the data root.\n",
    {{},
     {"--chart", "--size", "--theme", "--param", "--set", "--output", "--margin", "--lines",
      "--rules"}},
    RunRender,
});

}  // namespace
}  // namespace korvale::cli
