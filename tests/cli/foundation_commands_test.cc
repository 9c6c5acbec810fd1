// The foundation commands run as a user runs them: the program, its output and exit status.
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvale {
namespace {

using testing::FlatBar;
using testing::RunCommand;

std::string Cli() { return KORVALE_CLI_PATH; }

TEST(FoundationCommandsTest, HelpListsCommandsAndEveryCommandHasHelp) {
  std::string out;
  ASSERT_EQ(RunCommand(Cli() + " --help", &out), 0);
  for (const char* name : {"settings", "bars", "weekofyear"}) {
    EXPECT_NE(out.find(name), std::string::npos) << name;
    std::string help;
    EXPECT_EQ(RunCommand(Cli() + " " + name + " --help", &help), 0) << name;
    EXPECT_NE(help.find("usage: korvale-cli " + std::string(name)), std::string::npos);
  }
  EXPECT_EQ(RunCommand(Cli() + " no-such-command", &out), 2);
  EXPECT_EQ(RunCommand(Cli() + " bars --bogus x", &out), 2);
}

TEST(FoundationCommandsTest, SettingsPrintsTheRecordInEffect) {
  testing::TempDir root;
  std::string out;
  ASSERT_EQ(RunCommand("XDG_CONFIG_HOME=" + root.path() + " " + Cli() + " settings --root " +
                           root.path(),
                       &out),
            0);
  EXPECT_NE(out.find("formatVersion=131585\n"), std::string::npos);
  EXPECT_NE(out.find("dataRootDir=" + root.path() + "\n"), std::string::npos);
  EXPECT_NE(out.find("dailyMaShort=65\n"), std::string::npos);
  EXPECT_NE(out.find("sarStep=0.02"), std::string::npos);
  ASSERT_EQ(RunCommand("XDG_CONFIG_HOME=" + root.path() + " " + Cli() + " settings --json --root " +
                           root.path() + " --set dailySpanDays=99",
                       &out),
            0);
  EXPECT_NE(out.find("\"dailySpanDays\": 99"), std::string::npos);
  EXPECT_NE(out.find("\"savedRootDir\": \".\""), std::string::npos);
  EXPECT_EQ(RunCommand(Cli() + " settings --root " + root.path() + " --set nosuch=1", &out), 1);
}

TEST(FoundationCommandsTest, BarsPrintsEachLoadAndTheDerivedBars) {
  testing::TempDir dir;
  const std::string path = dir.File("KD1301.KDT");
  testing::WritePriceFile(path, {FlatBar(2006, 1, 6, 101, 5), FlatBar(2006, 1, 5, 100, 7),
                                 FlatBar(2006, 1, 9, 102, 9)});
  std::string out;
  ASSERT_EQ(RunCommand(Cli() + " bars " + path, &out), 0);
  EXPECT_EQ(out,
            "2006/01/06 101 101 101 101 5\n2006/01/05 100 100 100 100 7\n"
            "2006/01/09 102 102 102 102 9\n");
  ASSERT_EQ(RunCommand(Cli() + " bars " + path + " --load merged", &out), 0);
  EXPECT_EQ(out.substr(0, 10), "2006/01/05");
  ASSERT_EQ(RunCommand(Cli() + " bars " + path + " --load until:2006-01-05", &out), 0);
  EXPECT_EQ(out, "");  // the first record is already later
  ASSERT_EQ(RunCommand(Cli() + " bars " + path + " --load merged --weekly --json", &out), 0);
  EXPECT_NE(out.find("\"weekCount\": 2"), std::string::npos);
  EXPECT_NE(out.find("\"week\": 1"), std::string::npos);
  EXPECT_NE(out.find("\"marginSell\": 0"), std::string::npos);
  ASSERT_EQ(RunCommand(Cli() + " bars " + path + " --monthly --json", &out), 0);
  EXPECT_NE(out.find("{\"monthCount\": 1, \"months\": ["), std::string::npos);
  ASSERT_EQ(RunCommand(Cli() + " bars " + path + " --json --load tail", &out), 0);
  EXPECT_NE(out.find("\"barCount\": 3"), std::string::npos);
  EXPECT_NE(out.find("\"reserved1\": 0"), std::string::npos);
  EXPECT_EQ(RunCommand(Cli() + " bars " + dir.File("none.kdt"), &out), 1);
  EXPECT_EQ(RunCommand(Cli() + " bars " + path + " --load sideways", &out), 2);
}

TEST(FoundationCommandsTest, WeekOfYearPrintsWeekAndWeekday) {
  std::string out;
  ASSERT_EQ(RunCommand(Cli() + " weekofyear 2008-12-31", &out), 0);
  EXPECT_EQ(out, "53 3\n");
  ASSERT_EQ(RunCommand(Cli() + " weekofyear 2009-01-01", &out), 0);
  EXPECT_EQ(out, "1 4\n");
  EXPECT_EQ(RunCommand(Cli() + " weekofyear 2009-13-01", &out), 2);
}

}  // namespace
}  // namespace korvale
