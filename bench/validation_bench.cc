// The rule validation report on the sample database, as korvale-cli validate runs it: every
// stock, every sample rule, the default parameters, the span of a 1200-pixel window, on one and
// two threads, with the market-index analysis off and on; the literal procedure (cut the series,
// compute the whole record again) on the first 100 stocks for scale; and the allocations the
// replay makes per bar once its buffers have grown. The sample root comes from KORVALE_SAMPLE.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>

#include "app/index_series.h"
#include "app/main_window_layout.h"
#include "screening/backtest.h"
#include "screening/compute_analysis_record.h"
#include "screening/condition_catalogue.h"
#include "screening/history_replay.h"
#include "screening/rule_list.h"
#include "screening/validation_job.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"

namespace {

std::atomic<long> g_allocations{0};

}  // namespace

// Every allocation of the program is counted, so a benchmark can tell how many it made.
void* operator new(size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

std::string g_root;

korvale::SettingsRecord Settings(bool indexAnalysis) {
  korvale::SettingsRecord settings;
  korvale::ApplySettingsDefaults(&settings, g_root);
  // The span korvale-cli validate uses without --width: a 1200-pixel client, both bars docked.
  korvale::ApplyAutomaticSpan(&settings, 1200, true, true);
  settings.useIndexAnalysis = indexAnalysis ? 1 : 0;
  return settings;
}

const korvale::CStockDictionary& Dictionary() {
  static const korvale::CStockDictionary dict(g_root, g_root);
  return dict;
}

std::unique_ptr<korvale::CPriceSeries> Index(const korvale::SettingsRecord& settings) {
  const korvale::CStockDictionary& dict = Dictionary();
  return korvale::LoadIndexSeries(settings, [&dict](int code, std::string* folder) {
    return dict.GetFolder(code, folder) != 0;
  });
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// One whole report per iteration, from the price files on disk: Start, Step until the end,
// Finish.
void Validate(benchmark::State& state, bool indexAnalysis, int threads) {
  const korvale::SettingsRecord settings = Settings(indexAnalysis);
  const std::unique_ptr<korvale::CPriceSeries> index = indexAnalysis ? Index(settings) : nullptr;
  korvale::CRuleList rules(&settings);
  rules.LoadRules();
  std::unique_ptr<korvale::CAnalizeRuleReportDoc> report;
  long allocations = 0;
  double cpu = 0;
  for (auto _ : state) {
    korvale::CValidationJob job(Dictionary(), rules, settings, index.get(),
                                korvale::DefaultValidationParams(2026, 1));
    job.SetThreads(threads);
    const long before = g_allocations.load();
    const double cpu0 = CpuSeconds();
    korvale::AnalysisJobStatus status = job.Start();
    while (status == korvale::AnalysisJobStatus::kRunning) status = job.Step(40);
    report = job.Finish();
    cpu += CpuSeconds() - cpu0;
    allocations += g_allocations.load() - before;
  }
  const double records = report ? report->counters(0).events : 0;
  state.counters["rules"] = rules.count;
  state.counters["records"] = records;
  state.counters["cpu_s"] = cpu / static_cast<double>(state.iterations());
  state.counters["allocs_per_record"] =
      records > 0 ? allocations / static_cast<double>(state.iterations()) / records : 0;
  state.counters["records_per_s"] =
      benchmark::Counter(records * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

void BM_ValidateIndexOff(benchmark::State& state) {
  Validate(state, false, static_cast<int>(state.range(0)));
}
void BM_ValidateIndexOn(benchmark::State& state) {
  Validate(state, true, static_cast<int>(state.range(0)));
}

// The literal procedure on the first 100 stocks: each counted bar cuts a copy of the series
// there and computes the whole record again.
void Literal(benchmark::State& state, bool indexAnalysis) {
  const korvale::SettingsRecord settings = Settings(indexAnalysis);
  const std::unique_ptr<korvale::CPriceSeries> index = indexAnalysis ? Index(settings) : nullptr;
  korvale::CRuleList rules(&settings);
  rules.LoadRules();
  const korvale::ValidationParams params = korvale::DefaultValidationParams(2026, 1);
  long records = 0;
  for (auto _ : state) {
    records = 0;
    korvale::StockFiles files;
    korvale::CPriceSeries series, cut;
    korvale::AnalysisRecord rec;
    for (int item = 0, stocks = 0; item < Dictionary().itemCount && stocks < 100; ++item) {
      if (!korvale::ResolveItemFiles(Dictionary(), item, "", &files)) continue;
      if (!series.LoadMerged(files.pricePath, nullptr, 0)) continue;
      const int32_t count = series.barCount();
      if (count < korvale::kBacktestMinBars || !series.HasTradedShare(params.tradedPercent)) {
        continue;
      }
      ++stocks;
      for (int32_t i = korvale::kBacktestFirstBar; i < count - params.horizonDays - 1; ++i) {
        cut.bars.assign(series.bars.begin(), series.bars.begin() + i);
        korvale::ComputeAnalysisRecord(cut, i, settings, index.get(), &rec);
        int counted = 0;
        for (int j = 0; j < rules.count; ++j) {
          counted += korvale::CountedByValidation(rules.sets[static_cast<size_t>(j)], rec);
        }
        benchmark::DoNotOptimize(counted);
        ++records;
      }
    }
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["records_per_s"] = benchmark::Counter(
      static_cast<double>(records) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

void BM_Literal100StocksIndexOff(benchmark::State& state) { Literal(state, false); }
void BM_Literal100StocksIndexOn(benchmark::State& state) { Literal(state, true); }

// The replay of one stock of 4,000 bars or more, after a first pass has grown its buffers:
// what it allocates per bar.
void BM_ReplayAllocationsPerBar(benchmark::State& state) {
  const korvale::SettingsRecord settings = Settings(state.range(0) != 0);
  const std::unique_ptr<korvale::CPriceSeries> index = Index(settings);
  korvale::StockFiles files;
  korvale::CPriceSeries series;
  for (int item = 0; item < Dictionary().itemCount; ++item) {
    if (korvale::ResolveItemFiles(Dictionary(), item, "", &files) &&
        series.LoadMerged(files.pricePath, nullptr, 0) && series.barCount() >= 4000) {
      break;
    }
  }
  korvale::CHistoryReplay replay;
  korvale::AnalysisRecord rec;
  auto run = [&] {
    replay.Reset(series, settings, index.get());
    for (int32_t n = 0; n <= series.barCount(); ++n) replay.RecordAt(n, n, &rec);
  };
  run();
  long allocations = 0;
  for (auto _ : state) {
    const long before = g_allocations.load();
    run();
    allocations += g_allocations.load() - before;
  }
  state.counters["bars"] = series.barCount();
  state.counters["allocs_per_bar"] =
      allocations / static_cast<double>(state.iterations()) / (series.barCount() + 1);
}

}  // namespace

int main(int argc, char** argv) {
  const char* root = std::getenv("KORVALE_SAMPLE");
  if (!root || !korvale::FileExists(korvale::DictionaryFilePath(root))) {
    std::printf(
        "validation_bench: KORVALE_SAMPLE does not name a sample database; skipped "
        "(scripts/run-benchmarks.sh makes one)\n");
    return 0;
  }
  g_root = root;
  // The argument is the number of threads.
  using Run = void (*)(benchmark::State&);
  for (auto [name, run] : {std::pair<const char*, Run>{"BM_ValidateIndexOff", BM_ValidateIndexOff},
                           std::pair<const char*, Run>{"BM_ValidateIndexOn", BM_ValidateIndexOn}}) {
    benchmark::RegisterBenchmark(name, run)
        ->Arg(1)
        ->Arg(2)
        ->Unit(benchmark::kSecond)
        ->Iterations(1)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("BM_Literal100StocksIndexOff", BM_Literal100StocksIndexOff)
      ->Unit(benchmark::kSecond)
      ->Iterations(1)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_Literal100StocksIndexOn", BM_Literal100StocksIndexOn)
      ->Unit(benchmark::kSecond)
      ->Iterations(1)
      ->UseRealTime();
  // The argument switches the index analysis on.
  benchmark::RegisterBenchmark("BM_ReplayAllocationsPerBar", BM_ReplayAllocationsPerBar)
      ->Arg(0)
      ->Arg(1)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
