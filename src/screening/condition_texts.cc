// The names of the condition types and the texts of their choices and directions.
#include <cstdint>

#include "screening/condition_catalogue.h"

namespace korvale {

namespace {

constexpr const char* kTypeNames[kConditionTypeCount] = {
    "株価下限",
    "株価上限",
    "株価前日比",
    "出来高前日比",
    "移動平均線乖離率",
    "移動平均線乖離率",
    "ＲＣＩ",
    "ＲＣＩ",
    "位置関係",
    "移動平均線クロス",
    "株価水準　　　　",
    "つつみ線",
    "はらみ線",
    "ボリュームレシオ",
    "オシレーター",
    "ＲＳＩ",
    "ＲＳＩ",
    "一目均衡表１",
    "一目均衡表２",
    "一目均衡表３",
    "ストキャスティックK値",
    "ストキャスティックD値",
    "トレンドライン",
    "ボリンジャーバンド幅",
    "ボリンジャーバンド位置",
    "ＣＣＩ",
    "ＤＭＩ－ＡＤＸ　",
    "ＤＭＩ",
    "ＭＡＣＤ",
    "ＭＡＣＤクロス",
    "ＯＢＶ",
    "パラボリック",
    "インデックス相関",
    "インデックス偏差",
};

constexpr const char* kPosition[] = {
    "上：株価線／中：長期線／下：短期線", "上：株価線／中：短期線／下：長期線",
    "上：長期線／中：株価線／下：短期線", "上：長期線／中：短期線／下：株価線",
    "上：短期線／中：長期線／下：株価線", "上：短期線／中：株価線／下：長期線"};
constexpr const char* kMaCross[] = {"株価線が長期線を下からクロス", "株価線が短期線を下からクロス",
                                    "株価線が長期線を上からクロス", "株価線が短期線を上からクロス",
                                    "長期線が短期線を下からクロス", "長期線が短期線を上からクロス"};
constexpr const char* kZone[] = {"高値圏", "安値圏"};
constexpr const char* kIchimoku1[] = {"上：転換線／下：基準線", "上：基準線／下：転換線",
                                      "転換線が基準線を下からクロス",
                                      "基準線が転換線を下からクロス"};
constexpr const char* kIchimoku2[] = {"基準線の勾配がプラス", "基準線の勾配がゼロ",
                                      "基準線の勾配がマイナス"};
constexpr const char* kIchimoku3[] = {"株価線が抵抗帯の上",         "株価線が抵抗帯に上から突入",
                                      "株価線が抵抗帯から上に突出", "株価線が抵抗帯の中",
                                      "株価線が抵抗帯から下に突出", "株価線が抵抗帯に下から突入",
                                      "株価線が抵抗帯の下"};
constexpr const char* kTrendLine[] = {"株価が抵抗線の上", "株価が抵抗線を下からクロス",
                                      "株価が支持線を上からクロス", "株価が支持線の下"};
constexpr const char* kBollinger[] = {"上昇ブレイク", "下降ブレイク"};
constexpr const char* kDmiAdx[] = {"ADXが下落してきた-DIを上抜いた",
                                   "ADXが下落してきた+DIを上抜いた", "ADXとADXRとのデットクロス"};
constexpr const char* kDmiCross[] = {"+DIが-DIを上抜いた", "+DIが-DIを下抜いた"};
constexpr const char* kMacdCross[] = {"MACDとシグナルとのゴールデンクロス",
                                      "MACDとシグナルとのデットクロス", "MACDが±０ラインを上抜いた",
                                      "MACDが±０ライン下抜いた"};
constexpr const char* kSar[] = {"SAR陽転", "SAR陰転"};

struct Choices {
  const char* const* texts;
  int count;
};

template <size_t N>
constexpr Choices Of(const char* const (&texts)[N]) {
  return {texts, static_cast<int>(N)};
}

Choices ChoicesOf(int type) {
  switch (type) {
    case 8:
      return Of(kPosition);
    case 9:
      return Of(kMaCross);
    case 10:
      return Of(kZone);
    case 17:
      return Of(kIchimoku1);
    case 18:
      return Of(kIchimoku2);
    case 19:
      return Of(kIchimoku3);
    case 22:
      return Of(kTrendLine);
    case 24:
      return Of(kBollinger);
    case 26:
      return Of(kDmiAdx);
    case 27:
      return Of(kDmiCross);
    case 29:
      return Of(kMacdCross);
    case 31:
      return Of(kSar);
    default:
      return {nullptr, 0};
  }
}

}  // namespace

const char* ConditionTypeName(int type) {
  return type >= 0 && type < kConditionTypeCount ? kTypeNames[type] : "";
}

const char* ConditionChoiceText(int type, int32_t value) {
  const Choices c = ChoicesOf(type);
  return value >= 0 && value < c.count ? c.texts[value] : nullptr;
}

int ConditionChoiceCount(int type) { return ChoicesOf(type).count; }

const char* DirectionText(int32_t direction) { return direction == 0 ? "以上" : "以下"; }

}  // namespace korvale
