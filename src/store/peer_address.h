// The addresses of remote mode (data-source mode 1): the stock page's address split into the
// peer's server and base path, and each stock's price-file address composed from its link.
#ifndef KORVALE_STORE_PEER_ADDRESS_H_
#define KORVALE_STORE_PEER_ADDRESS_H_

#include <string>

#include "store/stock_dictionary.h"

namespace korvale {

// The longest price-file address a stock may have.
inline constexpr size_t kMaxPeerUrlLength = 255;

// The parts of an "http://" or "https://" address (scheme compared without regard to case).
struct HttpAddress {
  std::string scheme;     // "http" or "https", lower case
  std::string authority;  // host, with ":port" when the address names one
  std::string object;     // path and query, "/" when the address has none
};
// False for an address of another scheme or without a host.
bool SplitHttpAddress(const std::string& url, HttpAddress* out);

// The price-file address of dictionary item `index` in remote mode: the item's link template
// filled with its code, used as it is when it is absolute ("http://" or "https://"), resolved
// against the server when it starts with "/", and otherwise placed below the stock page's base
// path ("http://server/base/link", or "http://server/link" without a base path). False for an
// item that is not listed, a template that is not one, or an address longer than
// kMaxPeerUrlLength (refused rather than cut into another address).
bool ComposePeerUrl(const CStockDictionary& dictionary, int index, std::string* url);

}  // namespace korvale

#endif  // KORVALE_STORE_PEER_ADDRESS_H_
