// korvale-cli settings --save as a user runs it: the dialog's rules, the file it writes, and
// the file left alone when a value is refused.
#include <gtest/gtest.h>

#include <string>

#include "store/settings_field_rules.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::RunCommand;

class SettingsCommandTest : public ::testing::Test {
 protected:
  // Runs `settings --root ROOT ARGS`, keeping the chosen root folder in a folder of the test.
  int Settings(const std::string& args, std::string* out) {
    return RunCommand("XDG_CONFIG_HOME=" + config_.path() + " " + KORVALE_CLI_PATH +
                          " settings --root " + root_.path() + " " + args,
                      out, true);
  }
  // One --set per field of the dialog, each at its lowest or highest accepted value.
  static std::string AllAt(bool highest) {
    std::string args = "--save";
    for (const SettingsFieldRule& rule : SettingsFieldRules()) {
      const std::string value = rule.control == SettingsControl::kText
                                    ? std::string(highest ? rule.maxBytes : 1, 'x')
                                    : std::to_string(highest ? rule.maximum : rule.minimum);
      args += " --set " + std::string(rule.field->name) + "=" + value;
    }
    return args;
  }
  testing::TempDir root_;
  testing::TempDir config_;
};

TEST_F(SettingsCommandTest, SaveTakesEveryFieldAtItsBoundsAndRefusesWhatTheDialogRefuses) {
  std::string out;
  ASSERT_EQ(Settings(AllAt(false), &out), 0) << out;
  ASSERT_EQ(Settings("", &out), 0);  // read back as the program starts
  EXPECT_NE(out.find("\nthumbnailWidth=32\n"), std::string::npos);
  EXPECT_NE(out.find("\ndailyWindowWidth=320\n"), std::string::npos);
  EXPECT_NE(out.find("\nsignalWindowWidth=320\n"), std::string::npos);  // follows the daily size
  EXPECT_NE(out.find("\nkagiReversalPercent=0\n"), std::string::npos);
  ASSERT_EQ(Settings(AllAt(true), &out), 0) << out;
  const std::vector<uint8_t> saved = testing::ReadBytes(root_.File("Korvale2.INI"));
  ASSERT_EQ(Settings("", &out), 0);
  EXPECT_NE(out.find("\nthumbnailWidth=320\n"), std::string::npos);
  EXPECT_NE(out.find("\nallStocksUrl=" + std::string(127, 'x') + "\n"), std::string::npos);
  EXPECT_NE(out.find("\nsavedRootDir=" + std::string(127, 'x') + "\n"), std::string::npos);

  std::string longKanji;  // 64 two-byte characters: 128 bytes of Shift-JIS
  for (int i = 0; i < 64; ++i) longKanji += "表";
  const struct {
    std::string set;
    const char* says;
  } refused[] = {
      {"thumbnailWidth=31", "thumbnailWidth: \"31\" is refused; it takes 32 to 320"},
      {"thumbnailWidth=321", "takes 32 to 320"},
      {"thumbnailRows=0", "takes 1 to 20"},
      {"dailyMaShort=10000", "takes 1 to 9999"},  // an int16 field
      {"dailyWindowHeight=2401", "takes 0 or 320 to 2400"},
      {"dailyWindowWidth=319", "takes 0 or 320 to 2400"},
      {"kagiReversalPercent=101", "takes 0 to 100"},
      {"dailyShowRci=2", "takes 0 to 1"},
      {"colourTheme=6", "takes 0 to 5"},
      {"cursorMode=-1", "cursorMode: \"-1\" is not a number"},
      {"rsiPeriod1=fourteen", "rsiPeriod1: \"fourteen\" is not a number"},
      {"macdPeriod1=", "is not a number"},
      {"savedRootDir=" + std::string(128, 'x'), "at most 127 bytes"},
      {"savedServerUrl=" + longKanji, "at most 127 bytes"},
      {"quoteSearchUrl=http://h/\u2603", "Shift-JIS cannot hold"},
      {"proxyHost=proxy", "proxyHost is not a field of the settings dialog"},
      {"nosuchField=1", "--set needs NAME=VALUE"},
  };
  for (const auto& r : refused) {
    SCOPED_TRACE(r.set);
    EXPECT_EQ(Settings("--save --set thumbnailHeight=100 --set '" + r.set + "'", &out), 2);
    EXPECT_NE(out.find(r.says), std::string::npos) << out;
    EXPECT_EQ(testing::ReadBytes(root_.File("Korvale2.INI")), saved);
  }
}

// A value the file brought that the dialog would refuse is not written back unchecked.
TEST_F(SettingsCommandTest, SaveRefusesAFileValueOutOfRangeUntilItIsSet) {
  std::string out;
  ASSERT_EQ(Settings("--save --set thumbnailColumns=5", &out), 0) << out;
  std::vector<uint8_t> bytes = testing::ReadBytes(root_.File("Korvale2.INI"));
  bytes[1388] = 99;  // thumbnailColumns
  testing::WriteBytes(root_.File("Korvale2.INI"), bytes);
  EXPECT_EQ(Settings("--save", &out), 2);
  EXPECT_NE(out.find("thumbnailColumns holds 99; it takes 1 to 20"), std::string::npos) << out;
  EXPECT_EQ(testing::ReadBytes(root_.File("Korvale2.INI")), bytes);
  EXPECT_EQ(Settings("--save --set thumbnailColumns=20", &out), 0) << out;
  EXPECT_EQ(testing::ReadBytes(root_.File("Korvale2.INI"))[1388], 20);
}

}  // namespace
}  // namespace korvale
