// korvale-cli table, lines CODE and render --thumbnails, run as a user runs them on a small
// data root.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "store/file_io.h"
#include "store/price_records.h"
#include "store/string_printf.h"
#include "support/chart_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;

class TableAndLinesCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_.File("Data/7000"));
    fs::create_directories(root_.File("Data/1000"));
    bars_ = testing::WalkBars(300, 1000, 7);  // weekdays from Monday 2000-01-03
    testing::WritePriceFile(root_.File("Data/7000/KD7203.KDT"), bars_);
    testing::WritePriceFile(root_.File("Data/1000/KD1010.KDT"), testing::WalkBars(320, 9000, 8));
    testing::WriteBytes(root_.File("Data/1000/KD1301.KDT"), {});  // nothing readable
  }
  int Run(const std::string& args, std::string* out) {
    return RunCommand("XDG_CONFIG_HOME=" + root_.path() + " " + KORVALE_CLI_PATH + " " + args +
                          " --root " + root_.path(),
                      out, true);
  }
  std::string LinePath() const { return root_.File("Data/LINE/LN7203.DAT"); }
  std::string Date(int i) const {
    return StringPrintf("%d/%d/%d", bars_[i].year, bars_[i].month, bars_[i].day);
  }
  testing::TempDir root_;
  std::vector<PriceBar> bars_;
};

TEST_F(TableAndLinesCommandsTest, TableListsTheNewestRowsOfEachKind) {
  std::string out;
  ASSERT_EQ(Run("table 7203", &out), 0) << out;
  const PriceBar& last = bars_.back();
  EXPECT_NE(
      out.find(StringPrintf("%04d/%02d/%02d %6d %6d %6d %6d %6d\n", last.year, last.month, last.day,
                            last.open, last.high, last.low, last.close, last.volume)),
      std::string::npos);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 40);  // dailyTableDays
  ASSERT_EQ(Run("table 7203 --weekly --set weeklyTableWeeks=3", &out), 0) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 3);
  ASSERT_EQ(Run("table 7203 --monthly --json", &out), 0) << out;
  EXPECT_NE(
      out.find("\"columns\": [\"年月日\", \"始値\", \"高値\", \"安値\", \"終値\", \"出来高\"]"),
      std::string::npos);
  EXPECT_NE(out.find(StringPrintf("[\"%04d/%02d\"", last.year, last.month)), std::string::npos);
  EXPECT_EQ(Run("table 1301", &out), 0) << out;  // no prices: no rows
  EXPECT_EQ(out, "");
  EXPECT_EQ(Run("table 7203 --weekly --monthly", &out), 2);
  EXPECT_EQ(Run("table 4444", &out), 1);
}

TEST_F(TableAndLinesCommandsTest, LinesAreAddedAndDeletedAsTheEditorWritesThem) {
  std::string out;
  // A line under every close is support; an explicit kind wins over the rule.
  ASSERT_EQ(Run("lines 7203 --add " + Date(10) + ":1-" + Date(20) + "+5:2", &out), 0) << out;
  ASSERT_EQ(Run("lines 7203 --add " + Date(1) + ":3-" + Date(2) + ":4:resistance", &out), 0) << out;
  EXPECT_EQ(out, "0 " + Date(10) + ":1-" + Date(25) + ":2 support\n1 " + Date(1) + ":3-" + Date(2) +
                     ":4 resistance\n");
  std::vector<uint8_t> bytes = testing::ReadBytes(LinePath());
  ASSERT_EQ(bytes.size(), 2 * kTrendLineFileRecordSize);
  const TrendLineFileRecord first = DecodeTrendLineFileRecord(bytes.data());
  EXPECT_EQ(first.day2, bars_[25].day);
  EXPECT_EQ(first.beyond2, 0);
  EXPECT_EQ(first.kind, 2);
  // A point beyond the newest day is stored with that day and the bars beyond it.
  ASSERT_EQ(Run("lines 7203 --delete 0 --add " + Date(290) + ":1-" + Date(299) + "+4:2", &out), 0)
      << out;
  bytes = testing::ReadBytes(LinePath());
  ASSERT_EQ(bytes.size(), 2 * kTrendLineFileRecordSize);
  EXPECT_EQ(DecodeTrendLineFileRecord(bytes.data()).price1, 3);
  EXPECT_EQ(DecodeTrendLineFileRecord(bytes.data() + kTrendLineFileRecordSize).beyond2, 4);

  // Refused: nothing changes.
  EXPECT_EQ(Run("lines 7203 --add 1999/1/1:1-" + Date(2) + ":2", &out), 1);
  EXPECT_EQ(Run("lines 7203 --delete 7", &out), 1);
  EXPECT_EQ(Run("lines 7203 --add " + Date(1) + ":3", &out), 2);
  EXPECT_EQ(testing::ReadBytes(LinePath()), bytes);

  // Every line deleted: the file goes, and no line comes back.
  ASSERT_EQ(Run("lines 7203 --delete 0 --delete 1", &out), 0) << out;
  EXPECT_FALSE(fs::exists(LinePath()));
  ASSERT_EQ(Run("lines 7203", &out), 0);
  EXPECT_EQ(out, "");
}

TEST_F(TableAndLinesCommandsTest, ThumbnailsRenderEveryListIncludingBadOnes) {
  std::string out;
  const std::string png = root_.File("thumbs.png");
  if (Run("render --thumbnails all -o " + png, &out) == 1 &&
      out.find("without Qt") != std::string::npos) {
    GTEST_SKIP() << "korvale-cli was built without Qt";
  }
  ASSERT_EQ(Run("render --thumbnails all -o " + png, &out), 0) << out;
  EXPECT_TRUE(fs::exists(png));
  // Ten thousand rows: codes the dictionary lacks, the stock without prices, the others.
  std::string list;
  for (int i = 0; i < 10000; ++i) list += StringPrintf("%d x\r\n", 1001 + i % 8999);
  testing::WriteText(root_.File("Big.LST"), list);
  ASSERT_EQ(Run("render --thumbnails Big.LST --size 300x200 --first 9990 -o " + png, &out), 0)
      << out;
  EXPECT_EQ(Run("render --thumbnails Missing.LST -o " + png, &out), 1);
  EXPECT_EQ(Run("render 7203 --thumbnails all -o " + png, &out), 2);
}

}  // namespace
}  // namespace korvale
