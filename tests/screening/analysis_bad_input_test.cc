// Damaged series and absurd settings: every field finite or its invalid value, nothing read
// out of bounds (the sanitizer build checks the latter).
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "screening/compute_analysis_record.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::CloseBars;
using testing::DefaultSettings;
using testing::SeriesOf;

void ExpectFinite(const AnalysisRecord& r, const std::string& what) {
  for (const RecordField& f : AnalysisRecordFields()) {
    if (f.type != RecordFieldType::kDouble) continue;
    double v;
    std::memcpy(&v, reinterpret_cast<const uint8_t*>(&r) + f.offset, sizeof v);
    EXPECT_TRUE(std::isfinite(v)) << what << ": " << f.name;
  }
}

// Every period the record reads set to one value (the 16-bit ones clamped to their range).
SettingsRecord AllPeriods(int64_t v) {
  SettingsRecord s = DefaultSettings();
  const int32_t i = static_cast<int32_t>(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
  const int16_t h = static_cast<int16_t>(std::clamp<int64_t>(v, SHRT_MIN, SHRT_MAX));
  s.dailyMaShort = s.dailyMaLong = s.dailySpanDays = h;
  s.rciPeriod1 = s.rciPeriod2 = s.volumeRatioPeriod = s.rsiPeriod1 = s.rsiPeriod2 = i;
  s.stochasticsPeriod = s.stochasticsSumPeriod = s.cciPeriod = s.bollingerPeriod = i;
  s.dmiPeriod = s.macdPeriod1 = s.macdPeriod2 = s.macdSignalPeriod = i;
  s.highLowMonths = s.weeklyIndexPeriod = i;
  s.ichimokuDailyBase = s.ichimokuDailyConversion = s.ichimokuDailySpanPeriod = i;
  s.ichimokuDailyLeadShiftA = i;
  s.useIndexAnalysis = 1;
  return s;
}

std::vector<std::vector<PriceBar>> Series() {
  std::vector<std::vector<PriceBar>> all;
  all.push_back({});
  all.push_back(CloseBars({100}));
  all.push_back(CloseBars({100, 100}));
  all.push_back(CloseBars(std::vector<int32_t>(300, 250)));  // flat
  all.push_back(CloseBars(std::vector<int32_t>(300, 0)));    // zero closes
  std::vector<PriceBar> junk = CloseBars(std::vector<int32_t>(400, 1));
  std::mt19937 rng(42);
  for (PriceBar& b : junk) {  // anything a damaged file can hold
    b.year = static_cast<int16_t>(rng());
    b.month = static_cast<int8_t>(rng());
    b.day = static_cast<int8_t>(rng());
    b.open = static_cast<int32_t>(rng());
    b.high = static_cast<int32_t>(rng());
    b.low = static_cast<int32_t>(rng());
    b.close = static_cast<int32_t>(rng());
    b.volume = static_cast<int32_t>(rng());
  }
  all.push_back(junk);
  std::vector<PriceBar> extreme = CloseBars(std::vector<int32_t>(120, INT_MAX));
  for (size_t i = 0; i < extreme.size(); i += 2) {
    extreme[i].low = extreme[i].close = INT_MIN;
    extreme[i].volume = INT_MAX;
  }
  all.push_back(extreme);
  return all;
}

TEST(AnalysisBadInputTest, EveryFieldFiniteForDamagedSeriesAndAbsurdPeriods) {
  const auto series = Series();
  CPriceSeries index = SeriesOf(CloseBars(std::vector<int32_t>(300, 5)));
  index.bars[100].close = 7;
  index.BuildWeekly(0, nullptr);
  for (int64_t period : {int64_t{0}, int64_t{-1}, int64_t{1}, int64_t{2}, int64_t{3}, int64_t{299},
                         int64_t{300}, int64_t{SHRT_MAX}, int64_t{INT_MAX}, int64_t{INT_MIN}}) {
    const SettingsRecord s = AllPeriods(period);
    for (size_t k = 0; k < series.size(); ++k) {
      const CPriceSeries stock = SeriesOf(series[k]);
      const CPriceSeries* indexes[] = {nullptr, &index, &stock};
      for (const CPriceSeries* idx : indexes) {
        AnalysisRecord r;
        ComputeAnalysisRecord(stock, 1, s, idx, &r);
        ExpectFinite(r, "period " + std::to_string(period) + " series " + std::to_string(k));
      }
    }
  }
}

TEST(AnalysisBadInputTest, AbsurdParabolicStepsAndAnEmptyRecordForNoBars) {
  SettingsRecord s = DefaultSettings();
  const CPriceSeries stock = SeriesOf(CloseBars(std::vector<int32_t>(60, 10)));
  for (double step : {0.0, -1.0, 1e308, std::nan(""), std::numeric_limits<double>::infinity()}) {
    s.sarStep = step;
    s.sarMax = step;
    AnalysisRecord r;
    ComputeAnalysisRecord(stock, 1, s, nullptr, &r);
    EXPECT_TRUE(r.sarCode == -1 || r.sarCode == 0 || r.sarCode == 1);
  }
  AnalysisRecord empty;
  ComputeAnalysisRecord(SeriesOf({}), 3, DefaultSettings(), nullptr, &empty);
  AnalysisRecord expected;
  expected.stockIndex = 3;
  EXPECT_EQ(std::memcmp(&empty, &expected, sizeof empty), 0);
}

TEST(AnalysisBadInputTest, ACallerWorkspaceGivesTheSameRecords) {
  AnalysisWorkspace ws;
  const SettingsRecord s = DefaultSettings();
  for (const auto& bars : Series()) {
    const CPriceSeries stock = SeriesOf(bars);
    AnalysisRecord a, b;
    ComputeAnalysisRecord(stock, 1, s, nullptr, &a, &ws);
    ComputeAnalysisRecord(stock, 1, s, nullptr, &b);
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0);
  }
}

}  // namespace
}  // namespace korvale
