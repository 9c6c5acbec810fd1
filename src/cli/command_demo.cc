// korvale-cli demo: a headless tour of the program on a data root, for machines without a
// display: what the main window would show, and chart images of the first stocks.
#include <cstdio>
#include <filesystem>

#include "app/index_series.h"
#include "app/korvale_doc.h"
#include "app/main_window_layout.h"
#include "cli/cli.h"
#include "store/cp932.h"

#ifdef KORVALE_HAVE_RENDER
#include "render/chart_image.h"
#endif

namespace korvale::cli {
namespace {

constexpr int kTourStocks = 3;
constexpr int kClientWidth = 1200, kClientHeight = 800;

int RunDemo(const CliArgs& args) {
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  if (settings.dataSourceMode != 0) {
    PrintError("the tour works on local data only (dataSourceMode 0)");
    return kExitFailure;
  }
  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  CKorvaleDoc doc(settings, folders);
  std::string error;
  doc.Start(&error);
  if (!error.empty()) PrintError(error);
  const CStockDictionary& dict = *doc.dictionary();
  std::printf("data root: %s\n", settings.dataRootDir);
  std::printf("登録銘柄数：%d\n", dict.itemCount);
  std::printf("データ最終更新日：%d/%d/%d\n", doc.latestYear(), doc.latestMonth(), doc.latestDay());
  if (dict.itemCount == 0) {
    std::printf("no price files below the data root (make one with korvale-cli sample DIR)\n");
    return kExitOk;
  }
  auto index = LoadIndexSeries(settings, [&dict](int code, std::string* folder) {
    return dict.GetFolder(code, folder) != 0;
  });
  doc.SetIndexSeries(index.get());
  std::printf("market index: %s\n",
              index ? ("stock " + std::to_string(settings.indexStockCode)).c_str() : "none");

  // The span the main window would choose for its default client area.
  ApplyAutomaticSpan(&settings, kClientWidth, true, true);
  const std::string outDir = std::string(settings.dataRootDir) + "/out";
  std::error_code ec;
  std::filesystem::create_directories(outDir, ec);

  std::printf("\nnewest bars of the first stocks:\n");
  const int stocks = std::min<int>(kTourStocks, static_cast<int>(doc.list().rows.size()));
  for (int row = 0; row < stocks; ++row) {
    if (!doc.OpenRow(row)) continue;
    const CPriceSeries& s = doc.series();
    const PriceBar& b = s.bars[s.barCount() - 1];
    std::printf("  %s  %04d/%02d/%02d open %d high %d low %d close %d volume %d (%d bars)\n",
                Cp932ToUtf8(doc.list().rows[row].text).c_str(), b.year, b.month, b.day, b.open,
                b.high, b.low, b.close, b.volume, s.barCount());
#ifdef KORVALE_HAVE_RENDER
    EnsureGuiApplication();
    for (const ChartKindEntry& kind : ChartKinds()) {
      if (kind.group != ChartKindGroup::kPeriod) continue;
      CChartPainter* painter = doc.painter();
      painter->ReplaceSettings(settings);
      char file[64];
      std::snprintf(file, sizeof file, "/%04d-%s.png", doc.code(), kind.option);
      std::string pngError;
      if (WritePng(RenderChartImage(*painter, kind.kind, kClientWidth, kClientHeight),
                   outDir + file, &pngError)) {
        std::printf("    chart: %s%s\n", outDir.c_str(), file);
      } else {
        PrintError(pngError);
      }
    }
#endif
  }
  std::printf("\nstart the desktop program in the data root to browse every stock: korvale\n");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "demo",
    "a headless tour: stocks, newest data, chart images of the first stocks",
    "usage: korvale-cli demo [--root DIR]\n"
    "\n"
    "Prints what the main window would show on start (registered stocks, the newest data\n"
    "date), the newest bars of the first stocks of the list, and writes their daily, weekly\n"
    "and monthly charts as PNG files into DIR/out, printing each path.\n",
    {{}, {"--set"}},
    RunDemo,
});

}  // namespace
}  // namespace korvale::cli
