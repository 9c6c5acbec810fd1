#include "app/korvale_doc.h"

#include <gtest/gtest.h>

#include "sample/sample_database.h"
#include "store/file_io.h"
#include "support/test_support.h"

namespace korvale {
namespace {

class KorvaleDocTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.File("root");
    SampleOptions options;
    options.stocks = 8;
    options.years = 1;
    SampleSummary summary;
    std::string error;
    ASSERT_TRUE(MakeSampleDatabase(root_, options, &summary, &error)) << error;
    ApplySettingsDefaults(&settings_, root_);
    folders_ = std::make_unique<CFolderPreparer>(root_, 0);
    doc_ = std::make_unique<CKorvaleDoc>(settings_, *folders_);
    doc_->Start();
  }
  std::string PathOfRow(int row) const {
    const StockListItem& item = doc_->dictionary()->items[doc_->list().rows[row].itemIndex];
    return PriceFileName(doc_->dictionary()->folders[item.folder], item.code);
  }

  testing::TempDir dir_;
  std::string root_;
  SettingsRecord settings_;
  std::unique_ptr<CFolderPreparer> folders_;
  std::unique_ptr<CKorvaleDoc> doc_;
};

TEST_F(KorvaleDocTest, StartListsEveryStockAndLearnsTheLatestDateWithoutAChart) {
  EXPECT_EQ(static_cast<int>(doc_->list().rows.size()), doc_->dictionary()->itemCount);
  EXPECT_EQ(doc_->latestYear(), 2025);
  EXPECT_EQ(doc_->latestMonth(), 12);
  EXPECT_EQ(doc_->latestDay(), 30);
  EXPECT_EQ(doc_->painter(), nullptr);
}

TEST_F(KorvaleDocTest, OpeningAStockSetsItsPathsAndAPainter) {
  ASSERT_TRUE(doc_->OpenRow(1));
  ASSERT_NE(doc_->painter(), nullptr);
  const int code = doc_->code();
  EXPECT_EQ(doc_->series().filePath, PathOfRow(1));
  EXPECT_EQ(doc_->series().linePath, LineFileName(root_ + "/Data/LINE", code));
  std::string margin;
  doc_->dictionary()->GetMarginPath(code, &margin);
  EXPECT_EQ(doc_->series().marginPath, margin);
  EXPECT_FALSE(doc_->title().empty());
  EXPECT_GT(doc_->series().weekCount(), 0);  // the painter built the weekly bars
}

TEST_F(KorvaleDocTest, TheLinesOfThePreviousStockGoToItsOwnFile) {
  ASSERT_TRUE(doc_->OpenRow(1));
  const int first = doc_->code();
  const std::string firstLines = doc_->series().linePath;
  // Give the first stock a line on its file, as an earlier session saved it, and open it again
  // (by way of another stock, as a user would).
  CPriceSeries earlier = doc_->series();
  earlier.lines.push_back(TrendLine{earlier.barCount() - 10, 100, earlier.barCount() - 1, 120, 1});
  ASSERT_EQ(earlier.SaveLines(), 1);
  ASSERT_TRUE(doc_->OpenRow(2));
  ASSERT_TRUE(doc_->OpenRow(1));
  ASSERT_EQ(doc_->series().lineCount(), 1);
  const auto before = testing::ReadBytes(firstLines);

  ASSERT_TRUE(doc_->OpenRow(2));
  EXPECT_NE(doc_->code(), first);
  EXPECT_EQ(doc_->series().lineCount(), 0);  // the second stock has no lines
  EXPECT_EQ(testing::ReadBytes(firstLines), before);  // written back to the first stock's file
  EXPECT_FALSE(FileExists(doc_->series().linePath));
}

TEST_F(KorvaleDocTest, AFileWithoutAUsableBarShowsThePlaceholder) {
  testing::WriteBytes(dir_.File("KD1301.KDT"), std::vector<uint8_t>(25, 0));
  EXPECT_EQ(doc_->OpenFile(dir_.File("KD1301.KDT")), CKorvaleDoc::OpenResult::kStock);
  EXPECT_EQ(doc_->series().barCount(), 1);
  EXPECT_EQ(doc_->series().bars[0].year, 0);
  EXPECT_EQ(doc_->code(), 1301);
  ASSERT_NE(doc_->painter(), nullptr);
}

TEST_F(KorvaleDocTest, FilesOpenByTheirKind) {
  EXPECT_EQ(doc_->OpenFile(root_ + "/Banks.LST"), CKorvaleDoc::OpenResult::kList);
  EXPECT_NE(doc_->list().title.find("Banks"), std::string::npos);
  EXPECT_EQ(doc_->OpenFile(dir_.File("notes.txt")), CKorvaleDoc::OpenResult::kIgnored);
  EXPECT_EQ(doc_->OpenFile("KD1.KDT"), CKorvaleDoc::OpenResult::kIgnored);  // too short for a code
  EXPECT_EQ(doc_->OpenFile(dir_.File("KDabcd.kdt")), CKorvaleDoc::OpenResult::kIgnored);
  EXPECT_EQ(doc_->OpenFile(PathOfRow(0)), CKorvaleDoc::OpenResult::kStock);  // any case of .KDT
}

TEST_F(KorvaleDocTest, ASecondWindowSharesTheDictionaryAndTheList) {
  doc_->ShowCodeRange(1);
  auto second = doc_->NewWindowDocument();
  EXPECT_EQ(second->dictionary(), doc_->dictionary());
  EXPECT_EQ(second->list().title, doc_->list().title);
  EXPECT_EQ(second->list().rows.size(), doc_->list().rows.size());
  EXPECT_EQ(second->painter(), nullptr);
  EXPECT_TRUE(second->OpenRow(0));
}

}  // namespace
}  // namespace korvale
