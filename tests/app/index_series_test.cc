#include "app/index_series.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvale {
namespace {

TEST(IndexSeriesTest, LoadsTheIndexStockNormalisedWithItsWeeks) {
  testing::TempDir dir;
  testing::WritePriceFile(dir.File("KD1010.KDT"),
                          {testing::FlatBar(2006, 1, 10, 2), testing::FlatBar(2006, 1, 9, 1)});
  SettingsRecord settings;
  ApplySettingsDefaults(&settings, dir.path());
  auto lookup = [&](int code, std::string* folder) {
    if (code != 1010) return false;
    *folder = dir.path();
    return true;
  };
  auto index = LoadIndexSeries(settings, lookup);
  ASSERT_NE(index, nullptr);
  ASSERT_EQ(index->barCount(), 2);
  EXPECT_EQ(index->bars[0].day, 9);  // sorted by the normalising load
  EXPECT_EQ(index->weekCount(), 1);

  settings.indexStockCode = 0;
  EXPECT_EQ(LoadIndexSeries(settings, lookup), nullptr);
  settings.indexStockCode = 1301;  // not in the dictionary
  EXPECT_EQ(LoadIndexSeries(settings, lookup), nullptr);
  settings.indexStockCode = 1010;
  settings.dataSourceMode = 1;
  EXPECT_EQ(LoadIndexSeries(settings, lookup), nullptr);
  settings.dataSourceMode = 0;
  std::remove(dir.File("KD1010.KDT").c_str());
  EXPECT_EQ(LoadIndexSeries(settings, lookup), nullptr);
}

}  // namespace
}  // namespace korvale
