// The signal chart's recomputation: four rules judged on each of 145 displayed bars (the span of
// an 800-pixel main window) of a 5,000-bar stock, each bar's record as of that day, against the
// literal procedure (load the file up to the day, compute the whole record) for scale. The rules
// are the sample's when KORVALE_SAMPLE names a sample database, with its index for the index
// analysis; the stock is written to a scratch folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/index_series.h"
#include "screening/compute_analysis_record.h"
#include "screening/condition_catalogue.h"
#include "screening/signal_rows.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/price_records.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"

namespace {

constexpr int kBars = 5000;
constexpr int kShown = 145;

std::string g_root;  // the sample, or empty
std::string g_path;  // the 5,000-bar price file

// Weekdays from 2006-01-02 with a deterministic walk of closes.
void WriteStock(const std::string& path) {
  std::vector<uint8_t> bytes;
  uint32_t r = 12345;
  int32_t close = 1500;
  int y = 2006, m = 1, d = 2, weekday = 1;  // Monday
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (int i = 0; i < kBars;) {
    if (weekday < 6) {
      r = r * 1103515245u + 12345u;
      const int32_t open = close;
      close = std::max(100, close + static_cast<int32_t>((r >> 16) % 61) - 30);
      korvale::PriceBar bar;
      bar.year = static_cast<int16_t>(y);
      bar.month = static_cast<int8_t>(m);
      bar.day = static_cast<int8_t>(d);
      bar.open = open;
      bar.high = std::max(open, close) + static_cast<int32_t>(r % 9);
      bar.low = std::min(open, close) - static_cast<int32_t>(r % 7);
      bar.close = close;
      bar.volume = 10000 + static_cast<int32_t>(r % 5000);
      uint8_t record[korvale::kPriceFileRecordSize];
      korvale::EncodeBar(bar, record);
      bytes.insert(bytes.end(), record, record + sizeof record);
      ++i;
    }
    weekday = weekday % 7 + 1;
    const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
    if (++d > kDays[m - 1] + (m == 2 && leap ? 1 : 0)) {
      d = 1;
      if (++m > 12) {
        m = 1;
        ++y;
      }
    }
  }
  korvale::WriteFileAtomically(path, bytes.data(), bytes.size());
}

struct Setup {
  korvale::SettingsRecord settings;
  std::unique_ptr<korvale::CRuleList> rules;
  std::unique_ptr<korvale::CPriceSeries> index;
  korvale::CPriceSeries chart;
};

Setup MakeSetup(bool indexAnalysis) {
  Setup s;
  korvale::ApplySettingsDefaults(&s.settings, g_root.empty() ? "/tmp" : g_root);
  s.settings.dailySpanDays = kShown;
  s.settings.useIndexAnalysis = indexAnalysis ? 1 : 0;
  s.rules = std::make_unique<korvale::CRuleList>(&s.settings);
  if (!g_root.empty()) {
    s.rules->LoadRules();
    const korvale::CStockDictionary dict(g_root, g_root);
    s.index = korvale::LoadIndexSeries(s.settings, [&dict](int code, std::string* folder) {
      return dict.GetFolder(code, folder) != 0;
    });
  } else {
    s.rules->sets.resize(1);
    s.rules->count = 1;
    korvale::InitConditionSet(&s.rules->sets[0], s.settings);
  }
  s.chart.LoadAll(g_path);
  return s;
}

void BM_SignalRows(benchmark::State& state) {
  Setup s = MakeSetup(state.range(0) != 0);
  const int32_t slots[korvale::kSignalSlots] = {0, 1, 2, 3};
  korvale::CSignalRowBuilder builder;
  std::array<korvale::SignalRowValues, korvale::kSignalSlots> rows;
  for (auto _ : state) {
    builder.Compute(s.chart, kShown, *s.rules, slots, s.settings, s.index.get(), &rows);
    benchmark::DoNotOptimize(rows[0].values.data());
  }
  state.counters["bars"] = s.chart.barCount();
  state.counters["shown"] = kShown;
}

// The text's own way: for each displayed bar, load the file up to its day and compute the
// whole record.
void BM_SignalRowsLiteral(benchmark::State& state) {
  Setup s = MakeSetup(state.range(0) != 0);
  for (auto _ : state) {
    korvale::CPriceSeries temporary;
    korvale::AnalysisRecord record;
    double sum = 0;
    for (int i = s.chart.barCount() - kShown; i < s.chart.barCount(); ++i) {
      const korvale::PriceBar& bar = s.chart.bars[static_cast<size_t>(i)];
      temporary.LoadUntil(bar.year, bar.month, bar.day, g_path);
      korvale::ComputeAnalysisRecord(temporary, 0, s.settings, s.index.get(), &record);
      for (int k = 0; k < s.rules->count && k < korvale::kSignalSlots; ++k) {
        sum += korvale::Score(s.rules->sets[static_cast<size_t>(k)], record);
      }
    }
    benchmark::DoNotOptimize(sum);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* root = std::getenv("KORVALE_SAMPLE");
  if (root && korvale::FileExists(korvale::DictionaryFilePath(root))) g_root = root;
  const std::filesystem::path scratch =
      std::filesystem::temp_directory_path() / ("korvale-signal-" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  g_path = (scratch / "KD9999.KDT").string();
  WriteStock(g_path);
  // The argument switches the index analysis on.
  benchmark::RegisterBenchmark("BM_SignalRows", BM_SignalRows)
      ->Arg(0)
      ->Arg(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_SignalRowsLiteral", BM_SignalRowsLiteral)
      ->Arg(0)
      ->Arg(1)
      ->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(scratch, ec);
  return 0;
}
