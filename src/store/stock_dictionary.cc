#include "store/stock_dictionary.h"

#include <cstring>

#include "store/file_io.h"
#include "store/list_name.h"
#include "store/store_folders.h"

namespace korvale {

namespace {
constexpr int kPresentSize = 10000;
constexpr int kIndexSize = 11;
}  // namespace

CStockDictionary::CStockDictionary(const std::string& dataRootDir, const std::string& workDir)
    : mode(0), workDir(workDir), rootPath(dataRootDir), nameFolder_(dataRootDir) {
  Clear();
  LoadNames();
  Rebuild();
}

CStockDictionary::CStockDictionary(ScanOnly, const std::string& dataRootDir)
    : mode(0), workDir(dataRootDir), rootPath(dataRootDir), nameFolder_(dataRootDir) {
  Clear();
  Rebuild();
}

CStockDictionary::CStockDictionary(const std::string& peerServerUrl, const std::string& workDir,
                                   int useProxy, const std::string& proxyHost, int proxyPort)
    : mode(1),
      workDir(workDir),
      rootPath(peerServerUrl),
      useProxy(useProxy),
      proxyHost(proxyHost),
      proxyPort(proxyPort),
      nameFolder_(workDir) {
  Clear();
  LoadNames();
}

CStockDictionary::CStockDictionary(const std::string& allStocksUrl, int useProxy,
                                   const std::string& proxyHost, int proxyPort,
                                   const std::string& workDir)
    : mode(2),
      workDir(workDir),
      allStocksUrl(allStocksUrl),
      useProxy(useProxy),
      proxyHost(proxyHost),
      proxyPort(proxyPort),
      nameFolder_(workDir) {
  Clear();
  LoadNames();
  const std::string fetchList = workDir + "/fetchlist.csv";
  if (FileExists(fetchList)) {
    names.ApplyFetchListSymbols(fetchList);
    ReadFetchList(fetchList);
  }
  BuildIndex();
}

CStockDictionary::CStockDictionary(const CStockDictionary& other)
    : mode(other.mode),
      serverHost(other.serverHost),
      serverDir(other.serverDir),
      workDir(other.workDir),
      rootPath(other.rootPath),
      items(other.items),
      itemCount(other.itemCount),
      folders(other.folders),
      folderCount(other.folderCount),
      present(other.present),
      allStocksUrl(other.allStocksUrl),
      useProxy(other.useProxy),
      proxyHost(other.proxyHost),
      proxyPort(other.proxyPort),
      remoteReader(other.remoteReader),
      nameFolder_(other.nameFolder_),
      linkListEnded_(other.linkListEnded_) {
  std::memcpy(firstOfThousand, other.firstOfThousand, sizeof firstOfThousand);
  LoadNames();
}

void CStockDictionary::Clear() {
  items.clear();
  items.reserve(kMaxStockItems);
  itemCount = 0;
  folders.assign(kMaxFolders, std::string());
  folderCount = 0;
  present.assign(kPresentSize, 0);
  std::memset(firstOfThousand, 0, sizeof firstOfThousand);
}

void CStockDictionary::LoadNames() {
  nameTableError.clear();
  names.Load(nameFolder_, &nameTableError);
}

int CStockDictionary::FindItem(int code) const {
  if (code < 1 || code > 9999) return -1;
  for (int i = firstOfThousand[code / 1000]; i < itemCount; ++i) {
    if (items[static_cast<size_t>(i)].code == code) return i;
  }
  return -1;
}

bool CStockDictionary::GetFolder(int code, std::string* folder) const {
  const int i = FindItem(code);
  if (i < 0) return false;
  *folder = folders[static_cast<size_t>(items[static_cast<size_t>(i)].folder)];
  return true;
}

bool CStockDictionary::GetMarginPath(int code, std::string* path) const {
  path->clear();
  const int i = FindItem(code);
  if (i < 0) return false;
  const int folder = items[static_cast<size_t>(i)].marginFolder;
  if (folder < 1 || folder > folderCount) return false;
  AssignCodeFile(path, folders[static_cast<size_t>(folder)], "SZ%04d.SDT", code);
  return true;
}

int CStockDictionary::AddFolder(const std::string& path) {
  if (folderCount >= kMaxFolders - 1) return kNoFolder | folderCount;
  folders[static_cast<size_t>(++folderCount)] = path;
  return folderCount;
}

int CStockDictionary::FindFolder(const std::string& path) const {
  for (int i = 1; i <= folderCount; ++i) {
    if (folders[static_cast<size_t>(i)] == path) return i;
  }
  return kNoFolder;
}

bool CStockDictionary::AddStock(int code, int folder) {
  if (itemCount >= kMaxStockItems) return false;
  if (code < 1 || code > 9999 || folder < 0 || folder > folderCount) return false;
  StockListItem item{};
  std::string name;
  int industry = 0;
  const int market = names.Lookup(code, &name, &industry);
  const std::string listName = NormaliseName(name);
  std::memcpy(item.name, listName.data(), listName.size());  // at most 12 bytes of 16
  item.folder = static_cast<int16_t>(folder);
  item.code = static_cast<int16_t>(code);
  item.market = static_cast<int16_t>(market);
  item.industry = static_cast<int16_t>(industry);
  item.marginFolder = -1;
  items.push_back(item);
  ++itemCount;
  return true;
}

void CStockDictionary::SetMarginFolder(int code, int folder) {
  const int i = FindItem(code);
  if (i >= 0) items[static_cast<size_t>(i)].marginFolder = static_cast<int16_t>(folder);
}

void CStockDictionary::BuildIndex() {
  std::memset(firstOfThousand, 0, sizeof firstOfThousand);
  int threshold = 2000;
  for (int i = 0; i < itemCount && threshold / 1000 < kIndexSize;) {
    if (items[static_cast<size_t>(i)].code >= threshold) {
      firstOfThousand[threshold / 1000] = i;
      threshold += 1000;  // the same item is tested against the next block too
    } else {
      ++i;
    }
  }
}

}  // namespace korvale
