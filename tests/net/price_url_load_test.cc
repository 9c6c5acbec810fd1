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
  EXPECT_EQ(LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0), 1);
  ASSERT_EQ(s.barCount(), 30);
  EXPECT_EQ(s.bars[29].close, 30);
  EXPECT_EQ(server.agent_, "Korvale/Win Ver1.0 Session");
  EXPECT_EQ(server.accept_, "");
}

TEST(PriceUrlLoadTest, AStatusOtherThan200GivesAnEmptySeries) {
  PriceServer server;
  server.SetBody(testing::PriceFileBytes(CountedBars(5)));
  CPriceSeries s;
  EXPECT_EQ(LoadFromUrl(&s, server.Url("/missing"), 0, "", 0), 1);
  EXPECT_EQ(s.barCount(), 0);
}

TEST(PriceUrlLoadTest, ABodyCutInsideARecordKeepsTheWholeRecords) {
  PriceServer server;
  auto bytes = testing::PriceFileBytes(CountedBars(3));
  bytes.resize(bytes.size() - 10);
  server.SetBody(bytes);
  CPriceSeries s;
  LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0);
  EXPECT_EQ(s.barCount(), 2);
}

TEST(PriceUrlLoadTest, MoreThan1400RecordsKeepTheNewest) {
  PriceServer server;
  server.SetBody(testing::PriceFileBytes(CountedBars(1500)));
  CPriceSeries s;
  LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0);
  ASSERT_EQ(s.barCount(), 1100);  // the oldest 400 dropped at the 1400th
  EXPECT_EQ(s.bars[0].close, 401);
  EXPECT_EQ(s.bars[1099].close, 1500);
  server.SetBody(testing::PriceFileBytes(CountedBars(1399)));
  LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0);
  EXPECT_EQ(s.barCount(), 1399);
  server.SetBody(testing::PriceFileBytes(CountedBars(1400)));
  LoadFromUrl(&s, server.Url("/KD1301.KDT"), 0, "", 0);
  EXPECT_EQ(s.barCount(), 1000);
}

TEST(PriceUrlLoadTest, TheProxyReceivesTheWholeUrl) {
  // The test server stands in for the proxy: it is asked for the absolute URL.
  httplib::Server proxy;
  std::string target;
  proxy.Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
    target = req.target;
    res.set_content(std::string(26, '\0'), "application/octet-stream");
  });
  int port = proxy.bind_to_any_port("127.0.0.1");
  std::thread t([&] { proxy.listen_after_bind(); });
  while (!proxy.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  CPriceSeries s;
  LoadFromUrl(&s, "http://peer.invalid/Korvale/KD1301.KDT", 1, "127.0.0.1", port);
  proxy.stop();
  t.join();
  EXPECT_EQ(target, "http://peer.invalid/Korvale/KD1301.KDT");
}

TEST(PriceUrlLoadTest, NoServerKeepsAnEmptySeries) {
  CPriceSeries s;
  EXPECT_EQ(LoadFromUrl(&s, "http://127.0.0.1:1/KD1301.KDT", 0, "", 0), 1);
  EXPECT_EQ(s.barCount(), 0);
}

}  // namespace
}  // namespace korvale
