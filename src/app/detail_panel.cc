#include "app/detail_panel.h"

#include <cmath>
#include <cstdio>

#include "store/cp932.h"
#include "store/market_industry_tables.h"

namespace korvale {

namespace {

constexpr const char* kDash = " - ";

std::string Fixed2(double v) {
  if (!std::isfinite(v)) return kDash;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

std::string TextOrDash(const std::string& cp932) {
  return cp932.empty() ? kDash : Cp932ToUtf8(cp932);
}

double Deviation(int32_t close, double average) {
  return average == 0 ? 0 : (close / average - 1) * 100;
}

// A price bar and a chart hit name the fields of a day's bar alike.
template <typename Bar>
DayValues BarValues(const Bar& bar, int32_t change) {
  DayValues v;
  v.year = bar.year;
  v.month = bar.month;
  v.day = bar.day;
  v.open = bar.open;
  v.high = bar.high;
  v.low = bar.low;
  v.close = bar.close;
  v.volume = bar.volume;
  v.change = change;
  return v;
}

}  // namespace

std::string FigureText(double value) { return value == 0 ? kDash : Fixed2(value); }

StockInfoTexts MakeStockInfoTexts(const std::string& nameCp932, int market, int industry,
                                  const std::string& text1Cp932, const std::string& text2Cp932,
                                  const double figures[5]) {
  StockInfoTexts t;
  t.name = Cp932ToUtf8(nameCp932);
  t.market = MarketNameUtf8(market >= 0 && market < kMarketCount ? market : 0);
  t.industry = IndustryNameUtf8(industry >= 0 && industry < kIndustryCount ? industry : 0);
  t.text1 = TextOrDash(text1Cp932);
  t.text2 = TextOrDash(text2Cp932);
  for (int i = 0; i < 5; ++i) t.figures[i] = FigureText(figures[i]);
  return t;
}

DayValues DayValuesOf(const PriceBar& bar, int32_t change) { return BarValues(bar, change); }

DayValues DayValuesOf(const ChartHit& hit) {
  return BarValues(hit, static_cast<int32_t>(hit.change));
}

void SetIndicatorValues(const IndicatorValues& iv, DayValues* v) {
  v->maShort = iv.maShort;
  v->maLong = iv.maLong;
  v->rci1 = iv.rci1;
  v->rci2 = iv.rci2;
  v->rsi1 = iv.rsi1;
  v->rsi2 = iv.rsi2;
  v->stochK = iv.stochK;
  v->stochD = iv.stochD;
  v->volumeRatio = iv.volumeRatio;
}

DayTexts MakeDayTexts(const DayValues& v) {
  DayTexts t;
  t.open = std::to_string(v.open);
  t.high = std::to_string(v.high);
  t.low = std::to_string(v.low);
  t.close = std::to_string(v.close);
  t.change = std::to_string(v.change);
  t.changePercent = Fixed2(v.close == 0 ? 0 : static_cast<double>(v.change) / v.close * 100);
  t.volume = std::to_string(v.volume);
  t.maShort = Fixed2(v.maShort);
  t.deviationShort = Fixed2(Deviation(v.close, v.maShort));
  t.maLong = Fixed2(v.maLong);
  t.deviationLong = Fixed2(Deviation(v.close, v.maLong));
  t.rci1 = Fixed2(v.rci1);
  t.rci2 = Fixed2(v.rci2);
  t.rsi1 = Fixed2(v.rsi1);
  t.rsi2 = Fixed2(v.rsi2);
  t.stochK = Fixed2(v.stochK);
  t.stochD = Fixed2(v.stochD);
  t.volumeRatio = v.volumeRatio > 0 ? Fixed2(v.volumeRatio) : kDash;
  return t;
}

DayTexts ClearedDayTexts() {
  DayTexts t;
  t.open = t.high = t.low = t.close = t.change = t.volume = "0";
  t.changePercent = t.maShort = t.deviationShort = t.maLong = t.deviationLong = kDash;
  t.rci1 = t.rci2 = t.rsi1 = t.rsi2 = t.stochK = t.stochD = t.volumeRatio = kDash;
  return t;
}

DayCaptions MakeDayCaptions(const SettingsRecord& s) {
  auto format = [](const char* pattern, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, pattern, n);
    return std::string(buf);
  };
  DayCaptions c;
  c.maShort = format("%d日線", s.dailyMaShort);
  c.maLong = format("%d日線", s.dailyMaLong);
  c.rci1 = format("RCI%d日線", s.rciPeriod1);
  c.rci2 = format("RCI%d日線", s.rciPeriod2);
  c.rsi1 = format("RSI%d日線", s.rsiPeriod1);
  c.rsi2 = format("RSI%d日線", s.rsiPeriod2);
  return c;
}

}  // namespace korvale
