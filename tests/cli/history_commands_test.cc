// The validate, signals and render --chart signal commands run as a user runs them on a small
// sample database.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/cp932.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::RunCommand;
using testing::TempDir;

class HistoryCommandsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    std::string out;
    ASSERT_EQ(Run("sample " + Root() + " --stocks 30 --years 2", &out), 0) << out;
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string Root() { return dir_->path() + "/s"; }
  static int Run(const std::string& args, std::string* out, bool withStderr = false) {
    return RunCommand(
        "XDG_CONFIG_HOME=" + dir_->path() + " " + std::string(KORVALE_CLI_PATH) + " " + args, out,
        withStderr);
  }
  static TempDir* dir_;
};
TempDir* HistoryCommandsTest::dir_ = nullptr;

TEST_F(HistoryCommandsTest, ValidatePrintsAndWritesTheReport) {
  const std::string file = dir_->File("report.txt");
  std::string text, json;
  ASSERT_EQ(Run("validate --root " + Root() + " --within --days 10 --period 2025-01:2025-06 -o " +
                    file,
                &text),
            0);
  // The printed lines are the file's, in UTF-8 with plain line ends.
  const std::vector<uint8_t> bytes = testing::ReadBytes(file);
  const std::string fileText = Cp932ToUtf8(std::string(bytes.begin(), bytes.end()));
  std::string plain;
  for (char c : fileText) {
    if (c != '\r') plain += c;
  }
  EXPECT_EQ(text, plain);
  EXPECT_EQ(text.rfind("評価基準：10日以内に10%以上上昇または8%以上下落\n検証期間：2025年1月～2025年6月\n"
                       "評価対象：値付き率80%以上の銘柄\n\n全事象",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("\nRSI売られすぎ反発"), std::string::npos);
  ASSERT_EQ(Run("validate --root " + Root() + " --within --days 10 --period 2025-01:2025-06 --json",
                &json),
            0);
  EXPECT_EQ(json.rfind("{\"criterion\": \"10日以内に10%以上上昇または8%以上下落\", \"period\": "
                       "\"2025年1月～2025年6月\", \"universe\": \"値付き率80%以上の銘柄\", \"lines\": [\n"
                       "  {\"name\": \"全事象\", \"events\": ",
                       0),
            0u)
      << json;
}

TEST_F(HistoryCommandsTest, ValidateRefusesBadParametersAndSaysWhenNothingCounts) {
  std::string out;
  for (const char* bad : {"--days 301", "--rise 101", "--period 1979-12:2025-01",
                          "--period 2025-13:2025-12", "--after --within", "--traded -1"}) {
    EXPECT_EQ(Run("validate --root " + Root() + " " + bad, &out, true), 2) << bad;
  }
  ASSERT_EQ(Run("validate --root " + Root() + " --period 1990-01:1990-12", &out, true), 0);
  EXPECT_NE(out.find("no bar of the"), std::string::npos) << out;
  EXPECT_NE(out.find(",        0,  0.0%,  0.0%,  0.0%"), std::string::npos) << out;
  // A rule file that no longer holds a readable condition counts every bar, and says so.
  testing::WriteText(Root() + "/Rules/壊れた.ERL", "\x01\x02 not a rule\r\n");
  ASSERT_EQ(Run("validate --root " + Root() + " --days 300", &out, true), 0);
  std::filesystem::remove(Root() + "/Rules/壊れた.ERL");
  EXPECT_NE(out.find("rule 壊れた has no condition switched on"), std::string::npos) << out;
}

TEST_F(HistoryCommandsTest, SignalsListTheShownBarsAndRenderDrawsThem) {
  std::string out;
  ASSERT_EQ(Run("signals 1010 --root " + Root() + " --width 620 --rules 高値圏スコア,一目均衡表好転",
                &out),
            0);
  // (620 - 220) / 4 = 100 bars, a header of five lines.
  size_t lines = 0;
  for (char c : out) lines += c == '\n';
  EXPECT_EQ(lines, 105u) << out;
  EXPECT_NE(out.find("# row 1: 高値圏スコア, 0 .. 5\n# row 2: 一目均衡表好転, 0 .. 1\n# row 3: no rule"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\n2025-12-30 "), std::string::npos);
  EXPECT_NE(out.find(" - -\n"), std::string::npos);
  EXPECT_EQ(Run("signals 1010 --root " + Root() + " --rules 無い", &out, true), 1);
  const std::string png = dir_->File("signal.png");
  ASSERT_EQ(Run("render 1010 --root " + Root() + " --chart signal --size 640x480 -o " + png, &out,
                true),
            0)
      << out;
  EXPECT_GT(std::filesystem::file_size(png), 1000u);
}

}  // namespace
}  // namespace korvale
