// korvale-cli readout: the mouse read-out at a pixel of a chart, with the detail panel's
// indicator values for a daily chart.
#include <cstdio>

#include "charts/chart_kind.h"
#include "charts/recording_canvas.h"
#include "cli/chart_input.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

bool ParsePoint(const std::string& text, int* x, int* y) {
  char tail = 0;
  return std::sscanf(text.c_str(), "%d,%d%c", x, y, &tail) == 2;
}

int RunReadout(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("readout needs one CODE or PATH");
    return kExitUsage;
  }
  const ChartKindEntry* kind;
  int width, height;
  if (!ChartOptions(args, &kind, &width, &height)) return kExitUsage;
  int x = 0, y = 0;
  if (!ParsePoint(args.Value("--at"), &x, &y)) {
    PrintError("readout needs --at X,Y");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  ChartInput input;
  if (!LoadChartInput(args, args.Positional()[0], settings, &input)) return kExitFailure;
  auto painter = MakeChartPainter(settings, input, kind->kind, width, height);
  // The hit test reads the mapping the last drawing kept; the bar positions do not depend on
  // the font, so a recording canvas serves.
  RecordingCanvas canvas;
  kind->kind.Draw(*painter, canvas);
  const ChartHit hit = kind->kind.HitTest(*painter, x, y);
  const std::string text = kind->kind.Readout(hit);
  // The detail panel's indicator values belong to the daily bars.
  const bool daily = kind->id == kChartDaily;
  IndicatorValues values;
  if (daily && hit.found) {
    values = painter->IndicatorValuesAt(hit.index);
  }
  const struct {
    const char* name;
    double value;
  } fields[] = {
      {"maLong", values.maLong}, {"maShort", values.maShort}, {"rci1", values.rci1},
      {"rci2", values.rci2},     {"rsi1", values.rsi1},       {"rsi2", values.rsi2},
      {"stochK", values.stochK}, {"stochD", values.stochD},   {"volumeRatio", values.volumeRatio}};
  if (args.Has("--json")) {
    std::printf("{\"found\": %s, \"readout\": %s", hit.found ? "true" : "false",
                JsonQuote(text).c_str());
    if (daily && hit.found) {
      std::printf(", \"indicators\": {");
      for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) {
        std::printf("%s\"%s\": %.10g", i ? ", " : "", fields[i].name, fields[i].value);
      }
      std::printf("}");
    }
    std::printf("}\n");
    return kExitOk;
  }
  std::printf("%s\n", text.c_str());
  if (daily && hit.found) {
    for (const auto& f : fields) std::printf("%s %.2f\n", f.name, f.value);
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "readout",
    "the mouse read-out at a pixel of a chart",
    "usage: korvale-cli readout (CODE | PATH) --chart KIND [--size WxH]\n"
    "                           --at X,Y [--set NAME=VALUE]... [--margin FILE] [--lines FILE]\n"
    "                           [--json]\n"
    "\n"
    "Lays the chart out as render does for a client area of WxH (default 1200x800) and prints\n"
    "the read-out of the bar under pixel (X, Y) of the unscrolled chart (KIND: daily, weekly,\n"
    "monthly, or ichimoku, ichimoku-weekly, ichimoku-monthly as the Ichimoku window reads out),\n"
    "  Y/M/D open high low close volume sign change   (monthly: Y/M ...)\n"
    "or \" \" when no bar lies there; -1,-1 is the last displayed bar. For a daily chart the\n"
    "detail panel's values at that bar follow, one per line: maLong, maShort, rci1, rci2,\n"
    "rsi1, rsi2, stochK, stochD, volumeRatio. --json prints {\"found\", \"readout\",\n"
    "\"indicators\"}.\n",
    {{"--json"}, {"--chart", "--size", "--at", "--set", "--margin", "--lines", "--rules"}},
    RunReadout,
});

}  // namespace
}  // namespace korvale::cli
