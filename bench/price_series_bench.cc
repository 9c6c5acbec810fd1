// Loading a price file and deriving its weekly and monthly bars.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

#include "store/file_io.h"
#include "store/price_series.h"
#include "store/week_of_year.h"

namespace {

std::string MakePriceFile(int bars) {
  std::string path = (std::filesystem::temp_directory_path() / "korvale-bench-KD7203.KDT").string();
  std::mt19937 rng(7);
  std::vector<uint8_t> bytes(static_cast<size_t>(bars) * korvale::kPriceFileRecordSize);
  int y = 2000, m = 1, d = 4;
  int32_t close = 1500;
  for (int i = 0; i < bars; ++i) {
    int weekday;
    do {
      if (++d > korvale::DaysInMonth(y, m)) {
        d = 1;
        if (++m > 12) m = 1, ++y;
      }
      korvale::WeekOfYear(y, m, d, &weekday);
    } while (weekday == 0 || weekday == 6);
    close = std::max(10, close + static_cast<int32_t>(rng() % 41) - 20);
    korvale::PriceBar b;
    b.year = static_cast<int16_t>(y);
    b.month = static_cast<int8_t>(m);
    b.day = static_cast<int8_t>(d);
    b.open = close - 5;
    b.high = close + 10;
    b.low = close - 10;
    b.close = close;
    b.volume = static_cast<int32_t>(rng() % 1000000);
    korvale::EncodeBar(b, bytes.data() + static_cast<size_t>(i) * korvale::kPriceFileRecordSize);
  }
  korvale::WriteFileAtomically(path, bytes.data(), bytes.size());
  return path;
}

void BM_LoadAllWeeklyMonthly(benchmark::State& state) {
  const int bars = static_cast<int>(state.range(0));
  const std::string path = MakePriceFile(bars);
  korvale::CPriceSeries series;
  for (auto _ : state) {
    series.LoadAll(path);
    series.BuildWeekly(0, nullptr);
    series.BuildMonthly();
    benchmark::DoNotOptimize(series.monthCount());
  }
  state.SetItemsProcessed(state.iterations() * bars);
  state.counters["bars_per_second"] =
      benchmark::Counter(static_cast<double>(bars), benchmark::Counter::kIsIterationInvariantRate);
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadAllWeeklyMonthly)->Arg(5000)->Unit(benchmark::kMicrosecond);

void BM_LoadMerged(benchmark::State& state) {
  const std::string path = MakePriceFile(5000);
  korvale::CPriceSeries series;
  for (auto _ : state) {
    series.LoadMerged(path, nullptr, 0);
    benchmark::DoNotOptimize(series.barCount());
  }
  state.SetItemsProcessed(state.iterations() * 5000);
  std::remove(path.c_str());
}
BENCHMARK(BM_LoadMerged)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
