// korvale-cli render and readout, run as a user runs them on a small data root.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "indicators/shared_indicators.h"
#include "support/chart_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::RunCommand;

// Width and height from a PNG file's header chunk; 0 x 0 when it is not a PNG.
std::pair<int, int> PngSize(const std::string& path) {
  const std::vector<uint8_t> b = testing::ReadBytes(path);
  if (b.size() < 24 || b[1] != 'P' || b[2] != 'N' || b[3] != 'G') return {0, 0};
  auto be = [&](size_t at) { return b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3]; };
  return {be(16), be(20)};
}

class ChartCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    fs::create_directories(root_.File("Data/7000"));
    fs::create_directories(root_.File("Data/1000"));
    bars_ = testing::WalkBars(300, 1000, 7);
    testing::WritePriceFile(root_.File("Data/7000/KD7203.KDT"), bars_);
    testing::WritePriceFile(root_.File("Data/1000/KD1010.KDT"), testing::WalkBars(320, 9000, 8));
  }
  int Run(const std::string& args, std::string* out) {
    return RunCommand("XDG_CONFIG_HOME=" + root_.path() + " " + KORVALE_CLI_PATH + " " + args +
                          " --root " + root_.path(),
                      out, true);
  }
  testing::TempDir root_;
  std::vector<PriceBar> bars_;
};

TEST_F(ChartCommandsTest, RenderWritesAPngOfTheClientSize) {
  std::string out;
  const std::string png = root_.File("daily.png");
  if (Run("render 7203 -o " + png, &out) == 1 && out.find("without Qt") != std::string::npos) {
    GTEST_SKIP() << "korvale-cli was built without Qt";
  }
  ASSERT_EQ(Run("render 7203 --chart daily --size 640x480 -o " + png, &out), 0) << out;
  EXPECT_EQ(PngSize(png), (std::pair<int, int>{640, 480}));
  ASSERT_EQ(Run("render " + root_.File("Data/7000/KD7203.KDT") + " --chart weekly -o " +
                    root_.File("weekly.png") +
                    " --set weeklyShowMargin=1 --set useIndexAnalysis=1"
                    " --set weeklyIndexAnalysis=1",
                &out),
            0)
      << out;
  EXPECT_EQ(PngSize(root_.File("weekly.png")), (std::pair<int, int>{1200, 800}));
  ASSERT_EQ(Run("render 7203 --chart monthly --size 300x200 --theme 2 --output " +
                    root_.File("monthly.png"),
                &out),
            0)
      << out;
  EXPECT_EQ(PngSize(root_.File("monthly.png")), (std::pair<int, int>{300, 200}));
  ASSERT_EQ(
      Run("render 7203 --chart monthly --size 300x200 --theme 0 -o " + root_.File("m0.png"), &out),
      0);
  EXPECT_NE(testing::ReadBytes(root_.File("m0.png")),
            testing::ReadBytes(root_.File("monthly.png")));  // another theme, other colours
}

TEST_F(ChartCommandsTest, RenderRefusesWhatItCannotDraw) {
  std::string out;
  const std::string png = " -o " + root_.File("x.png");
  EXPECT_EQ(Run("render --help", &out), 0);
  EXPECT_EQ(out.rfind("usage: korvale-cli render", 0), 0u);
  EXPECT_EQ(Run("render 7203 --chart hourly" + png, &out), 2);
  EXPECT_EQ(Run("render 7203 --theme 6" + png, &out), 2);
  EXPECT_EQ(Run("render 7203 --size 0x10" + png, &out), 2);
  EXPECT_EQ(Run("render 7203", &out), 2);
  EXPECT_EQ(Run("render 7203 --set noSuchField=1" + png, &out), 1);
  EXPECT_EQ(Run("render 4321" + png, &out), 1);
  EXPECT_NE(out.find("4321"), std::string::npos);
  EXPECT_EQ(Run("render " + root_.File("none.kdt") + png, &out), 1);
  EXPECT_NE(out.find("cannot open"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(root_.File("x.png")));
  EXPECT_EQ(Run("render 7203 -o " + root_.File("no/such/folder/x.png"), &out), 1);
}

TEST_F(ChartCommandsTest, ReadoutNamesTheBarUnderThePixelAndItsIndicators) {
  // 600 pixels wide with both side bars docked: (600 - 220) / 4 = 95 bars, 205 hidden.
  std::string out;
  ASSERT_EQ(Run("readout 7203 --chart daily --size 600x400 --at 41,100", &out), 0) << out;
  const PriceBar& b = bars_[205 + 10];
  const int change = b.close - bars_[205 + 9].close;
  char expected[160];
  std::snprintf(expected, sizeof expected, "%d/%d/%d %d %d %d %d %d %s%d\n", b.year, b.month, b.day,
                b.open, b.high, b.low, b.close, b.volume,
                change > 0   ? "△"
                : change < 0 ? "▼"
                             : "±",
                change < 0 ? -change : change);
  EXPECT_EQ(out.substr(0, out.find('\n') + 1), expected);
  char rsi[64];
  std::snprintf(rsi, sizeof rsi, "\nrsi1 %.2f\n", RelativeStrength(bars_.data(), 215, 14));
  EXPECT_NE(out.find(rsi), std::string::npos) << out;
  EXPECT_NE(out.find("\nvolumeRatio "), std::string::npos);

  ASSERT_EQ(Run("readout 7203 --chart daily --size 600x400 --at 590,100", &out), 0);
  EXPECT_EQ(out, " \n");  // right of the chart
  ASSERT_EQ(Run("readout 7203 --chart daily --size 600x400 --at -1,-1 --json", &out), 0);
  EXPECT_NE(out.find("\"found\": true"), std::string::npos);
  EXPECT_NE(out.find("\"rci2\": "), std::string::npos);
  ASSERT_EQ(Run("readout 7203 --chart monthly --at -1,-1", &out), 0);
  const PriceBar& last = bars_.back();
  EXPECT_EQ(out.rfind(std::to_string(last.year) + "/" + std::to_string(last.month) + " ", 0), 0u)
      << out;
  EXPECT_EQ(Run("readout 7203 --chart daily", &out), 2);
  EXPECT_EQ(Run("readout 7203 --at 1,x", &out), 2);
}

TEST_F(ChartCommandsTest, IchimokuAndAuxiliaryChartsRenderAndReadOut) {
  std::string out;
  if (Run("render 7203 -o " + root_.File("probe.png"), &out) == 1 &&
      out.find("without Qt") != std::string::npos) {
    GTEST_SKIP() << "korvale-cli was built without Qt";
  }
  for (const std::string chart : {"ichimoku", "ichimoku-weekly", "ichimoku-monthly"}) {
    ASSERT_EQ(
        Run("render 7203 --chart " + chart + " --size 500x300 -o " + root_.File(chart + ".png"),
            &out),
        0)
        << chart << out;
    EXPECT_EQ(PngSize(root_.File(chart + ".png")), (std::pair<int, int>{500, 300}));
  }
  // The slider's range at both ends; kagi in yen mode takes up to 500.
  for (const std::string args :
       {"kagi --param 1", "kagi --param 100", "newprice --param 1", "newprice --param 10",
        "reverse --param 1", "reverse --param 100", "kagi --param 500 --set kagiReversalMode=0"}) {
    ASSERT_EQ(
        Run("render 7203 --chart " + args + " --size 320x236 -o " + root_.File("aux.png"), &out), 0)
        << args << out;
    EXPECT_EQ(PngSize(root_.File("aux.png")), (std::pair<int, int>{320, 236}));
  }
  EXPECT_EQ(Run("render 7203 --chart kagi --param 101 -o " + root_.File("x.png"), &out), 2);
  EXPECT_EQ(Run("render 7203 --chart kagi --param 0 -o " + root_.File("x.png"), &out), 2);
  EXPECT_EQ(Run("render 7203 --chart daily --param 5 -o " + root_.File("x.png"), &out), 2);

  // The Ichimoku read-out is the one of the candlestick charts, through its own mapping.
  std::string daily;
  ASSERT_EQ(Run("readout 7203 --chart daily --at -1,-1", &daily), 0);
  ASSERT_EQ(Run("readout 7203 --chart ichimoku --at -1,-1", &out), 0);
  EXPECT_EQ(out, daily.substr(0, daily.find('\n') + 1));
}

TEST_F(ChartCommandsTest, KagiAndNewPriceListTheirConstruction) {
  // A price file of hand-made closes: up 100 -> 120, back to 109 (a turn in yen mode, 10 yen).
  testing::WritePriceFile(root_.File("hand.kdt"),
                          testing::FlatCloses({100, 100, 100, 120, 110, 109}));
  std::string out;
  ASSERT_EQ(Run("kagi " + root_.File("hand.kdt") +
                    " --json --set kagiReversalMode=0 --set kagiAllPeriod=1 --param 10",
                &out),
            0)
      << out;
  EXPECT_NE(out.find("\"mode\": \"yen\", \"amount\": 10"), std::string::npos) << out;
  EXPECT_NE(out.find("{\"x\": 3, \"rising\": false, \"from\": 120, \"fromBar\": 3, "
                     "\"fromDate\": \"2006-01-12\", \"to\": 109, \"toBar\": 5"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\"text\": \"120(1/12)\""), std::string::npos);
  ASSERT_EQ(Run("newprice " + root_.File("hand.kdt") + " --json --set newPriceAllPeriod=1", &out),
            0);
  EXPECT_NE(out.find("\"lines\": 3"), std::string::npos) << out;
  EXPECT_NE(out.find("{\"x\": 1, \"rising\": false, \"from\": 100, \"to\": 120, \"bar\": 3"),
            std::string::npos)
      << out;
  ASSERT_EQ(Run("newprice 7203", &out), 0);
  EXPECT_NE(out.find("3 reversal lines"), std::string::npos) << out;
  EXPECT_EQ(Run("kagi 7203 --param 0", &out), 2);
  EXPECT_EQ(Run("newprice 7203 --param 11", &out), 2);
  EXPECT_EQ(Run("kagi --help", &out), 0);
}

}  // namespace
}  // namespace korvale
