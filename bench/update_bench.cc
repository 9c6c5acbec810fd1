// The price update on the sample database: one day appended for every stock, and the same day
// merged into every stock's file by the complete update. The jobs work on a copy of the sample
// named by KORVALE_SAMPLE (scripts/run-benchmarks.sh makes and names it); the sample itself is
// never written.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "acquisition/price_update_job.h"
#include "acquisition/zentak_file_source.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace {

namespace fs = std::filesystem;

std::string g_root;       // the copy
std::string g_dailyText;  // one record for every stock of the copy
int g_records = 0;

// An eight-digit-date daily file for the first trading day of 2026, one comma record per stock
// the dictionary lists.
std::string DailyFile(const korvale::CStockDictionary& dict) {
  std::string text = "20260105 daily\r\ncode,market,name,open,high,low,close,volume\r\n";
  char line[96];
  for (const korvale::StockListItem& item : dict.items) {
    std::snprintf(line, sizeof line, "%04d,1,S%04d,%d,%d,%d,%d,%d\r\n", item.code, item.code, 500,
                  520, 490, 510, 123456);
    text += line;
  }
  return text;
}

void RunUpdate(benchmark::State& state, int completeUpdate) {
  korvale::CStockDictionary dict(g_root, g_root);
  korvale::CFolderPreparer folders(g_root, 0);
  const std::string input = g_root + "/DS260105.DAT";
  korvale::ImportOptions options;
  options.completeUpdate = completeUpdate;
  for (auto _ : state) {
    state.PauseTiming();
    korvale::WriteFileAtomically(input, g_dailyText.data(), g_dailyText.size());
    state.ResumeTiming();
    korvale::CPriceUpdateJob job(korvale::ImportSourcePtr(new korvale::CZentakFileSource), &dict,
                                 &folders, g_root, options, {input});
    korvale::UpdateJobStatus status = job.Start();
    while (status == korvale::UpdateJobStatus::kRunning)
      status = job.Step(korvale::kRecordsPerTick);
    job.Finish();
    if (job.counts().applied != g_records) state.SkipWithError("not every record was applied");
    state.PauseTiming();
    fs::remove(g_root + "/_DS260105.DAT");
    state.ResumeTiming();
  }
  state.counters["records"] = g_records;
  state.SetItemsProcessed(state.iterations() * g_records);
}

// The default update: each record appended to its stock's price file.
void BM_AppendOneDayEveryStock(benchmark::State& state) { RunUpdate(state, 0); }

// The complete update: each stock's file reloaded, merged by date and rewritten.
void BM_CompleteUpdateOneDayEveryStock(benchmark::State& state) { RunUpdate(state, 1); }

}  // namespace

int main(int argc, char** argv) {
  const char* sample = std::getenv("KORVALE_SAMPLE");
  if (!sample || !korvale::FileExists(korvale::DictionaryFilePath(sample))) {
    std::printf(
        "update_bench: KORVALE_SAMPLE does not name a sample database; skipped "
        "(scripts/run-benchmarks.sh makes one)\n");
    return 0;
  }
  std::string tmpl = (fs::temp_directory_path() / "korvale-update-bench-XXXXXX").string();
  if (!mkdtemp(tmpl.data())) {
    std::printf("update_bench: cannot make a temporary folder\n");
    return 1;
  }
  g_root = tmpl;
  std::error_code ec;
  // What the update and the scan read: the dictionary and every price file.
  fs::copy_file(korvale::DictionaryFilePath(sample), korvale::DictionaryFilePath(g_root), ec);
  for (const char* folder : {"Data", "Archive"}) {
    if (!ec && fs::exists(std::string(sample) + "/" + folder)) {
      fs::copy(std::string(sample) + "/" + folder, g_root + "/" + folder,
               fs::copy_options::recursive, ec);
    }
  }
  if (ec) {
    std::printf("update_bench: cannot copy the sample: %s\n", ec.message().c_str());
    fs::remove_all(g_root, ec);
    return 1;
  }
  {
    korvale::CStockDictionary dict(g_root, g_root);
    g_dailyText = DailyFile(dict);
    g_records = dict.itemCount;
  }
  benchmark::RegisterBenchmark("BM_AppendOneDayEveryStock", BM_AppendOneDayEveryStock)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_CompleteUpdateOneDayEveryStock",
                               BM_CompleteUpdateOneDayEveryStock)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(3);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::remove_all(g_root, ec);
  return 0;
}
