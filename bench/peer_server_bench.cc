// The peer server under load on loopback: 32 clients fetching every price file of the sample
// database through it, against the same clients reading the files directly, and the analysis
// batch of a remote-mode run reading its stocks from the server.
// The sample root comes from KORVALE_SAMPLE (scripts/run-benchmarks.sh makes and names it).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "acquisition/peer_list_fetch.h"
#include "screening/analysis_batch_job.h"
#include "screening/analysis_cache.h"
#include "net/http_client.h"
#include "net/peer_server.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/settings_record.h"
#include "store/stock_files.h"

namespace {

constexpr int kClients = 32;

std::string g_root;
std::string g_scratch;
std::unique_ptr<korvale::CPeerServer> g_server;

// The stock list of a remote-mode run: the server's stock page, read as the program reads it.
const korvale::CStockDictionary& RemoteDictionary() {
  static const auto dictionary = [] {
    auto d = std::make_unique<korvale::CStockDictionary>(g_server->ListUrl(), g_scratch, 0, "", 0);
    korvale::FetchPeerList(g_server->ListUrl(), korvale::WebFetchOptions{}, d.get());
    return d;
  }();
  return *dictionary;
}

const korvale::CStockDictionary& LocalDictionary() {
  static const korvale::CStockDictionary dictionary(g_root, g_root);
  return dictionary;
}

// Every stock's files, from `dictionary`.
std::vector<korvale::StockFiles> AllFiles(const korvale::CStockDictionary& dictionary) {
  std::vector<korvale::StockFiles> files(static_cast<size_t>(dictionary.itemCount));
  for (int i = 0; i < dictionary.itemCount; ++i) {
    korvale::ResolveItemFiles(dictionary, i, "", &files[static_cast<size_t>(i)]);
  }
  return files;
}

// The direct runs' bytes a second, against which the served runs report their share.
double g_directReadRate = 0;
double g_directLoadRate = 0;

// Records a direct run's rate, or reports a served run's as a percentage of the direct one.
void CompareWithDirect(benchmark::State& state, int64_t bytes,
                       std::chrono::steady_clock::duration elapsed, bool served, double* direct) {
  const double seconds = std::chrono::duration<double>(elapsed).count();
  if (seconds <= 0) return;
  const double rate = static_cast<double>(bytes) / seconds;
  if (!served) {
    *direct = rate;
  } else if (*direct > 0) {
    state.counters["pct_of_direct"] = 100.0 * rate / *direct;
  }
}

// 32 threads take the files in turn and read each whole: from disk as opening a stock reads it,
// or with a GET to the server; one iteration reads every file once. A failed request is a GET
// without a 200 answer (or a file that does not open); files that are not whole 26-byte records
// (the sample damages a few on purpose) are counted apart, as remote mode refuses them.
void ReadEveryFile(benchmark::State& state, const std::vector<korvale::StockFiles>& files,
                   bool served) {
  int64_t bytes = 0, failed = 0, notWhole = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    std::atomic<size_t> next{0};
    std::atomic<int64_t> read{0}, failures{0}, cut{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
      clients.emplace_back([&] {
        std::string body;
        std::vector<uint8_t> bytes;
        for (size_t i; (i = next.fetch_add(1)) < files.size();) {
          bool ok;
          size_t size;
          if (served) {
            korvale::HttpRequest request;
            request.url = files[i].pricePath;
            const korvale::HttpResult result = korvale::HttpGetBody(request, &body);
            ok = !result.transferFailed && result.status == 200;
            size = body.size();
          } else {
            ok = korvale::ReadWholeFile(files[i].pricePath, &bytes);
            size = bytes.size();
          }
          if (!ok) {
            ++failures;
            continue;
          }
          read += static_cast<int64_t>(size);
          if (size % korvale::kPriceFileRecordSize != 0) ++cut;
        }
      });
    }
    for (std::thread& t : clients) t.join();
    bytes += read.load();
    failed += failures.load();
    notWhole = cut.load();
  }
  CompareWithDirect(state, bytes, std::chrono::steady_clock::now() - start, served,
                    &g_directReadRate);
  state.SetBytesProcessed(bytes);
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["failed"] = static_cast<double>(failed);
  state.counters["not_whole_records"] = static_cast<double>(notWhole);
  if (failed > 0) state.SkipWithError("a request failed");
}

void BM_DirectRead32(benchmark::State& state) {
  ReadEveryFile(state, AllFiles(LocalDictionary()), false);
}

void BM_ServedRead32(benchmark::State& state) {
  ReadEveryFile(state, AllFiles(RemoteDictionary()), true);
}

// The same 32 clients opening every stock as the document does (LoadStock: the bytes, then the
// bars decoded): locally from the files, remotely through the peer reader.
void LoadEveryStock(benchmark::State& state, const std::vector<korvale::StockFiles>& files,
                    bool served) {
  int64_t bytes = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    std::atomic<size_t> next{0};
    std::atomic<int64_t> read{0};
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
      clients.emplace_back([&] {
        korvale::CPriceSeries series;
        for (size_t i; (i = next.fetch_add(1)) < files.size();) {
          korvale::LoadStock(files[i], &series);
          read += static_cast<int64_t>(series.barCount()) *
                  static_cast<int64_t>(korvale::kPriceFileRecordSize);
        }
      });
    }
    for (std::thread& t : clients) t.join();
    bytes += read.load();
  }
  CompareWithDirect(state, bytes, std::chrono::steady_clock::now() - start, served,
                    &g_directLoadRate);
  state.SetBytesProcessed(bytes);
}

void BM_DirectLoad32(benchmark::State& state) {
  LoadEveryStock(state, AllFiles(LocalDictionary()), false);
}
void BM_ServedLoad32(benchmark::State& state) {
  LoadEveryStock(state, AllFiles(RemoteDictionary()), true);
}

// The analysis batch of a remote-mode run, as korvale-cli analyze runs it.
void BM_RemoteAnalysisBatch(benchmark::State& state) {
  korvale::SettingsRecord settings;
  korvale::ApplySettingsDefaults(&settings, g_scratch);
  settings.dataSourceMode = 1;
  settings.dailySpanDays = 145;
  korvale::CAnalysisStore store;
  korvale::CAnalysisBatchJob job(RemoteDictionary(), &store, settings, nullptr, "",
                                 korvale::AnalysisCachePath(g_scratch));
  job.SetThreads(korvale::DefaultBatchThreads());
  for (auto _ : state) {
    job.Start();
    while (job.Step(korvale::kStocksPerTick) == korvale::AnalysisJobStatus::kRunning) {
    }
    if (!job.Finish()) state.SkipWithError("the cache file could not be written");
  }
  state.counters["stocks"] = job.total();
  state.counters["records"] = store.recordCount;
  // The stocks whose files are not whole records: refused, and counted here.
  state.counters["unreadable"] = job.unreadable();
}

}  // namespace

int main(int argc, char** argv) {
  const char* root = std::getenv("KORVALE_SAMPLE");
  if (!root || !korvale::FileExists(korvale::DictionaryFilePath(root))) {
    std::printf(
        "peer_server_bench: KORVALE_SAMPLE does not name a sample database; skipped "
        "(scripts/run-benchmarks.sh makes one)\n");
    return 0;
  }
  g_root = root;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("korvale-peer-bench-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  g_scratch = scratch.string();
  // The remote run's names come from a copy of the peer's dictionary, as a peer installation has.
  std::filesystem::copy_file(korvale::DictionaryFilePath(g_root),
                             korvale::DictionaryFilePath(g_scratch));

  korvale::PeerServerOptions options;
  options.root = g_root;
  g_server = std::make_unique<korvale::CPeerServer>(options);
  std::string error;
  if (!g_server->Start(&error)) {
    std::fprintf(stderr, "peer_server_bench: %s\n", error.c_str());
    return 1;
  }
  if (RemoteDictionary().itemCount != LocalDictionary().itemCount) {
    std::fprintf(stderr, "peer_server_bench: the server lists %d stocks, the root %d\n",
                 RemoteDictionary().itemCount, LocalDictionary().itemCount);
    return 1;
  }

  benchmark::RegisterBenchmark("BM_DirectRead32", BM_DirectRead32)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_ServedRead32", BM_ServedRead32)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_DirectLoad32", BM_DirectLoad32)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_ServedLoad32", BM_ServedLoad32)
      ->Unit(benchmark::kMillisecond)
      ->MinTime(2)
      ->UseRealTime();
  benchmark::RegisterBenchmark("BM_RemoteAnalysisBatch", BM_RemoteAnalysisBatch)
      ->Unit(benchmark::kMillisecond)
      ->Iterations(2)
      ->UseRealTime();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_server.reset();
  std::filesystem::remove_all(scratch);
  return 0;
}
