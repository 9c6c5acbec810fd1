#include "screening/ranking.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "screening/result_rows.h"
#include "store/cp932.h"
#include "store/market_industry_tables.h"

namespace korvale {

namespace {

constexpr const char* kRankKeyTexts[kRankKeyCount] = {"株価上昇", "株価下落", "株価上昇率",
                                                      "株価下落率", "出来高"};

constexpr const char* kRecordKindTexts[kRecordKindCount] = {
    "年初来高値銘柄", "年初来安値銘柄", "昨年来高値銘柄",       "昨年来安値銘柄",
    "５年間高値銘柄", "５年間安値銘柄", "蓄積データ中高値銘柄", "蓄積データ中安値銘柄",
};

struct Ranked {
  int32_t stockIndex;
  double value;
};

double KeyValue(const AnalysisRecord& r, int rankKey) {
  switch (rankKey) {
    case 0:
    case 1:
      return r.priceChange;
    case 2:
    case 3:
      return r.priceChangePercent;
    default:
      return r.lastVolume;
  }
}

// The field a record kind compares the last close with.
int32_t KindField(const AnalysisRecord& r, int recordKind) {
  switch (recordKind) {
    case 0:
      return r.highThisYear;
    case 1:
      return r.lowThisYear;
    case 2:
      return r.highSinceLastYear;
    case 3:
      return r.lowSinceLastYear;
    case 4:
      return r.highFiveYears;
    case 5:
      return r.lowFiveYears;
    case 6:
      return r.highAll;
    default:
      return r.lowAll;
  }
}

bool KindListed(const AnalysisRecord& r, int recordKind) {
  const int32_t h = KindField(r, recordKind);
  const int32_t c = r.lastClose;
  const bool high = recordKind % 2 == 0;
  return high ? h >= 1 && c >= h : h > 0 && c <= h;
}

void Reset(ShownStockList* out) {
  out->title.clear();
  out->rows.clear();
}

}  // namespace

const char* RankKeyText(int rankKey) {
  return rankKey >= 0 && rankKey < kRankKeyCount ? kRankKeyTexts[rankKey] : "";
}

const char* RecordKindText(int recordKind) {
  return recordKind >= 0 && recordKind < kRecordKindCount ? kRecordKindTexts[recordKind] : "";
}

bool ListRanking(const CAnalysisStore& store, const CStockDictionary& dictionary, int rankKey,
                 int market, int topCount, ShownStockList* out) {
  Reset(out);
  if (rankKey < 0 || rankKey >= kRankKeyCount || market < 0 || market >= kMarketCount) {
    return false;
  }
  static const std::string suffix = Utf8ToCp932(" ランキング");
  out->title = MarketName(market) + suffix;
  if (topCount <= 0) return true;

  std::vector<Ranked> ranked;
  ranked.reserve(static_cast<size_t>(store.recordCount));
  for (const AnalysisRecord& r : store.Records()) {
    ranked.push_back({r.stockIndex, KeyValue(r, rankKey)});
  }
  const bool largestFirst = rankKey == 0 || rankKey == 2 || rankKey == 4;
  // A NaN compares false with everything, which would break the ordering the sort relies on;
  // it goes after every number instead.
  std::stable_sort(ranked.begin(), ranked.end(), [largestFirst](const Ranked& a, const Ranked& b) {
    const bool aNaN = std::isnan(a.value), bNaN = std::isnan(b.value);
    if (aNaN || bNaN) return !aNaN && bNaN;
    return largestFirst ? a.value > b.value : a.value < b.value;
  });

  const size_t limit = static_cast<size_t>(topCount);
  for (const Ranked& r : ranked) {
    if (out->rows.size() >= limit) break;
    if (r.stockIndex < 0 || r.stockIndex >= dictionary.itemCount) continue;
    if (market != 0 && dictionary.items[static_cast<size_t>(r.stockIndex)].market != market) {
      continue;
    }
    AppendRecordRow(dictionary, r.stockIndex, out);
  }
  return true;
}

bool ListRecords(const CAnalysisStore& store, const CStockDictionary& dictionary, int recordKind,
                 ShownStockList* out) {
  Reset(out);
  if (recordKind < 0 || recordKind >= kRecordKindCount) return false;
  out->title = Utf8ToCp932(kRecordKindTexts[recordKind]);
  for (const AnalysisRecord& r : store.Records()) {
    if (KindListed(r, recordKind)) AppendRecordRow(dictionary, r.stockIndex, out);
  }
  return true;
}

bool RunRanking(const CAnalysisStore& store, const CStockDictionary& dictionary,
                const RankingChoice& choice, ShownStockList* out) {
  if (choice.listMode == 1) return ListRecords(store, dictionary, choice.recordKind, out);
  return ListRanking(store, dictionary, choice.rankKey, choice.market, choice.topCount, out);
}

}  // namespace korvale
