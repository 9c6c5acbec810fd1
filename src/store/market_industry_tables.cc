#include "store/market_industry_tables.h"

#include <vector>

#include "store/cp932.h"

namespace korvale {

namespace {

constexpr const char* kMarketsUtf8[kMarketCount] = {
    "全市場", "東証１部", "東証２部", "大証１部",   "大証２部", "名証１部", "名証２部",
    "福岡",   "札幌",     "JASDAQ",   "ヘラクレス", "マザーズ", "外国",     "その他",
};

constexpr const char* kIndustriesUtf8[kIndustryCount] = {
    "その他・未定義",
    "水産・農林業",
    "鉱業",
    "建設業",
    "食料品",
    "繊維製品",
    "パルプ・紙",
    "化学",
    "医薬品",
    "石油・石炭製品",
    "ゴム製品",
    "ガラス・土石製品",
    "鉄鋼",
    "非鉄金属",
    "金属製品",
    "機械",
    "電機",
    "輸送用機器",
    "精密機器",
    "その他製品",
    "電気・ガス業",
    "陸運業",
    "海運業",
    "空運業",
    "倉庫・運輸関連業",
    "情報・通信",
    "卸売業",
    "小売業",
    "銀行業",
    "証券、商品先物取引業",
    "保険業",
    "その他金融業",
    "不動産業",
    "サービス業",
    "その他・未定義",
};

std::vector<std::string> ConvertAll(const char* const* names, int count) {
  std::vector<std::string> out;
  out.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back(Utf8ToCp932(names[i]));
  return out;
}

const std::string& Empty() {
  static const std::string empty;
  return empty;
}

}  // namespace

const std::string& MarketName(int market) {
  // Converted once, on first use; static initialisation is thread-safe.
  static const std::vector<std::string> names = ConvertAll(kMarketsUtf8, kMarketCount);
  return market >= 0 && market < kMarketCount ? names[static_cast<size_t>(market)] : Empty();
}

const std::string& IndustryName(int industry) {
  static const std::vector<std::string> names = ConvertAll(kIndustriesUtf8, kIndustryCount);
  return industry >= 0 && industry < kIndustryCount ? names[static_cast<size_t>(industry)]
                                                    : Empty();
}

const char* MarketNameUtf8(int market) {
  return market >= 0 && market < kMarketCount ? kMarketsUtf8[market] : "";
}

const char* IndustryNameUtf8(int industry) {
  return industry >= 0 && industry < kIndustryCount ? kIndustriesUtf8[industry] : "";
}

}  // namespace korvale
