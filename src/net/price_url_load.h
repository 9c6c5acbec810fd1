// Loading a stock's price file from a peer server over HTTP.
#ifndef KORVALE_NET_PRICE_URL_LOAD_H_
#define KORVALE_NET_PRICE_URL_LOAD_H_

#include <atomic>
#include <string>

#include "net/http_client.h"
#include "store/price_series.h"
#include "store/stock_files.h"

namespace korvale {

// The largest price file a peer may send: 64 MB, some two and a half million records.
inline constexpr size_t kMaxPeerPriceFileBytes = size_t{64} << 20;

// GETs the price file of `request` (its url, proxy, stop flag and timeouts; a maxBodyBytes of 0
// means kMaxPeerPriceFileBytes) into `body`. False, with `body` empty and the reason in `error`
// (may be null), when no answer arrives, the transfer breaks off, is stopped or passes the
// bound, the status is not 200, or the body is not a whole number of 26-byte records: an error
// page is never taken for prices.
bool FetchPriceFile(HttpRequest request, std::string* body, std::string* error);

// Replaces the bars of `series` with the price file at `url` (through the proxy when
// `useProxy` is set), every record read as LoadAll reads a file; `url` becomes filePath. False,
// with no bar and the reason in `error` (may be null), when FetchPriceFile refuses the answer.
bool LoadFromUrl(CPriceSeries* series, const std::string& url, int useProxy,
                 const std::string& proxyHost, int proxyPort, std::string* error = nullptr);

// How remote mode reads price files: FetchPriceFile through the run's proxy settings.
class CPeerPriceReader : public RemotePriceReader {
 public:
  CPeerPriceReader(int useProxy, std::string proxyHost, int proxyPort);
  bool ReadPriceFile(const std::string& url, std::string* body, std::string* error,
                     const std::atomic<bool>* stop) const override;

 private:
  int useProxy_;
  std::string proxyHost_;
  int proxyPort_;
};

}  // namespace korvale

#endif  // KORVALE_NET_PRICE_URL_LOAD_H_
