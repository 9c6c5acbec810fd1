// Analysis records of every stock from memory, with the market-index analysis off and on.
// The stocks are those of the sample database in $KORVALE_SAMPLE; without it, synthetic series
// of 5,000 bars are made in memory.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "screening/compute_analysis_record.h"
#include "store/price_series.h"
#include "store/week_of_year.h"

namespace {

using korvale::CPriceSeries;

struct Stocks {
  std::vector<std::unique_ptr<CPriceSeries>> series;
  std::unique_ptr<CPriceSeries> index;
  std::string source;
};

bool IsPriceFileName(const std::string& n) {
  if (n.size() != 10) return false;
  std::string l = n;
  std::transform(l.begin(), l.end(), l.begin(), [](unsigned char c) { return std::tolower(c); });
  return l.compare(0, 2, "kd") == 0 && l.compare(6, 4, ".kdt") == 0;
}

// Every price file below the sample root, loaded with its trend lines as the batch loads it.
void LoadSample(const std::string& root, Stocks* out) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->is_regular_file(ec) && IsPriceFileName(it->path().filename().string())) {
      files.push_back(it->path());
    }
  }
  std::sort(files.begin(), files.end());
  for (const fs::path& p : files) {
    auto s = std::make_unique<CPriceSeries>();
    if (!s->LoadAll(p.string())) continue;
    const std::string code = p.filename().string().substr(2, 4);
    s->SetLinePath(root + "/Data/LINE/LN" + code + ".DAT");
    s->LoadLines();
    out->series.push_back(std::move(s));
  }
  if (out->series.empty()) return;
  // The index: the sample's index stock when present (1010 by default), else the first stock.
  const CPriceSeries* pick = out->series.front().get();
  for (const fs::path& p : files) {
    if (p.filename().string().substr(2, 4) == "1010") {
      auto s = std::make_unique<CPriceSeries>();
      s->LoadMerged(p.string(), nullptr, 0);
      s->BuildWeekly(0, nullptr);
      out->index = std::move(s);
      break;
    }
  }
  if (!out->index) {
    out->index = std::make_unique<CPriceSeries>(*pick);
    out->index->BuildWeekly(0, nullptr);
  }
  out->source = root + " (" + std::to_string(out->series.size()) + " stocks)";
}

std::unique_ptr<CPriceSeries> Synthetic(int bars, uint32_t seed) {
  auto s = std::make_unique<CPriceSeries>();
  std::mt19937 rng(seed);
  int y = 1990, m = 1, d = 1;
  int32_t close = 500 + static_cast<int32_t>(rng() % 3000);
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
    b.open = close - static_cast<int32_t>(rng() % 11) + 5;
    b.high = std::max(b.open, close) + static_cast<int32_t>(rng() % 15);
    b.low = std::min(b.open, close) - static_cast<int32_t>(rng() % 15);
    b.close = close;
    b.volume = static_cast<int32_t>(rng() % 1000000);
    s->bars.push_back(b);
  }
  return s;
}

const Stocks& TheStocks() {
  static const Stocks stocks = [] {
    Stocks s;
    const char* sample = std::getenv("KORVALE_SAMPLE");
    if (sample && *sample) LoadSample(sample, &s);
    if (s.series.empty()) {
      for (uint32_t k = 0; k < 200; ++k) s.series.push_back(Synthetic(5000, k + 1));
      s.index = Synthetic(5000, 9999);
      s.index->BuildWeekly(0, nullptr);
      s.source = "synthetic (200 stocks of 5000 bars)";
    }
    return s;
  }();
  return stocks;
}

void Records(benchmark::State& state, bool indexAnalysis) {
  const Stocks& stocks = TheStocks();
  korvale::SettingsRecord settings;
  korvale::ApplySettingsDefaults(&settings, "/tmp");
  // The display span the main window gives an 800-pixel window with both bars docked.
  settings.dailySpanDays = 145;
  settings.useIndexAnalysis = indexAnalysis ? 1 : 0;
  korvale::AnalysisWorkspace workspace;
  korvale::AnalysisRecord rec;
  int64_t bars = 0;
  for (const auto& s : stocks.series) bars += s->barCount();
  for (auto _ : state) {
    int32_t i = 0;
    for (const auto& s : stocks.series) {
      korvale::ComputeAnalysisRecord(*s, i++, settings, stocks.index.get(), &rec, &workspace);
      benchmark::DoNotOptimize(rec);
    }
  }
  const double count = static_cast<double>(stocks.series.size());
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(stocks.series.size()));
  state.counters["records_per_second"] =
      benchmark::Counter(count, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["us_per_5000_bars"] = benchmark::Counter(
      static_cast<double>(bars) / 5000.0,
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetLabel(stocks.source);
}

void BM_AnalysisRecordsIndexOff(benchmark::State& state) { Records(state, false); }
void BM_AnalysisRecordsIndexOn(benchmark::State& state) { Records(state, true); }
BENCHMARK(BM_AnalysisRecordsIndexOff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AnalysisRecordsIndexOn)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
