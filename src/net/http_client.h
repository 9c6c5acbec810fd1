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
  // Set by another thread to abandon the transfer; it is noticed within a fraction of a second,
  // also while the server sends nothing.
  const std::atomic<bool>* stop = nullptr;
  long connectTimeoutSeconds = 30;
  // The transfer is abandoned when nothing arrives for this long (waiting for the answer
  // included), or when the whole exchange takes longer than totalTimeoutSeconds (0: no limit).
  long stallSeconds = 60;
  long totalTimeoutSeconds = 0;
  // The body of a 200 answer may hold at most this many bytes (0: no bound); a longer one is
  // abandoned at the bound and reported as bodyTooLarge.
  size_t maxBodyBytes = 0;
};

struct HttpResult {
  long status = 0;              // HTTP status, 0 when no response arrived
  bool transferFailed = false;  // the exchange broke off (network failure, stop, callback, bound)
  bool timedOut = false;        // ... because the server stalled or took too long
  bool stopped = false;         // ... because the stop flag was set
  bool bodyTooLarge = false;    // ... because the body passed maxBodyBytes
  std::string error;            // reason when transferFailed
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
