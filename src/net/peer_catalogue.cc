#include "net/peer_catalogue.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace korvale {

namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

std::string PercentEncode(const std::string& path) {
  std::string out;
  for (unsigned char c : path) {
    if (Unreserved(c)) {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

// Without openat2 (kernels before 5.6) every component is opened in turn without following
// any symbolic link: stricter than needed, never wider.
int OpenWithoutLinks(int rootFd, const std::string& relativePath) {
  int dir = rootFd;
  size_t at = 0;
  for (;;) {
    const size_t slash = relativePath.find('/', at);
    const std::string part = relativePath.substr(at, slash == std::string::npos ? slash : slash - at);
    if (part.empty() || part == "." || part == "..") break;
    const bool last = slash == std::string::npos;
    const int flags = O_RDONLY | O_NOFOLLOW | O_CLOEXEC | (last ? O_NONBLOCK : O_DIRECTORY);
    const int fd = ::openat(dir, part.c_str(), flags);
    if (dir != rootFd) ::close(dir);
    if (fd < 0 || last) return fd;
    dir = fd;
    at = slash + 1;
  }
  if (dir != rootFd) ::close(dir);
  errno = ENOENT;
  return -1;
}

}  // namespace

CPeerCatalogue::CPeerCatalogue(std::string root, int rescanSeconds)
    : root_(std::move(root)), rescanSeconds_(rescanSeconds) {
  while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
}

CPeerCatalogue::~CPeerCatalogue() {
  if (rootFd_ >= 0) ::close(rootFd_);
}

bool CPeerCatalogue::Open(std::string* error) {
  rootFd_ = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (rootFd_ < 0) {
    if (error) *error = root_ + ": " + std::strerror(errno);
    return false;
  }
  Rescan();
  return true;
}

void CPeerCatalogue::Rescan() {
  // The scan of the local stock dictionary, so a peer lists exactly the stocks the program
  // shows from this root; read only, the root gains no file.
  const CStockDictionary dictionary(CStockDictionary::ScanOnly{}, root_);
  auto scan = std::make_shared<Scan>();
  for (const StockListItem& item : dictionary.items) {
    const std::string& folder = dictionary.folders[static_cast<size_t>(item.folder)];
    const std::string below =
        folder.size() > root_.size() ? folder.substr(root_.size() + 1) + "/" : std::string();
    char name[16];
    std::snprintf(name, sizeof name, "KD%04d.KDT", item.code);
    scan->links.push_back(below + name);
    scan->listed.insert(scan->links.back());
  }
  std::lock_guard<std::mutex> lock(mutex_);
  scan_ = std::move(scan);
  scannedAt_ = std::chrono::steady_clock::now();
}

std::shared_ptr<const CPeerCatalogue::Scan> CPeerCatalogue::current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return scan_;
}

std::string CPeerCatalogue::ListPage(const std::string& linkPrefix) {
  bool stale;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stale = std::chrono::steady_clock::now() - scannedAt_ > std::chrono::seconds(rescanSeconds_);
    // One request rescans; the others meanwhile serve the scan they have.
    if (stale) scannedAt_ = std::chrono::steady_clock::now();
  }
  if (stale) Rescan();
  const std::shared_ptr<const Scan> scan = current();
  std::string page = "<html><head><title>Korvale</title></head><body>\n";
  page.reserve(page.size() + scan->links.size() * (linkPrefix.size() + 48));
  for (const std::string& link : scan->links) {
    const std::string code = link.substr(link.size() - 8, 4);
    page += "<a href=\"" + PercentEncode(linkPrefix + link) + "\">" + code + "</a><br>\n";
  }
  return page + "</body></html>\n";
}

int CPeerCatalogue::stockCount() const { return static_cast<int>(current()->links.size()); }

int CPeerCatalogue::OpenListed(const std::string& relativePath, uint64_t* size) const {
  if (!current()->listed.count(relativePath)) return -1;
  // Beneath the root: no absolute link, no ".." above it, no magic link may be followed.
  open_how how{};
  how.flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  int fd = static_cast<int>(::syscall(SYS_openat2, rootFd_, relativePath.c_str(), &how, sizeof how));
  if (fd < 0 && errno == ENOSYS) fd = OpenWithoutLinks(rootFd_, relativePath);
  if (fd < 0) return -1;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < 0) {
    ::close(fd);
    return -1;
  }
  if (size) *size = static_cast<uint64_t>(st.st_size);
  return fd;
}

}  // namespace korvale
