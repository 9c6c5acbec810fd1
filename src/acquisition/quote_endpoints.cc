#include "acquisition/quote_endpoints.h"

#include <cstdio>
#include <vector>

#include "store/file_io.h"

namespace korvale {

namespace {

constexpr size_t kMaxUrlBytes = 255;
constexpr size_t kMaxHostsFileBytes = 64 << 10;

bool IsAddress(const std::string& url) {
  if (url.size() > kMaxUrlBytes) return false;
  const size_t scheme = url.rfind("http://", 0) == 0 ? 7 : url.rfind("https://", 0) == 0 ? 8 : 0;
  if (scheme == 0 || url.size() == scheme) return false;
  for (unsigned char c : url) {
    if (c <= ' ' || c >= 0x7F) return false;
  }
  return true;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

bool LoadQuoteEndpoints(const std::string& dataRootDir, const std::string& allStocksUrl,
                        QuoteEndpoints* out, std::string* error) {
  *out = QuoteEndpoints{};
  out->fetchListUrl = allStocksUrl;
  const std::string path = dataRootDir + "/" + kWebHostsFileName;
  if (!FileExists(path)) return true;
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, &bytes, kMaxHostsFileBytes)) {
    if (error) *error = path + ": cannot be read (or larger than 64 KB)";
    return false;
  }
  const std::string text(bytes.begin(), bytes.end());
  bool allApplied = true;
  size_t start = 0;
  for (int lineNumber = 1; start < text.size(); ++lineNumber) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const size_t eq = line.find('=');
    const std::string name = eq == std::string::npos ? "" : Trimmed(line.substr(0, eq));
    std::string url = eq == std::string::npos ? "" : Trimmed(line.substr(eq + 1));
    std::string* target = name == "profile"     ? &out->profileHost
                          : name == "quote"     ? &out->quoteHost
                          : name == "table"     ? &out->tableHost
                          : name == "fetchlist" ? &out->fetchListUrl
                                                : nullptr;
    if (target != &out->fetchListUrl) {
      while (!url.empty() && url.back() == '/') url.pop_back();
    }
    if (!target || !IsAddress(url)) {
      if (error && allApplied) {
        *error = path + " line " + std::to_string(lineNumber) +
                 ": not name=URL with a name of profile, quote, table or fetchlist and an "
                 "http:// address";
      }
      allApplied = false;
      continue;
    }
    *target = url;
  }
  return allApplied;
}

std::string ProfileUrl(const QuoteEndpoints& endpoints, int code) {
  char path[48];
  std::snprintf(path, sizeof path, "/biz/fundamental/%04d.html", code);
  return endpoints.profileHost + path;
}

std::string QuoteUrl(const QuoteEndpoints& endpoints, int code) {
  char path[48];
  std::snprintf(path, sizeof path, "/q?s=%04d&d=v3", code);
  return endpoints.quoteHost + path;
}

std::string TableUrl(const QuoteEndpoints& endpoints, const CPriceTablePage& page) {
  return endpoints.tableHost + page.url;
}

}  // namespace korvale
