// The stock dictionary on the sample database: the local scan of the data root and the load of
// the name table, which together are what the program does before it can show its stock list.
// The sample root comes from KORVALE_SAMPLE (scripts/run-benchmarks.sh makes and names it).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/stock_dictionary.h"
#include "store/stock_list.h"
#include "store/stock_name_table.h"

namespace {

std::string g_root;

void BM_NameTableLoad(benchmark::State& state) {
  korvale::CStockNameTable names;
  for (auto _ : state) {
    names.Load(g_root);
    benchmark::DoNotOptimize(names.entries.data());
  }
}

void BM_LocalScan(benchmark::State& state) {
  korvale::CStockDictionary dict(g_root, g_root);
  for (auto _ : state) {
    dict.Rebuild();
    benchmark::DoNotOptimize(dict.itemCount);
  }
  state.counters["stocks"] = dict.itemCount;
  state.counters["folders"] = dict.folderCount;
  state.SetItemsProcessed(state.iterations() * dict.itemCount);
}

// What the program does on first use: load the names, then scan.
void BM_BuildDictionary(benchmark::State& state) {
  for (auto _ : state) {
    korvale::CStockDictionary dict(g_root, g_root);
    benchmark::DoNotOptimize(dict.itemCount);
  }
}

void BM_LookupEveryCode(benchmark::State& state) {
  korvale::CStockDictionary dict(g_root, g_root);
  std::string folder;
  for (auto _ : state) {
    int found = 0;
    for (int code = 1000; code <= 9999; ++code) found += dict.GetFolder(code, &folder);
    benchmark::DoNotOptimize(found);
  }
  state.SetItemsProcessed(state.iterations() * 9000);
}

void BM_FillAll(benchmark::State& state) {
  korvale::CStockDictionary dict(g_root, g_root);
  korvale::ShownStockList list;
  for (auto _ : state) {
    korvale::FillAll(dict, &list);
    benchmark::DoNotOptimize(list.rows.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* root = std::getenv("KORVALE_SAMPLE");
  if (!root || !korvale::FileExists(korvale::DictionaryFilePath(root))) {
    std::printf(
        "dictionary_bench: KORVALE_SAMPLE does not name a sample database; skipped "
        "(scripts/run-benchmarks.sh makes one)\n");
    return 0;
  }
  g_root = root;
  benchmark::RegisterBenchmark("BM_NameTableLoad", BM_NameTableLoad)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LocalScan", BM_LocalScan)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_BuildDictionary", BM_BuildDictionary)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_LookupEveryCode", BM_LookupEveryCode)
      ->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("BM_FillAll", BM_FillAll)->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
