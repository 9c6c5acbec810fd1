#include "app/detail_panel.h"

#include <gtest/gtest.h>

#include "store/cp932.h"

namespace korvale {
namespace {

TEST(DetailPanelTest, ZeroFiguresAndEmptyTextsShowADash) {
  const double zeros[5] = {0, 0, 0, 0, 0};
  StockInfoTexts t = MakeStockInfoTexts(Utf8ToCp932("トヨタ自動車"), 1, 16, "", "", zeros);
  EXPECT_EQ(t.name, "トヨタ自動車");
  for (const auto& f : t.figures) EXPECT_EQ(f, " - ");
  EXPECT_EQ(t.text1, " - ");
  EXPECT_EQ(t.text2, " - ");
  const double some[5] = {1234567.891, -12.5, 0, 0.004, 3};
  t = MakeStockInfoTexts("x", 1, 1, Utf8ToCp932("自動車"), "y", some);
  EXPECT_EQ(t.figures[0], "1234567.89");
  EXPECT_EQ(t.figures[1], "-12.50");
  EXPECT_EQ(t.figures[2], " - ");
  EXPECT_EQ(t.figures[3], "0.00");  // not exactly zero
  EXPECT_EQ(t.text1, "自動車");
}

TEST(DetailPanelTest, UnknownMarketAndIndustryCodesShowTheCatchAllNames) {
  const double zeros[5] = {};
  EXPECT_EQ(MakeStockInfoTexts("", 0, 0, "", "", zeros).market, "全市場");
  EXPECT_EQ(MakeStockInfoTexts("", 20, 0, "", "", zeros).market, "全市場");
  EXPECT_EQ(MakeStockInfoTexts("", -1, 0, "", "", zeros).market, "全市場");
  EXPECT_EQ(MakeStockInfoTexts("", 13, 0, "", "", zeros).market, "その他");
  EXPECT_EQ(MakeStockInfoTexts("", 1, 99, "", "", zeros).industry, "その他・未定義");
  EXPECT_EQ(MakeStockInfoTexts("", 1, 0, "", "", zeros).industry, "その他・未定義");
}

TEST(DetailPanelTest, DayTextsFollowTheirRules) {
  DayValues v;
  v.open = 100;
  v.high = 110;
  v.low = 90;
  v.close = 105;
  v.change = -5;
  v.volume = 12000;
  v.maShort = 100;
  v.maLong = 0;
  v.volumeRatio = 0;
  v.rsi1 = 55.555;
  DayTexts t = MakeDayTexts(v);
  EXPECT_EQ(t.change, "-5");
  EXPECT_EQ(t.changePercent, "-4.76");
  EXPECT_EQ(t.deviationShort, "5.00");
  EXPECT_EQ(t.maLong, "0.00");
  EXPECT_EQ(t.deviationLong, "0.00");  // no average: no deviation
  EXPECT_EQ(t.volumeRatio, " - ");
  EXPECT_EQ(t.rsi1, "55.55");  // 55.555 is stored just below its decimal
  v.close = 0;
  v.volumeRatio = 120;
  t = MakeDayTexts(v);
  EXPECT_EQ(t.changePercent, "0.00");
  EXPECT_EQ(t.volumeRatio, "120.00");
  DayTexts cleared = ClearedDayTexts();
  EXPECT_EQ(cleared.close, "0");
  EXPECT_EQ(cleared.rci2, " - ");
}

TEST(DetailPanelTest, CaptionsCarryThePeriodsOfTheSettings) {
  SettingsRecord s;
  ApplySettingsDefaults(&s, "/x");
  DayCaptions c = MakeDayCaptions(s);
  EXPECT_EQ(c.maShort, "65日線");
  EXPECT_EQ(c.maLong, "130日線");
  EXPECT_EQ(c.rci2, "RCI26日線");
  EXPECT_EQ(c.rsi1, "RSI14日線");
}

}  // namespace
}  // namespace korvale
