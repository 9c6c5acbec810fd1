#include "sample/sample_companies.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>

#include "sample/sample_random.h"
#include "store/cp932.h"
#include "store/market_industry_tables.h"

namespace korvale::sample {

namespace {

// Code ranges of each industry, after the way listed codes group by trade.
struct CodeRange {
  int first, last, industry;
};
constexpr CodeRange kRanges[] = {
    {1301, 1399, 1},  {1400, 1499, 3},  {1500, 1699, 2},  {1700, 1999, 3},  {2000, 2299, 4},
    {2400, 2499, 33}, {2500, 2999, 4},  {2600, 2699, 27}, {3000, 3199, 5},  {3200, 3599, 33},
    {3600, 3699, 25}, {3700, 3899, 6},  {4000, 4499, 7},  {4500, 4599, 8},  {4600, 4699, 33},
    {4700, 4799, 25}, {5000, 5099, 9},  {5100, 5199, 10}, {5200, 5399, 11}, {5400, 5699, 12},
    {5700, 5899, 13}, {5900, 5999, 14}, {6000, 6499, 15}, {6500, 6999, 16}, {7000, 7299, 17},
    {7300, 7399, 19}, {7400, 7599, 27}, {7600, 7699, 26}, {7700, 7799, 18}, {7800, 7999, 19},
    {8000, 8199, 26}, {8200, 8299, 27}, {8300, 8499, 28}, {8500, 8599, 31}, {8600, 8699, 29},
    {8700, 8799, 30}, {8800, 8999, 32}, {9000, 9099, 21}, {9100, 9199, 22}, {9200, 9299, 23},
    {9300, 9399, 24}, {9400, 9499, 25}, {9500, 9599, 20}, {9600, 9999, 33},
};
constexpr int kBankIndustry = 28;

int IndustryOfCode(int code) {
  int industry = 0;
  for (const CodeRange& r : kRanges) {
    if (code >= r.first && code <= r.last) industry = r.industry;  // later ranges refine
  }
  return industry;
}

constexpr const char* kPlaces[] = {
    "東",   "西",     "北",   "南",     "中央",   "日本", "大和", "三和",   "富士", "昭和",
    "太平", "新日本", "東亜", "第一",   "関東",   "関西", "九州", "北海道", "中部", "四国",
    "山陽", "北陸",   "丸",   "明治",   "大同",   "協和", "共栄", "日新",   "旭",   "光",
    "東洋", "三星",   "八洲", "千代田", "朝日",   "大成", "日東", "東和",   "平和", "信越",
    "常盤", "高砂",   "浪速", "名古屋", "横浜",   "京都", "神戸", "広島",   "福岡", "仙台",
    "相模", "武蔵",   "越後", "出雲",   "瀬戸内", "筑波", "若葉", "青葉",   "白鳥", "黒潮",
};

// Trade words of each industry, indexed by industry code.
const std::vector<std::vector<const char*>>& TradeWords() {
  static const std::vector<std::vector<const char*>> words = {
      {"産業", "興業"},
      {"水産", "漁業", "農産"},
      {"鉱業", "石灰", "資源"},
      {"建設", "工務店", "組", "土木"},
      {"食品", "製菓", "製粉", "乳業", "酒造", "ハム"},
      {"紡績", "織物", "繊維"},
      {"製紙", "紙業"},
      {"化学", "化成", "塗料", "合成"},
      {"製薬", "薬品"},
      {"石油", "石炭"},
      {"ゴム", "護謨"},
      {"硝子", "セメント", "窯業"},
      {"製鉄", "鋼業", "鉄工"},
      {"金属", "電線", "精錬"},
      {"製作所", "金属工業"},
      {"機械", "工機", "重工"},
      {"電機", "電気", "電子", "精機"},
      {"自動車", "工業", "車体"},
      {"光学", "精密", "計器"},
      {"楽器", "玩具", "印刷"},
      {"電力", "ガス"},
      {"鉄道", "運輸", "バス"},
      {"海運", "汽船"},
      {"航空"},
      {"倉庫", "物流"},
      {"通信", "システム", "情報", "ソフト"},
      {"商事", "物産", "商会"},
      {"百貨店", "ストア", "商店"},
      {"銀行"},
      {"証券"},
      {"火災", "生命", "保険"},
      {"リース", "信販", "ファイナンス"},
      {"不動産", "地所", "土地", "建物"},
      {"企画", "広告", "サービス"},
      {"産業"},
  };
  return words;
}

// Katakana brand words and endings in their full-width and half-width forms.
constexpr const char* kKanaWords[][2] = {
    {"アルファ", "ｱﾙﾌｧ"},
    {"ソニック", "ｿﾆｯｸ"},
    {"ネクスト", "ﾈｸｽﾄ"},
    {"ユニオン", "ﾕﾆｵﾝ"},
    {"サン", "ｻﾝ"},
    {"テクノ", "ﾃｸﾉ"},
    {"メディア", "ﾒﾃﾞｨｱ"},
    {"グローバル", "ｸﾞﾛｰﾊﾞﾙ"},
    {"ライフ", "ﾗｲﾌ"},
    {"エコ", "ｴｺ"},
    {"スマート", "ｽﾏｰﾄ"},
    {"アクア", "ｱｸｱ"},
    {"ノヴァ", "ﾉｳﾞｧ"},
    {"シナジー", "ｼﾅｼﾞｰ"},
    {"フロンティア", "ﾌﾛﾝﾃｨｱ"},
    {"プライム", "ﾌﾟﾗｲﾑ"},
    {"クレスト", "ｸﾚｽﾄ"},
    {"ビジョン", "ﾋﾞｼﾞｮﾝ"},
    {"リンク", "ﾘﾝｸ"},
    {"コア", "ｺｱ"},
    {"ゼニス", "ｾﾞﾆｽ"},
    {"オリオン", "ｵﾘｵﾝ"},
    {"アトラス", "ｱﾄﾗｽ"},
    {"エース", "ｴｰｽ"},
    {"ハーモニー", "ﾊｰﾓﾆｰ"},
    {"ミライ", "ﾐﾗｲ"},
    {"ヒカリ", "ﾋｶﾘ"},
    {"ソレイユ", "ｿﾚｲﾕ"},
    {"マリン", "ﾏﾘﾝ"},
    {"ファースト", "ﾌｧｰｽﾄ"},
};
constexpr const char* kKanaEndings[][2] = {
    {"テック", "ﾃｯｸ"},
    {"システム", "ｼｽﾃﾑ"},
    {"ワークス", "ﾜｰｸｽ"},
    {"ネット", "ﾈｯﾄ"},
    {"ラボ", "ﾗﾎﾞ"},
    {"フーズ", "ﾌｰｽﾞ"},
    {"メディカル", "ﾒﾃﾞｨｶﾙ"},
    {"ジャパン", "ｼﾞｬﾊﾟﾝ"},
    {"コーポレーション", "ｺｰﾎﾟﾚｰｼｮﾝ"},
    {"エンジニアリング", "ｴﾝｼﾞﾆｱﾘﾝｸﾞ"},
};

constexpr const char* kRanks[] = {"大手", "中堅", "準大手", "老舗", "新興", "専業"};
constexpr const char* kFeatures[] = {
    "海外比率が高い", "独自技術に強み",   "高配当を継続",   "新製品の投入が続く",
    "財務体質は堅固", "研究開発に注力",   "M&Aで規模拡大",  "国内シェア首位級",
    "受注残は高水準", "不採算事業を整理", "地方に強い地盤", "価格改定が浸透",
};

template <size_t N>
const char* Pick(Random& rng, const char* const (&list)[N]) {
  return list[rng.Between(0, static_cast<int>(N) - 1)];
}

std::string KanaName(Random& rng, bool halfWidth) {
  const int form = halfWidth ? 1 : 0;
  std::string name = kKanaWords[rng.Between(0, static_cast<int>(std::size(kKanaWords)) - 1)][form];
  if (rng.Chance(0.25)) {
    name += kKanaWords[rng.Between(0, static_cast<int>(std::size(kKanaWords)) - 1)][form];
  }
  if (rng.Chance(0.7)) {
    name += kKanaEndings[rng.Between(0, static_cast<int>(std::size(kKanaEndings)) - 1)][form];
  }
  return name;
}

// A company name in UTF-8.
std::string CompanyName(Random& rng, int industry) {
  const std::vector<const char*>& trade = TradeWords()[static_cast<size_t>(industry)];
  const double kind = rng.Uniform();
  std::string name;
  if (kind < 0.05) {
    name = KanaName(rng, true);
  } else if (kind < 0.33) {
    name = KanaName(rng, false);
  } else {
    name = std::string(Pick(rng, kPlaces)) +
           trade[static_cast<size_t>(rng.Between(0, static_cast<int>(trade.size()) - 1))];
    if (rng.Chance(0.08)) name += "ホールディングス";
  }
  const double mark = rng.Uniform();
  if (mark < 0.05) {
    name = "（株）" + name;
  } else if (mark < 0.08) {
    name += "（株）";
  }
  return name;
}

int PickMarket(Random& rng) {
  struct Weight {
    int market;
    double share;
  };
  static constexpr Weight kWeights[] = {{1, 0.45}, {2, 0.12},  {9, 0.20}, {11, 0.07}, {10, 0.04},
                                        {3, 0.02}, {4, 0.02},  {5, 0.02}, {6, 0.01},  {7, 0.01},
                                        {8, 0.01}, {12, 0.01}, {13, 0.02}};
  double u = rng.Uniform();
  for (const Weight& w : kWeights) {
    if ((u -= w.share) < 0) return w.market;
  }
  return 1;
}

std::string Texts(Random& rng, int industry, std::string* text2) {
  const std::vector<const char*>& trade = TradeWords()[static_cast<size_t>(industry)];
  std::string text1 = std::string(IndustryNameUtf8(industry)) + "の" + Pick(rng, kRanks) + "。" +
                      Pick(rng, kFeatures);
  if (rng.Chance(0.3)) text1 += std::string("。地盤は") + Pick(rng, kPlaces);
  const int first = rng.Between(40, 90);
  const int second = rng.Between(0, 100 - first);
  *text2 = std::string("【連結事業】") + trade[0] + std::to_string(first) + "、" +
           trade[trade.size() - 1] + "関連" + std::to_string(second) + "、その他" +
           std::to_string(100 - first - second) + "(2025.3)";
  return text1;
}

double LogNormal(Random& rng, double median, double spread) {
  return median * std::exp(spread * rng.Normal());
}

void DrawModel(Random& rng, int dayCount, StockProfile* s) {
  const bool growth = s->market == 9 || s->market == 10 || s->market == 11;
  s->beta = std::clamp(1.0 + 0.3 * rng.Normal(), 0.3, 1.8);
  s->industryLoading = std::clamp(0.6 + 0.25 * rng.Normal(), 0.1, 1.2);
  s->sigma = std::clamp(LogNormal(rng, growth ? 0.026 : 0.016, 0.3), 0.006, 0.06);
  if (s->industry == kBankIndustry) s->sigma *= 0.7;
  s->startPrice = std::clamp(LogNormal(rng, 700, 0.9), 30.0, 40000.0);
  if (rng.Chance(0.006)) s->startPrice *= 30;  // the odd share priced in hundreds of thousands
  s->baseVolume =
      std::clamp(LogNormal(rng, 150000, 1.3) * std::sqrt(700 / s->startPrice), 300.0, 2.0e7);
  if (rng.Chance(0.05)) s->baseVolume = std::min(s->baseVolume, 500.0 + 4500 * rng.Uniform());
  s->illiquid = s->baseVolume < 8000;  // such stocks often go a day without a trade
  s->hasMargin = !s->illiquid && (s->market <= 5 || s->market == 9) && rng.Chance(0.8);
  s->firstDay = 0;
  s->lastDay = dayCount;
  s->sharesMillions = std::max(1.0, s->baseVolume * rng.Between(150, 600) / 1.0e6);
  s->per = LogNormal(rng, 15, 0.4);
  s->pbr = LogNormal(rng, 1.2, 0.5);
  s->loss = rng.Chance(0.06);
}

// Gives `count` stocks from the shuffled `order` one oddity each, starting at *next.
template <typename Apply>
void Assign(std::vector<StockProfile>& stocks, const std::vector<size_t>& order, size_t* next,
            int count, Apply apply) {
  for (int i = 0; i < count && *next < order.size(); ++i) apply(stocks[order[(*next)++]]);
}

}  // namespace

bool HasHalfWidthKana(const std::string& name) {
  for (size_t i = 0; i < name.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    if (IsCp932LeadByte(c)) {
      ++i;
    } else if (c >= 0xA1 && c <= 0xDF) {
      return true;
    }
  }
  return false;
}

SampleUniverse MakeUniverse(int stockCount, int dayCount, uint64_t seed) {
  Random rng(seed, 1);
  std::vector<int> candidates;
  for (const CodeRange& r : kRanges) {
    for (int code = r.first; code <= r.last; ++code) candidates.push_back(code);
  }
  std::sort(candidates.begin(), candidates.end());
  candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
  for (size_t i = candidates.size() - 1; i > 0; --i) {
    std::swap(candidates[i], candidates[static_cast<size_t>(rng.Between(0, static_cast<int>(i)))]);
  }
  // A few banks first, so the sample's bank list is never empty.
  std::stable_partition(candidates.begin(), candidates.end(), [n = 0](int code) mutable {
    return IndustryOfCode(code) == kBankIndustry && n++ < 3;
  });
  const size_t wanted = static_cast<size_t>(std::max(stockCount - 1, 0));
  std::vector<int> codes(candidates.begin(), candidates.begin() + static_cast<long>(std::min(
                                                                      wanted, candidates.size())));
  codes.push_back(kIndexCode);
  std::sort(codes.begin(), codes.end());
  const size_t extras =
      stockCount >= 10 ? static_cast<size_t>(std::max(1, stockCount * 3 / 100)) : 0;
  std::vector<int> extraCodes;
  for (size_t i = codes.size() - 1; i < candidates.size() && extraCodes.size() < extras; ++i) {
    extraCodes.push_back(candidates[i]);
  }
  std::sort(extraCodes.begin(), extraCodes.end());

  SampleUniverse u;
  std::set<std::string> usedNames;
  auto describe = [&](int code, StockProfile* s) {
    s->code = code;
    s->industry = IndustryOfCode(code);
    if (rng.Chance(0.01)) s->industry = 0;
    s->market = PickMarket(rng);
    std::string name;
    for (int attempt = 0; attempt < 8; ++attempt) {
      name = CompanyName(rng, s->industry);
      if (usedNames.insert(name).second) break;
    }
    std::string text2;
    const std::string text1 = Texts(rng, s->industry, &text2);
    s->name = Utf8ToCp932(name);
    s->text1 = Utf8ToCp932(text1);
    s->text2 = Utf8ToCp932(text2);
    DrawModel(rng, dayCount, s);
  };
  for (int code : codes) {
    StockProfile s;
    if (code == kIndexCode) {
      s.code = code;
      s.isIndex = true;
      s.market = kOtherMarket;
      s.industry = 0;
      s.name = Utf8ToCp932("総合株価指数");
      s.text1 = Utf8ToCp932("市場全体の値動きを表す指数。各銘柄の相関計算の基準");
      s.text2 = Utf8ToCp932("【算出】全上場銘柄の時価総額加重");
      s.startPrice = 12000;
      s.baseVolume = 1.2e9;
      s.firstDay = 0;
      s.lastDay = dayCount;
    } else {
      describe(code, &s);
    }
    u.stocks.push_back(std::move(s));
  }
  for (int code : extraCodes) {
    StockProfile s;
    describe(code, &s);
    u.dictionaryOnly.push_back(std::move(s));
  }

  // Oddities: late listings, delisted stocks kept in an archive folder, damaged files, splits
  // and stocks the dictionary does not know; one stock gets at most one of them.
  if (stockCount >= 20) {
    std::vector<size_t> order;
    for (size_t i = 0; i < u.stocks.size(); ++i) {
      if (!u.stocks[i].isIndex) order.push_back(i);
    }
    for (size_t i = order.size() - 1; i > 0; --i) {
      std::swap(order[i], order[static_cast<size_t>(rng.Between(0, static_cast<int>(i)))]);
    }
    auto share = [stockCount](double rate) {
      return std::max(1, static_cast<int>(stockCount * rate + 0.5));
    };
    size_t next = 0;
    Assign(u.stocks, order, &next, share(0.04),
           [&](StockProfile& s) { s.firstDay = rng.Between(dayCount / 5, dayCount * 9 / 10); });
    Assign(u.stocks, order, &next, share(0.01), [&](StockProfile& s) {
      s.archived = true;
      s.lastDay = rng.Between(dayCount / 2, dayCount * 19 / 20);
    });
    for (Damage d : {Damage::kSuspension, Damage::kLeadingZeros, Damage::kRepeatedTail,
                     Damage::kPartialRecord}) {
      Assign(u.stocks, order, &next, share(0.004), [d](StockProfile& s) { s.damage = d; });
    }
    Assign(u.stocks, order, &next, share(0.02), [&](StockProfile& s) {
      static constexpr int kRatios[] = {2, 5, 10};
      s.splitRatio = kRatios[rng.Between(0, 2)];
      s.splitDay = rng.Between(dayCount / 4, dayCount * 3 / 4);
      s.startPrice = std::max(s.startPrice, 300.0 * s.splitRatio);
    });
    Assign(u.stocks, order, &next, share(0.0025), [](StockProfile& s) { s.inDictionary = false; });
  }

  // Every sample of some size shows the name forms the list has to handle.
  if (stockCount >= 20) {
    std::vector<StockProfile*> plain;
    for (StockProfile& s : u.stocks) {
      if (!s.isIndex && s.inDictionary) plain.push_back(&s);
    }
    auto has = [&plain](auto test) { return std::any_of(plain.begin(), plain.end(), test); };
    if (plain.size() >= 2 &&
        !has([](const StockProfile* s) { return HasHalfWidthKana(s->name); })) {
      plain[0]->name = Utf8ToCp932(KanaName(rng, true));
    }
    const std::string mark = Utf8ToCp932("（株）");
    if (plain.size() >= 2 &&
        !has([&mark](const StockProfile* s) { return s->name.find(mark) != std::string::npos; })) {
      plain[1]->name = mark + plain[1]->name;
    }
  }
  return u;
}

}  // namespace korvale::sample
