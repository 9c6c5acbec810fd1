// The analysis batch on the sample database, from the price files on disk, as the progress
// dialog runs it (slices of 20 stocks), and the screening page's lists over all its records.
// The sample root comes from KORVALE_SAMPLE (scripts/run-benchmarks.sh makes and names it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "app/index_series.h"
#include "screening/analysis_batch_job.h"
#include "screening/analysis_cache.h"
#include "screening/ranking.h"
#include "screening/rule_list.h"
#include "screening/screening_run.h"
#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"

namespace {

using korvale::AnalysisJobStatus;

std::string g_root;
std::string g_cacheFolder;

korvale::SettingsRecord Settings(bool indexAnalysis) {
  korvale::SettingsRecord settings;
  korvale::ApplySettingsDefaults(&settings, g_root);
  // The display span the main window gives an 800-pixel window with both bars docked.
  settings.dailySpanDays = 145;
  settings.useIndexAnalysis = indexAnalysis ? 1 : 0;
  return settings;
}

const korvale::CStockDictionary& Dictionary() {
  static const korvale::CStockDictionary dict(g_root, g_root);
  return dict;
}

// The store the document owns for the whole run.
korvale::CAnalysisStore& Store() {
  static korvale::CAnalysisStore store;
  return store;
}

// One whole batch per iteration: Start, Step(20) until the end, Finish (the cache file is
// written to a scratch folder so that the sample stays as made). The longest slice is what
// the window waits for between two events.
void Batch(benchmark::State& state, bool indexAnalysis, int threads) {
  const korvale::SettingsRecord settings = Settings(indexAnalysis);
  const korvale::CStockDictionary& dict = Dictionary();
  std::unique_ptr<korvale::CPriceSeries> index;
  if (indexAnalysis) {
    index = korvale::LoadIndexSeries(settings, [&dict](int code, std::string* folder) {
      return dict.GetFolder(code, folder) != 0;
    });
  }
  korvale::CAnalysisStore& store = Store();
  korvale::CAnalysisBatchJob job(dict, &store, settings, index.get(), g_root + "/Data/LINE",
                                 korvale::AnalysisCachePath(g_cacheFolder));
  job.SetThreads(threads);
  double longestSlice = 0;
  for (auto _ : state) {
    job.Start();
    for (;;) {
      const auto t0 = std::chrono::steady_clock::now();
      const AnalysisJobStatus status = job.Step(korvale::kStocksPerTick);
      const std::chrono::duration<double, std::milli> slice = std::chrono::steady_clock::now() - t0;
      longestSlice = std::max(longestSlice, slice.count());
      if (status != AnalysisJobStatus::kRunning) break;
    }
    if (!job.Finish()) state.SkipWithError("the cache file could not be written");
  }
  state.counters["stocks"] = job.total();
  state.counters["records"] = store.recordCount;
  state.counters["longest_slice_ms"] = longestSlice;
  state.SetItemsProcessed(state.iterations() * job.total());
}

void BM_AnalysisBatchIndexOff(benchmark::State& state) {
  Batch(state, false, static_cast<int>(state.range(0)));
}
void BM_AnalysisBatchIndexOn(benchmark::State& state) {
  Batch(state, true, static_cast<int>(state.range(0)));
}

// The store after a batch of the latest data, for the screening lists.
const korvale::CAnalysisStore& FilledStore() {
  static bool filled = false;
  korvale::CAnalysisStore& store = Store();
  if (!filled) {
    const korvale::SettingsRecord settings = Settings(false);
    korvale::CAnalysisBatchJob job(Dictionary(), &store, settings, nullptr, g_root + "/Data/LINE",
                                   korvale::AnalysisCachePath(g_cacheFolder));
    job.Start();
    while (job.Step(1000) == AnalysisJobStatus::kRunning) {
    }
    filled = true;
  }
  return store;
}

// Every rule of the sample on all records, as the technical page's run.
void BM_ScreeningRun(benchmark::State& state) {
  const korvale::CAnalysisStore& store = FilledStore();
  const korvale::SettingsRecord settings = Settings(false);
  korvale::CRuleList rules(&settings);
  rules.LoadRules();
  const korvale::ConditionSet& set =
      rules.sets[static_cast<size_t>(state.range(0)) % rules.sets.size()];
  korvale::ShownStockList list;
  for (auto _ : state) {
    korvale::RunRule(set, store, Dictionary(), &list);
    benchmark::DoNotOptimize(list.rows.data());
  }
  state.SetLabel(korvale::Cp932ToUtf8(set.name) + (set.mode ? " (score)" : " (all)"));
  state.counters["rows"] = static_cast<double>(list.rows.size());
}

// Every stock listed: the cost of the rows themselves.
void BM_ScreeningRunEveryStock(benchmark::State& state) {
  const korvale::CAnalysisStore& store = FilledStore();
  const korvale::SettingsRecord settings = Settings(false);
  korvale::ConditionSet set;
  korvale::InitConditionSet(&set, settings);
  korvale::ShownStockList list;
  for (auto _ : state) {
    korvale::RunRule(set, store, Dictionary(), &list);
    benchmark::DoNotOptimize(list.rows.data());
  }
  state.counters["rows"] = static_cast<double>(list.rows.size());
}

void BM_RankingAllMarkets(benchmark::State& state) {
  const korvale::CAnalysisStore& store = FilledStore();
  korvale::ShownStockList list;
  for (auto _ : state) {
    korvale::ListRanking(store, Dictionary(), static_cast<int>(state.range(0)), 0,
                         korvale::kMaxTopCount, &list);
    benchmark::DoNotOptimize(list.rows.data());
  }
  state.counters["rows"] = static_cast<double>(list.rows.size());
}

void BM_RankingOneMarketTop20(benchmark::State& state) {
  const korvale::CAnalysisStore& store = FilledStore();
  korvale::ShownStockList list;
  for (auto _ : state) {
    korvale::ListRanking(store, Dictionary(), 2, 2, 20, &list);
    benchmark::DoNotOptimize(list.rows.data());
  }
  state.counters["rows"] = static_cast<double>(list.rows.size());
}

void BM_RecordsYearHigh(benchmark::State& state) {
  const korvale::CAnalysisStore& store = FilledStore();
  korvale::ShownStockList list;
  for (auto _ : state) {
    korvale::ListRecords(store, Dictionary(), 0, &list);
    benchmark::DoNotOptimize(list.rows.data());
  }
  state.counters["rows"] = static_cast<double>(list.rows.size());
}

}  // namespace

int main(int argc, char** argv) {
  const char* root = std::getenv("KORVALE_SAMPLE");
  if (!root || !korvale::FileExists(korvale::DictionaryFilePath(root))) {
    std::printf(
        "analysis_batch_bench: KORVALE_SAMPLE does not name a sample database; skipped "
        "(scripts/run-benchmarks.sh makes one)\n");
    return 0;
  }
  g_root = root;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("korvale-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  g_cacheFolder = scratch.string();

  // The argument is the number of threads.
  benchmark::RegisterBenchmark("BM_AnalysisBatchIndexOff", BM_AnalysisBatchIndexOff)
      ->Arg(1)
      ->Arg(2)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(3)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_AnalysisBatchIndexOn", BM_AnalysisBatchIndexOn)
      ->Arg(1)
      ->Arg(2)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(3)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_ScreeningRun", BM_ScreeningRun)
      ->DenseRange(0, 3)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_ScreeningRunEveryStock", BM_ScreeningRunEveryStock)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RankingAllMarkets", BM_RankingAllMarkets)
      ->DenseRange(0, 4)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RankingOneMarketTop20", BM_RankingOneMarketTop20)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_RecordsYearHigh", BM_RecordsYearHigh)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  return 0;
}
