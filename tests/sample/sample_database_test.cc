#include "sample/sample_database.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>

#include "app/index_series.h"
#include "sample/sample_calendar.h"
#include "sample/sample_prices.h"
#include "sample/sample_rules.h"
#include "screening/rule_list.h"
#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/stock_dictionary.h"
#include "store/stock_list.h"
#include "store/store_folders.h"
#include "store/week_of_year.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::map<std::string, std::vector<uint8_t>> Tree(const std::string& root) {
  std::map<std::string, std::vector<uint8_t>> files;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    if (e.is_regular_file()) {
      files[fs::relative(e.path(), root).string()] = testing::ReadBytes(e.path().string());
    }
  }
  return files;
}

TEST(SampleCalendarTest, TradingDaysSkipWeekendsTheNewYearAndHolidays) {
  const std::vector<sample::TradingDay> days = sample::TradingDays(2024, 2024);
  EXPECT_EQ(days.size(), 245u);  // the exchange's count for 2024
  EXPECT_EQ(days.front().month, 1);
  EXPECT_EQ(days.front().day, 4);
  EXPECT_EQ(days.back().day, 30);
  EXPECT_TRUE(sample::IsMarketHoliday(2024, 1, 8));   // second Monday of January
  EXPECT_TRUE(sample::IsMarketHoliday(2024, 2, 12));  // 11 February fell on a Sunday
  EXPECT_TRUE(sample::IsMarketHoliday(2024, 3, 20));  // vernal equinox
  EXPECT_TRUE(sample::IsMarketHoliday(2024, 5, 6));   // substitute for 5 May
  EXPECT_TRUE(sample::IsMarketHoliday(2024, 9, 23));  // substitute for the autumn equinox
  EXPECT_TRUE(sample::IsMarketHoliday(2020, 5, 6));   // 3 May Sunday, 4 and 5 holidays
  EXPECT_TRUE(sample::IsMarketHoliday(2006, 1, 2));   // 1 January on a Sunday
  EXPECT_FALSE(sample::IsMarketHoliday(2006, 1, 4));  // the break ends on the 4th all the same
  EXPECT_FALSE(sample::IsMarketHoliday(2024, 5, 7));
  EXPECT_FALSE(sample::IsMarketHoliday(2024, 12, 30));
}

TEST(SampleCalendarTest, TickSizesAndPriceLimits) {
  EXPECT_EQ(sample::TickSize(3000), 1);
  EXPECT_EQ(sample::TickSize(3001), 5);
  EXPECT_EQ(sample::TickSize(30001), 50);
  EXPECT_EQ(sample::PriceLimit(99), 30);
  EXPECT_EQ(sample::PriceLimit(100), 50);
  EXPECT_EQ(sample::PriceLimit(2999), 500);
  EXPECT_EQ(sample::PriceLimit(1500000), 300000);
}

TEST(SampleDatabaseTest, OneSeedGivesByteIdenticalTreesAnotherSeedDiffers) {
  TempDir a, b, c;
  SampleOptions options;
  options.stocks = 40;
  options.years = 2;
  options.seed = 7;
  std::string error;
  ASSERT_TRUE(MakeSampleDatabase(a.path() + "/s", options, nullptr, &error)) << error;
  ASSERT_TRUE(MakeSampleDatabase(b.path() + "/s", options, nullptr, &error)) << error;
  options.seed = 8;
  ASSERT_TRUE(MakeSampleDatabase(c.path() + "/s", options, nullptr, &error)) << error;
  const auto first = Tree(a.path() + "/s");
  EXPECT_GT(first.size(), 40u);
  EXPECT_EQ(first, Tree(b.path() + "/s"));
  EXPECT_NE(first, Tree(c.path() + "/s"));
}

TEST(SampleDatabaseTest, RefusesBadOptionsAndFoldersInUse) {
  TempDir dir;
  std::string error;
  SampleOptions options;
  options.stocks = 0;
  EXPECT_FALSE(MakeSampleDatabase(dir.path() + "/a", options, nullptr, &error));
  options.stocks = 6001;
  EXPECT_FALSE(MakeSampleDatabase(dir.path() + "/a", options, nullptr, &error));
  options.stocks = 5;
  options.years = 0;
  EXPECT_FALSE(MakeSampleDatabase(dir.path() + "/a", options, nullptr, &error));
  testing::WriteText(dir.File("keep.txt"), "mine");
  options.years = 1;
  EXPECT_FALSE(MakeSampleDatabase(dir.path(), options, nullptr, &error));
  EXPECT_NE(error.find("not empty"), std::string::npos);
  EXPECT_EQ(Tree(dir.path()).size(), 1u);
}

class SampleContentTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    root_ = new TempDir;
    SampleOptions options;
    options.stocks = 60;
    options.years = 3;
    std::string error;
    ASSERT_TRUE(MakeSampleDatabase(root_->path(), options, &summary_, &error)) << error;
  }
  static void TearDownTestSuite() { delete root_; }
  static TempDir* root_;
  static SampleSummary summary_;
};
TempDir* SampleContentTest::root_ = nullptr;
SampleSummary SampleContentTest::summary_;

TEST_F(SampleContentTest, DictionaryAndFoldersHoldWhatTheScanNeeds) {
  EXPECT_EQ(summary_.stocks, 60);
  EXPECT_EQ(summary_.firstDate, "2023-01-04");
  EXPECT_EQ(summary_.lastDate, "2025-12-30");
  CStockDictionary dict(root_->path(), root_->path());
  EXPECT_EQ(dict.itemCount, 60);
  std::string folder;
  ASSERT_EQ(dict.GetFolder(1010, &folder), 1);
  EXPECT_EQ(folder, root_->path() + "/Data/1000");
  int archived = 0, unknown = 0, halfWidth = 0, marked = 0, withMargin = 0, texts = 0;
  const std::string mark = Utf8ToCp932("（株）");
  for (const StockListItem& item : dict.items) {
    dict.GetFolder(item.code, &folder);
    archived += folder == root_->path() + "/Archive";
    unknown += !dict.names.HasName(item.code);
    std::string path;
    withMargin += dict.GetMarginPath(item.code, &path);
    StockInfo info;
    if (ReadStockInfo(root_->path(), 0, item.code, &info) && !info.text1.empty() &&
        !info.text2.empty()) {
      ++texts;
    }
    DictionaryFileRecord rec;
    ReadDictionaryRecord(DictionaryFilePath(root_->path()), item.code, &rec);
    const std::string name = FieldText(rec.name);
    for (size_t i = 0; i < name.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(name[i]);
      if (IsCp932LeadByte(c)) {
        ++i;
      } else if (c >= 0xA1 && c <= 0xDF) {
        ++halfWidth;
        break;
      }
    }
    marked += name.find(mark) != std::string::npos;
  }
  EXPECT_GE(archived, 1);
  EXPECT_GE(unknown, 1);
  EXPECT_GT(withMargin, 10);
  EXPECT_EQ(withMargin, summary_.marginFiles);
  EXPECT_GE(texts, 55);
  EXPECT_GE(marked, 1);
  EXPECT_GE(halfWidth, 1);
  EXPECT_EQ(dict.names.HasName(1010), true);
  EXPECT_GT(summary_.dictionaryRecords, 60 - unknown);  // listed stocks without prices too
}

TEST_F(SampleContentTest, RulesLoadIntoTheRuleList) {
  EXPECT_EQ(summary_.rules, kSampleRuleCount);
  SettingsRecord settings;
  ApplySettingsDefaults(&settings, root_->path());
  CRuleList rules(&settings);
  rules.LoadRules();
  ASSERT_EQ(rules.count, kSampleRuleCount);
  for (int i = 0; i < rules.count; ++i) {
    int enabled = 0;
    for (int t = 0; t < kConditionTypeCount; ++t) enabled += rules.sets[i].enabled[t];
    EXPECT_GE(enabled, 2) << i;
  }
}

TEST_F(SampleContentTest, ListFilesOpenFromTheDataRoot) {
  CStockDictionary dict(root_->path(), root_->path());
  ShownStockList watch;
  ASSERT_TRUE(OpenListFile(dict, root_->File(kSampleWatchList), &watch));
  ASSERT_GE(watch.rows.size(), 4u);
  EXPECT_EQ(watch.rows[0].code, 1010);
  int withoutPrices = 0;
  for (const StockListRow& r : watch.rows) withoutPrices += r.itemData == 0;
  EXPECT_EQ(withoutPrices, 1);
  ShownStockList banks;
  ASSERT_TRUE(OpenListFile(dict, root_->File(kSampleBankList), &banks));
  ASSERT_GE(banks.rows.size(), 3u);
  for (const StockListRow& r : banks.rows) {
    EXPECT_EQ(r.itemData, 1);
    EXPECT_EQ(dict.items[static_cast<size_t>(r.itemIndex)].industry, 28);
  }
}

// Daily log returns keyed by date, from the closes of consecutive priced days.
std::map<int32_t, double> Returns(const CPriceSeries& s) {
  std::map<int32_t, double> r;
  for (int i = 1; i < s.barCount(); ++i) {
    const PriceBar &a = s.bars[static_cast<size_t>(i) - 1], &b = s.bars[static_cast<size_t>(i)];
    if (a.close > 0 && b.close > 0 && b.volume > 0)
      r[DateKey(b)] = std::log(double(b.close) / a.close);
  }
  return r;
}

TEST_F(SampleContentTest, PricesLookLikeAMarketDrivenByTheIndex) {
  CStockDictionary dict(root_->path(), root_->path());
  std::string folder;
  dict.GetFolder(1010, &folder);
  CPriceSeries index;
  ASSERT_EQ(index.LoadAll(PriceFileName(folder, 1010)), 1);
  const std::map<int32_t, double> market = Returns(index);

  std::map<int32_t, int> dayIndex;
  for (const sample::TradingDay& d : sample::TradingDays(2023, 2025)) {
    const int next = static_cast<int>(dayIndex.size());
    dayIndex[DateKey(d.year, d.month, d.day)] = next;
  }
  int limitMoves = 0, zeroVolume = 0, late = 0, brokenSize = 0, outOfOrder = 0;
  double correlationSum = 0;
  int correlated = 0;
  for (const StockListItem& item : dict.items) {
    dict.GetFolder(item.code, &folder);
    const std::string path = PriceFileName(folder, item.code);
    brokenSize += FileSize(path) % 26 != 0;
    CPriceSeries s;
    if (!s.LoadAll(path)) continue;
    const PriceBar& first = s.bars[0];
    late += DateKey(first) > 20230201;
    for (int i = 0; i < s.barCount(); ++i) {
      const PriceBar& b = s.bars[static_cast<size_t>(i)];
      int weekday;
      WeekOfYear(b.year, b.month, b.day, &weekday);
      ASSERT_TRUE(weekday >= 1 && weekday <= 5) << item.code << " " << DateKey(b);
      ASSERT_FALSE(sample::IsMarketHoliday(b.year, b.month, b.day)) << DateKey(b);
      ASSERT_LE(b.low, std::min(b.open, b.close)) << item.code << " " << DateKey(b);
      ASSERT_GE(b.high, std::max(b.open, b.close)) << item.code << " " << DateKey(b);
      zeroVolume += b.volume == 0;
      if (i == 0 || item.code == 1010) continue;
      const PriceBar& p = s.bars[static_cast<size_t>(i) - 1];
      if (DateKey(b) <= DateKey(p)) {
        ++outOfOrder;
        continue;
      }
      const int32_t limit = sample::PriceLimit(p.close);
      limitMoves += b.close == p.close + limit || b.close == p.close - limit;
      // From one trading day to the next a close moves at most by the limit, except across a
      // stock split.
      const bool nextDay = dayIndex.count(DateKey(p)) && dayIndex.count(DateKey(b)) &&
                           dayIndex[DateKey(b)] == dayIndex[DateKey(p)] + 1;
      if (nextDay && b.close > 0 && p.close > 0 && b.close * 2 > p.close) {
        EXPECT_LE(std::abs(b.close - p.close), limit) << item.code << " " << DateKey(b);
      }
    }
    if (item.code == 1010) continue;
    const std::map<int32_t, double> own = Returns(s);
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    int n = 0;
    for (const auto& [date, r] : own) {
      auto m = market.find(date);
      if (m == market.end()) continue;
      sx += m->second, sy += r, sxx += m->second * m->second, syy += r * r, sxy += m->second * r;
      ++n;
    }
    if (n < 100) continue;
    const double cov = sxy / n - sx / n * sy / n;
    const double vx = sxx / n - sx / n * sx / n, vy = syy / n - sy / n * sy / n;
    correlationSum += cov / std::sqrt(vx * vy);
    ++correlated;
  }
  EXPECT_GT(limitMoves, 0);
  EXPECT_GT(zeroVolume, 0);
  EXPECT_GE(late, 2);
  EXPECT_GE(brokenSize, 1);
  EXPECT_GE(outOfOrder, 1);
  ASSERT_GT(correlated, 40);
  EXPECT_GT(correlationSum / correlated, 0.3);
  EXPECT_LT(correlationSum / correlated, 0.9);

  // The index loads as the application loads it.
  SettingsRecord settings;
  ApplySettingsDefaults(&settings, root_->path());
  auto loaded = LoadIndexSeries(
      settings, [&](int code, std::string* f) { return dict.GetFolder(code, f) != 0; });
  ASSERT_NE(loaded, nullptr);
  EXPECT_GT(loaded->barCount(), 700);
}

}  // namespace
}  // namespace korvale
