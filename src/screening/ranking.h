// The page "ランキング／レコード" of the screening window: the stocks ranked by a field of their
// analysis records, or the stocks at a new high or low, as rows of the main window's stock list.
#ifndef KORVALE_SCREENING_RANKING_H_
#define KORVALE_SCREENING_RANKING_H_

#include <cstdint>

#include "screening/analysis_store.h"
#include "store/stock_dictionary.h"
#include "store/stock_list.h"

namespace korvale {

inline constexpr int kRankKeyCount = 5;     // rankKey 0..4
inline constexpr int kRecordKindCount = 8;  // recordKind 0..7
inline constexpr int32_t kDefaultTopCount = 20;
inline constexpr int32_t kMaxTopCount = 10000;  // the count field accepts 0..10000

// The ranking panel's choices; a new panel starts with these values.
struct RankingChoice {
  int32_t listMode = 0;  // 0 ranking, 1 records
  int32_t rankKey = 0;  // 0 株価上昇, 1 株価下落, 2 株価上昇率, 3 株価下落率, 4 出来高
  int32_t recordKind = 0;  // 0..7, see RecordKindText
  int32_t market = 0;      // market code 1..13, 0 for every market
  int32_t topCount = kDefaultTopCount;
};

// The key combo box's entries (UTF-8); "" outside 0..4.
const char* RankKeyText(int rankKey);
// The record-kind combo box's entries (UTF-8), "年初来高値銘柄" .. "蓄積データ中安値銘柄"; ""
// outside 0..7. The market combo box lists MarketNameUtf8(0..13).
const char* RecordKindText(int recordKind);

// Ranking: the records ordered by the key's field (priceChange, priceChangePercent or
// lastVolume; largest first for keys 0, 2, 4, smallest first for 1, 3; equal values in store
// order; a NaN from a damaged cache after every number), walked from the top, listing each
// stock of `market` (every stock for 0) until `topCount` rows are listed. Title "%s ランキング"
// with the market's name ("全市場" for 0). A topCount of 0 or less lists nothing.
// False, the list emptied and untitled, for a key or market out of range.
bool ListRanking(const CAnalysisStore& store, const CStockDictionary& dictionary, int rankKey,
                 int market, int topCount, ShownStockList* out);

// Records: in store order, every stock whose record passes the kind's test on lastClose c and
// the kind's field h (a high: h >= 1 and c >= h; a low: h > 0 and c <= h), with no market filter
// or count limit. Title the kind's text. False, the list emptied, for a kind out of range.
bool ListRecords(const CAnalysisStore& store, const CStockDictionary& dictionary, int recordKind,
                 ShownStockList* out);

// The ranking page's button "銘柄抽出": ListRanking or ListRecords by choice.listMode.
// Rows name the dictionary item at each record's stockIndex ("%04d %s", item data 1, the row map
// entry stockIndex); a record whose stockIndex is not a dictionary position (a cache from
// another data root) is passed over. The list's title is the thumbnail window's title.
bool RunRanking(const CAnalysisStore& store, const CStockDictionary& dictionary,
                const RankingChoice& choice, ShownStockList* out);

}  // namespace korvale

#endif  // KORVALE_SCREENING_RANKING_H_
