// The texts of the detail-information bar: the stock page and the day pages. Computed here,
// apart from the widgets, so that every " - " rule is tested without a window. Texts are UTF-8.
#ifndef KORVALE_APP_DETAIL_PANEL_H_
#define KORVALE_APP_DETAIL_PANEL_H_

#include <array>
#include <cstdint>
#include <string>

#include "charts/chart_painter.h"
#include "store/price_records.h"
#include "store/settings_record.h"

namespace korvale {

inline constexpr const char* kDetailPageNames[3] = {"基本情報", "日指定", "マウス追従"};

// "%.2lf" of a key figure, or " - " when it is exactly 0.
std::string FigureText(double value);

struct StockInfoTexts {
  std::string name, market, industry, text1, text2;
  std::array<std::string, 5> figures;
};

// The stock page: the market name for codes 0-13 (0 is "全市場") and "全市場" for any other; the
// industry name for codes 0-34 and "その他・未定義" for any other; each descriptive text, or " - "
// when empty. Name and texts come in cp932.
StockInfoTexts MakeStockInfoTexts(const std::string& nameCp932, int market, int industry,
                                  const std::string& text1Cp932, const std::string& text2Cp932,
                                  const double figures[5]);

// The values of one day as the day pages show them.
struct DayValues {
  int year = 0, month = 0, day = 0;
  int32_t open = 0, high = 0, low = 0, close = 0, volume = 0;
  int32_t change = 0;  // close - previous close
  double maShort = 0, maLong = 0;
  double rci1 = 0, rci2 = 0, rsi1 = 0, rsi2 = 0;
  double stochK = 0, stochD = 0;
  double volumeRatio = 0;
};

// A day's bar with its change; the indicator fields stay 0.
DayValues DayValuesOf(const PriceBar& bar, int32_t change);
// The bar a chart hit found, with its change; the indicator fields stay 0.
DayValues DayValuesOf(const ChartHit& hit);
// Copies the painter's indicator values at a bar into the day's values.
void SetIndicatorValues(const IndicatorValues& values, DayValues* day);

struct DayTexts {
  std::string open, high, low, close, change, changePercent, volume;
  std::string maShort, deviationShort, maLong, deviationLong;
  std::string rci1, rci2, rsi1, rsi2, stochK, stochD, volumeRatio;
};

// Prices and volume as signed integers; the change in percent of the close (0 when the close is
// 0); each average with the close's deviation from it, (close / average - 1) * 100 (0 when the
// average is 0); every double "%.2lf"; the volume ratio " - " when it is not above 0.
DayTexts MakeDayTexts(const DayValues& v);
// The cleared page: prices, volume and change 0, every double field " - ".
DayTexts ClearedDayTexts();

// The captions that carry periods: "%d日線" for both averages, "RCI%d日線", "RSI%d日線".
struct DayCaptions {
  std::string maShort, maLong, rci1, rci2, rsi1, rsi2;
};
DayCaptions MakeDayCaptions(const SettingsRecord& settings);

}  // namespace korvale

#endif  // KORVALE_APP_DETAIL_PANEL_H_
