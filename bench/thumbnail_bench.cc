// Painting the thumbnail window: a page of the whole sample's stocks at 1600 x 1000 with the
// default grid (4 columns fitted to the width, 15 rows of 64 pixels: 60 cells). From cold every
// cell reads its stock's newest days and is drawn (at most 100 ms a page); from the cache the
// cells are copied (at most 16 ms, a 60 Hz frame).
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdlib>
#include <memory>

#include "app/settings_file.h"
#include "app/thumbnail_doc.h"
#include "render/chart_image.h"
#include "render/thumbnail_page.h"
#include "store/stock_list.h"

namespace {

using namespace korvale;

constexpr int kWidth = 1600, kHeight = 1000;

struct Fixture {
  SettingsRecord settings;
  std::unique_ptr<CStockDictionary> dictionary;
  std::vector<int> entries;
  std::string error;

  Fixture() {
    const char* root = std::getenv("KORVALE_SAMPLE");
    if (!root || !*root) {
      error = "set KORVALE_SAMPLE to a sample database (make bench does)";
      return;
    }
    if (!LoadSettingsAtStart(root, "/nonexistent/RootDir", &settings, &error)) return;
    EnsureGuiApplication();
    dictionary = std::make_unique<CStockDictionary>(settings.dataRootDir, settings.workDir);
    ShownStockList list;
    FillAll(*dictionary, &list);
    CThumbnailDoc doc;
    doc.SetList(*dictionary, list);
    entries = doc.entries();
    if (entries.empty()) error = "the sample database holds no stocks";
  }
  // False, the benchmark skipped with the reason, when there is nothing to draw.
  bool Ready(benchmark::State& state) const {
    if (error.empty()) return true;
    state.SkipWithError(error.c_str());
    return false;
  }
  CTableGrid Grid() const {
    CTableGrid grid = ThumbnailGrid(settings);
    grid.SetCount(static_cast<int>(entries.size()));
    grid.FitClient(kWidth, kHeight);
    return grid;
  }
};

void BM_ThumbnailPageFromCold(benchmark::State& state) {
  Fixture f;
  if (!f.Ready(state)) return;
  const CTableGrid grid = f.Grid();
  CThumbnailRenderer renderer(f.settings, *f.dictionary);
  QImage page(kWidth, kHeight, QImage::Format_RGB32);
  const int pageHeight = grid.rowsShown() * grid.cellHeight();
  int top = 0;
  for (auto _ : state) {
    renderer.SetEntries(f.entries);  // an empty cache
    renderer.DrawPage(&page, grid, 0, top, -1);
    benchmark::DoNotOptimize(page.constBits());
    // The next page shows other stocks.
    top += pageHeight;
    if (top + pageHeight > grid.scrollHeight()) top = 0;
  }
  state.counters["cells"] = grid.rowsShown() * grid.columns();
}
BENCHMARK(BM_ThumbnailPageFromCold)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ThumbnailPageFromCache(benchmark::State& state) {
  Fixture f;
  if (!f.Ready(state)) return;
  const CTableGrid grid = f.Grid();
  CThumbnailRenderer renderer(f.settings, *f.dictionary);
  renderer.SetEntries(f.entries);
  QImage page(kWidth, kHeight, QImage::Format_RGB32);
  renderer.DrawPage(&page, grid, 0, 0, -1);
  int selected = 0;
  for (auto _ : state) {
    // A click moves the selection: the page is painted again from the cache.
    renderer.DrawPage(&page, grid, 0, 0, selected);
    selected = (selected + 1) % (grid.rowsShown() * grid.columns());
    benchmark::DoNotOptimize(page.constBits());
  }
  state.counters["loads"] = renderer.loadCount();
}
BENCHMARK(BM_ThumbnailPageFromCache)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
