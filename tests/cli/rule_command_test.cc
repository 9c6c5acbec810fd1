// korvale-cli rule, run as a user runs it on a small data root.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/cp932.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::RunCommand;

class RuleCommandTest : public ::testing::Test {
 protected:
  std::string Run(const std::string& args, int expected = 0, bool withStderr = false) {
    std::string out;
    EXPECT_EQ(RunCommand("XDG_CONFIG_HOME=" + root_.path() + " " + KORVALE_CLI_PATH + " rule " +
                             args + " --root " + root_.path(),
                         &out, withStderr),
              expected)
        << args << "\n"
        << out;
    return out;
  }
  std::string FileText(const std::string& name) {
    const auto bytes = testing::ReadBytes(root_.File("Rules/" + name));
    return std::string(bytes.begin(), bytes.end());
  }
  testing::TempDir root_;
};

TEST_F(RuleCommandTest, ListStartsWithTheDefaultRuleAndSetWritesTheFile) {
  EXPECT_EQ(Run("list"), "新規抽出条件-0\n");
  EXPECT_EQ(Run("set 押し目 --mode 1 --threshold 1.5 --enable 15 --param rsi1Value=30 "
                "--param rsi1Direction=1 --weight 15=2 --enable 11"),
            root_.File("Rules/押し目.ERL") + "\n");
  EXPECT_EQ(FileText("押し目.ERL"),
            Utf8ToCp932("[条件型]\r\n1\r\n[評価値]\r\n1.50\r\n[つつみ線]\r\n1\r\n0.00\r\n"
                        "[RSI1]\r\n14\r\n30.000000\r\n0\r\n2.00\r\n"));
  EXPECT_EQ(Run("list"), "押し目\n");
  EXPECT_EQ(Run("list --json"), "[\"押し目\"]\n");

  // A second set changes the same file, keeping what it does not touch.
  Run("set 押し目 --disable 11 --param rsi1Days=99");
  EXPECT_EQ(FileText("押し目.ERL"), Utf8ToCp932("[条件型]\r\n1\r\n[評価値]\r\n1.50\r\n"
                                                "[RSI1]\r\n99\r\n30.000000\r\n0\r\n2.00\r\n"));
}

TEST_F(RuleCommandTest, ShowPrintsEveryTypeByNameOrPath) {
  Run("set r1 --enable 15 --param rsi1Value=30 --param rsi1Direction=1 --weight 15=2");
  const std::string out = Run("show r1");
  EXPECT_EQ(out.rfind("name=r1\nmode=0\nscoreThreshold=0\n0\toff\t", 0), 0u);
  // Day counts are not read from files: the settings' period shows.
  EXPECT_NE(out.find("\n15\ton\tＲＳＩ\t(14日線) 30.00%以下\tweight=2\trsi1Days=14\t"
                     "rsi1Value=30\trsi1Direction=1\n"),
            std::string::npos);
  EXPECT_NE(out.find("\n10\toff\t株価水準　　　　\t6ヶ月来高値圏から0.0%以内\tweight=0\t"),
            std::string::npos);
  EXPECT_NE(Run("show r1 --set rsiPeriod1=9").find("(9日線) 30.00%以下"), std::string::npos);

  const std::string json = Run("show " + root_.File("Rules/r1.ERL") + " --json");
  EXPECT_EQ(json.rfind("{\"name\": \"r1\", \"mode\": 0, \"scoreThreshold\": 0, ", 0), 0u);
  EXPECT_NE(json.find("{\"type\": 15, \"enabled\": 1, \"name\": \"ＲＳＩ\", \"description\": "
                      "\"(14日線) 30.00%以下\", \"weight\": 2, \"fields\": {\"rsi1Days\": 14, "
                      "\"rsi1Value\": 30, \"rsi1Direction\": 1}}"),
            std::string::npos);
}

TEST_F(RuleCommandTest, MatchEvaluatesTheRuleOnTheStocksRecord) {
  std::filesystem::create_directories(root_.File("Data/1000"));
  testing::WritePriceFile(root_.File("Data/1000/KD1301.KDT"),
                          testing::WeekdayBars(2006, 1, 5, {500, 510, 520}));
  Run("set cheap --enable 0 --param minPrice=500 --weight 0=1.5 --enable 1 "
      "--param maxPrice=510 --weight 1=4");
  std::string out = Run("match cheap 1301");
  EXPECT_EQ(out,
            "rule=cheap\nmode=0\nscoreThreshold=0\nmatchesAll=0\nscore=1.5\nlisted=0\n"
            "counted=0\n0\tholds\t株価下限\t500円以上\tweight=1.5\n"
            "1\tfails\t株価上限\t510円以下\tweight=4\n");
  out = Run("match cheap 1301 --as-of 2006-01-06 --json");
  EXPECT_NE(out.find("\"matchesAll\": true, \"score\": 5.5, \"listed\": true"), std::string::npos);
  Run("set cheap --mode 1 --threshold 1.5");
  out = Run("match cheap 1301");
  EXPECT_NE(out.find("\nlisted=0\ncounted=0\n"), std::string::npos);  // trunc(1.5) < 1.5
  Run("match cheap 4444", 1);
  Run("match nosuch 1301", 1);
}

TEST_F(RuleCommandTest, RefusesBadArgumentsAndReportsAFailedSave) {
  Run("", 2);
  Run("bogus", 2);
  Run("list --mode 1", 2);
  Run("show nosuch", 1);
  Run("show " + root_.File("missing.ERL"), 1);
  Run("set a/b", 2);
  const std::string tooLong = Run("set " + std::string(300, 'n'), 2, true);
  EXPECT_NE(tooLong.find("a rule NAME has at most 251 bytes"), std::string::npos) << tooLong;
  Run("set x --enable 34", 2);
  Run("set x --param nosuch=1", 2);
  Run("set x --param minPrice=1.5", 2);
  Run("set x --param rsi1Value=abc", 2);
  Run("set x --weight 3", 2);
  Run("set x --mode 2", 2);
  Run("match x", 2);
  std::string help;
  EXPECT_EQ(RunCommand(std::string(KORVALE_CLI_PATH) + " rule --help", &help), 0);
  EXPECT_NE(help.find("usage: korvale-cli rule list"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(root_.File("Rules/x.ERL")));

  // The rule folder is a file: the save cannot be written and says so.
  std::filesystem::remove_all(root_.File("Rules"));
  testing::WriteText(root_.File("Rules"), "");
  const std::string out = Run("set y --enable 0", 1, true);
  EXPECT_NE(out.find("cannot save the rule"), std::string::npos);
}

}  // namespace
}  // namespace korvale
