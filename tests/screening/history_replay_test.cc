// The history replay against the literal procedure: at every cut of series made to walk each
// indicator family's carried state through the places where it goes wrong, and on sample stocks.
#include "screening/history_replay.h"

#include <gtest/gtest.h>

#include <functional>

#include "store/stock_dictionary.h"
#include "store/stock_files.h"
#include "support/chart_fixtures.h"
#include "support/literal_backtest.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::DefaultSettings;
using testing::LiteralRecord;
using testing::RecordDifferences;
using testing::SameRecord;

// A deterministic walk of `count` bars from 2003-12-22, one every `step` calendar days (so a few
// hundred bars cross several years), with ranges, gaps and volumes of their own.
std::vector<PriceBar> Walk(int count, uint32_t seed, int step = 3) {
  std::vector<PriceBar> bars;
  uint32_t r = seed;
  auto next = [&r](int range) {
    r = r * 1103515245u + 12345u;
    return static_cast<int>((r >> 16) % static_cast<uint32_t>(range));
  };
  int y = 2003, m = 12, d = 22;
  int32_t close = 1000;
  for (int i = 0; i < count; ++i) {
    const int32_t open = close + next(41) - 20;
    close = std::max(10, close + next(61) - 30);
    const int32_t high = std::max(open, close) + next(15);
    const int32_t low = std::min(open, close) - next(15);
    bars.push_back(testing::Bar(y, m, d, open, high, low, close, 1000 + 100 * next(50) + next(2)));
    for (int k = 0; k < step; ++k) {
      static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
      if (++d > kDays[m - 1]) {
        d = 1;
        if (++m > 12) {
          m = 1;
          ++y;
        }
      }
    }
  }
  return bars;
}

// Bars from..to-1 all at one price, traded or not.
void Flatten(std::vector<PriceBar>* bars, int from, int to, int32_t price, int32_t volume) {
  for (int i = from; i < to; ++i) {
    PriceBar& b = (*bars)[static_cast<size_t>(i)];
    b.open = b.high = b.low = b.close = price;
    b.volume = volume;
  }
}

SettingsRecord SmallWindows() {
  SettingsRecord s = DefaultSettings();
  s.dailyMaShort = 3;
  s.dailyMaLong = 7;
  s.rciPeriod1 = 5;
  s.rciPeriod2 = 9;
  s.rsiPeriod1 = 4;
  s.rsiPeriod2 = 9;
  s.volumeRatioPeriod = 6;
  s.stochasticsPeriod = 5;
  s.stochasticsSumPeriod = 3;
  s.bollingerPeriod = 6;
  s.cciPeriod = 5;
  s.dmiPeriod = 3;
  s.macdPeriod1 = 3;
  s.macdPeriod2 = 7;
  s.macdSignalPeriod = 4;
  s.dailySpanDays = 12;
  s.highLowMonths = 1;  // 21 bars
  s.ichimokuDailyBase = 6;
  s.ichimokuDailyConversion = 3;
  s.ichimokuDailySpanPeriod = 12;
  s.ichimokuDailyLeadShiftA = 5;
  return s;
}

struct FamilyCase {
  const char* family;
  std::function<void(SettingsRecord*)> tune;
  std::function<void(std::vector<PriceBar>*)> shape;
};

// Each case shapes the bars and the periods so that its family's state is carried across a
// window's start, a flat stretch, an extreme leaving the window and the window sliding on.
const FamilyCase kFamilyCases[] = {
    {"averages and extremes: a new high leaves the window, years roll over",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) {
       (*b)[60].high += 900;   // the period high for 21 bars, then gone
       (*b)[200].low = 1;      // the lowest low of all, kept for good
     }},
    {"rank correlation: flat stretches give tied ranks",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) {
       Flatten(b, 40, 55, 1000, 1000);
       Flatten(b, 120, 124, 980, 0);
     }},
    {"relative strength and volume ratio: no falling day, equal closes split odd volumes",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) {
       for (int i = 80; i < 95; ++i) (*b)[i].close = (*b)[i - 1].close + (i % 3 == 0 ? 0 : 4);
       Flatten(b, 150, 160, 1200, 777);
     }},
    {"stochastics: flat windows have no range",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) { Flatten(b, 100, 112, 900, 500); }},
    {"Ichimoku: the cloud drawn before the bar, closes on its edges",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) { Flatten(b, 70, 90, 1000, 500); }},
    {"DMI over a span at least its period",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) {
       for (int i = 130; i < 140; ++i) (*b)[i].high = (*b)[i - 1].high - 1;  // inside days
     }},
    {"DMI over a span shorter than its period",
     [](SettingsRecord* s) { s->dmiPeriod = 8; s->dailySpanDays = 5; },
     [](std::vector<PriceBar>*) {}},
    {"MACD: the display window slides over a flat stretch",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) { Flatten(b, 60, 90, 1000, 1000); }},
    {"OBV: a stretch without volume leaves the running sum flat",
     [](SettingsRecord* s) { s->dailySpanDays = 8; },
     [](std::vector<PriceBar>* b) {
       for (int i = 40; i < 60; ++i) (*b)[i].volume = 0;
     }},
    {"stop-and-reverse: zig-zags reverse the line, a still line",
     [](SettingsRecord*) {},
     [](std::vector<PriceBar>* b) {
       for (int i = 100; i < 180; ++i) {
         const int32_t c = 1000 + ((i / 6) % 2 == 0 ? 1 : -1) * (i % 6) * 25;
         (*b)[i] = testing::Bar((*b)[i].year, (*b)[i].month, (*b)[i].day, c, c + 10, c - 10, c,
                                1000);
       }
       Flatten(b, 200, 240, 1000, 1000);
     }},
};

TEST(HistoryReplayTest, EachFamilyEqualsTheCutSeriesRecordAtEveryBar) {
  for (const FamilyCase& c : kFamilyCases) {
    SCOPED_TRACE(c.family);
    SettingsRecord settings = SmallWindows();
    c.tune(&settings);
    std::vector<PriceBar> bars = Walk(320, 7);
    c.shape(&bars);
    const CPriceSeries series = testing::SeriesOf(bars);
    CHistoryReplay replay;
    replay.Reset(series, settings, nullptr);
    for (int32_t n = 0; n <= series.barCount(); ++n) {
      AnalysisRecord fast;
      replay.RecordAt(n, n, &fast);
      const AnalysisRecord literal = LiteralRecord(series, n, n, settings, nullptr);
      ASSERT_TRUE(SameRecord(fast, literal)) << "cut " << n << ": "
                                             << RecordDifferences(fast, literal);
    }
  }
}

// An index with its own holidays, a flat stretch and weekly bars, for the index family.
CPriceSeries IndexSeries(const std::vector<PriceBar>& bars) {
  CPriceSeries index = testing::SeriesOf(bars);
  index.BuildWeekly(0, nullptr);
  return index;
}

TEST(HistoryReplayTest, IndexFamilyEqualsTheCutSeriesRecordAtEveryBar) {
  SettingsRecord settings = SmallWindows();
  settings.useIndexAnalysis = 1;
  settings.weeklyIndexPeriod = 2;  // windows of 10 closes
  std::vector<PriceBar> indexBars = Walk(420, 11, 1);
  Flatten(&indexBars, 200, 215, 1500, 1000);
  indexBars.erase(indexBars.begin() + 300, indexBars.begin() + 303);  // the index's holidays
  const CPriceSeries index = IndexSeries(indexBars);
  struct StockCase {
    const char* name;
    std::vector<PriceBar> bars;
  };
  std::vector<PriceBar> longer = Walk(520, 5, 1);  // more weeks than the index
  std::vector<PriceBar> copy(indexBars.begin() + 40, indexBars.end());
  std::vector<PriceBar> unordered = Walk(260, 9, 1);
  unordered.insert(unordered.end(), unordered.end() - 3, unordered.end());
  std::vector<PriceBar> holidays = Walk(300, 3, 1);
  holidays.erase(holidays.begin() + 150, holidays.begin() + 152);
  const StockCase cases[] = {{"a stock with holidays of its own", holidays},
                             {"a stock that copies the index", copy},
                             {"a stock with more weeks than the index", longer},
                             {"a stock whose last days repeat", unordered}};
  for (const StockCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CPriceSeries series = testing::SeriesOf(c.bars);
    CHistoryReplay replay;
    replay.Reset(series, settings, &index);
    for (int32_t n = 0; n <= series.barCount(); ++n) {
      AnalysisRecord fast;
      replay.RecordAt(n, n, &fast);
      const AnalysisRecord literal = LiteralRecord(series, n, n, settings, &index);
      ASSERT_TRUE(SameRecord(fast, literal)) << "cut " << n << ": "
                                             << RecordDifferences(fast, literal);
    }
  }
}

TEST(HistoryReplayTest, TrendLinesAreReadAsTheRecordReadsThem) {
  const SettingsRecord settings = SmallWindows();
  CPriceSeries series = testing::SeriesOf(Walk(60, 2));
  series.lines.push_back(testing::TrendLineOf(10, 900, 50, 1100, 2));
  CHistoryReplay replay;
  replay.Reset(series, settings, nullptr);
  for (int32_t n = 0; n <= series.barCount(); ++n) {
    AnalysisRecord fast;
    replay.RecordAt(n, 3, &fast);
    EXPECT_TRUE(SameRecord(fast, LiteralRecord(series, n, 3, settings, nullptr))) << n;
  }
}

// Sample stocks as the validation loads them, with their index: every few cuts compared, and
// every cut of some, under the default periods with index analysis on and off and two spans.
TEST(HistoryReplayTest, SampleStocksEqualTheCutSeriesRecord) {
  testing::TempDir root;
  testing::SampleWithIndex sample;
  std::string error;
  ASSERT_TRUE(testing::MakeSampleWithIndex(root.path(), 90, 2, &sample, &error)) << error;
  const CStockDictionary& dictionary = *sample.dictionary;
  const CPriceSeries& index = sample.index;
  StockFiles files;

  struct Setup {
    int span;
    int useIndex;
  };
  for (const Setup setup : {Setup{245, 0}, Setup{245, 1}, Setup{30, 1}}) {
    SettingsRecord settings = DefaultSettings();
    settings.dailySpanDays = static_cast<int16_t>(setup.span);
    settings.useIndexAnalysis = setup.useIndex;
    CHistoryReplay replay;
    CPriceSeries series;
    for (int item = 0; item < dictionary.itemCount; ++item) {
      if (!ResolveItemFiles(dictionary, item, "", &files)) continue;
      if (!series.LoadMerged(files.pricePath, nullptr, 0)) continue;
      SCOPED_TRACE(files.pricePath + " span " + std::to_string(setup.span) + " index " +
                   std::to_string(setup.useIndex));
      replay.Reset(series, settings, &index);
      const int stride = item % 10 == 0 ? 1 : 23;
      for (int32_t n = item % stride; n <= series.barCount(); n += stride) {
        AnalysisRecord fast;
        replay.RecordAt(n, n, &fast);
        const AnalysisRecord literal = LiteralRecord(series, n, n, settings, &index);
        ASSERT_TRUE(SameRecord(fast, literal)) << "cut " << n << ": "
                                               << RecordDifferences(fast, literal);
      }
    }
  }
}

}  // namespace
}  // namespace korvale
