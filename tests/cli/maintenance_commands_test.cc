// The maintenance commands (convert, check, delete-date, export, import, vendor-import) run as a
// user runs them, on a sample database made by the sample command.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "store/file_io.h"
#include "store/price_series.h"
#include "support/acquisition_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;
using testing::TempDir;

class MaintenanceCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string out;
    ASSERT_EQ(Run("sample " + Root() + " --stocks 30 --years 2", &out), 0) << out;
  }
  std::string Root() const { return dir_.path() + "/s"; }
  int Run(const std::string& args, std::string* out, bool withStderr = false) {
    return RunCommand(
        "XDG_CONFIG_HOME=" + dir_.path() + " " + std::string(KORVALE_CLI_PATH) + " " + args, out,
        withStderr);
  }
  // Every price file below `root`, by name, loaded as the chart loads it.
  static std::map<std::string, std::vector<PriceBar>> LoadedBars(const std::string& root) {
    std::map<std::string, std::vector<PriceBar>> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
      if (e.path().extension() != ".KDT") continue;
      CPriceSeries series;
      series.LoadAll(e.path().string());
      files[e.path().filename().string()] = series.bars;
    }
    return files;
  }
  static std::string Bytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    ReadWholeFile(path, &bytes);
    return std::string(bytes.begin(), bytes.end());
  }
  TempDir dir_;
};

TEST_F(MaintenanceCommandsTest, ExportImportExportGivesTheSameFileAndTheSameBars) {
  std::string out;
  ASSERT_EQ(Run("export --root " + Root(), &out), 0) << out;
  const std::string copy = dir_.path() + "/copy";
  fs::create_directories(copy);
  ASSERT_EQ(Run("import --add-unregistered --root " + copy + " " + Root() + "/株価All", &out), 0)
      << out;
  ASSERT_EQ(Run("export --root " + copy, &out), 0) << out;
  std::string first = Bytes(Root() + "/株価All"), second = Bytes(copy + "/株価All");
  ASSERT_EQ(first.size(), second.size());
  ASSERT_GT(first.size(), 100000u);
  // Only the market letters differ: the import does not keep a stock's market.
  for (size_t line = 0; line < first.size(); line = first.find('\n', line) + 1) {
    if (first[line] < '0' || first[line] > '9') first[line] = second[line] = 'A';
  }
  EXPECT_TRUE(first == second);

  const auto original = LoadedBars(Root()), copied = LoadedBars(copy);
  ASSERT_EQ(original.size(), copied.size());
  for (const auto& [name, bars] : original) {
    const std::vector<PriceBar>& other = copied.at(name);
    ASSERT_EQ(bars.size(), other.size()) << name;
    for (size_t i = 0; i < bars.size(); ++i) {
      const PriceBar &a = bars[i], &b = other[i];
      ASSERT_TRUE(DateKey(a) == DateKey(b) && a.open == b.open && a.high == b.high &&
                  a.low == b.low && a.close == b.close && a.volume == b.volume)
          << name << " bar " << i;
    }
  }
}

TEST_F(MaintenanceCommandsTest, CheckConvertAndDeleteDateWorkOnTheRoot) {
  std::string out;
  for (const char* name :
       {"convert", "check", "delete-date", "export", "import", "vendor-import"}) {
    EXPECT_EQ(Run(std::string(name) + " --help", &out), 0) << name;
    EXPECT_NE(out.find(std::string("usage: korvale-cli ") + name), std::string::npos) << name;
  }
  EXPECT_EQ(Run("delete-date --root " + Root() + " --price --margin 2025-01", &out), 2);
  EXPECT_EQ(Run("delete-date --root " + Root() + " --price 2025-13", &out), 2);
  EXPECT_EQ(Run("export --root " + Root() + " --year 2025 --months 3", &out), 2);
  EXPECT_EQ(Run("convert --root " + Root() + " notes.txt", &out), 2);

  // The sample holds a few damaged files: check lists them, one row each, and exits 0.
  ASSERT_EQ(Run("check --root " + Root(), &out), 0);
  EXPECT_FALSE(out.empty());
  EXPECT_EQ(out.substr(4, 1), " ");

  const std::string price = Root() + "/Data/1000/KD1010.KDT";
  ASSERT_EQ(Run("convert --root " + Root() + " " + price, &out), 0) << out;
  ASSERT_TRUE(fs::exists(Root() + "/KD1010.CSV"));
  ASSERT_EQ(Run("convert " + Root() + "/KD1010.CSV -o " + dir_.path() + "/KD1010.KDT", &out), 0)
      << out;
  CPriceSeries before, after;
  before.LoadAll(price);
  after.LoadAll(dir_.path() + "/KD1010.KDT");
  EXPECT_EQ(before.barCount(), after.barCount());
  EXPECT_EQ(Run("convert " + Root() + "/KD9999.CSV", &out, true), 1);
  EXPECT_NE(out.find("KD9999.CSV cannot open"), std::string::npos) << out;

  const int last = DateKey(before.bars.back());
  const std::string month = std::to_string(last / 10000) + "-" +
                            (last / 100 % 100 < 10 ? "0" : "") + std::to_string(last / 100 % 100);
  ASSERT_EQ(Run("delete-date --root " + Root() + " --price " + month, &out), 0) << out;
  after.LoadAll(price);
  ASSERT_GT(after.barCount(), 0);
  EXPECT_LT(DateKey(after.bars.back()), last / 100 * 100);
}

}  // namespace
}  // namespace korvale
