// A rule run over the analysis store, and the reading of the threshold field.
#include "screening/screening_run.h"

#include <gtest/gtest.h>

#include <memory>

#include "screening/condition_catalogue.h"
#include "support/analysis_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/screening_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Sjis;

class ScreeningRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dict_ = testing::ListedRoot(root_.path(), {{1301, "極洋", 1},
                                               {1332, "日本水産", 1},
                                               {6501, "日立製作所", 1},
                                               {7203, "トヨタ自動車", 1},
                                               {8001, "伊藤忠商事", 1}});
    ASSERT_EQ(dict_->itemCount, 5);
    InitConditionSet(&set_, testing::DefaultSettings());
    SetConditionSetName(&set_, Sjis("値がさ株"));
  }

  void Add(int32_t stockIndex, int32_t close) {
    AnalysisRecord r;
    r.stockIndex = stockIndex;
    r.lastClose = close;
    store_.AppendComputed(r, 0, 0, 0);
  }

  std::vector<int> Codes() const {
    std::vector<int> codes;
    for (const StockListRow& r : list_.rows) codes.push_back(r.code);
    return codes;
  }

  testing::TempDir root_;
  std::unique_ptr<CStockDictionary> dict_;
  CAnalysisStore store_;
  ConditionSet set_;
  ShownStockList list_;
};

TEST_F(ScreeningRunTest, AllConditionsListTheMatchingRecordsInStoreOrder) {
  // Records in an order unlike the list's, with 1332 missing (no price file).
  Add(4, 3000);
  Add(0, 500);
  Add(3, 1200);
  Add(2, 900);
  set_.enabled[0] = 1;  // 株価下限
  set_.minPrice = 900;
  set_.enabled[1] = 1;  // 株価上限
  set_.maxPrice = 2000;
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{7203, 6501}));
  EXPECT_EQ(list_.title, Sjis("値がさ株"));
  ASSERT_EQ(list_.rows.size(), 2u);
  EXPECT_EQ(list_.rows[0].text, Sjis("7203 トヨタ自動車"));
  EXPECT_EQ(list_.rows[0].itemIndex, 3);
  EXPECT_EQ(list_.rows[0].itemData, 1);
  EXPECT_EQ(list_.rows[1].itemIndex, 2);

  // No condition at all lists every stock that has a record, and nothing else.
  InitConditionSet(&set_, testing::DefaultSettings());
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{8001, 1301, 7203, 6501}));
}

TEST_F(ScreeningRunTest, AWeightedScoreIsListedFromItsIntegerPart) {
  Add(0, 1000);  // both conditions: 1.5 + 1.5
  Add(1, 100);   // only 株価上限: 1.5
  Add(2, 5000);  // only 株価下限: 1.5
  set_.mode = 1;
  set_.enabled[0] = 1;
  set_.minPrice = 500;
  set_.weights[0] = 1.5;
  set_.enabled[1] = 1;
  set_.maxPrice = 2000;
  set_.weights[1] = 1.5;
  ASSERT_TRUE(ReadThresholdText("3", &set_.scoreThreshold));
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{1301}));

  // A threshold of 2.5: a score of 2.9 is 2 and is not listed, 3.0 is.
  set_.weights[0] = 1.4;
  ASSERT_TRUE(ReadThresholdText("2.500000", &set_.scoreThreshold));
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_TRUE(list_.rows.empty());
  set_.weights[0] = 1.5;
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{1301}));
  // At or below 1 every stock with one condition holding is listed too.
  set_.scoreThreshold = 1;
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{1301, 1332, 6501}));
}

TEST_F(ScreeningRunTest, RecordsNamingNoStockArePassedOver) {
  Add(7, 100);
  Add(-3, 100);
  Add(4, 100);
  RunRule(set_, store_, *dict_, &list_);
  EXPECT_EQ(Codes(), (std::vector<int>{8001}));
}

TEST(ThresholdTextTest, ReadsDecimalNumbersOnly) {
  double v = 42;
  EXPECT_TRUE(ReadThresholdText("3", &v));
  EXPECT_EQ(v, 3);
  EXPECT_TRUE(ReadThresholdText(" 2.500000 ", &v));
  EXPECT_EQ(v, 2.5);
  EXPECT_TRUE(ReadThresholdText("-1.25", &v));
  EXPECT_EQ(v, -1.25);
  EXPECT_TRUE(ReadThresholdText("+4", &v));
  EXPECT_EQ(v, 4);
  for (const char* bad : {"", "  ", "abc", "3x", "1e3", "+-3", "--3", "inf", "nan", "0x10", "-"}) {
    v = 42;
    EXPECT_FALSE(ReadThresholdText(bad, &v)) << bad;
    EXPECT_EQ(v, 42) << bad;
  }
}

}  // namespace
}  // namespace korvale
