#include "net/price_url_load.h"

#include <utility>

namespace korvale {

bool FetchPriceFile(HttpRequest request, std::string* body, std::string* error) {
  if (request.maxBodyBytes == 0) request.maxBodyBytes = kMaxPeerPriceFileBytes;
  const HttpResult result = HttpGetBody(request, body, request.maxBodyBytes);
  std::string why;
  if (result.transferFailed) {
    why = result.error;
  } else if (result.status != 200) {
    why = "HTTP " + std::to_string(result.status);
  } else if (body->size() % kPriceFileRecordSize != 0) {
    // What the peer sent is not a price file: an error page, or a file cut off on the way.
    why = "the answer (" + std::to_string(body->size()) + " bytes) is not a price file of " +
          std::to_string(kPriceFileRecordSize) + "-byte records";
  }
  if (why.empty()) return true;
  body->clear();
  if (error) *error = request.url + ": " + why;
  return false;
}

bool LoadFromUrl(CPriceSeries* series, const std::string& url, int useProxy,
                 const std::string& proxyHost, int proxyPort, std::string* error) {
  std::string body;
  if (!CPeerPriceReader(useProxy, proxyHost, proxyPort).ReadPriceFile(url, &body, error, nullptr)) {
    series->bars.clear();
    series->filePath = url;
    return false;
  }
  series->LoadAllBytes(reinterpret_cast<const uint8_t*>(body.data()), body.size(), url);
  return true;
}

CPeerPriceReader::CPeerPriceReader(int useProxy, std::string proxyHost, int proxyPort)
    : useProxy_(useProxy), proxyHost_(std::move(proxyHost)), proxyPort_(proxyPort) {}

bool CPeerPriceReader::ReadPriceFile(const std::string& url, std::string* body,
                                     std::string* error, const std::atomic<bool>* stop) const {
  HttpRequest request;
  request.url = url;
  request.useProxy = useProxy_;
  request.proxyHost = proxyHost_;
  request.proxyPort = proxyPort_;
  request.stop = stop;
  // A stock is a few hundred kilobytes: a peer that takes minutes over one is not answering.
  request.totalTimeoutSeconds = 300;
  return FetchPriceFile(request, body, error);
}

}  // namespace korvale
