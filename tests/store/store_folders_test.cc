#include "store/store_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;

TEST(StoreFoldersTest, ThousandBlocksAndFileNames) {
  EXPECT_EQ(ThousandBlock(1000), 1000);
  EXPECT_EQ(ThousandBlock(1999), 1000);
  EXPECT_EQ(ThousandBlock(9999), 9000);
  EXPECT_EQ(PriceFileName("/d/Data/7000", 7203), "/d/Data/7000/KD7203.KDT");
  EXPECT_EQ(MarginFileName("/d", 13), "/d/SZ0013.SDT");
  EXPECT_EQ(LineFileName("/d/Data/LINE", 7203), "/d/Data/LINE/LN7203.DAT");
}

TEST(StoreFoldersTest, FoldersAreCreatedOncePerRun) {
  testing::TempDir dir;
  CFolderPreparer folders(dir.path(), 0);
  EXPECT_EQ(folders.PrepareStockFolder(1000), dir.path() + "/Data/1000");
  EXPECT_TRUE(fs::is_directory(dir.path() + "/Data/1000"));
  EXPECT_EQ(folders.PrepareStockFolder(1999), dir.path() + "/Data/1000");
  EXPECT_EQ(folders.PrepareLineFolder(), dir.path() + "/Data/LINE");
  EXPECT_TRUE(fs::is_directory(dir.path() + "/Data/LINE"));
  // Removed while running: not created again until the next run.
  fs::remove(dir.path() + "/Data/1000");
  folders.PrepareStockFolder(1500);
  EXPECT_FALSE(fs::exists(dir.path() + "/Data/1000"));
  CFolderPreparer nextRun(dir.path(), 0);
  nextRun.PrepareStockFolder(1500);
  EXPECT_TRUE(fs::is_directory(dir.path() + "/Data/1000"));
}

TEST(StoreFoldersTest, WebModeCreatesNothingButStillGivesPaths) {
  testing::TempDir dir;
  CFolderPreparer folders(dir.path(), 2);
  EXPECT_EQ(folders.PrepareStockFolder(9999), dir.path() + "/Data/9000");
  EXPECT_EQ(folders.PrepareLineFolder(), dir.path() + "/Data/LINE");
  EXPECT_FALSE(fs::exists(dir.path() + "/Data"));
}

}  // namespace
}  // namespace korvale
