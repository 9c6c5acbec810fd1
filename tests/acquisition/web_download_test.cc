// The web downloads end to end against the stand-in quote service on loopback.
#include "acquisition/web_download.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "acquisition/quote_service.h"
#include "store/dictionary_file.h"
#include "support/test_support.h"
#include "support/web_fixtures.h"

namespace korvale {
namespace {

namespace fs = std::filesystem;
using Page = CQuoteService::Page;

std::vector<std::string> Entries(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

int PrivateTempFolders() {
  int n = 0;
  for (const std::string& name : Entries(fs::temp_directory_path().string())) {
    n += name.rfind("korvale-web-", 0) == 0;
  }
  return n;
}

bool Contains(const std::vector<std::string>& texts, const std::string& part) {
  for (const std::string& t : texts) {
    if (t.find(part) != std::string::npos) return true;
  }
  return false;
}

class WebDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(testing::WebSampleRoot().empty());
    std::string error;
    ASSERT_TRUE(service_.Start(0, &error)) << error;
    code_ = testing::WebSampleCodes().at(1);  // the first stock after the index
    char symbol[16];
    std::snprintf(symbol, sizeof symbol, "%04d.T", code_);
    request_.code = code_;
    request_.quoteSymbol = symbol;
    request_.dailySpanDays = 100;
    request_.year = 2030;  // after the sample's last day
    request_.month = 1;
    request_.day = 1;
    request_.endpoints.profileHost = request_.endpoints.quoteHost = request_.endpoints.tableHost =
        service_.BaseUrl();
    request_.fetch.stallSeconds = 1;
    request_.webTempDir = dir_.File("webtemp");
  }

  testing::TempDir dir_;
  CQuoteService service_{testing::WebSampleRoot()};
  int code_ = 0;
  WebStockRequest request_;
};

TEST_F(WebDownloadTest, TheSpansRowsArriveAsTheSourceHoldsThemAndWebtempIsEmptyAfterwards) {
  std::vector<std::pair<int, int>> steps;
  const WebStockDownload d =
      DownloadWebStock(request_, [&](int done, int total) { steps.emplace_back(done, total); });
  ASSERT_EQ(d.outcome, WebStockDownload::Outcome::kLoaded) << d.detail;
  EXPECT_TRUE(d.notes.empty()) << d.notes.front();
  const std::vector<PriceBar> source = testing::WebSampleBars(code_);
  ASSERT_GE(source.size(), 150u);
  ASSERT_TRUE(d.barsLoaded);
  ASSERT_EQ(d.series.barCount(), 150);
  for (int i = 0; i < 150; ++i) {
    const PriceBar& want = source[source.size() - 150 + i];
    const PriceBar& got = d.series.bars[i];
    ASSERT_EQ(DateKey(got), DateKey(want)) << i;
    ASSERT_EQ(std::tie(got.open, got.high, got.low, got.close, got.volume),
              std::tie(want.open, want.high, want.low, want.close, want.volume))
        << i;
  }
  StockInfo info;
  ASSERT_TRUE(ReadStockInfo(testing::WebSampleRoot(), 0, code_, &info));
  EXPECT_TRUE(d.hasProfile);
  EXPECT_EQ(d.profile.marketText, info.text1);
  EXPECT_EQ(d.profile.industryText, info.text2);
  EXPECT_TRUE(d.hasQuote);
  EXPECT_EQ(d.quote.code, code_);
  EXPECT_DOUBLE_EQ(d.quote.earningsPerShare, info.figures[1]);
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
  EXPECT_TRUE(Contains(service_.requests(), "/t?s=" + request_.quoteSymbol +
                                                "&a=1&b=1&c=1983"
                                                "&d=1&e=1&f=2030&g=d&q=t&y=100&x=.csv"));
  EXPECT_EQ(service_.lastAgent(), "Http Ver1.0 Session");
  EXPECT_TRUE(fs::is_directory(request_.webTempDir));
  EXPECT_TRUE(Entries(request_.webTempDir).empty());
}

TEST_F(WebDownloadTest, PagesAnswered404AreSkippedAndNoEarlierPageStandsInForThem) {
  // Pages of an earlier download, left behind by a crash.
  fs::create_directories(request_.webTempDir);
  testing::WriteText(request_.webTempDir + "/fundamental.html",
                     testing::EucOf("<TD>【市場名】別の銘柄</TD>"));
  testing::WriteText(request_.webTempDir + "/kdttemp-000.html",
                     testing::EucOf("<tr><td>2001年1月4日</td><td>5</td></tr>"));
  service_.SetFault(Page::kProfile, 404, 0);
  service_.SetFault(Page::kTable, 404, 0);
  const WebStockDownload d = DownloadWebStock(request_, nullptr);
  ASSERT_EQ(d.outcome, WebStockDownload::Outcome::kLoaded);
  EXPECT_FALSE(d.hasProfile);
  EXPECT_EQ(d.profile.marketText, "");
  EXPECT_TRUE(d.hasQuote);
  EXPECT_FALSE(d.barsLoaded);
  EXPECT_EQ(d.series.barCount(), 1);  // the placeholder the chart shows
  EXPECT_EQ(d.series.bars[0].year, 0);
  EXPECT_EQ(d.notes.size(), 4u);  // the profile and three pages
  EXPECT_TRUE(Contains(d.notes, "HTTP 404"));
  EXPECT_TRUE(Entries(request_.webTempDir).empty());
}

TEST_F(WebDownloadTest, ARefusedConnectionOrAStalledServerEndsTheDownloadWithTheReason) {
  for (bool stall : {false, true}) {
    WebStockRequest request = request_;
    if (stall) {
      service_.SetFault(Page::kProfile, 0, 5000);
    } else {
      request.endpoints.profileHost = "http://127.0.0.1:1";  // nothing listens there
    }
    const auto start = std::chrono::steady_clock::now();
    const WebStockDownload d = DownloadWebStock(request, nullptr);
    EXPECT_EQ(d.outcome, WebStockDownload::Outcome::kNetworkError) << stall;
    EXPECT_NE(d.detail.find("/biz/fundamental/"), std::string::npos) << d.detail;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_TRUE(Entries(request.webTempDir).empty());
  }
}

TEST_F(WebDownloadTest, AStalledOrOversizedPriceTablePageIsSkipped) {
  request_.dailySpanDays = 0;  // one page
  service_.SetFault(Page::kTable, 0, 5000);
  WebStockDownload d = DownloadWebStock(request_, nullptr);
  EXPECT_FALSE(d.barsLoaded);
  EXPECT_TRUE(d.hasProfile);
  ASSERT_EQ(d.notes.size(), 1u);
  service_.SetFault(Page::kTable, 0, 0);
  request_.fetch.maxBodyBytes = 2000;  // a price-table page is larger
  d = DownloadWebStock(request_, nullptr);
  EXPECT_FALSE(d.barsLoaded);
  EXPECT_TRUE(Contains(d.notes, "larger than 2000 bytes"));
  EXPECT_TRUE(Entries(request_.webTempDir).empty());
}

TEST_F(WebDownloadTest, AnUnwritableWebtempMovesTheDownloadToAPrivateTemporaryFolder) {
  testing::WriteText(request_.webTempDir, "a file where the folder should be");
  const int before = PrivateTempFolders();
  const WebStockDownload d = DownloadWebStock(request_, nullptr);
  ASSERT_EQ(d.outcome, WebStockDownload::Outcome::kLoaded) << d.detail;
  EXPECT_EQ(d.series.barCount(), 150);
  EXPECT_EQ(PrivateTempFolders(), before);  // removed again
}

TEST_F(WebDownloadTest, CancelKeepsThePagesFetchedSoFar) {
  std::atomic<bool> stop{false};
  request_.fetch.stop = &stop;
  const WebStockDownload d = DownloadWebStock(request_, [&](int done, int) {
    if (done == 2) stop = true;  // while the second page is being fetched
  });
  EXPECT_TRUE(d.cancelled);
  EXPECT_EQ(d.pagesSaved, 1);
  EXPECT_EQ(d.series.barCount(), 50);
  EXPECT_TRUE(Entries(request_.webTempDir).empty());
}

TEST_F(WebDownloadTest, TheFetchListArrivesOrSaysWhyNot) {
  const std::string url = service_.BaseUrl() + "/fetchlist.csv";
  FetchListDownload list = DownloadFetchList(url, request_.webTempDir, request_.fetch);
  ASSERT_TRUE(list.ok) << list.detail;
  EXPECT_EQ(list.path, request_.webTempDir + "/fetchlist.csv");
  EXPECT_NE(testing::ReadBytes(list.path).size(), 0u);
  DiscardFetchList(list);
  EXPECT_TRUE(Entries(request_.webTempDir).empty());

  service_.SetFault(Page::kFetchList, 404, 0);
  list = DownloadFetchList(url, request_.webTempDir, request_.fetch);
  EXPECT_FALSE(list.ok);
  EXPECT_NE(list.detail.find("HTTP 404"), std::string::npos);
  EXPECT_TRUE(list.networkError);
  list = DownloadFetchList("http://127.0.0.1:1/fetchlist.csv", request_.webTempDir, request_.fetch);
  EXPECT_FALSE(list.ok);
  EXPECT_TRUE(list.networkError);
  EXPECT_TRUE(Entries(request_.webTempDir).empty());
}

TEST(QuoteEndpointsTest, TheHostsFileOverridesTheDefaultsLineByLine) {
  testing::TempDir dir;
  QuoteEndpoints endpoints;
  std::string error;
  ASSERT_TRUE(LoadQuoteEndpoints(dir.path(), "http://list/f.csv", &endpoints, &error));
  EXPECT_EQ(endpoints.tableHost, kDefaultTableHost);
  EXPECT_EQ(endpoints.fetchListUrl, "http://list/f.csv");
  testing::WriteText(dir.File(kWebHostsFileName),
                     "# mirror\r\nprofile = http://mirror:8080/ \r\n\r\ntable=ftp://x\n"
                     "quote=http://q\nfetchlist=http://mirror/list.csv\n");
  EXPECT_FALSE(LoadQuoteEndpoints(dir.path(), "http://list/f.csv", &endpoints, &error));
  EXPECT_NE(error.find("line 4"), std::string::npos) << error;
  EXPECT_EQ(endpoints.profileHost, "http://mirror:8080");
  EXPECT_EQ(endpoints.tableHost, kDefaultTableHost);
  EXPECT_EQ(endpoints.quoteHost, "http://q");
  EXPECT_EQ(endpoints.fetchListUrl, "http://mirror/list.csv");
  EXPECT_EQ(ProfileUrl(endpoints, 7), "http://mirror:8080/biz/fundamental/0007.html");
  EXPECT_EQ(QuoteUrl(endpoints, 1301), "http://q/q?s=1301&d=v3");
}

}  // namespace
}  // namespace korvale
