// Painting the candlestick charts on the QPainter canvas: a 5,000-bar stock with every pane on
// at 1600x1000, indicators included (they are computed as the panes draw). A frame should take
// at most half of a 60 Hz frame, 8 ms.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "app/main_window_layout.h"
#include "charts/chart_kind.h"
#include "charts/chart_painter.h"
#include "charts/recording_canvas.h"
#include "store/settings_record.h"
#include "store/week_of_year.h"

#ifdef KORVALE_HAVE_RENDER
#include <QImage>

#include "render/chart_image.h"
#include "render/qpainter_canvas.h"
#endif

namespace {

using namespace korvale;

// A random walk of weekday bars from 1990 on.
void FillSeries(CPriceSeries* series, int count, int32_t start, unsigned seed) {
  std::mt19937 rng(seed);
  int y = 1990, m = 1, d = 1;
  int32_t close = start;
  series->bars.clear();
  while (static_cast<int>(series->bars.size()) < count) {
    int weekday = 0;
    WeekOfYear(y, m, d, &weekday);
    if (weekday != 0 && weekday != 6) {
      PriceBar b;
      b.year = static_cast<int16_t>(y);
      b.month = static_cast<int8_t>(m);
      b.day = static_cast<int8_t>(d);
      b.open = close;
      close = std::max<int32_t>(10, close + static_cast<int32_t>(rng() % 61) - 30);
      b.close = close;
      b.high = std::max(b.open, b.close) + static_cast<int32_t>(rng() % 20);
      b.low = std::max<int32_t>(1, std::min(b.open, b.close) - static_cast<int32_t>(rng() % 20));
      b.volume = 100000 + static_cast<int32_t>(rng() % 900000);
      series->bars.push_back(b);
    }
    if (++d > DaysInMonth(y, m)) {
      d = 1;
      if (++m > 12) m = 1, ++y;
    }
  }
}

SettingsRecord EveryPaneOn(int width) {
  SettingsRecord s;
  ApplySettingsDefaults(&s, ".");
  s.dailyShowDeviation = s.dailyShowOscillator = s.dailyShowPsychological = 1;
  s.dailyShowRci = s.dailyShowRsi = s.dailyShowVolumeRatio = s.dailyShowStochastics = 1;
  s.dailyShowMacd = s.dailyShowObv = s.dailyShowDmi = s.dailyShowCci = 1;
  s.useIndexAnalysis = s.dailyIndexAnalysis = 1;
  s.dailyShowPriceVolumeHistogram = 1;
  s.weeklyShowDeviation = s.weeklyShowOscillator = s.weeklyShowMomentum = 1;
  s.weeklyShowMargin = s.weeklyShowStochastics = s.weeklyIndexAnalysis = 1;
  ApplyAutomaticSpan(&s, width, true, true);
  return s;
}

struct Fixture {
  CPriceSeries stock, index;
  std::unique_ptr<CChartPainter> painter;
  Fixture(int width, int height) {
#ifdef KORVALE_HAVE_RENDER
    EnsureGuiApplication();
#endif
    FillSeries(&stock, 5000, 1500, 7);
    FillSeries(&index, 5200, 15000, 11);
    index.BuildWeekly(0, nullptr);
    painter = std::make_unique<CChartPainter>(EveryPaneOn(width));
    painter->SetIndexSeries(&index);
    painter->Attach(stock, kChartDaily);
    painter->SetChartHeight(height);
  }
};

#ifdef KORVALE_HAVE_RENDER
void BM_DailyChartEveryPane(benchmark::State& state) {
  Fixture f(1600, 1000);
  QImage image(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainterCanvas canvas(&image);
    canvas.SetOrigin(std::max(0, f.painter->dailyWidth() - 1600), 0);
    f.painter->DrawDailyChart(canvas);
    benchmark::ClobberMemory();
  }
  state.counters["bars"] = f.painter->windowCount();
}
BENCHMARK(BM_DailyChartEveryPane)->Unit(benchmark::kMillisecond);

void BM_WeeklyChartEveryPane(benchmark::State& state) {
  Fixture f(1600, 1000);
  QImage image(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainterCanvas canvas(&image);
    f.painter->DrawWeeklyChart(canvas);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_WeeklyChartEveryPane)->Unit(benchmark::kMillisecond);

// The Ichimoku and auxiliary charts of the same stock at 1600x1000, each computing its
// construction as it draws: the Ichimoku chart over the automatic span and over all 5,000
// bars, the auxiliary charts over every bar (their "全期間"). Also at most 8 ms a frame.
void BM_WindowKind(benchmark::State& state, const char* option, bool allBars) {
  Fixture f(1600, 1000);
  SettingsRecord s = EveryPaneOn(1600);
  s.dailyAllPeriod = allBars;
  s.kagiAllPeriod = s.newPriceAllPeriod = s.reverseWatchAllPeriod = 1;
  s.kagiReversalPercent = 2;  // a turn every few bars: the busiest line
  s.reverseWatchMaDays = 25;
  CChartPainter painter(s);
  const ChartKind& kind = FindChartKindByOption(option)->kind;
  kind.Attach(painter, f.stock);
  QImage image(1600, 1000, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainterCanvas canvas(&image);
    kind.SetClientSize(painter, 1600, 1000);
    canvas.SetOrigin(std::max(0, kind.Width(painter) - 1600), 0);
    kind.Draw(painter, canvas);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_WindowKind, ichimoku, "ichimoku", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowKind, ichimoku_all_bars, "ichimoku", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowKind, ichimoku_weekly, "ichimoku-weekly", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowKind, ichimoku_monthly, "ichimoku-monthly", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowKind, kagi, "kagi", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowKind, newprice, "newprice", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WindowKind, reverse, "reverse", false)->Unit(benchmark::kMillisecond);
#endif

// The chart's own work without a toolkit: layout, indicators and primitives into a recording
// canvas, which shows how much of a frame is the painter's and how much the drawing's.
void BM_DailyChartEveryPaneRecorded(benchmark::State& state) {
  Fixture f(1600, 1000);
  for (auto _ : state) {
    RecordingCanvas canvas;
    f.painter->DrawDailyChart(canvas);
    benchmark::DoNotOptimize(canvas.ops().size());
  }
}
BENCHMARK(BM_DailyChartEveryPaneRecorded)->Unit(benchmark::kMillisecond);

// Opening a stock: windows, weekly and monthly bars, derived series and index correlations.
void BM_AttachFiveThousandBars(benchmark::State& state) {
  Fixture f(1600, 1000);
  for (auto _ : state) {
    CChartPainter painter(EveryPaneOn(1600));
    painter.SetIndexSeries(&f.index);
    painter.Attach(f.stock, kChartDaily);
    benchmark::DoNotOptimize(painter.windowCount());
  }
}
BENCHMARK(BM_AttachFiveThousandBars)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
