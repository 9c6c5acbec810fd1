#include "acquisition/url_fetch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "net/http_client.h"

namespace korvale {

HttpRequest HttpRequestOf(const std::string& url, const WebFetchOptions& options,
                          const char* agent) {
  HttpRequest request;
  request.url = url;
  request.agent = agent;
  request.useProxy = options.useProxy;
  request.proxyHost = options.proxyHost;
  request.proxyPort = options.proxyPort;
  request.stop = options.stop;
  request.connectTimeoutSeconds = options.connectTimeoutSeconds;
  request.stallSeconds = options.stallSeconds;
  request.totalTimeoutSeconds = options.totalTimeoutSeconds;
  request.maxBodyBytes = options.maxBodyBytes;
  return request;
}

FetchResult FetchUrlToFile(const std::string& url, const std::string& path,
                           const WebFetchOptions& options) {
  FetchResult result;
  std::remove(path.c_str());

  const HttpRequest request = HttpRequestOf(url, options, kWebFetchAgent);

  std::FILE* file = nullptr;
  std::string fileError;
  // "x": the file is made new; anything that appeared at `path` since the removal is refused.
  auto open = [&] {
    if (file) return true;
    file = std::fopen(path.c_str(), "wbx");
    if (!file) fileError = "cannot create " + path + ": " + std::strerror(errno);
    return file != nullptr;
  };
  const HttpResult http = HttpGet(request, [&](const char* data, size_t size) {
    if (!open()) return false;
    if (std::fwrite(data, 1, size, file) != size) {
      fileError = "cannot write " + path + ": " + std::strerror(errno);
      return false;
    }
    return true;
  });
  result.status = http.status;
  // A 200 answer with an empty body still makes its (empty) file.
  if (!http.transferFailed && http.status == 200) open();
  if (file && std::fclose(file) != 0 && fileError.empty()) {
    fileError = "cannot write " + path + ": " + std::strerror(errno);
  }

  if (!fileError.empty()) {
    result.outcome = FetchOutcome::kFileError;
    result.message = fileError;
  } else if (http.bodyTooLarge) {
    result.outcome = FetchOutcome::kTooLarge;
    result.message = url + ": " + http.error;
  } else if (http.stopped) {
    result.outcome = FetchOutcome::kStopped;
    result.message = url + ": stopped";
  } else if (http.transferFailed) {
    result.outcome = FetchOutcome::kNetworkError;
    result.message = url + ": " + http.error;
  } else if (http.status != 200) {
    result.outcome = FetchOutcome::kNotOk;
    result.message = url + ": HTTP " + std::to_string(http.status);
  } else {
    result.outcome = FetchOutcome::kSaved;
  }
  if (result.outcome != FetchOutcome::kSaved) std::remove(path.c_str());
  return result;
}

}  // namespace korvale
