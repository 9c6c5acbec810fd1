// The local scan: every price file below the data root becomes an item, every margin file
// gives its stock a margin folder.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "store/stock_dictionary.h"

namespace korvale {

namespace {

// Folders nested deeper than this are not walked; real data roots are a few levels deep, and
// the limit keeps a pathological tree from exhausting the stack.
constexpr int kMaxDepth = 32;

struct Entry {
  std::string name;
  bool isFolder;
};

// The entries of a folder in byte order of their names, so a scan lists the same tree the same
// way on every file system. Symbolic links to folders are not followed (a link cycle would walk
// forever); links to files count as files.
std::vector<Entry> ListFolder(const std::string& folder) {
  std::vector<Entry> entries;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return entries;
  while (const dirent* d = ::readdir(dir)) {
    if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
    unsigned char type = d->d_type;
    const std::string path = folder + "/" + d->d_name;
    struct stat st;
    if (type == DT_UNKNOWN) {
      if (::lstat(path.c_str(), &st) != 0) continue;
      type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISLNK(st.st_mode) ? DT_LNK : DT_REG;
    }
    if (type == DT_LNK) {
      if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      type = DT_REG;
    }
    if (type == DT_DIR || type == DT_REG) entries.push_back({d->d_name, type == DT_DIR});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return entries;
}

bool EqualsIgnoringCase(const char* a, const char* b, size_t n) {
  for (size_t i = 0; i < n; ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

// The code of a per-stock file name: exactly 10 characters, the two-letter prefix and the
// 4-letter extension compared without regard to case, four digits between them. -1 otherwise
// (a name such as KDabcd.KDT is no stock file).
int CodeOfFileName(const std::string& name, const char* prefix, const char* extension) {
  if (name.size() != 10 || !EqualsIgnoringCase(name.c_str(), prefix, 2) ||
      !EqualsIgnoringCase(name.c_str() + 6, extension, 4)) {
    return -1;
  }
  int code = 0;
  for (size_t i = 2; i < 6; ++i) {
    if (name[i] < '0' || name[i] > '9') return -1;
    code = code * 10 + (name[i] - '0');
  }
  return code;
}

// Walks a folder depth first, subfolders when met. `onFile` gets the folder's path, the code
// and the folder's index slot (0 until the scan adds the folder); it returns false to end the
// walk of that folder.
using FileVisitor = std::function<bool(const std::string& folder, int code, int* folderIndex)>;

void Walk(const std::string& folder, int depth, const char* prefix, const char* extension,
          const FileVisitor& onFile) {
  int folderIndex = 0;
  for (const Entry& e : ListFolder(folder)) {
    if (e.isFolder) {
      if (depth < kMaxDepth) Walk(folder + "/" + e.name, depth + 1, prefix, extension, onFile);
      continue;
    }
    const int code = CodeOfFileName(e.name, prefix, extension);
    if (code < 0) continue;
    if (!onFile(folder, code, &folderIndex)) return;
  }
}

std::string WalkRoot(const std::string& root) {
  if (root.empty()) return ".";
  std::string r = root;
  while (r.size() > 1 && r.back() == '/') r.pop_back();
  return r;
}

}  // namespace

void CStockDictionary::Rebuild() {
  Clear();
  const std::string root = WalkRoot(rootPath);
  ScanPriceFiles(root);
  std::stable_sort(items.begin(), items.end(),
                   [](const StockListItem& a, const StockListItem& b) { return a.code < b.code; });
  BuildIndex();
  ScanMarginFiles(root);
}

void CStockDictionary::ScanPriceFiles(const std::string& root) {
  Walk(root, 0, "kd", ".kdt", [this](const std::string& folder, int code, int* folderIndex) {
    if (*folderIndex == 0) *folderIndex = AddFolder(folder);
    if (code < static_cast<int>(present.size())) present[static_cast<size_t>(code)] = 1;
    // A folder beyond the 99th has no slot: its stocks cannot be located and are not listed.
    if (!IsFolderIndex(*folderIndex)) return true;
    if (code == 0) return true;  // KD0000.KDT names no stock
    return AddStock(code, *folderIndex) != 0;
  });
}

void CStockDictionary::ScanMarginFiles(const std::string& root) {
  Walk(root, 0, "sz", ".sdt", [this](const std::string& folder, int code, int* folderIndex) {
    if (*folderIndex == 0) *folderIndex = AddFolder(folder);
    if (IsFolderIndex(*folderIndex)) SetMarginFolder(code, *folderIndex);
    return true;
  });
}

}  // namespace korvale
