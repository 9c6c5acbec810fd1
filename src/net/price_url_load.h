// Loading a stock's price file from a peer server over HTTP.
#ifndef KORVALE_NET_PRICE_URL_LOAD_H_
#define KORVALE_NET_PRICE_URL_LOAD_H_

#include <string>

#include "store/price_series.h"

namespace korvale {

// Replaces the bars of `series` with the records in the body of a GET of `url` (through the
// proxy when `useProxy` is set); at most 1399 of the newest are kept, and a piece shorter than
// a record at the end is ignored. Always true: whatever arrived is used, nothing on failure.
bool LoadFromUrl(CPriceSeries* series, const std::string& url, int useProxy,
                 const std::string& proxyHost, int proxyPort);

}  // namespace korvale

#endif  // KORVALE_NET_PRICE_URL_LOAD_H_
