// Moving through the stock list with the arrow keys: each step opens the next stock as picking
// its row does (trend lines of the previous stock saved, whole price file loaded, margin and
// line files attached, a new painter with its derived series) and draws its daily chart as the
// main view does, at the default window's client size. One step should fit in a 60 Hz frame.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstdlib>
#include <string>

#include "app/app_context.h"
#include "app/korvale_doc.h"
#include "app/main_window_layout.h"
#include "app/settings_file.h"
#include "render/chart_image.h"
#include "render/qpainter_canvas.h"

namespace {

using namespace korvale;

void BM_ArrowKeyToNextStock(benchmark::State& state) {
  const char* root = std::getenv("KORVALE_SAMPLE");
  if (!root || !*root) {
    state.SkipWithError("set KORVALE_SAMPLE to a sample database (make bench does)");
    return;
  }
  SettingsRecord settings;
  std::string error;
  if (!LoadSettingsAtStart(root, "/nonexistent/RootDir", &settings, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  // The main window's chart view: 800 x 600 window, both side bars docked.
  const int clientWidth = 800 - 2 * kSideBarWidth, clientHeight = 600 - 100;
  ApplyAutomaticSpan(&settings, 800, true, true);
  CAppContext context(settings);
  CFolderPreparer folders(settings.dataRootDir, 0);
  CKorvaleDoc doc(context.settings(), folders);
  doc.Start();
  const CStockDictionary* dict = doc.dictionary();
  doc.SetIndexSeries(context.LoadIndex([dict](int code, std::string* folder) {
    return dict->GetFolder(code, folder) != 0;
  }));
  const int rows = static_cast<int>(doc.list().rows.size());
  if (rows == 0) {
    state.SkipWithError("the sample database holds no stocks");
    return;
  }
  EnsureGuiApplication();
  QImage image(clientWidth, clientHeight, QImage::Format_RGB32);
  int row = 0;
  for (auto _ : state) {
    doc.OpenRow(row);
    row = (row + 1) % rows;
    CChartPainter* painter = doc.painter();
    painter->SetChartHeight(clientHeight);
    image.fill(Qt::white);
    QPainterCanvas canvas(&image);
    canvas.SetOrigin(std::max(0, painter->dailyWidth() - clientWidth), 0);
    painter->DrawDailyChart(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["stocks_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ArrowKeyToNextStock)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
