#include "acquisition/peer_list_fetch.h"

#include <memory>

#include "net/price_url_load.h"

namespace korvale {

namespace {

// Hands the body to the parser in blocks, keeping what a block leaves for the next.
class LinkListFeeder {
 public:
  explicit LinkListFeeder(CStockDictionary* dictionary) : dictionary_(dictionary) {}

  void Add(const char* data, size_t size) {
    incoming_.append(data, size);
    size_t at = 0;
    for (; incoming_.size() - at >= kPeerListBlock; at += kPeerListBlock) {
      Parse(incoming_.data() + at, kPeerListBlock, true);
    }
    incoming_.erase(0, at);
  }
  // The last block, shorter than the others; with `whole` false (the body broke off) only the
  // links that arrived whole are taken.
  void Finish(bool whole) { Parse(incoming_.data(), incoming_.size(), !whole); }

 private:
  void Parse(const char* block, size_t size, bool more) {
    carry_.append(block, size);
    size_t used = dictionary_->ParseLinkList(carry_.data(), carry_.size(), more);
    // A link whose text does not fit the buffer is taken as it stands, so the carry stays
    // bounded whatever the page holds.
    if (more && carry_.size() - used > kPeerListCarry) {
      used = dictionary_->ParseLinkList(carry_.data(), carry_.size(), false);
    }
    carry_.erase(0, used);
  }

  CStockDictionary* dictionary_;
  std::string incoming_;
  std::string carry_;
};

}  // namespace

PeerListFetch FetchPeerList(const std::string& url, const WebFetchOptions& options,
                            CStockDictionary* dictionary) {
  PeerListFetch result;
  std::string error;
  if (!dictionary->SetPeerAddress(url, &error)) {
    result.outcome = PeerListFetch::Outcome::kBadAddress;
    result.detail = error;
    dictionary->BuildIndex();
    return result;
  }
  dictionary->remoteReader =
      std::make_shared<CPeerPriceReader>(options.useProxy, options.proxyHost, options.proxyPort);

  HttpRequest request = HttpRequestOf(url, options, kHttpAgent);
  request.maxBodyBytes = kMaxPeerListBytes;
  LinkListFeeder feeder(dictionary);
  const HttpResult http = HttpGet(request, [&](const char* data, size_t size) {
    feeder.Add(data, size);
    return true;
  });
  result.status = http.status;
  if (http.transferFailed) {
    feeder.Finish(false);
    result.outcome =
        http.stopped ? PeerListFetch::Outcome::kStopped : PeerListFetch::Outcome::kNetworkError;
    result.detail = url + ": " + http.error;
  } else if (http.status != 200) {
    result.outcome = PeerListFetch::Outcome::kNotOk;
    result.detail = url + ": HTTP " + std::to_string(http.status);
  } else {
    feeder.Finish(true);
  }
  dictionary->BuildIndex();
  return result;
}

}  // namespace korvale
