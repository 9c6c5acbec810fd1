// The stock page of remote mode fetched from a loopback server: a page of many blocks, another
// status, and a transfer that breaks off.
#include "acquisition/peer_list_fetch.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <thread>

#include "support/test_support.h"

namespace korvale {
namespace {

std::string PageOf(int links) {
  std::string page = "<html><body>\n";
  for (int i = 0; i < links; ++i) {
    page += "<a href=\"Data/" + std::to_string(1 + i / 1000) + "000/KD" + std::to_string(1000 + i) +
            ".KDT\">" + std::to_string(1000 + i) + "</a><br>\n";
  }
  return page + "</body></html>\n";
}

TEST(PeerListFetchTest, ThePageArrivesInBlocksAndAFailureKeepsWhatArrivedWhole) {
  const std::string page = PageOf(600);  // some 26 kB: several blocks of 5,000 bytes
  ASSERT_GT(page.size(), 5 * kPeerListBlock);
  httplib::Server server;
  server.Get("/Korvale/KVISA.DLL", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content(page, "text/html");
  });
  server.Get("/missing", [&](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_content(page, "text/html");
  });
  // Half the page, then the connection ends before the promised length.
  server.Get("/cut", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(page.size(), "text/html",
                             [&](size_t offset, size_t, httplib::DataSink& sink) {
                               if (offset > 0) return false;
                               sink.write(page.data(), page.size() / 2);
                               return true;
                             });
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread thread([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));

  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  struct Case {
    const char* target;
    PeerListFetch::Outcome outcome;
    int minItems, maxItems;
  };
  const Case cases[] = {
      {"/Korvale/KVISA.DLL?ALLST", PeerListFetch::Outcome::kLoaded, 600, 600},
      {"/missing", PeerListFetch::Outcome::kNotOk, 0, 0},
      {"/cut", PeerListFetch::Outcome::kNetworkError, 250, 300},
  };
  testing::TempDir work;
  for (const Case& c : cases) {
    const std::string url = base + c.target;
    CStockDictionary d(url, work.path(), 0, "", 0);
    const PeerListFetch fetched = FetchPeerList(url, WebFetchOptions{}, &d);
    EXPECT_EQ(fetched.outcome, c.outcome) << c.target << " " << fetched.detail;
    EXPECT_GE(d.itemCount, c.minItems) << c.target;
    EXPECT_LE(d.itemCount, c.maxItems) << c.target;
    for (int i = 0; i < d.itemCount; ++i) ASSERT_EQ(d.items[i].code, 1000 + i) << c.target;
  }
  server.stop();
  thread.join();
}

}  // namespace
}  // namespace korvale
