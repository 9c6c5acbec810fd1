// The stock list of remote mode (data-source mode 1): the peer server's stock page fetched and
// handed to the dictionary's link-list parser block by block. A blocking function for a worker
// thread: it fills only the dictionary it is given, which the caller then hands to the window.
#ifndef KORVALE_ACQUISITION_PEER_LIST_FETCH_H_
#define KORVALE_ACQUISITION_PEER_LIST_FETCH_H_

#include <string>

#include "acquisition/url_fetch.h"
#include "store/stock_dictionary.h"

namespace korvale {

// The stock page arrives in blocks of this many bytes; a block leaves at most kPeerListCarry
// bytes (a link cut at its end) for the next, the rest of a 7000-byte buffer.
inline constexpr size_t kPeerListBlock = 5000;
inline constexpr size_t kPeerListCarry = 2000;
// The largest stock page read: far beyond the 6000 links a dictionary holds.
inline constexpr size_t kMaxPeerListBytes = size_t{16} << 20;

struct PeerListFetch {
  enum class Outcome {
    kLoaded,        // the whole page was read
    kBadAddress,    // the address is not one the peer can be asked with: nothing fetched
    kNotOk,         // the server answered with another status: nothing parsed
    kNetworkError,  // no answer, or the transfer broke off: the links so far are kept
    kStopped,       // the stop flag ended the transfer: the links so far are kept
  };
  Outcome outcome = Outcome::kLoaded;
  long status = 0;
  std::string detail;  // when not kLoaded: the address and what went wrong
  bool ok() const { return outcome == Outcome::kLoaded; }
};

// Fetches the stock page at `url` with the proxy, stop flag and timeouts of `options` under the
// program's agent name, records the page's server and base path in `dictionary`
// (SetPeerAddress), gives it the remote reader of the proxy settings and feeds the body to its
// ParseLinkList in blocks of kPeerListBlock bytes. The body of a status other than 200 is not
// read; a transfer that breaks off keeps the whole links read so far. The dictionary's index is
// rebuilt either way.
PeerListFetch FetchPeerList(const std::string& url, const WebFetchOptions& options,
                            CStockDictionary* dictionary);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_PEER_LIST_FETCH_H_
