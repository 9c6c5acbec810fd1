// The analyze, rank and records commands run as a user runs them on a small sample database.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/test_support.h"

namespace korvale {
namespace {

using testing::RunCommand;
using testing::TempDir;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
    lines.push_back(text.substr(at, nl - at));
  }
  return lines;
}

// "%04d %s": four digits, a space, a name.
bool IsStockRow(const std::string& row) {
  if (row.size() < 6 || row[4] != ' ') return false;
  return std::all_of(row.begin(), row.begin() + 4, [](char c) { return c >= '0' && c <= '9'; });
}

// One small sample database for the suite; commands run with a private config folder.
class AnalysisCommandsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    std::string out;
    ASSERT_EQ(Run("sample " + Root() + " --stocks 40 --years 2", &out), 0) << out;
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string Root() { return dir_->path() + "/s"; }
  static std::string Cache() { return Root() + "/analize.tmp"; }
  static int Run(const std::string& args, std::string* out, bool withStderr = false) {
    return RunCommand(
        "XDG_CONFIG_HOME=" + dir_->path() + " " + std::string(KORVALE_CLI_PATH) + " " + args, out,
        withStderr);
  }
  // The value of one field in the record command's output for a code.
  static int64_t Field(const std::string& row, const std::string& name) {
    std::string out;
    EXPECT_EQ(Run("record " + row.substr(0, 4) + " --root " + Root(), &out), 0);
    const size_t at = out.find("\n" + name + "=");
    EXPECT_NE(at, std::string::npos) << name;
    return std::stoll(out.substr(at + name.size() + 2));
  }
  static TempDir* dir_;
};
TempDir* AnalysisCommandsTest::dir_ = nullptr;

TEST_F(AnalysisCommandsTest, AnalyzeRecordsEveryStockAndSavesOnlyALatestBatch) {
  std::string out;
  ASSERT_EQ(Run("list --root " + Root(), &out), 0);
  const size_t stocks = Lines(out).size() - 1;  // after the title
  ASSERT_EQ(stocks, 40u);

  std::filesystem::remove(Cache());
  ASSERT_EQ(Run("analyze --root " + Root(), &out), 0);
  EXPECT_EQ(out, "40 records, as of 2025-12-30\n");
  EXPECT_EQ(std::filesystem::file_size(Cache()), 40u * 304u);

  const std::vector<uint8_t> latest = testing::ReadBytes(Cache());
  // One thread or three: the same records in the same order.
  for (const char* threads : {"1", "3"}) {
    ASSERT_EQ(Run("analyze --root " + Root() + " --threads " + threads, &out, true), 0);
    EXPECT_EQ(out, "株価データ分析中 40/40\n40 records, as of 2025-12-30\n");
    EXPECT_EQ(testing::ReadBytes(Cache()), latest) << threads;
  }
  ASSERT_EQ(Run("analyze --root " + Root() + " --as-of 2024-06-15", &out), 0);
  EXPECT_EQ(out, "40 records, as of 2024-06-14\n");  // a Saturday: Friday's bars
  EXPECT_EQ(testing::ReadBytes(Cache()), latest);
  // Before the first day of the sample every stock still has a record, and no date.
  ASSERT_EQ(Run("analyze --root " + Root() + " --as-of 1990-01-01", &out), 0);
  EXPECT_EQ(out, "40 records, no as-of date\n");

  EXPECT_EQ(Run("analyze --root " + Root() + " --as-of 2024-13-01", &out), 2);
  EXPECT_EQ(Run("analyze --root " + Root() + " extra", &out), 2);
  EXPECT_EQ(Run("analyze --root " + Root() + " --threads 9", &out), 2);
  EXPECT_EQ(Run("analyze --root " + dir_->path() + "/none", &out), 1);
  ASSERT_EQ(Run("analyze --help", &out), 0);
  EXPECT_NE(out.find("usage: korvale-cli analyze"), std::string::npos);
}

TEST_F(AnalysisCommandsTest, RankListsTheLargestValuesOfAMarket) {
  std::string out;
  ASSERT_EQ(Run("rank --root " + Root() + " --key 4 --top 5", &out), 0);
  std::vector<std::string> rows = Lines(out);
  ASSERT_EQ(rows.size(), 5u);
  int64_t previous = INT64_MAX;
  for (const std::string& row : rows) {
    EXPECT_TRUE(IsStockRow(row)) << row;
    const int64_t volume = Field(row, "lastVolume");
    EXPECT_LE(volume, previous) << row;
    previous = volume;
  }

  // The stocks of market 1, in the order of their price change.
  ASSERT_EQ(Run("list --root " + Root() + " --market 1", &out), 0);
  const std::vector<std::string> market = Lines(out);
  ASSERT_EQ(Run("rank --root " + Root() + " --key 1 --market 1 --top 10000 --cached", &out), 0);
  rows = Lines(out);
  ASSERT_EQ(rows.size(), market.size() - 1);
  previous = INT64_MIN;
  for (const std::string& row : rows) {
    EXPECT_NE(std::find(market.begin(), market.end(), row), market.end()) << row;
    const int64_t change = Field(row, "priceChange");
    EXPECT_GE(change, previous) << row;
    previous = change;
  }

  ASSERT_EQ(Run("rank --root " + Root() + " --key 0 --market 2 --top 3 --cached --json", &out), 0);
  EXPECT_EQ(out.rfind("{\"title\": \"東証２部 ランキング\", \"rows\": [", 0), 0u) << out;

  EXPECT_EQ(Run("rank --root " + Root(), &out), 2);
  EXPECT_EQ(Run("rank --root " + Root() + " --key 5", &out), 2);
  EXPECT_EQ(Run("rank --root " + Root() + " --key 0 --market 14", &out), 2);
  EXPECT_EQ(Run("rank --root " + Root() + " --key 0 --top 10001", &out), 2);
}

TEST_F(AnalysisCommandsTest, RecordsListStocksAtTheirHighsAndLows) {
  std::string out;
  ASSERT_EQ(Run("analyze --root " + Root(), &out), 0);
  for (int kind : {0, 7}) {
    ASSERT_EQ(Run("records --root " + Root() + " --cached --kind " + std::to_string(kind), &out),
              0);
    for (const std::string& row : Lines(out)) {
      const int64_t close = Field(row, "lastClose");
      if (kind == 0) {
        EXPECT_GE(close, Field(row, "highThisYear")) << row;
      } else {
        EXPECT_LE(close, Field(row, "lowAll")) << row;
      }
    }
  }
  EXPECT_EQ(Run("records --root " + Root() + " --kind 8", &out), 2);
  EXPECT_EQ(Run("records --root " + Root(), &out), 2);
}

TEST_F(AnalysisCommandsTest, CachedRunsReuseOnlyACacheThatMatchesTheStockList) {
  std::string out;
  ASSERT_EQ(Run("analyze --root " + Root(), &out), 0);
  ASSERT_EQ(Run("records --root " + Root() + " --kind 6", &out), 0);
  const std::string fresh = out;

  // A cache of the right length is used as it is: here every record but the first is cut
  // down to a close of 0, so only that stock can reach its high.
  std::vector<uint8_t> bytes = testing::ReadBytes(Cache());
  for (size_t i = 1; i < 40; ++i) std::fill_n(bytes.begin() + i * 304 + 4, 4, 0);
  testing::WriteBytes(Cache(), bytes);
  ASSERT_EQ(Run("records --root " + Root() + " --kind 6 --cached", &out), 0);
  EXPECT_TRUE(out.empty() || Lines(out).size() == 1u) << out;
  EXPECT_EQ(testing::ReadBytes(Cache()), bytes);

  // A cache of another length is not: the batch runs again and rewrites it.
  bytes.resize(39 * 304);
  testing::WriteBytes(Cache(), bytes);
  ASSERT_EQ(Run("records --root " + Root() + " --kind 6 --cached", &out, true), 0);
  EXPECT_NE(out.find("analize.tmp"), std::string::npos) << out;
  ASSERT_EQ(Run("records --root " + Root() + " --kind 6 --cached", &out), 0);
  EXPECT_EQ(out, fresh);
  EXPECT_EQ(std::filesystem::file_size(Cache()), 40u * 304u);
}

TEST_F(AnalysisCommandsTest, ScreenListsWhatTheRuleListsForEachStock) {
  std::string out;
  ASSERT_EQ(Run("analyze --root " + Root(), &out), 0);
  ASSERT_EQ(Run("list --root " + Root(), &out), 0);
  std::vector<std::string> all = Lines(out);
  all.erase(all.begin());  // the title

  for (const char* rule : {"高値圏スコア", "RSI売られすぎ反発"}) {
    ASSERT_EQ(Run("screen " + std::string(rule) + " --root " + Root() + " --cached", &out), 0);
    const std::vector<std::string> rows = Lines(out);
    // Each stock is listed exactly when the rule lists its own record, in list order.
    std::vector<std::string> expected;
    for (const std::string& row : all) {
      std::string match;
      ASSERT_EQ(
          Run("rule match " + std::string(rule) + " " + row.substr(0, 4) + " --root " + Root(),
              &match),
          0);
      if (match.find("\nlisted=1\n") != std::string::npos) expected.push_back(row);
    }
    EXPECT_EQ(rows, expected) << rule;
  }
  // The same rule by its file.
  std::string byName, byPath;
  ASSERT_EQ(Run("screen 高値圏スコア --root " + Root() + " --cached --json", &byName), 0);
  ASSERT_EQ(
      Run("screen " + Root() + "/Rules/高値圏スコア.ERL --root " + Root() + " --cached --json",
          &byPath),
      0);
  EXPECT_EQ(byName, byPath);
  EXPECT_EQ(byName.rfind("{\"title\": \"高値圏スコア\", \"rows\": [", 0), 0u) << byName;

  EXPECT_EQ(Run("screen nosuch --root " + Root(), &out), 1);
  EXPECT_EQ(Run("screen --root " + Root(), &out), 2);
  EXPECT_EQ(Run("screen 高値圏スコア --root " + Root() + " --width 0", &out), 2);
}

TEST_F(AnalysisCommandsTest, AWeightedRuleCountsTheIntegerPartOfItsScore) {
  // Two conditions every stock with a price meets, worth 1.5 each: 3 reaches 3 but not 3.5.
  std::string out;
  ASSERT_EQ(Run("rule set 二条件 --root " + Root() +
                    " --mode 1 --threshold 3 --enable 0 --param minPrice=1 --weight 0=1.5"
                    " --enable 1 --param maxPrice=100000000 --weight 1=1.5",
                &out),
            0);
  ASSERT_EQ(Run("analyze --root " + Root(), &out), 0);
  ASSERT_EQ(Run("screen 二条件 --root " + Root() + " --cached", &out), 0);
  const size_t listed = Lines(out).size();
  ASSERT_EQ(Run("rank --key 4 --top 10000 --root " + Root() + " --cached", &out), 0);
  size_t priced = 0;
  for (const std::string& row : Lines(out)) priced += Field(row, "lastClose") >= 1 ? 1 : 0;
  EXPECT_EQ(listed, priced);
  EXPECT_GT(listed, 30u);

  ASSERT_EQ(Run("rule set 二条件 --root " + Root() + " --threshold 3.5", &out), 0);
  ASSERT_EQ(Run("screen 二条件 --root " + Root() + " --cached", &out), 0);
  EXPECT_EQ(out, "");
  std::filesystem::remove(Root() + "/Rules/二条件.ERL");
}

}  // namespace
}  // namespace korvale
