// korvale-cli render: a chart drawn as the main view draws it, or a page of the thumbnail
// window, written as a PNG file.
#include <algorithm>

#include "app/thumbnail_doc.h"
#include "charts/thumbnail_chart.h"
#include "cli/chart_input.h"
#include "cli/cli.h"
#include "store/file_io.h"
#include "store/stock_list.h"

#ifdef KORVALE_HAVE_RENDER
#include "render/chart_image.h"
#include "render/thumbnail_page.h"
#endif

namespace korvale::cli {
namespace {

// "--size WxH" for the thumbnail grid: the window's first size when absent.
bool ThumbnailPageSize(const CliArgs& args, int* width, int* height) {
  if (!args.Has("--size")) return true;
  const ChartKindEntry* kind;
  return ChartOptions(args, &kind, width, height);
}

// The thumbnail grid of a list file (or of every stock) as the thumbnail window draws it.
int RenderThumbnails(const CliArgs& args, const std::string& output) {
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  int first = 0;
  if (args.Has("--first") && !ParseWholeNumber(args.Value("--first"), 0, 999999, &first)) {
    PrintError("--first needs a list position (0 the first)");
    return kExitUsage;
  }
  const CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  ShownStockList list;
  const std::string source = args.Value("--thumbnails");
  if (source == "all") {
    FillAll(dictionary, &list);
  } else {
    const std::string path = ListFilePath(source, settings.dataRootDir);
    if (!FileExists(path)) {
      PrintError(path + " cannot open");
      return kExitFailure;
    }
    OpenListFile(dictionary, path, &list);
  }
  CThumbnailDoc doc;
  doc.SetList(dictionary, list);
  CTableGrid grid = ThumbnailGrid(settings);
  grid.SetCount(static_cast<int>(doc.entries().size()));
  int width = grid.fittedWidth(), height = grid.fittedHeight();
  if (!ThumbnailPageSize(args, &width, &height)) return kExitUsage;
  grid.FitClient(width, height);
  // The grid scrolls by whole rows: the row of entry `first` comes to the top.
  const int row = grid.count() > 0 ? std::min(first, grid.count() - 1) / grid.columns() : 0;
#ifdef KORVALE_HAVE_RENDER
  EnsureGuiApplication();
  CThumbnailRenderer renderer(settings, dictionary);
  renderer.SetEntries(doc.entries());
  QImage page(width, height, QImage::Format_RGB32);
  renderer.DrawPage(&page, grid, 0, row * grid.cellHeight(), -1);
  std::string error;
  if (!WritePng(page, output, &error)) {
    PrintError(output + ": " + error);
    return kExitFailure;
  }
  return kExitOk;
#else
  (void)row;
  PrintError("this korvale-cli was built without Qt: render is not available");
  return kExitFailure;
#endif
}

int RunRender(const CliArgs& args) {
  std::string output;
  std::vector<std::string> rest;
  if (!OutputOption(args, &output, &rest) || output.empty()) {
    PrintError("render needs -o OUT.png");
    return kExitUsage;
  }
  if (args.Has("--thumbnails")) {
    if (!rest.empty() || args.Has("--chart")) {
      PrintError("--thumbnails takes no CODE, PATH or --chart");
      return kExitUsage;
    }
    return RenderThumbnails(args, output);
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
    "draw a chart or a page of thumbnails into a PNG file",
    "usage: korvale-cli render (CODE | PATH) --chart KIND [--size WxH] [--theme N]\n"
    "                          [--param N] [--set NAME=VALUE]... -o OUT.png\n"
    "                          [--margin FILE] [--lines FILE] [--rules NAME,...]\n"
    "       korvale-cli render --thumbnails LIST.LST|all [--size WxH] [--first N]\n"
    "                          [--set NAME=VALUE]... -o OUT.png\n"
    "\n"
    "Draws the chart as its window draws it for a client area of WxH pixels (default\n"
    "1200x800), scrolled to the latest bars, and writes it as a PNG file. KIND is daily,\n"
    "weekly or monthly (the main window's chart), ichimoku, ichimoku-weekly or\n"
    "ichimoku-monthly (the Ichimoku window), kagi, newprice or reverse (the auxiliary\n"
    "windows), lineeditor (the trend-line editor's: the daily price pane with a quarter of\n"
    "margin and 104 pixels of room to the right), or signal (the signal chart: the daily bars\n"
    "over the whole client area and four rows of rules, --rules as for 'korvale-cli\n"
    "signals'). CODE is a stock code whose files are found\n"
    "below the data root; PATH a price file, with its margin and trend-line files given by\n"
    "--margin and --lines. The settings are those of the data root, then every --set\n"
    "NAME=VALUE; --theme N picks the colour theme 0-5 (標準, Hanamori, Tsukishiro, 白黒, 古書,\n"
    "Mindows-YP). --param N sets the slider of a kagi (reversal in percent 1-100, or in yen\n"
    "1-500 with kagiReversalMode=0), newprice (reversal lines 1-10) or reverse (moving-average\n"
    "days 1-100) chart. When dailySpanDays is 0 or dailyAutoPeriod is set, the span comes from\n"
    "the width: (W - 220) / 4 bars, as with both side bars docked. The index panes read the\n"
    "stock indexStockCode below the data root.\n"
    "\n"
    "With --thumbnails the thumbnail window's grid is drawn instead: one cell per row of the\n"
    "list file (a relative name is also looked for in the data root) or, with \"all\", per\n"
    "stock of the dictionary, laid out by the settings thumbnailColumns, thumbnailWidth,\n"
    "thumbnailHeight and thumbnailRows. The image is the window's client area: by default the\n"
    "size the window opens with (columns x width by rows x height); with --size WxH the cells\n"
    "are W / columns wide and as many rows show as fit. The grid is scrolled so that the row\n"
    "of list position N (0 the first; default 0) stands at the top.\n",
    {{},
     {"--chart", "--size", "--theme", "--param", "--set", "--output", "--margin", "--lines",
      "--thumbnails", "--first", "--rules"}},
    RunRender,
});

}  // namespace
}  // namespace korvale::cli
