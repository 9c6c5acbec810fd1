// Rankings and new highs and lows over the analysis store.
#include "screening/ranking.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "support/analysis_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Sjis;

// Eight stocks; 2001, 2002 and 3002 are of 東証２部 (market 2), the others of market 1.
class RankingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dict_ = testing::ListedRoot(root_.path(), {{1301, "極洋", 1},
                                               {1332, "日本水産", 1},
                                               {1333, "マルハ", 1},
                                               {2001, "日本製粉", 2},
                                               {2002, "日清製粉", 2},
                                               {3001, "片倉", 1},
                                               {3002, "グンゼ", 2},
                                               {3003, "ヒューリック", 1}});
    ASSERT_EQ(dict_->itemCount, 8);
  }

  AnalysisRecord& Add(int32_t stockIndex) {
    AnalysisRecord r;
    r.stockIndex = stockIndex;
    store_.AppendComputed(r, 0, 0, 0);
    return store_.records[static_cast<size_t>(store_.recordCount - 1)];
  }

  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const StockListRow& r : list_.rows) codes.push_back(r.code);
    return codes;
  }

  testing::TempDir root_;
  std::unique_ptr<CStockDictionary> dict_;
  CAnalysisStore store_;
  ShownStockList list_;
};

TEST_F(RankingTest, KeysOrderTheirFieldEachWayAndRowsNameTheRecordsStock) {
  // Records in an order unlike the list's, as after a batch that skipped stocks.
  const int32_t changes[] = {30, -12, 0, 5, 45, -40};
  const double rates[] = {0.4, -1.5, 0.3, 2.0, 0.35, -0.2};
  const int32_t volumes[] = {700, 100, 900, 300, 500, 800};
  const int32_t indexes[] = {7, 0, 3, 5, 1, 4};
  for (int i = 0; i < 6; ++i) {
    AnalysisRecord& r = Add(indexes[i]);
    r.priceChange = changes[i];
    r.priceChangePercent = rates[i];
    r.lastVolume = volumes[i];
  }
  ASSERT_TRUE(ListRanking(store_, *dict_, 0, 0, 20, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{1332, 3003, 3001, 2001, 1301, 2002}));
  EXPECT_EQ(list_.title, Sjis("全市場 ランキング"));
  EXPECT_EQ(list_.rows[0].text, Sjis("1332 日本水産"));
  EXPECT_EQ(list_.rows[0].itemIndex, 1);
  EXPECT_EQ(list_.rows[0].itemData, 1);

  ASSERT_TRUE(ListRanking(store_, *dict_, 1, 0, 3, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{2002, 1301, 2001}));
  // Rates closer than one point are still ordered: 0.4 > 0.35 > 0.3.
  ASSERT_TRUE(ListRanking(store_, *dict_, 2, 0, 20, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{3001, 3003, 1332, 2001, 2002, 1301}));
  ASSERT_TRUE(ListRanking(store_, *dict_, 3, 0, 2, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{1301, 2002}));
  ASSERT_TRUE(ListRanking(store_, *dict_, 4, 0, 4, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{2001, 2002, 3003, 1332}));
}

TEST_F(RankingTest, AMarketRankingTakesThatMarketsTopStocksNotThoseAmongTheOverallTop) {
  // Market 1 holds the five largest volumes; market 2's stocks rank 6th, 7th and 8th.
  const int32_t volumes[] = {900, 800, 700, 300, 200, 850, 100, 600};
  for (int32_t i = 0; i < 8; ++i) Add(i).lastVolume = volumes[i];
  ASSERT_TRUE(ListRanking(store_, *dict_, 4, 2, 2, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{2001, 2002}));
  EXPECT_EQ(list_.title, Sjis("東証２部 ランキング"));
  // A count beyond the market's stocks lists them all; 0 lists none.
  ASSERT_TRUE(ListRanking(store_, *dict_, 4, 2, 20, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{2001, 2002, 3002}));
  ASSERT_TRUE(ListRanking(store_, *dict_, 4, 0, 0, &list_));
  EXPECT_TRUE(list_.rows.empty());
  ASSERT_TRUE(ListRanking(store_, *dict_, 4, 5, 20, &list_));
  EXPECT_TRUE(list_.rows.empty());
  EXPECT_EQ(list_.title, Sjis("名証１部 ランキング"));
}

TEST_F(RankingTest, EqualValuesKeepStoreOrderAndDamagedValuesNeverBreakTheOrder) {
  Add(5).priceChangePercent = 1.0;
  Add(2).priceChangePercent = std::nan("");
  Add(6).priceChangePercent = 1.0;
  Add(0).priceChangePercent = 3.0;
  Add(4000).priceChangePercent = 9.0;  // no such stock
  Add(-1).priceChangePercent = 8.0;
  ASSERT_TRUE(ListRanking(store_, *dict_, 2, 0, 20, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{1301, 3001, 3002, 1333}));
  ASSERT_TRUE(ListRanking(store_, *dict_, 3, 0, 20, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{3001, 3002, 1301, 1333}));
}

TEST_F(RankingTest, RecordKindsListNewHighsAndLowsInStoreOrder) {
  AnalysisRecord& atHigh = Add(3);  // close equals the year's high
  atHigh.lastClose = 500;
  atHigh.highThisYear = 500;
  atHigh.lowThisYear = 300;
  atHigh.highAll = 800;
  atHigh.lowAll = 100;
  AnalysisRecord& below = Add(1);
  below.lastClose = 499;
  below.highThisYear = 500;
  below.lowThisYear = 499;
  below.highFiveYears = 450;
  below.lowFiveYears = 499;
  AnalysisRecord& noBars = Add(6);  // every field 0: never listed
  noBars.lastClose = 0;
  AnalysisRecord& lowAll = Add(0);
  lowAll.lastClose = 90;
  lowAll.lowAll = 100;
  lowAll.highAll = 1;

  auto kind = [&](int k) {
    EXPECT_TRUE(ListRecords(store_, *dict_, k, &list_));
    return Codes();
  };
  EXPECT_EQ(kind(0), (std::vector<int>{2001}));
  EXPECT_EQ(list_.title, Sjis("年初来高値銘柄"));
  EXPECT_EQ(kind(1), (std::vector<int>{1332}));
  EXPECT_EQ(kind(2), std::vector<int>{});
  EXPECT_EQ(kind(4), (std::vector<int>{1332}));
  EXPECT_EQ(kind(5), (std::vector<int>{1332}));
  EXPECT_EQ(kind(6), (std::vector<int>{1301}));
  EXPECT_EQ(kind(7), (std::vector<int>{1301}));
  EXPECT_EQ(list_.title, Sjis("蓄積データ中安値銘柄"));

  RankingChoice choice;
  choice.listMode = 1;
  choice.recordKind = 1;
  ASSERT_TRUE(RunRanking(store_, *dict_, choice, &list_));
  EXPECT_EQ(Codes(), (std::vector<int>{1332}));
}

TEST_F(RankingTest, ChoicesOutOfRangeListNothing) {
  Add(0).lastVolume = 5;
  EXPECT_FALSE(ListRanking(store_, *dict_, 5, 0, 20, &list_));
  EXPECT_FALSE(ListRanking(store_, *dict_, 0, 14, 20, &list_));
  EXPECT_FALSE(ListRecords(store_, *dict_, 8, &list_));
  EXPECT_TRUE(list_.rows.empty());
  EXPECT_TRUE(ListRanking(store_, *dict_, 4, 0, -3, &list_));
  EXPECT_TRUE(list_.rows.empty());
  EXPECT_STREQ(RankKeyText(2), "株価上昇率");
  EXPECT_STREQ(RankKeyText(5), "");
  EXPECT_STREQ(RecordKindText(4), "５年間高値銘柄");
  EXPECT_STREQ(RecordKindText(-1), "");
}

}  // namespace
}  // namespace korvale
