// The bounds of the HTTP client against loopback servers that stall or send too much.
#include "net/http_client.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace korvale {
namespace {

using Clock = std::chrono::steady_clock;

// A loopback server whose "/slow" answers after `delay` and whose "/huge" streams 100 MB.
class BoundServer {
 public:
  BoundServer() {
    server_.Get("/slow", [this](const httplib::Request&, httplib::Response& res) {
      std::unique_lock<std::mutex> lock(mutex_);
      done_.wait_for(lock, std::chrono::seconds(10), [this] { return stopping_; });
      res.set_content("late", "text/plain");
    });
    server_.Get("/huge", [](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(size_t{100} << 20, "application/octet-stream",
                               [](size_t offset, size_t length, httplib::DataSink& sink) {
                                 static const std::string block(64 << 10, 'x');
                                 return sink.write(block.data(), std::min(length, block.size()));
                               });
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ~BoundServer() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    done_.notify_all();
    server_.stop();
    thread_.join();
  }
  std::string Url(const char* path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

 private:
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::mutex mutex_;
  std::condition_variable done_;
  bool stopping_ = false;
};

TEST(HttpClientTest, AServerThatStallsEndsTheTransferAfterTheStallTime) {
  BoundServer server;
  HttpRequest request;
  request.url = server.Url("/slow");
  request.stallSeconds = 1;
  const auto start = Clock::now();
  const HttpResult result = HttpGet(request, [](const char*, size_t) { return true; });
  EXPECT_TRUE(result.transferFailed);
  EXPECT_TRUE(result.timedOut);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(HttpClientTest, TheStopFlagEndsATransferWhileTheServerSendsNothing) {
  BoundServer server;
  std::atomic<bool> stop{false};
  HttpRequest request;
  request.url = server.Url("/slow");
  request.stop = &stop;
  std::thread cancel([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    stop = true;
  });
  const auto start = Clock::now();
  const HttpResult result = HttpGet(request, [](const char*, size_t) { return true; });
  cancel.join();
  EXPECT_TRUE(result.stopped);
  EXPECT_FALSE(result.timedOut);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
}

TEST(HttpClientTest, ABodyPastTheBoundIsCutOffAndReported) {
  BoundServer server;
  HttpRequest request;
  request.url = server.Url("/huge");
  request.maxBodyBytes = size_t{8} << 20;
  size_t received = 0;
  const HttpResult result = HttpGet(request, [&](const char*, size_t size) {
    received += size;
    return true;
  });
  EXPECT_TRUE(result.transferFailed);
  EXPECT_TRUE(result.bodyTooLarge);
  EXPECT_LE(received, request.maxBodyBytes);
  EXPECT_NE(result.error.find("larger than"), std::string::npos);
}

}  // namespace
}  // namespace korvale
