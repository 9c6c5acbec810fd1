// The maintenance batches on the sample database: the bulk export of every bar, the bulk import
// of that file into an empty data root, the consistency check and the removal of one day from
// every price file. The jobs work on a copy of the sample named by KORVALE_SAMPLE
// (scripts/run-benchmarks.sh makes and names it); the sample itself is never written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "acquisition/bulk_export_job.h"
#include "acquisition/bulk_import_job.h"
#include "acquisition/consistency_check_job.h"
#include "acquisition/delete_date_job.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace {

namespace fs = std::filesystem;
using korvale::BatchStatus;

std::string g_root;   // the copy of the sample
std::string g_empty;  // the data root the import fills
std::string g_bulk;   // the export of every bar

void Run(benchmark::State& state, korvale::CBatchJob* job) {
  BatchStatus status = job->Start();
  while (status == BatchStatus::kRunning) status = job->Step(korvale::kBatchItemsPerTick);
  job->Finish();
  if (status != BatchStatus::kFinished) state.SkipWithError(job->message().c_str());
}

void BM_BulkExportEverything(benchmark::State& state) {
  korvale::CStockDictionary dict(g_root, g_root);
  long long bars = 0;
  for (auto _ : state) {
    korvale::CBulkExportJob job(dict, korvale::ExportRange{}, g_bulk);
    Run(state, &job);
    bars = job.counts().bars;
  }
  state.counters["stocks"] = dict.itemCount;
  state.counters["bars"] = static_cast<double>(bars);
  state.counters["MB"] = static_cast<double>(korvale::FileSize(g_bulk)) / 1e6;
}

void BM_BulkImportIntoAnEmptyRoot(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::error_code ec;
    fs::remove_all(g_empty, ec);
    fs::create_directories(g_empty, ec);
    korvale::CStockDictionary dict(g_empty, g_empty);
    korvale::CFolderPreparer folders(g_empty, 0);
    korvale::ImportOptions options;
    options.addUnregistered = 1;
    korvale::CBulkImportJob job(&dict, &folders, g_empty, options, g_bulk);
    state.ResumeTiming();
    Run(state, &job);
    state.counters["stocks"] = job.blocks();
    state.counters["bars"] = static_cast<double>(job.storeCounts().applied);
  }
}

void BM_ConsistencyCheck(benchmark::State& state) {
  korvale::CStockDictionary dict(g_root, g_root);
  for (auto _ : state) {
    korvale::CConsistencyCheckJob job(dict);
    Run(state, &job);
    state.counters["failing"] = static_cast<double>(job.list().rows.size());
  }
}

void BM_DeleteOneDayFromEveryPriceFile(benchmark::State& state) {
  korvale::CStockDictionary dict(g_root, g_root);
  // Each run removes another day of January 2025, so every run rewrites every file and cuts a
  // day from the files that hold it.
  int day = 6;
  for (auto _ : state) {
    korvale::DeleteDateTarget target;
    target.year = 2025;
    target.month = 1;
    target.day = day++;
    korvale::CDeleteDateJob job(dict, target);
    Run(state, &job);
    state.counters["files"] = job.counts().rewritten;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* sample = std::getenv("KORVALE_SAMPLE");
  if (!sample || !korvale::FileExists(korvale::DictionaryFilePath(sample))) {
    std::printf(
        "maintenance_bench: KORVALE_SAMPLE does not name a sample database; skipped "
        "(scripts/run-benchmarks.sh makes one)\n");
    return 0;
  }
  std::string tmpl = (fs::temp_directory_path() / "korvale-maintenance-bench-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    std::printf("maintenance_bench: cannot make a temporary folder\n");
    return 1;
  }
  g_root = tmpl + "/root";
  g_empty = tmpl + "/empty";
  g_bulk = tmpl + "/株価All";
  std::error_code ec;
  fs::create_directories(g_root, ec);
  fs::copy_file(korvale::DictionaryFilePath(sample), korvale::DictionaryFilePath(g_root), ec);
  for (const char* folder : {"Data", "Archive"}) {
    if (!ec && fs::exists(std::string(sample) + "/" + folder)) {
      fs::copy(std::string(sample) + "/" + folder, g_root + "/" + folder,
               fs::copy_options::recursive, ec);
    }
  }
  if (ec) {
    std::printf("maintenance_bench: cannot copy the sample: %s\n", ec.message().c_str());
    fs::remove_all(tmpl, ec);
    return 1;
  }
  // The import reads what the export wrote: the export runs first.
  benchmark::RegisterBenchmark("BM_BulkExportEverything", BM_BulkExportEverything)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("BM_BulkImportIntoAnEmptyRoot", BM_BulkImportIntoAnEmptyRoot)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("BM_ConsistencyCheck", BM_ConsistencyCheck)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::RegisterBenchmark("BM_DeleteOneDayFromEveryPriceFile",
                               BM_DeleteOneDayFromEveryPriceFile)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(tmpl, ec);
  return 0;
}
