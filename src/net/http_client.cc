#include "net/http_client.h"

#include <curl/curl.h>

#include <mutex>

namespace korvale {

namespace {

struct Transfer {
  const HttpRequest* request;
  const std::function<bool(const char*, size_t)>* onBody;
  CURL* curl;
  std::string* reserveIn;  // grown once to the announced length, when there is one
  size_t reserveLimit;     // ... and no longer than this
  size_t received = 0;
  bool stoppedByReader = false;
  bool tooLarge = false;
};

bool StopRequested(const HttpRequest& request) { return request.stop && request.stop->load(); }

size_t OnData(char* data, size_t size, size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (StopRequested(*t->request)) return 0;
  long status = 0;
  curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
  if (status != 200) return 0;  // the body of any other status is not read
  const size_t bound = t->request->maxBodyBytes;
  if (bound > 0 && bytes > bound - t->received) {
    t->tooLarge = true;
    return 0;
  }
  if (t->received == 0 && t->reserveIn) {
    curl_off_t length = -1;
    curl_easy_getinfo(t->curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length > 0 && static_cast<size_t>(length) <= t->reserveLimit &&
        (bound == 0 || static_cast<size_t>(length) <= bound)) {
      t->reserveIn->reserve(static_cast<size_t>(length));
    }
  }
  t->received += bytes;
  if (!(*t->onBody)(data, bytes)) {
    t->stoppedByReader = true;
    return 0;
  }
  return bytes;
}

// Called by libcurl several times a second, also while no byte arrives, so that a stop is
// noticed on a server that stalls.
int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  return StopRequested(*static_cast<Transfer*>(user)->request) ? 1 : 0;
}

void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// One session a thread, kept between requests: its connection to a server stays open for the
// next request there (a remote-mode run fetches thousands of files from one peer), instead of a
// new connection for every file. Each request starts from the default options.
class ThreadSession {
 public:
  ~ThreadSession() {
    if (curl_) curl_easy_cleanup(curl_);
  }
  CURL* Take() {
    if (curl_) {
      curl_easy_reset(curl_);
    } else {
      curl_ = curl_easy_init();
    }
    return curl_;
  }

 private:
  CURL* curl_ = nullptr;
};

}  // namespace

namespace {

HttpResult Get(const HttpRequest& request, const std::function<bool(const char*, size_t)>& onBody,
               std::string* reserveIn, size_t reserveLimit) {
  InitCurlOnce();
  HttpResult result;
  thread_local ThreadSession session;
  CURL* curl = session.Take();
  if (!curl) {
    result.transferFailed = true;
    result.error = "cannot start an HTTP session";
    return result;
  }
  Transfer transfer{&request, &onBody, curl, reserveIn, reserveLimit};
  char errorText[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERAGENT, request.agent.c_str());
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, OnData);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  // Room for a whole price file a read: a peer's answers arrive in far fewer reads and
  // acknowledgements than through the default 16 kB.
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, 256L * 1024);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, request.connectTimeoutSeconds);
  // A stalled server must not hold a worker forever.
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME,
                   request.stallSeconds > 0 ? request.stallSeconds : 60L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT,
                   request.totalTimeoutSeconds > 0 ? request.totalTimeoutSeconds : 0L);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnProgress);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  std::string proxy;
  if (request.useProxy) {
    proxy = request.proxyHost + ":" + std::to_string(request.proxyPort);
  }
  curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());  // "" also disables environment proxies
  // The request carries no accept types.
  curl_slist* headers = curl_slist_append(nullptr, "Accept:");
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);

  CURLcode rc = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  // A status other than 200 refuses its body on purpose; that is not a network failure.
  if (rc != CURLE_OK && !(rc == CURLE_WRITE_ERROR && result.status != 200)) {
    result.transferFailed = true;
    result.timedOut = rc == CURLE_OPERATION_TIMEDOUT;
    result.stopped = StopRequested(request);
    result.bodyTooLarge = transfer.tooLarge;
    if (result.bodyTooLarge) {
      result.error = "the answer is larger than " + std::to_string(request.maxBodyBytes) + " bytes";
    } else if (result.stopped) {
      result.error = "stopped";
    } else {
      result.error = errorText[0] ? errorText : curl_easy_strerror(rc);
    }
  }
  curl_slist_free_all(headers);
  return result;
}

}  // namespace

HttpResult HttpGet(const HttpRequest& request,
                   const std::function<bool(const char*, size_t)>& onBody) {
  return Get(request, onBody, nullptr, 0);
}

HttpResult HttpGetBody(const HttpRequest& request, std::string* body, size_t maxBytes) {
  body->clear();
  return Get(
      request,
      [&](const char* data, size_t size) {
        if (body->size() + size > maxBytes) return false;
        body->append(data, size);
        return true;
      },
      body, maxBytes);
}

}  // namespace korvale
