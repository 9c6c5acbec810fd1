#include "support/literal_backtest.h"

#include <cstring>

#include "screening/compute_analysis_record.h"
#include "screening/condition_catalogue.h"
#include "sample/sample_database.h"
#include "store/stock_files.h"

namespace korvale::testing {

AnalysisRecord LiteralRecord(const CPriceSeries& series, int32_t count, int32_t identifier,
                             const SettingsRecord& settings, const CPriceSeries* index) {
  CPriceSeries cut;
  cut.bars.assign(series.bars.begin(), series.bars.begin() + count);
  cut.lines = series.lines;
  AnalysisRecord rec;
  ComputeAnalysisRecord(cut, identifier, settings, index, &rec);
  return rec;
}

bool LiteralBacktestStock(const CPriceSeries& series, const ValidationParams& p,
                          const std::vector<ConditionSet>& rules, const SettingsRecord& settings,
                          const CPriceSeries* index, std::vector<OutcomeCounters>* counters) {
  const int32_t b = series.barCount(), n = p.horizonDays;
  if (b <= 162 || !series.HasTradedShare(p.tradedPercent)) return false;
  const PriceBar* bars = series.bars.data();
  for (int32_t i = 140; i < b - n - 1; ++i) {
    if (!p.wholePeriod) {
      const int year = bars[i].year, month = bars[i].month;
      if (year < p.fromYear || year > p.toYear) continue;
      if (year == p.fromYear && month < p.fromMonth) continue;
      if (year == p.toYear && month > p.toMonth) continue;
    }
    const AnalysisRecord rec = LiteralRecord(series, i, i, settings, index);
    bool rise = false, fall = false;
    const double base = bars[i].close;
    if (base > 0) {
      if (p.afterMode) {
        const double x = bars[i + n].close / base;
        if (x >= p.riseFactor()) {
          rise = true;
        } else if (x <= p.fallFactor()) {
          fall = true;
        }
      } else {
        for (int32_t k = 1; k <= n; ++k) {
          const double x = bars[i + k].close / base;
          if (x >= p.riseFactor()) {
            rise = true;
          } else if (x <= p.fallFactor()) {
            fall = true;
          }
        }
      }
    }
    auto count = [&](OutcomeCounters* c) {
      ++c->events;
      if (rise || fall) {
        c->rises += rise;
        c->falls += fall;
      } else {
        ++c->neutrals;
      }
    };
    count(&(*counters)[0]);
    for (size_t j = 0; j < rules.size(); ++j) {
      const ConditionSet& rule = rules[j];
      const bool counted =
          rule.mode == 0 ? MatchesAll(rule, rec) : Score(rule, rec) > rule.scoreThreshold;
      if (counted) count(&(*counters)[j + 1]);
    }
  }
  return true;
}

std::vector<AnalysisRecord> LiteralSignalRecords(const CPriceSeries& series,
                                                 const std::string& path, int shown,
                                                 const SettingsRecord& settings,
                                                 const CPriceSeries* index) {
  std::vector<AnalysisRecord> records;
  for (int32_t i = series.barCount() - shown; i < series.barCount(); ++i) {
    const PriceBar& bar = series.bars[static_cast<size_t>(i)];
    CPriceSeries temporary;
    temporary.LoadUntil(bar.year, bar.month, bar.day, path);
    AnalysisRecord rec;
    ComputeAnalysisRecord(temporary, 0, settings, index, &rec);
    records.push_back(rec);
  }
  return records;
}

bool MakeSampleWithIndex(const std::string& dir, int stocks, int years, SampleWithIndex* out,
                         std::string* error) {
  SampleOptions options;
  options.stocks = stocks;
  options.years = years;
  if (!MakeSampleDatabase(dir, options, nullptr, error)) return false;
  out->dictionary = std::make_unique<CStockDictionary>(dir, dir);
  StockFiles files;
  if (!ResolveStockFiles(*out->dictionary, 1010, "", &files) ||
      !out->index.LoadMerged(files.pricePath, nullptr, 0)) {
    *error = "the sample has no index stock 1010";
    return false;
  }
  out->index.BuildWeekly(0, nullptr);
  return true;
}

bool SameRecord(const AnalysisRecord& a, const AnalysisRecord& b) {
  uint8_t x[kAnalysisRecordSize], y[kAnalysisRecordSize];
  EncodeAnalysisRecord(a, x);
  EncodeAnalysisRecord(b, y);
  return std::memcmp(x, y, sizeof x) == 0;
}

std::string RecordDifferences(const AnalysisRecord& a, const AnalysisRecord& b) {
  std::string text;
  for (const RecordField& f : AnalysisRecordFields()) {
    const std::string x = RecordFieldText(a, f), y = RecordFieldText(b, f);
    if (x != y) text += std::string(f.name) + " " + x + " vs " + y + "; ";
  }
  return text;
}

}  // namespace korvale::testing
