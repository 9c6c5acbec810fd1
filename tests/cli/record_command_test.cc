// korvale-cli record, run as a user runs it on a small data root.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/price_records.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::RunCommand;

std::string Cli(const testing::TempDir& root) {
  return "XDG_CONFIG_HOME=" + root.path() + " " + std::string(KORVALE_CLI_PATH) + " ";
}

std::vector<int32_t> Closes(int count, int from) {
  std::vector<int32_t> closes;
  for (int i = 0; i < count; ++i) closes.push_back(from + (i % 7) * 3 + i);
  return closes;
}

class RecordCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    fs::create_directories(root_.File("Data/1000"));
    fs::create_directories(root_.File("Data/7000"));
    fs::create_directories(root_.File("Data/LINE"));
    // 44 weekdays from Thursday 2006-01-05 to Tuesday 2006-03-07.
    testing::WritePriceFile(root_.File("Data/1000/KD1301.KDT"),
                            testing::WeekdayBars(2006, 1, 5, Closes(44, 500)));
    testing::WritePriceFile(root_.File("Data/1000/KD1010.KDT"),
                            testing::WeekdayBars(2006, 1, 5, Closes(44, 500)));
    testing::WritePriceFile(root_.File("Data/7000/KD7203.KDT"),
                            testing::WeekdayBars(2006, 1, 5, {10, 11}));
  }
  std::string Run(const std::string& args, int expected = 0) {
    std::string out;
    EXPECT_EQ(RunCommand(Cli(root_) + "record --root " + root_.path() + " " + args, &out), expected)
        << args;
    return out;
  }
  testing::TempDir root_;
};

TEST_F(RecordCommandTest, PrintsEveryFieldWithTheStocksPositionInTheList) {
  const std::string out = Run("1301");
  EXPECT_EQ(out.substr(0, 13), "stockIndex=1\n");  // 1010, 1301, 7203
  const int32_t last = Closes(44, 500).back();
  EXPECT_NE(out.find("\nlastClose=" + std::to_string(last) + "\n"), std::string::npos);
  EXPECT_NE(out.find("\ntrendLineCode=255\n"), std::string::npos);
  EXPECT_NE(out.find("\nindexCorrelation=0\n"), std::string::npos);
  EXPECT_NE(out.find("\nindexDeviation=0\n"), std::string::npos);
  EXPECT_EQ(Run("7203").substr(0, 13), "stockIndex=2\n");

  const std::string json = Run("1301 --json");
  EXPECT_EQ(json.substr(0, 19), "{\n  \"stockIndex\": 1");
  EXPECT_NE(json.find("\"rci1\": "), std::string::npos);
  EXPECT_EQ(json.substr(json.size() - 3), "\n}\n");
}

TEST_F(RecordCommandTest, AsOfADateAndWithSettingsOverridden) {
  // 2006-01-06 is the second bar: closes 500 and 504.
  std::string out = Run("1301 --as-of 2006-01-06");
  EXPECT_NE(out.find("\nlastClose=504\n"), std::string::npos);
  EXPECT_NE(out.find("\npriceChange=4\n"), std::string::npos);
  out = Run("1301 --set rsiPeriod1=3");
  EXPECT_EQ(out.find("\nrsi1=-10000\n"), std::string::npos);
  out = Run("1301 --set rsiPeriod1=44");
  EXPECT_NE(out.find("\nrsi1=-10000\n"), std::string::npos);
}

TEST_F(RecordCommandTest, TheDisplaySpanFollowsTheWindowWidthUnlessTheSettingsFixIt) {
  // 1200 pixels give 245 bars of span: too long a look-back for MACD over 44 bars.
  EXPECT_NE(Run("1301").find("\nmacdLevel=-1000\n"), std::string::npos);
  // 260 pixels give (260 - 220) / 4 = 10 bars.
  const std::string narrow = Run("1301 --width 260");
  EXPECT_EQ(narrow.find("\nmacdLevel=-1000\n"), std::string::npos);
  EXPECT_EQ(Run("1301 --set dailyAutoPeriod=0 --set dailySpanDays=10"), narrow);
  Run("1301 --width 0", 2);
}

TEST_F(RecordCommandTest, ReadsTheTrendLinesAndTheIndexSeries) {
  // A resistance at 100 from the first to the last day: the close lies above it.
  TrendLineFileRecord line;
  line.year1 = 2006;
  line.month1 = 1;
  line.day1 = 5;
  line.price1 = 100;
  line.year2 = 2006;
  line.month2 = 3;
  line.day2 = 7;
  line.price2 = 100;
  line.kind = 1;
  std::vector<uint8_t> bytes(kTrendLineFileRecordSize);
  EncodeTrendLineFileRecord(line, bytes.data());
  testing::WriteBytes(root_.File("Data/LINE/LN1301.DAT"), bytes);
  EXPECT_NE(Run("1301").find("\ntrendLineCode=0\n"), std::string::npos);

  // The index (code 1010) holds the same closes as the stock.
  const std::string out =
      Run("1301 --set useIndexAnalysis=1 --set indexStockCode=1010 --set weeklyIndexPeriod=1");
  EXPECT_NE(out.find("\nindexCorrelation=100\n"), std::string::npos);
}

TEST_F(RecordCommandTest, RefusesUnknownStocksAndBadArguments) {
  Run("9999", 1);
  Run("abc", 2);
  Run("12345", 2);
  Run("", 2);
  Run("1301 --as-of 2006-13-01", 2);
  Run("1301 --set nosuch=1", 1);
  std::string help;
  EXPECT_EQ(RunCommand(Cli(root_) + "record --help", &help), 0);
  EXPECT_NE(help.find("usage: korvale-cli record CODE"), std::string::npos);
}

}  // namespace
}  // namespace korvale
