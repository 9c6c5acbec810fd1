// The peer server as peers and attackers reach it: raw requests on loopback against a small
// data root that also holds files and links that must never be served.
#include "net/peer_server.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "support/test_support.h"

namespace korvale {
namespace {

// A connection to the server, written and read as bytes.
class RawClient {
 public:
  explicit RawClient(int port) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  }
  ~RawClient() { ::close(fd_); }
  bool connected() const { return connected_; }
  bool Send(const std::string& bytes) {
    return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
  }
  // Everything the server sends until it closes the connection or `timeoutMs` pass quietly.
  std::string ReadAll(int timeoutMs = 5000) {
    std::string in;
    char buffer[65536];
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, timeoutMs) <= 0) break;
      const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
      if (n <= 0) break;
      in.append(buffer, static_cast<size_t>(n));
    }
    return in;
  }
  // True when the server has closed its end (or reset it).
  bool ClosedByServer() {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0) return false;
    char c;
    return ::recv(fd_, &c, 1, MSG_DONTWAIT) <= 0;
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

std::string Get(const std::string& target) {
  return "GET " + target + " HTTP/1.1\r\nHost: peer\r\nConnection: close\r\n\r\n";
}

// The status code of an answer, 0 when there is none.
int StatusOf(const std::string& answer) {
  return answer.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(answer.c_str() + 9) : 0;
}

std::string BodyOf(const std::string& answer) {
  const size_t head = answer.find("\r\n\r\n");
  return head == std::string::npos ? "" : answer.substr(head + 4);
}

class PeerServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = dir_.File("root");
    outside_ = dir_.File("outside");
    namespace fs = std::filesystem;
    fs::create_directories(root_ + "/Data/1000");
    fs::create_directories(root_ + "/Data/7000");
    fs::create_directories(outside_);
    price1301_ = testing::PriceFileBytes({testing::FlatBar(2020, 1, 6, 500), testing::FlatBar(2020, 1, 7, 510)});
    testing::WriteBytes(root_ + "/Data/1000/KD1301.KDT", price1301_);
    testing::WritePriceFile(root_ + "/Data/7000/KD7203.KDT", {testing::FlatBar(2020, 1, 6, 900)});
    testing::WriteText(root_ + "/Korvale2.INI", "settings");
    testing::WriteText(root_ + "/KorvaleEx.DIC", "dictionary");
    testing::WriteText(root_ + "/Data/1000/SZ1301.SDT", "margins");
    testing::WritePriceFile(outside_ + "/KD4001.KDT", {testing::FlatBar(2020, 1, 6, 1)});
    // Links inside the root that lead out of it: a price file and a whole folder.
    fs::create_symlink(outside_ + "/KD4001.KDT", root_ + "/Data/1000/KD1400.KDT");
    fs::create_symlink(outside_, root_ + "/Data/4000");

    PeerServerOptions options;
    options.root = root_;
    options.log = [this](const std::string& line) {
      std::lock_guard<std::mutex> lock(logMutex_);
      log_.push_back(line);
    };
    Configure(&options);
    server_ = std::make_unique<CPeerServer>(options);
    std::string error;
    ASSERT_TRUE(server_->Start(&error)) << error;
  }
  virtual void Configure(PeerServerOptions*) {}

  std::string Ask(const std::string& request) {
    RawClient client(server_->port());
    EXPECT_TRUE(client.connected());
    client.Send(request);
    return client.ReadAll();
  }
  size_t LogLines() {
    std::lock_guard<std::mutex> lock(logMutex_);
    return log_.size();
  }

  testing::TempDir dir_;
  std::string root_, outside_;
  std::vector<uint8_t> price1301_;
  std::unique_ptr<CPeerServer> server_;
  std::mutex logMutex_;
  std::vector<std::string> log_;
};

TEST_F(PeerServerTest, BothStockPagesLinkEachPriceFileWhichIsServedByteForByte) {
  const std::string page = BodyOf(Ask(Get("/Korvale/KVISA.DLL?ALLST")));
  EXPECT_NE(page.find("<a href=\"Data/1000/KD1301.KDT\">"), std::string::npos) << page;
  EXPECT_NE(page.find("<a href=\"Data/7000/KD7203.KDT\">"), std::string::npos) << page;
  // The script form has no base path: its links carry the folder of the files.
  const std::string script = BodyOf(Ask(Get("/Korvale.cgi?cmd=ALLST")));
  EXPECT_NE(script.find("<a href=\"Korvale/Data/1000/KD1301.KDT\">"), std::string::npos);

  const std::string answer = Ask(Get("/Korvale/Data/1000/KD1301.KDT"));
  ASSERT_EQ(StatusOf(answer), 200) << answer;
  EXPECT_EQ(BodyOf(answer), std::string(price1301_.begin(), price1301_.end()));
  const std::string head = Ask("HEAD /Korvale/Data/1000/KD1301.KDT HTTP/1.1\r\nHost: p\r\n"
                               "Connection: close\r\n\r\n");
  EXPECT_EQ(StatusOf(head), 200);
  EXPECT_EQ(BodyOf(head), "");
  EXPECT_GE(LogLines(), 4u);  // one line per request
}

// Requests sent together on one kept connection are answered in turn: a range of a file (read
// and cut) and then the whole file (sent straight from the file after its head).
TEST_F(PeerServerTest, RequestsSentTogetherAreAnsweredInTurnOnOneConnection) {
  const std::string file(price1301_.begin(), price1301_.end());
  RawClient client(server_->port());
  ASSERT_TRUE(client.Send(
      "GET /Korvale/Data/1000/KD1301.KDT HTTP/1.1\r\nHost: p\r\nRange: bytes=26-51\r\n\r\n"
      "GET /Korvale/Data/1000/KD1301.KDT HTTP/1.1\r\nHost: p\r\n\r\n" +
      Get("/Korvale/Data/7000/KD7203.KDT")));
  const std::string answers = client.ReadAll();
  ASSERT_EQ(StatusOf(answers), 206) << answers.substr(0, 300);
  const size_t firstBody = answers.find("\r\n\r\n") + 4;
  EXPECT_EQ(answers.substr(firstBody, 26), file.substr(26, 26));
  const std::string second = answers.substr(firstBody + 26);
  ASSERT_EQ(StatusOf(second), 200) << second.substr(0, 300);
  EXPECT_NE(second.find("Content-Length: " + std::to_string(file.size()) + "\r\n"), std::string::npos);
  const size_t secondBody = second.find("\r\n\r\n") + 4;
  EXPECT_EQ(second.substr(secondBody, file.size()), file);
  const std::string third = second.substr(secondBody + file.size());
  EXPECT_EQ(StatusOf(third), 200);
  EXPECT_EQ(BodyOf(third).size(), kPriceFileRecordSize);
}

TEST_F(PeerServerTest, NothingButThePriceFilesBelowTheRootIsReadable) {
  const char* refused[] = {
      "/Korvale/../Korvale2.INI",
      "/Korvale/Data/../../KorvaleEx.DIC",
      "/Korvale/%2e%2e/%2e%2e/%2E%2E/etc/passwd",
      "/Korvale/Data/1000/%2e%2e/%2e%2e/Korvale2.INI",
      "/Korvale//etc/passwd",
      "/Korvale/%2Fetc%2Fpasswd",
      "/etc/passwd",
      "http://peer/etc/passwd",
      "/Korvale/Korvale2.INI",
      "/Korvale/KorvaleEx.DIC",
      "/Korvale/Data/1000/SZ1301.SDT",
      "/Korvale/Data/1000/KD1400.KDT",  // a link to a file outside
      "/Korvale/Data/4000/KD4001.KDT",  // a file in a linked folder outside
      "/Korvale/Data/1000",
      "/Korvale/",
      "/Korvale.cgi?cmd=../../etc/passwd",
  };
  for (const char* target : refused) {
    const std::string answer = Ask(Get(target));
    const int status = StatusOf(answer);
    EXPECT_TRUE(status == 404 || status == 400) << target << ": " << answer.substr(0, 200);
    EXPECT_EQ(answer.find("settings"), std::string::npos) << target;
    EXPECT_EQ(answer.find("dictionary"), std::string::npos) << target;
    EXPECT_EQ(answer.find("margins"), std::string::npos) << target;
  }
  const std::string page = BodyOf(Ask(Get("/Korvale/KVISA.DLL?ALLST")));
  EXPECT_EQ(page.find("4001"), std::string::npos) << page;
  EXPECT_EQ(StatusOf(Ask(Get("/Korvale/Data/7000/KD7203.KDT"))), 200);  // still answering
}

TEST_F(PeerServerTest, OnlyGetAndHeadAreAnsweredAndNoBodyIsRead) {
  for (const char* method : {"POST", "PUT", "DELETE", "PATCH", "OPTIONS", "TRACE"}) {
    const std::string answer =
        Ask(std::string(method) + " /Korvale/Data/1000/KD1301.KDT HTTP/1.1\r\nHost: p\r\n"
                                  "Content-Length: 5\r\nConnection: close\r\n\r\nhello");
    EXPECT_EQ(StatusOf(answer), 405) << method;
  }
  EXPECT_EQ(price1301_, testing::ReadBytes(root_ + "/Data/1000/KD1301.KDT"));
  EXPECT_EQ(StatusOf(Ask(Get("/Korvale/Data/1000/KD1301.KDT"))), 200);
}

TEST_F(PeerServerTest, AHugeRequestLineIsRefusedWithoutBeingKept) {
  RawClient client(server_->port());
  const std::string line = "GET /Korvale/" + std::string(1 << 20, 'a') + " HTTP/1.1\r\n";
  client.Send(line);  // the server may close before taking all of it
  const std::string answer = client.ReadAll();
  const int status = StatusOf(answer);
  EXPECT_TRUE(status == 414 || status == 431 || status == 0) << answer.substr(0, 100);
  EXPECT_EQ(StatusOf(Ask(Get("/Korvale/Data/1000/KD1301.KDT"))), 200);
}

TEST_F(PeerServerTest, AThousandIdleConnectionsDoNotShutOutAPeer) {
  std::vector<std::unique_ptr<RawClient>> idle;
  for (int i = 0; i < 1000; ++i) {
    idle.push_back(std::make_unique<RawClient>(server_->port()));
    if (i % 2) idle.back()->Send("GET /Korv");  // half of them start a request and stall
  }
  const auto start = std::chrono::steady_clock::now();
  const std::string answer = Ask(Get("/Korvale/Data/1000/KD1301.KDT"));
  EXPECT_EQ(StatusOf(answer), 200);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  // The server holds a bounded number: the longest idle made room for newcomers.
  int closed = 0;
  for (auto& c : idle) closed += c->ClosedByServer() ? 1 : 0;
  EXPECT_GE(closed, 1000 - PeerServerOptions().maxConnections);
}

class PeerServerIdleTest : public PeerServerTest {
 protected:
  void Configure(PeerServerOptions* options) override { options->idleSeconds = 1; }
};

TEST_F(PeerServerIdleTest, AClientThatNeverFinishesItsRequestIsClosed) {
  RawClient slow(server_->port());
  slow.Send("GET /Korvale/Data/1000/KD1301.KDT HTTP/1.1\r\nHost:");
  const auto start = std::chrono::steady_clock::now();
  const std::string answer = slow.ReadAll(10000);
  EXPECT_EQ(StatusOf(answer), 408) << answer;
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(PeerServerStartTest, ARootThatIsNoFolderOrAnAddressInUseIsReported) {
  testing::TempDir dir;
  PeerServerOptions options;
  options.root = dir.File("missing");
  std::string error;
  EXPECT_FALSE(CPeerServer(options).Start(&error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;

  options.root = dir.path();
  CPeerServer first(options);
  ASSERT_TRUE(first.Start(&error)) << error;
  EXPECT_EQ(first.ListUrl().rfind("http://127.0.0.1:", 0), 0u) << first.ListUrl();
  options.port = first.port();
  EXPECT_FALSE(CPeerServer(options).Start(&error));
  first.Stop();
  first.Stop();  // twice is harmless
}

}  // namespace
}  // namespace korvale
