#include "store/peer_address.h"

#include "store/link_list.h"

namespace korvale {

namespace {

constexpr size_t kMaxServerLength = 63;
constexpr size_t kMaxBasePathLength = 95;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(const std::string& text, const char* word) {
  size_t i = 0;
  for (; word[i]; ++i) {
    if (i >= text.size() || Lower(text[i]) != word[i]) return false;
  }
  return true;
}

}  // namespace

bool SplitHttpAddress(const std::string& url, HttpAddress* out) {
  size_t rest;
  if (StartsWithIgnoringCase(url, "http://")) {
    out->scheme = "http";
    rest = 7;
  } else if (StartsWithIgnoringCase(url, "https://")) {
    out->scheme = "https";
    rest = 8;
  } else {
    return false;
  }
  const size_t end = url.find_first_of("/?#", rest);
  out->authority = url.substr(rest, end == std::string::npos ? std::string::npos : end - rest);
  if (out->authority.empty()) return false;
  out->object = end == std::string::npos ? "/" : url.substr(end);
  if (out->object[0] != '/') out->object.insert(0, "/");
  return true;
}

bool CStockDictionary::SetPeerAddress(const std::string& listUrl, std::string* error) {
  serverHost.clear();
  serverDir.clear();
  HttpAddress address;
  if (!SplitHttpAddress(listUrl, &address)) {
    if (error) *error = "not an http address: " + listUrl;
    return false;
  }
  // The port stays with the host: stock addresses composed without it would name another server.
  if (address.authority.size() > kMaxServerLength) {
    if (error) *error = "the server name is longer than 63 bytes: " + address.authority;
    return false;
  }
  // Only the path counts: a "/" inside the query names no folder.
  const std::string path = address.object.substr(0, address.object.find_first_of("?#"));
  const size_t slash = path.rfind('/');
  std::string base = path.size() > 1 && slash != std::string::npos && slash > 0
                         ? path.substr(0, slash)
                         : std::string();
  if (base.size() > kMaxBasePathLength) {
    if (error) *error = "the stock page's folder is longer than 95 bytes: " + base;
    return false;
  }
  serverHost = address.authority;
  serverDir = base;
  return true;
}

bool ComposePeerUrl(const CStockDictionary& dictionary, int index, std::string* url) {
  url->clear();
  if (index < 0 || index >= dictionary.itemCount) return false;
  const StockListItem& item = dictionary.items[static_cast<size_t>(index)];
  if (!IsFolderIndex(item.folder) || item.folder > dictionary.folderCount) return false;
  const std::string link =
      ExpandLinkTemplate(dictionary.folders[static_cast<size_t>(item.folder)], item.code);
  HttpAddress absolute;
  if (SplitHttpAddress(link, &absolute)) {
    *url = link;
  } else if (!link.empty() && link[0] == '/') {
    *url = "http://" + dictionary.serverHost + link;
  } else if (dictionary.hasPeerBasePath()) {
    *url = "http://" + dictionary.serverHost + "/" + dictionary.serverDir.substr(1) + "/" + link;
  } else {
    *url = "http://" + dictionary.serverHost + "/" + link;
  }
  if (url->size() > kMaxPeerUrlLength) {
    url->clear();
    return false;
  }
  return true;
}

}  // namespace korvale
