// The sources, update, margin-update and dict zentak-update commands run as a user runs them,
// on a sample database made by the sample command (with the plug-in in its Plug-ins folder).
#include <gtest/gtest.h>

#include <filesystem>

#include "store/cp932.h"
#include "store/price_records.h"
#include "support/acquisition_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;
using testing::StoredBars;
using testing::TempDir;

std::string Cli() { return KORVALE_CLI_PATH; }

class UpdateCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string out;
    ASSERT_EQ(Run("sample " + Root() + " --stocks 30 --years 1", &out), 0) << out;
    ASSERT_NE(out.find("the XZentakDOS plug-in in Plug-ins"), std::string::npos) << out;
  }
  std::string Root() const { return dir_.path() + "/s"; }
  std::string Import(const std::string& name) const { return Root() + "/Import/" + name; }
  int Run(const std::string& args, std::string* out, bool withStderr = false) {
    return RunCommand("XDG_CONFIG_HOME=" + dir_.path() + " " + Cli() + " " + args, out, withStderr);
  }
  // The newest date stored for the index stock.
  int LastDateOfIndex() const {
    const std::vector<PriceBar> bars = StoredBars(Root() + "/Data/1000/KD1010.KDT");
    return bars.empty() ? 0 : DateKey(bars.back());
  }
  TempDir dir_;
};

TEST_F(UpdateCommandsTest, EveryCommandHasHelp) {
  std::string out;
  for (const char* name : {"sources", "update", "margin-update"}) {
    EXPECT_EQ(Run(std::string(name) + " --help", &out), 0) << name;
    EXPECT_NE(out.find(std::string("usage: korvale-cli ") + name), std::string::npos) << name;
  }
  ASSERT_EQ(Run("dict --help", &out), 0);
  EXPECT_NE(out.find("dict zentak-update FILE"), std::string::npos);
  EXPECT_EQ(Run("update --root " + Root(), &out), 2);  // no file
  EXPECT_EQ(Run("margin-update --bogus x", &out), 2);
}

TEST_F(UpdateCommandsTest, ThePluginIsTheOnlySourceWhileItLiesInPlugIns) {
  std::string out;
  ASSERT_EQ(Run("sources --root " + Root(), &out), 0);
  EXPECT_EQ(out, "1\tZentakDOSファイル\tDS??????.??\t" + Root() + "/Plug-ins/XZentakDOS.so\n");
  ASSERT_EQ(Run("sources --filter --root " + Root(), &out), 0);
  EXPECT_EQ(out,
            "ZentakDOSファイル (DS??????.?"
            "?)|DS??????.??||\n");

  // The first day after the last bar, through the plug-in; then again without it, through the
  // built-in source, a day in the named form with the two new listings registered.
  EXPECT_EQ(LastDateOfIndex(), 20251230);
  ASSERT_EQ(Run("update --root " + Root() + " " + Import("DS260105.01"), &out), 0);
  EXPECT_NE(out.find("files 1 of 1 done"), std::string::npos) << out;
  EXPECT_NE(out.find("skipped 2"), std::string::npos) << out;  // the two unregistered listings
  EXPECT_EQ(LastDateOfIndex(), 20260105);
  EXPECT_TRUE(fs::exists(Import("_DS260105.01")));
  EXPECT_EQ(Run("update --root " + Root() + " " + Import("DS260109.DAT"), &out, true), 1);
  EXPECT_NE(out.find(Import("DS260109.DAT") + " cannot open"), std::string::npos) << out;

  fs::remove(Root() + "/Plug-ins/XZentakDOS.so");
  ASSERT_EQ(Run("sources --json --root " + Root(), &out), 0);
  EXPECT_NE(out.find("\"library\": \"\""), std::string::npos) << out;
  ASSERT_EQ(Run("update --json --add-unregistered --complete --root " + Root() + " " +
                    Import("DS260109.DAT"),
                &out),
            0);
  EXPECT_NE(out.find("\"status\": \"finished\""), std::string::npos) << out;
  EXPECT_NE(out.find("\"newStocks\": 2"), std::string::npos) << out;
  EXPECT_EQ(LastDateOfIndex(), 20260109);
  ASSERT_EQ(Run("list --root " + Root() + " --code 9", &out), 0);
  EXPECT_NE(out.find("9999 新規上場サン\n"), std::string::npos) << out;  // 12 bytes in the list
}

TEST_F(UpdateCommandsTest, MarginFilesOfBothFormsAndANameOfNeither) {
  std::string out;
  ASSERT_EQ(Run("margin-update --root " + Root() + " " + Import("YS202601.16") + " " +
                    Import("SZ260109.DAT"),
                &out),
            0);
  EXPECT_NE(out.find("files 2 of 2 done"), std::string::npos) << out;
  EXPECT_TRUE(fs::exists(Import("_SZ260109.DAT")));
  EXPECT_TRUE(fs::exists(Import("_YS202601.16")));
  testing::WriteText(Import("balances.csv"), "1301,a,1,2\r\n");
  EXPECT_EQ(Run("margin-update --root " + Root() + " " + Import("balances.csv"), &out, true), 1);
  EXPECT_NE(out.find(Import("balances.csv") + " is not named as a margin file"), std::string::npos)
      << out;
}

TEST_F(UpdateCommandsTest, DictZentakUpdateAndLibrariesThatGiveNoSource) {
  std::string out;
  fs::remove(Root() + "/Plug-ins/XZentakDOS.so");
  ASSERT_EQ(Run("dict zentak-update --root " + Root() + " " + Import("DS260108.DAT"), &out), 0)
      << out;
  EXPECT_NE(out.find("records updated"), std::string::npos) << out;
  ASSERT_EQ(Run("dict show 9999 --root " + Root(), &out), 0);
  EXPECT_NE(out.find("name=新規上場サンプル"), std::string::npos) << out;
  EXPECT_NE(out.find("market=9 JASDAQ"), std::string::npos) << out;

  // A library file that gives no source: nothing is offered, and the commands say why.
  testing::WriteText(Root() + "/Plug-ins/broken.SO", "not a library");
  EXPECT_EQ(Run("sources --root " + Root(), &out, true), 1);
  EXPECT_NE(out.find("broken.SO"), std::string::npos) << out;
  EXPECT_NE(out.find("取り込み元を作れませんでした"), std::string::npos) << out;
  EXPECT_EQ(Run("update --root " + Root() + " " + Import("DS260106.DAT"), &out), 1);
  EXPECT_TRUE(fs::exists(Import("DS260106.DAT")));
  EXPECT_EQ(
      Run("dict zentak-update --source 2 --root " + Root() + " " + Import("DS260106.DAT"), &out),
      1);
}

TEST_F(UpdateCommandsTest, AWriteFailureOrAMissingRootIsAFailureAndTheFileKeepsItsName) {
  std::string out;
  // No data root at all: nothing is read, nothing renamed.
  EXPECT_EQ(Run("update --root " + dir_.path() + "/gone " + Import("DS260105.01"), &out, true), 1);
  EXPECT_NE(out.find(dir_.path() + "/gone does not exist"), std::string::npos) << out;
  EXPECT_TRUE(fs::exists(Import("DS260105.01")));

  // Every write fails, as on a full disk (a file size limit of one block, its signal ignored).
  auto runLimited = [&](const std::string& args) {
    return RunCommand("(trap '' XFSZ; ulimit -f 1; XDG_CONFIG_HOME=" + dir_.path() + " " + Cli() +
                          " " + args + ")",
                      &out, true);
  };
  const int before = LastDateOfIndex();
  for (const char* options : {"", "--complete"}) {
    EXPECT_EQ(runLimited(std::string("update ") + options + " --root " + Root() + " " +
                         Import("DS260105.01")),
              1)
        << out;
    EXPECT_NE(out.find("write failures"), std::string::npos) << out;
    EXPECT_NE(out.find(Import("DS260105.01") + " keeps its name"), std::string::npos) << out;
    EXPECT_TRUE(fs::exists(Import("DS260105.01")));
    EXPECT_EQ(LastDateOfIndex(), before);
  }
  EXPECT_EQ(runLimited("margin-update --root " + Root() + " " + Import("SZ260109.DAT")), 1) << out;
  EXPECT_TRUE(fs::exists(Import("SZ260109.DAT")));
}

}  // namespace
}  // namespace korvale
