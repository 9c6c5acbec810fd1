// The headless tour that `make run` falls back to without a display.
#include <gtest/gtest.h>

#include "store/file_io.h"
#include "support/test_support.h"

namespace korvale {
namespace {

std::string Cli() { return KORVALE_CLI_PATH; }

TEST(DemoCommandTest, ToursTheSampleAndWritesChartImages) {
  testing::TempDir dir;
  const std::string root = dir.File("sample");
  std::string out;
  ASSERT_EQ(testing::RunCommand(Cli() + " sample " + root + " --stocks 12 --years 1", &out), 0);
  ASSERT_EQ(testing::RunCommand("XDG_CONFIG_HOME=" + dir.path() + " " + Cli() + " demo --root " +
                                    root,
                                &out),
            0);
  EXPECT_NE(out.find("登録銘柄数：12\n"), std::string::npos) << out;
  EXPECT_NE(out.find("データ最終更新日：2025/12/30\n"), std::string::npos) << out;
  EXPECT_NE(out.find("market index: stock 1010"), std::string::npos);
  EXPECT_NE(out.find("  1010 "), std::string::npos);
  for (const char* png : {"/out/1010-daily.png", "/out/1010-weekly.png", "/out/1010-monthly.png"}) {
    EXPECT_NE(out.find(root + png), std::string::npos) << png;
    EXPECT_GT(FileSize(root + png), 1000) << png;
  }
}

TEST(DemoCommandTest, AnEmptyRootSaysSo) {
  testing::TempDir dir;
  std::string out;
  ASSERT_EQ(testing::RunCommand("XDG_CONFIG_HOME=" + dir.path() + " " + Cli() + " demo --root " +
                                    dir.path(),
                                &out),
            0);
  EXPECT_NE(out.find("登録銘柄数：0\n"), std::string::npos) << out;
  EXPECT_NE(out.find("korvale-cli sample"), std::string::npos);
}

}  // namespace
}  // namespace korvale
