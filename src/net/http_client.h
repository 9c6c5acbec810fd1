// A blocking HTTP GET over libcurl, with the program's agent name and optional proxy.
#ifndef KORVALE_NET_HTTP_CLIENT_H_
#define KORVALE_NET_HTTP_CLIENT_H_

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

namespace korvale {

// Agent name every request of the program carries.
inline constexpr const char* kHttpAgent = "Korvale/Win Ver1.0 Session";

struct HttpRequest {
  std::string url;
  // With useProxy the connection goes to proxyHost:proxyPort and the whole URL is requested
  // from it; without, environment proxies are ignored as well.
  int useProxy = 0;
  std::string proxyHost;
  int proxyPort = 0;
  std::string agent = kHttpAgent;
  // Set by another thread to abandon the transfer between pieces of the body.
  const std::atomic<bool>* stop = nullptr;
  long connectTimeoutSeconds = 30;
};

struct HttpResult {
  long status = 0;            // HTTP status, 0 when no response arrived
  bool transferFailed = false;  // the exchange broke off (network failure, stop, callback)
  std::string error;          // reason when transferFailed
};

// Sends the GET. `onBody` is called with each piece of the body as it arrives, but only when
// the status is 200; it returns false to stop reading. The result tells the status and whether
// the exchange ended early.
HttpResult HttpGet(const HttpRequest& request,
                   const std::function<bool(const char* data, size_t size)>& onBody);

// Convenience: the whole body of a 200 response into `body` (limited to maxBytes).
HttpResult HttpGetBody(const HttpRequest& request, std::string* body,
                       size_t maxBytes = size_t{64} << 20);

}  // namespace korvale

#endif  // KORVALE_NET_HTTP_CLIENT_H_
