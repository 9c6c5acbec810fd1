// What a peer server publishes of a data root: the price files the local scan finds, each by
// its path below the root, the anchor page that lists them, and opening one of them without
// ever leaving the root.
#ifndef KORVALE_NET_PEER_CATALOGUE_H_
#define KORVALE_NET_PEER_CATALOGUE_H_

#include <chrono>
#include <memory>
#include <mutex>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

namespace korvale {

// The address below which every price file is served, and the two stock-page addresses
// (path and query) the program's settings offer.
inline constexpr const char* kPeerFilePrefix = "/Korvale/";
inline constexpr const char* kPeerListPath = "/Korvale/KVISA.DLL";
inline constexpr const char* kPeerListQuery = "ALLST";
inline constexpr const char* kPeerScriptPath = "/Korvale.cgi";
inline constexpr const char* kPeerScriptCommand = "cmd";

class CPeerCatalogue {
 public:
  // The data root is opened once; `rescanSeconds` is how old a scan may be before a request
  // for the stock page scans again (new stocks of a price update appear without a restart).
  CPeerCatalogue(std::string root, int rescanSeconds);
  ~CPeerCatalogue();
  CPeerCatalogue(const CPeerCatalogue&) = delete;
  CPeerCatalogue& operator=(const CPeerCatalogue&) = delete;

  // Opens the root folder and scans it. False, with the reason, when the root is no folder.
  bool Open(std::string* error);

  // The anchor page: one link per stock of the scan, in the order the local stock dictionary
  // lists them, each the price file's path below the root after `linkPrefix` (percent-encoded,
  // so the page needs no escaping). Scans again first when the last scan is too old.
  std::string ListPage(const std::string& linkPrefix);
  int stockCount() const;

  // Opens the price file at `relativePath` (below the root, as the page links it) for reading:
  // only a path the last scan listed, only a regular file, and never through a symbolic link
  // that leads out of the root. Returns the descriptor, or -1 when the file is not served;
  // `size` (when given) receives the file's size as it was opened.
  int OpenListed(const std::string& relativePath, uint64_t* size = nullptr) const;

 private:
  struct Scan {
    std::vector<std::string> links;          // relative paths, in list order
    std::unordered_set<std::string> listed;  // the same, for lookups
  };
  void Rescan();
  std::shared_ptr<const Scan> current() const;

  std::string root_;
  int rescanSeconds_;
  int rootFd_ = -1;
  mutable std::mutex mutex_;
  std::shared_ptr<const Scan> scan_;
  std::chrono::steady_clock::time_point scannedAt_;
};

}  // namespace korvale

#endif  // KORVALE_NET_PEER_CATALOGUE_H_
