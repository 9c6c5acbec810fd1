#include "net/price_url_load.h"

#include "net/http_client.h"

namespace korvale {

bool LoadFromUrl(CPriceSeries* series, const std::string& url, int useProxy,
                 const std::string& proxyHost, int proxyPort) {
  series->BeginRecordStream();
  HttpRequest request;
  request.url = url;
  request.useProxy = useProxy;
  request.proxyHost = proxyHost;
  request.proxyPort = proxyPort;
  HttpGet(request, [&](const char* data, size_t size) {
    series->FeedRecordBytes(data, size);
    return true;
  });
  series->EndRecordStream();
  return true;
}

}  // namespace korvale
