#include "ui/param_dialog_family.h"

#include <array>

namespace korvale {

namespace {

using S = ConditionSet;

constexpr ParamDialogFamily Price(const char* label, const char* unit, int32_t S::*field) {
  return {ParamKind::kPrice, label, nullptr, nullptr, unit,
          nullptr,           field, nullptr, nullptr, nullptr};
}

// A threshold with 以上/以下; `days` null for the types without a period.
constexpr ParamDialogFamily Threshold(const char* label, const char* dayUnit, int32_t S::*days,
                                      double S::*value, int32_t S::*direction) {
  return {ParamKind::kThreshold, label, dayUnit, nullptr, "%", days, nullptr, value, direction};
}

constexpr ParamDialogFamily Choice(const char* label, int32_t S::*choice) {
  return {ParamKind::kChoice,
          label,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          choice};
}

constexpr ParamDialogFamily EnabledOnly(const char* label) {
  return {ParamKind::kEnabledOnly,
          label,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr,
          nullptr};
}

const std::array<ParamDialogFamily, kConditionTypeCount>& Families() {
  static const std::array<ParamDialogFamily, kConditionTypeCount> families = {
      Price("株価下限", "円以上", &S::minPrice),
      Price("株価上限", "円以下", &S::maxPrice),
      Threshold("株価前日比", nullptr, nullptr, &S::changePercent, &S::changeDirection),
      // The volume condition only has "at or above": no direction buttons.
      ParamDialogFamily{ParamKind::kThreshold, "出来高前日比", nullptr, nullptr, "倍以上", nullptr,
                        nullptr, &S::volumeTimes, nullptr, nullptr},
      Threshold("移動平均乖離率", "日線", &S::dev1Days, &S::dev1Value, &S::dev1Direction),
      Threshold("移動平均乖離率", "日線", &S::dev2Days, &S::dev2Value, &S::dev2Direction),
      Threshold("ＲＣＩ", "日線", &S::rci1Days, &S::rci1Value, &S::rci1Direction),
      Threshold("ＲＣＩ", "日線", &S::rci2Days, &S::rci2Value, &S::rci2Direction),
      Choice("位置関係", &S::positionChoice),
      Choice("移動平均線クロス", &S::maCrossChoice),
      ParamDialogFamily{ParamKind::kLevel, "株価水準", "ヶ月来", "から", "%以内", &S::levelMonths,
                        nullptr, &S::levelPercent, nullptr, &S::levelZone},
      EnabledOnly("つつみ線"),
      EnabledOnly("はらみ線"),
      Threshold("ボリュームレシオ", "日線", &S::vrDays, &S::vrValue, &S::vrDirection),
      Threshold("オシレーター(短期線/長期線)", nullptr, nullptr, &S::oscValue, &S::oscDirection),
      Threshold("ＲSＩ", "日線", &S::rsi1Days, &S::rsi1Value, &S::rsi1Direction),
      Threshold("ＲSＩ", "日線", &S::rsi2Days, &S::rsi2Value, &S::rsi2Direction),
      Choice("一目均衡表１", &S::ichimoku1Choice),
      Choice("一目均衡表２", &S::ichimoku2Choice),
      Choice("一目均衡表３", &S::ichimoku3Choice),
      Threshold("ストキャスティックK値", "日線", &S::stochKDays, &S::stochKValue,
                &S::stochKDirection),
      Threshold("ストキャスティックD値", "日線", &S::stochDDays, &S::stochDValue,
                &S::stochDDirection),
      Choice("トレンドライン", &S::trendLineChoice),
      Threshold("Ｂバンド", "日線", &S::bbWidthDays, &S::bbWidthValue, &S::bbWidthDirection),
      Choice("Ｂバンド位置", &S::bbBreakChoice),
      Threshold("CCI", "日線", &S::cciDays, &S::cciValue, &S::cciDirection),
      Choice("ADX傾き", &S::dmiAdxChoice),
      Choice("DMIクロス", &S::dmiCrossChoice),
      Threshold("MACD", "日線", &S::macdDays, &S::macdValue, &S::macdDirection),
      Choice("MACDクロス", &S::macdCrossChoice),
      Threshold("OBV", nullptr, nullptr, &S::obvValue, &S::obvDirection),
      Choice("パラボリック", &S::sarChoice),
      Threshold("インデックス相関", "日", &S::corrDays, &S::corrValue, &S::corrDirection),
      Threshold("インデックス偏差", "日", &S::devIndexDays, &S::devIndexValue,
                &S::devIndexDirection),
  };
  return families;
}

}  // namespace

const ParamDialogFamily& ParamDialogFamilyOf(int type) { return Families()[type]; }

}  // namespace korvale
