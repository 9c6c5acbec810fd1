// Saving the body of an HTTP GET to a file: the one way the web download stores a page.
#ifndef KORVALE_ACQUISITION_URL_FETCH_H_
#define KORVALE_ACQUISITION_URL_FETCH_H_

#include <atomic>
#include <cstddef>
#include <string>

#include "acquisition/page_scrapers.h"
#include "net/http_client.h"

namespace korvale {

// Agent name of the web download's requests.
inline constexpr const char* kWebFetchAgent = "Http Ver1.0 Session";

// How the web downloads reach the network.
struct WebFetchOptions {
  int useProxy = 0;  // through proxyHost:proxyPort when set
  std::string proxyHost;
  int proxyPort = 0;
  long connectTimeoutSeconds = 30;
  long stallSeconds = 60;          // nothing arrives for this long: the page fails
  long totalTimeoutSeconds = 300;  // one page may take at most this long
  size_t maxBodyBytes = kMaxPageBytes;
  const std::atomic<bool>* stop = nullptr;  // set by the window's Cancel
};

enum class FetchOutcome {
  kSaved,         // status 200: the body is in the file
  kNotOk,         // another status: no file written
  kFileError,     // the file could not be created or written
  kNetworkError,  // no answer, a broken transfer or a timeout
  kTooLarge,      // the body passed maxBodyBytes: cut off, nothing kept
  kStopped,       // the stop flag ended the transfer: nothing kept
};

struct FetchResult {
  FetchOutcome outcome = FetchOutcome::kNetworkError;
  long status = 0;      // the HTTP status, 0 when none arrived
  std::string message;  // what went wrong, for every outcome but kSaved
  // No error occurred: the page was saved, or the server answered with another status.
  bool ok() const { return outcome == FetchOutcome::kSaved || outcome == FetchOutcome::kNotOk; }
};

// The request for `url` under `options` (proxy, stop flag, timeouts, body bound) with the
// agent name `agent`.
HttpRequest HttpRequestOf(const std::string& url, const WebFetchOptions& options,
                          const char* agent);

// GETs `url` and stores the body of a 200 answer in a new file at `path`. Whatever was at
// `path` is removed first, so a page that fails never leaves an older page in its place; a
// transfer that breaks off, is stopped or passes the body bound leaves no file either.
FetchResult FetchUrlToFile(const std::string& url, const std::string& path,
                           const WebFetchOptions& options);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_URL_FETCH_H_
