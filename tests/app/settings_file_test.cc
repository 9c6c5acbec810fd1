#include "app/settings_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "support/test_support.h"

namespace korvale {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string Ini() const { return root_.File(kSettingsFileName); }
  std::string Store() const { return config_.File("korvale/RootDir"); }
  SettingsRecord Load() {
    SettingsRecord r;
    std::string error;
    EXPECT_TRUE(LoadSettingsAtStart(root_.path(), Store(), &r, &error)) << error;
    return r;
  }
  testing::TempDir root_;
  testing::TempDir config_;
};

TEST_F(SettingsFileTest, NoFileGivesDefaultsWithTheFoldersOfTheWorkingDirectory) {
  SettingsRecord r = Load();
  EXPECT_EQ(r.dailySpanDays, 0);
  EXPECT_EQ(std::string(r.dataRootDir), root_.path());
  EXPECT_EQ(std::string(r.workDir), root_.path());
  EXPECT_STREQ(r.savedRootDir, ".");  // no stored root folder
}

TEST_F(SettingsFileTest, SavedFileRoundTripsByteForByte) {
  SettingsRecord r = Load();
  r.dailySpanDays = 180;
  r.colourTheme = 3;
  std::strcpy(r.proxyHost, "proxy.local");
  std::string error;
  ASSERT_TRUE(SaveSettings(r, Store(), &error)) << error;
  auto first = testing::ReadBytes(Ini());
  ASSERT_EQ(first.size(), kSettingsRecordSize);
  SettingsRecord again = Load();
  EXPECT_EQ(again.dailySpanDays, 180);
  EXPECT_STREQ(again.proxyHost, "proxy.local");
  ASSERT_TRUE(SaveSettings(again, Store(), &error)) << error;
  EXPECT_EQ(testing::ReadBytes(Ini()), first);
}

TEST_F(SettingsFileTest, SaveWritesTheUsersChoicesWhichTakeEffectAtTheNextStart) {
  SettingsRecord r = Load();
  r.savedDataSourceMode = 2;
  std::strcpy(r.savedServerUrl, "http://peer/Korvale/KVISA.DLL?ALLST");
  std::strcpy(r.savedRootDir, "/somewhere/else");
  r.useIndexAnalysis = 1;
  std::string error;
  ASSERT_TRUE(SaveSettings(r, Store(), &error)) << error;
  EXPECT_EQ(r.dataSourceMode, 0);  // the running program keeps its source
  auto image = testing::ReadBytes(Ini());
  int32_t mode;
  std::memcpy(&mode, image.data() + 4, 4);
  EXPECT_EQ(mode, 2);
  EXPECT_STREQ(reinterpret_cast<const char*>(image.data() + 8), "http://peer/Korvale/KVISA.DLL?ALLST");
  EXPECT_STREQ(reinterpret_cast<const char*>(image.data() + 136), "/somewhere/else");
  std::string stored;
  ASSERT_TRUE(ReadStoredRootDir(Store(), &stored));
  EXPECT_EQ(stored, "/somewhere/else");

  SettingsRecord next = Load();
  EXPECT_EQ(next.dataSourceMode, 2);
  EXPECT_EQ(next.useIndexAnalysis, 0);  // never on outside local mode
  EXPECT_EQ(std::string(next.dataRootDir), root_.path());  // the working directory, not the store
  EXPECT_STREQ(next.savedRootDir, "/somewhere/else");
}

TEST_F(SettingsFileTest, TheStoredRootFolderIsWrittenOnlyWhenItChanged) {
  SettingsRecord r = Load();
  std::strcpy(r.savedRootDir, "/a");
  std::string error;
  ASSERT_TRUE(SaveSettings(r, Store(), &error));
  struct stat before, after;
  ASSERT_EQ(stat(Store().c_str(), &before), 0);
  ASSERT_TRUE(SaveSettings(r, Store(), &error));
  ASSERT_EQ(stat(Store().c_str(), &after), 0);
  EXPECT_EQ(before.st_ino, after.st_ino);  // a rewrite would have replaced the file
  std::strcpy(r.savedRootDir, "/b");
  ASSERT_TRUE(SaveSettings(r, Store(), &error));
  ASSERT_EQ(stat(Store().c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);
}

TEST_F(SettingsFileTest, AnotherVersionGivesDefaultsAndAShortFileKeepsTheTail) {
  SettingsRecord r = Load();
  r.dailySpanDays = 77;
  r.indexStockCode = 4444;
  uint8_t image[kSettingsRecordSize];
  SavedSettingsImage(r, image);
  image[0] ^= 1;  // another layout version
  testing::WriteBytes(Ini(), std::vector<uint8_t>(image, image + sizeof image));
  EXPECT_EQ(Load().dailySpanDays, 0);

  image[0] ^= 1;
  testing::WriteBytes(Ini(), std::vector<uint8_t>(image, image + 1000));  // cut after 1000 bytes
  SettingsRecord shortRead = Load();
  EXPECT_EQ(shortRead.dailySpanDays, 77);
  EXPECT_EQ(shortRead.indexStockCode, 1010);
  testing::WriteBytes(Ini(), std::vector<uint8_t>(image, image + 3));  // not even the version
  EXPECT_EQ(Load().dailySpanDays, 0);
  testing::WriteBytes(Ini(), {});  // no bytes at all
  EXPECT_EQ(Load().dailySpanDays, 0);
}

TEST_F(SettingsFileTest, StoredDataSource1Or2StartsWithIndexAnalysisOff) {
  for (int mode : {1, 2}) {
    SettingsRecord r = Load();
    r.savedDataSourceMode = mode;
    r.useIndexAnalysis = 1;
    std::string error;
    ASSERT_TRUE(SaveSettings(r, Store(), &error));
    SettingsRecord next = Load();
    EXPECT_EQ(next.dataSourceMode, mode);
    EXPECT_EQ(next.useIndexAnalysis, 0);
  }
  SettingsRecord r = Load();
  r.savedDataSourceMode = 0;
  r.useIndexAnalysis = 1;
  std::string error;
  ASSERT_TRUE(SaveSettings(r, Store(), &error));
  EXPECT_EQ(Load().useIndexAnalysis, 1);
}

TEST_F(SettingsFileTest, AFailedSaveIsReportedAndLeavesNoTemporaryFile) {
  SettingsRecord r = Load();
  std::string error;
  ASSERT_EQ(mkdir(Ini().c_str(), 0700), 0);  // the settings file's name is taken by a folder
  EXPECT_FALSE(SaveSettings(r, Store(), &error));
  EXPECT_FALSE(error.empty());
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(root_.path())) {
    (void)e;
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  std::strcpy(r.dataRootDir, "/nonexistent/korvale/root");
  EXPECT_FALSE(SaveSettings(r, Store(), &error));
}

TEST_F(SettingsFileTest, AFileOfJunkOrUnterminatedStringsLoadsSafely) {
  std::vector<uint8_t> junk(kSettingsRecordSize + 500, 'Z');
  uint32_t version = kSettingsFormatVersion;
  std::memcpy(junk.data(), &version, 4);
  testing::WriteBytes(Ini(), junk);
  SettingsRecord r = Load();
  EXPECT_EQ(std::strlen(r.peerServerUrl), 127u);
  EXPECT_EQ(std::strlen(r.proxyHost), 31u);
  EXPECT_EQ(std::string(r.dataRootDir), root_.path());
}

TEST_F(SettingsFileTest, AWorkingDirectoryTooLongForTheRecordIsRefused) {
  SettingsRecord r;
  std::string error;
  EXPECT_FALSE(LoadSettingsAtStart("/" + std::string(200, 'd'), Store(), &r, &error));
  EXPECT_NE(error.find("127"), std::string::npos);
}

}  // namespace
}  // namespace korvale
