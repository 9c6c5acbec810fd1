#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <thread>

#include "net/price_url_load.h"
#include "support/test_support.h"

namespace korvale {
namespace {

// A loopback server handing out price-file bodies.
class PriceServer {
 public:
  PriceServer() {
    server_.Get("/KD1301.KDT", [this](const httplib::Request& req, httplib::Response& res) {
      agent_ = req.get_header_value("User-Agent");
      accept_ = req.get_header_value("Accept");
      res.set_content(body_, "application/octet-stream");
    });
    server_.Get("/missing", [this](const httplib::Request&, httplib::Response& res) {
      res.status = 404;
      res.set_content(body_, "application/octet-stream");
    });
    // The client keeps its connection for the next request; without this the server's stop
    // waits out the keep-alive time of every test.
    server_.set_keep_alive_max_count(1);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~PriceServer() {
    server_.stop();
    thread_.join();
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  void SetBody(const std::vector<uint8_t>& bytes) { body_.assign(bytes.begin(), bytes.end()); }
  std::string agent_, accept_;

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::string body_;
};

std::vector<PriceBar> CountedBars(int n) {
  std::vector<PriceBar> bars;
  for (int i = 0; i < n; ++i) bars.push_back(testing::FlatBar(2000 + i / 300, 1 + (i / 25) % 12, 1 + i % 25, i + 1));
  return bars;
}

TEST(PriceUrlLoadTest, WholeFileArrivesWithTheProgramsAgentName) {
  PriceServer server;
  server.SetBody(testing::PriceFileBytes(CountedBars(30)));
  CPriceSeries s;
  EXPECT_TRUE(LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0));
  ASSERT_EQ(s.barCount(), 30);
  EXPECT_EQ(s.bars[29].close, 30);
  EXPECT_EQ(server.agent_, "Korvale/Win Ver1.0 Session");
  EXPECT_EQ(server.accept_, "");
}

// What is not a price file is never drawn as prices: an error page, a body cut inside a
// record, no answer at all. Each leaves no bar and says why.
TEST(PriceUrlLoadTest, AnAnswerThatIsNotAPriceFileLoadsNoBarAndSaysWhy) {
  PriceServer server;
  auto cut = testing::PriceFileBytes(CountedBars(3));
  cut.resize(cut.size() - 10);
  struct Case {
    const char* name;
    std::string url;
    std::vector<uint8_t> body;
    const char* why;
  };
  const Case cases[] = {
      {"404", server.Url("/missing"), testing::PriceFileBytes(CountedBars(5)), "HTTP 404"},
      {"cut", server.Url("/KD1301.KDT"), cut, "26-byte records"},
      {"no server", "http://127.0.0.1:1/KD1301.KDT", {}, "127.0.0.1:1"},
  };
  for (const Case& c : cases) {
    server.SetBody(c.body);
    CPriceSeries s;
    std::string error;
    EXPECT_FALSE(LoadFromUrl(&s, c.url, 0, "", 0, &error)) << c.name;
    EXPECT_EQ(s.barCount(), 0) << c.name;
    EXPECT_NE(error.find(c.why), std::string::npos) << c.name << ": " << error;
  }
}

// The whole file arrives, as the local load reads it, so a peer's chart is the local chart.
TEST(PriceUrlLoadTest, EveryRecordIsKeptAsTheFileLoadKeepsThem) {
  PriceServer server;
  server.SetBody(testing::PriceFileBytes(CountedBars(1500)));
  CPriceSeries s;
  EXPECT_TRUE(LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0));
  ASSERT_EQ(s.barCount(), 1500);
  EXPECT_EQ(s.bars[0].close, 1);
  EXPECT_EQ(s.bars[1499].close, 1500);
}

TEST(PriceUrlLoadTest, TheProxyReceivesTheWholeUrl) {
  // The test server stands in for the proxy: it is asked for the absolute URL.
  httplib::Server proxy;
  std::string target;
  proxy.Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
    target = req.target;
    res.set_content(std::string(26, '\0'), "application/octet-stream");
  });
  proxy.set_keep_alive_max_count(1);
  int port = proxy.bind_to_any_port("127.0.0.1");
  std::thread t([&] { proxy.listen_after_bind(); });
  while (!proxy.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  CPriceSeries s;
  LoadFromUrl(&s, "http://peer.invalid/Korvale/KD1301.KDT", 1, "127.0.0.1", port);
  proxy.stop();
  t.join();
  EXPECT_EQ(target, "http://peer.invalid/Korvale/KD1301.KDT");
}

}  // namespace
}  // namespace korvale
