// The dictionary, list, line and sample commands run as a user runs them.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/cp932.h"
#include "support/test_support.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using testing::RunCommand;
using testing::TempDir;

std::string Cli() { return KORVALE_CLI_PATH; }

std::string FileText(const std::string& path) {
  const std::vector<uint8_t> b = testing::ReadBytes(path);
  return std::string(b.begin(), b.end());
}

// One small sample database for the whole suite; commands run with a private config folder.
class DictionaryCommandsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    std::string out;
    ASSERT_EQ(RunCommand(Cli() + " sample " + dir_->path() + "/s --stocks 30 --years 2", &out), 0);
    ASSERT_NE(out.find("30 stocks"), std::string::npos) << out;
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string Root() { return dir_->path() + "/s"; }
  static int Run(const std::string& args, std::string* out, bool withStderr = false) {
    return RunCommand("XDG_CONFIG_HOME=" + dir_->path() + " " + Cli() + " " + args, out,
                      withStderr);
  }
  static TempDir* dir_;
};
TempDir* DictionaryCommandsTest::dir_ = nullptr;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t at = 0;
  for (size_t nl; (nl = text.find('\n', at)) != std::string::npos; at = nl + 1) {
    lines.push_back(text.substr(at, nl - at));
  }
  return lines;
}

TEST_F(DictionaryCommandsTest, ListShowsTitleThenRows) {
  std::string out;
  ASSERT_EQ(Run("list --root " + Root(), &out), 0);
  std::vector<std::string> lines = Lines(out);
  ASSERT_EQ(lines.size(), 31u);
  EXPECT_EQ(lines[0], "全銘柄");
  EXPECT_EQ(lines[1], "1010 総合株価指数");
  // From inside the data root, a code range; every row is a code of the block.
  ASSERT_EQ(Run("list --root " + Root() + " --code 8", &out), 0);
  lines = Lines(out);
  EXPECT_EQ(lines[0], "8000番台銘柄");
  ASSERT_GE(lines.size(), 2u);
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(lines[i][0], '8') << lines[i];
  ASSERT_EQ(Run("list --root " + Root() + " --code 1010 --json", &out), 0);
  EXPECT_EQ(out,
            "{\"title\": \"1010番台銘柄\", \"rows\": [\n"
            "  {\"text\": \"1010 総合株価指数\", \"itemData\": 1, \"itemIndex\": 0, \"code\": "
            "1010}\n]}\n");
  ASSERT_EQ(Run("list --root " + Root() + " --market 13", &out), 0);
  EXPECT_EQ(Lines(out)[0], "その他");
  ASSERT_EQ(Run("list --root " + Root() + " --industry 28", &out), 0);
  EXPECT_EQ(Lines(out)[0], "銀行業");
  EXPECT_GE(Lines(out).size(), 4u);
  ASSERT_EQ(Run("list --root " + Root() + " --name 銀行", &out), 0);
  EXPECT_EQ(Lines(out)[0], "銀行");
  for (size_t i = 1; i < Lines(out).size(); ++i) {
    EXPECT_NE(Lines(out)[i].find("銀行"), std::string::npos);
  }
}

TEST_F(DictionaryCommandsTest, ListOpensAndSavesListFiles) {
  std::string out;
  // A relative list file is found in the data root.
  ASSERT_EQ(Run("list --root " + Root() + " --open Watchlist.LST --json", &out), 0);
  EXPECT_NE(out.find("{\"title\": \"Watchlist.LST\""), std::string::npos);
  EXPECT_NE(out.find("\"itemData\": 0"), std::string::npos);
  const std::string saved = dir_->path() + "/saved.LST";
  ASSERT_EQ(Run("list --root " + Root() + " --open Banks.LST --save " + saved, &out), 0);
  std::vector<std::string> lines = Lines(out);
  EXPECT_EQ(lines[0], "Banks.LST");
  const std::string text = FileText(saved);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(lines.size() - 1));
  EXPECT_NE(text.find("\r\n"), std::string::npos);
  EXPECT_EQ(Run("list --root " + Root() + " --open nothing.LST", &out), 1);
  EXPECT_EQ(Run("list --root " + Root() + " --code 10000", &out), 2);
  EXPECT_EQ(Run("list --root " + Root() + " --market 1 --industry 2", &out), 2);
  EXPECT_EQ(Run("list --root " + Root() + " --market x", &out), 2);
  EXPECT_EQ(Run("list --root " + dir_->path() + "/no-such-root", &out), 1);
  EXPECT_FALSE(fs::exists(dir_->path() + "/no-such-root"));
}

TEST_F(DictionaryCommandsTest, DictShowExportImportAndVendorUpdate) {
  std::string out;
  ASSERT_EQ(Run("dict show 1010 --root " + Root(), &out), 0);
  EXPECT_NE(out.find("code=1010\n"), std::string::npos);
  EXPECT_NE(out.find("name=総合株価指数\n"), std::string::npos);
  EXPECT_NE(out.find("market=13 その他\n"), std::string::npos);
  EXPECT_NE(out.find("priceBookRatio=0\n"), std::string::npos);
  ASSERT_EQ(Run("dict show 1010 --json --root " + Root(), &out), 0);
  EXPECT_NE(out.find("\"quoteSymbol\": \"1010.T\""), std::string::npos);
  EXPECT_EQ(Run("dict show 12345 --root " + Root(), &out), 2);

  // Export, then import into a copy of the root: the dictionary comes back byte for byte.
  const std::string text = dir_->path() + "/dic.txt";
  ASSERT_EQ(Run("dict export " + text + " --root " + Root(), &out), 0);
  EXPECT_EQ(FileText(text).substr(0, 6), "1010, ");
  const std::string copy = dir_->path() + "/copy";
  fs::create_directories(copy);
  fs::copy_file(Root() + "/KorvaleEx.DIC", copy + "/KorvaleEx.DIC");
  ASSERT_EQ(Run("dict import " + text + " --root " + copy, &out), 0);
  EXPECT_NE(out.find("0 lines skipped"), std::string::npos) << out;
  EXPECT_EQ(FileText(copy + "/KorvaleEx.DIC"), FileText(Root() + "/KorvaleEx.DIC"));

  testing::WriteText(dir_->path() + "/vendor.csv",
                     Utf8ToCp932("1010,20251230,（株）新しい指数名,x\r\n"));
  ASSERT_EQ(Run("dict vendor-update " + dir_->path() + "/vendor.csv --root " + copy, &out), 0);
  EXPECT_NE(out.find("1 records updated"), std::string::npos) << out;
  ASSERT_EQ(Run("dict show 1010 --root " + copy, &out), 0);
  EXPECT_NE(out.find("name=新しい指数名\n"), std::string::npos);
  EXPECT_EQ(Run("dict import " + dir_->path() + "/none.txt --root " + copy, &out), 1);
  EXPECT_EQ(Run("dict frobnicate x --root " + copy, &out), 2);
}

TEST_F(DictionaryCommandsTest, LinesShowsEachLineWithItsCrAndMarksCutLines) {
  const std::string file = dir_->path() + "/lines.txt";
  testing::WriteText(file, "first\nsecond\n" + std::string(300, 'x') + "\nlast");
  std::string out;
  ASSERT_EQ(Run("lines " + file, &out), 0);
  EXPECT_EQ(out, "first\\r\nsecond\\r\n" + std::string(249, 'x') + " [cut]\n" +
                     std::string(51, 'x') + "\\r\n");
  ASSERT_EQ(Run("lines --json " + file, &out), 0);
  EXPECT_NE(out.find("{\"lineEndMode\": 1, \"lines\": ["), std::string::npos);
  EXPECT_NE(out.find("{\"text\": \"first\\r\", \"cut\": false}"), std::string::npos);
  EXPECT_NE(out.find("\"cut\": true"), std::string::npos);
  EXPECT_EQ(Run("lines " + dir_->path() + "/missing.txt", &out), 1);
}

TEST_F(DictionaryCommandsTest, SampleIsRepeatableAndRefusesAFolderInUse) {
  std::string out;
  const std::string again = dir_->path() + "/again";
  ASSERT_EQ(Run("sample " + again + " --stocks 30 --years 2", &out), 0);
  ASSERT_EQ(RunCommand("diff -r " + Root() + " " + again, &out), 0) << out;
  EXPECT_EQ(Run("sample " + again + " --stocks 30 --years 2", &out), 1);
  EXPECT_EQ(Run("sample " + dir_->path() + "/bad --stocks 0", &out), 2);
  EXPECT_EQ(Run("sample " + dir_->path() + "/bad --years 61", &out), 2);
  EXPECT_EQ(Run("sample", &out), 2);
  for (const char* name : {"list", "dict", "lines", "sample"}) {
    ASSERT_EQ(Run(std::string(name) + " --help", &out), 0);
    EXPECT_NE(out.find("usage: korvale-cli " + std::string(name)), std::string::npos);
  }
}

}  // namespace
}  // namespace korvale
