// The web commands run as a user runs them: scrape on saved pages, web-fetch against the
// stand-in quote service on loopback.
#include <gtest/gtest.h>

#include <filesystem>

#include "acquisition/quote_service.h"
#include "support/test_support.h"
#include "support/web_fixtures.h"

namespace korvale {
namespace {

using testing::EucOf;
using testing::RunCommand;

std::string Cli() { return KORVALE_CLI_PATH; }

class WebCommandsTest : public ::testing::Test {
 protected:
  int Run(const std::string& args, std::string* out, bool withStderr = false) {
    return RunCommand("XDG_CONFIG_HOME=" + dir_.path() + " " + Cli() + " " + args, out, withStderr);
  }
  testing::TempDir dir_;
};

TEST_F(WebCommandsTest, EveryCommandHasHelpAndRefusesBadUse) {
  std::string out;
  for (const char* name : {"scrape", "web-fetch", "quote-service"}) {
    EXPECT_EQ(Run(std::string(name) + " --help", &out), 0) << name;
    EXPECT_NE(out.find(std::string("usage: korvale-cli ") + name), std::string::npos) << name;
  }
  EXPECT_EQ(Run("scrape table " + dir_.File("x"), &out), 2);
  EXPECT_EQ(Run("scrape quote", &out), 2);
  EXPECT_EQ(Run("scrape quote " + dir_.File("missing.html"), &out), 1);
  EXPECT_EQ(Run("web-fetch 12345", &out), 2);
}

TEST_F(WebCommandsTest, ScrapePrintsWhatEachScraperReadsInUtf8) {
  testing::WriteText(dir_.File("t.html"),
                     EucOf("<tr><td>2005年5月12日</td><td>1,234</td><td>1,300</td><td>1,200</td>"
                           "<td>1,250</td><td>45,600</td></tr><tr><td>見出し</td></tr>"));
  testing::WriteText(dir_.File("q.html"),
                     EucOf("<tr><td>1301</td><td></td><td>極洋</td><td></td><td></td><td>1,000"
                           "</td><td>1.5</td><td>2</td><td>3</td><td>4</td></tr>"));
  testing::WriteText(dir_.File("p.html"), EucOf("<TD>【市場名】東証１部</TD>"));
  std::string out;
  ASSERT_EQ(Run("scrape price-table " + dir_.File("t.html"), &out), 0);
  EXPECT_EQ(out, "2005/05/12 1234 1300 1200 1250 45600\n");
  ASSERT_EQ(Run("scrape quote --json " + dir_.File("q.html"), &out), 0);
  EXPECT_NE(out.find("\"name\": \"極洋\""), std::string::npos) << out;
  EXPECT_NE(out.find("\"earningsPerShare\": 1.5,"), std::string::npos) << out;
  ASSERT_EQ(Run("scrape profile " + dir_.File("p.html"), &out), 0);
  EXPECT_EQ(out, "marketText=東証１部\nindustryText=\n");
}

TEST_F(WebCommandsTest, WebFetchLoadsTheStockAsOpeningItDoes) {
  CQuoteService service(testing::WebSampleRoot());
  std::string error;
  ASSERT_TRUE(service.Start(0, &error)) << error;
  const std::string root = dir_.File("web");
  ASSERT_TRUE(MakeWebModeRoot(root, service.BaseUrl(), testing::WebSampleRoot(), &error)) << error;
  const int code = testing::WebSampleCodes().at(2);
  const std::vector<PriceBar> bars = testing::WebSampleBars(code);
  ASSERT_GE(bars.size(), 100u);
  char expected[96];
  std::snprintf(expected, sizeof expected, "bars=100\nfirst=%04d-%02d-%02d\nlast=%04d-%02d-%02d\n",
                bars[bars.size() - 100].year, bars[bars.size() - 100].month,
                bars[bars.size() - 100].day, bars.back().year, bars.back().month, bars.back().day);
  std::string out;
  ASSERT_EQ(Run("web-fetch " + std::to_string(code) + " --root " + root + " --set dailySpanDays=99",
                &out),
            0)
      << out;
  EXPECT_NE(out.find(expected), std::string::npos) << out;
  EXPECT_NE(out.find("marketCapitalisation="), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(root + "/webtemp"));

  service.Stop();  // the server goes away: the connection is refused
  ASSERT_EQ(Run("web-fetch " + std::to_string(code) + " --root " + root, &out, true), 1);
  EXPECT_NE(out.find("WWWサーバと接続できませんでした。"), std::string::npos) << out;
}

}  // namespace
}  // namespace korvale
