// The universe of stocks the program can show: each stock with the folder of its price file,
// its list name, market, industry and the folder of its margin file.
#ifndef KORVALE_STORE_STOCK_DICTIONARY_H_
#define KORVALE_STORE_STOCK_DICTIONARY_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "store/stock_name_table.h"

namespace korvale {

class RemotePriceReader;

struct StockListItem {
  char name[16];   // list name (NormaliseName), cp932, terminated
  int16_t folder;  // index into `folders` of the price file's folder
  int16_t code;
  int16_t market;
  int16_t industry;
  int16_t marginFolder;  // folder of the margin file; -1 none after a scan, 0 none (fetch list)
};

inline constexpr int kMaxStockItems = 6000;
inline constexpr int kMaxFolders = 100;  // slot 0 is never used: folders are 1-99
// Set in what AddFolder and FindFolder return when there is no folder index.
inline constexpr int kNoFolder = 0x8000;
inline bool IsFolderIndex(int value) { return value > 0 && (value & kNoFolder) == 0; }

class CStockDictionary {
 public:
  // Local folders (mode 0): loads the name table of `dataRootDir` and scans it (Rebuild).
  CStockDictionary(const std::string& dataRootDir, const std::string& workDir);
  // Local folders read only: the scan of the local constructor with an empty name table (every
  // list name "(%04d)"), so nothing is read from or written into `dataRootDir` but its folders
  // (a missing dictionary file is not created). For a root that is published, not used.
  struct ScanOnly {};
  CStockDictionary(ScanOnly, const std::string& dataRootDir);
  // Peer server (mode 1): loads the name table of `workDir`; the list comes from ParseLinkList
  // once the server's page has been fetched.
  CStockDictionary(const std::string& peerServerUrl, const std::string& workDir, int useProxy,
                   const std::string& proxyHost, int proxyPort);
  // Web quote service (mode 2): loads the name table of `workDir`; when "<workDir>/fetchlist.csv"
  // exists, applies its symbols, reads it as the list and builds the index. When it does not, the
  // list stays empty until the fetch list has been downloaded and read.
  CStockDictionary(const std::string& allStocksUrl, int useProxy, const std::string& proxyHost,
                   int proxyPort, const std::string& workDir);
  // Copies everything, the folder table included, and loads a fresh name table.
  CStockDictionary(const CStockDictionary& other);
  CStockDictionary& operator=(const CStockDictionary&) = delete;
  virtual ~CStockDictionary() = default;

  // Index into `items` of the first item with `code`, searched from the code's thousand-block
  // index to the end of the list; -1 when there is none.
  int FindItem(int code) const;

  // True and the folder of the stock's price file when the code is in the list.
  bool GetFolder(int code, std::string* folder) const;
  // True and "<margin folder>/SZ%04d.SDT" when the code is listed with a margin folder; else
  // false and an empty path.
  bool GetMarginPath(int code, std::string* path) const;

  // Stores a folder in the next slot and returns its index; a value with kNoFolder set when
  // 99 folders are in use.
  int AddFolder(const std::string& path);
  // The index of the first folder equal to `path` (case matters); kNoFolder when none.
  int FindFolder(const std::string& path) const;
  // Appends an item for `code` (1-9999) in folder `folder` (0 to folderCount), with its name,
  // market and industry from the name table and no margin folder. False when 6000 items are held
  // or an argument is out of range.
  bool AddStock(int code, int folder);
  // Gives the first item with `code` its margin folder; nothing when the code is not listed.
  void SetMarginFolder(int code, int folder);

  // Rescans the data root: price files, sort by code, the thousand-block index, margin files.
  void Rebuild();
  // Rebuilds firstOfThousand from the items in their present order.
  void BuildIndex();

  // Mode 2: appends one item per fetch-list line (see fetch_list.h). False when the file does not
  // open.
  bool ReadFetchList(const std::string& path);
  // Mode 1: adds a stock for each link of the server's stock page (see link_list.h) and
  // rebuilds the index. The page may come in blocks: with `more` (more bytes follow) a link cut
  // at the end of the block is left for the next call. Returns the bytes consumed: everything
  // up to the first link left over, all of `length` without `more`. The list ends for good at
  // the first link with a bad code or one AddStock refuses; later blocks are then consumed
  // without effect.
  size_t ParseLinkList(const char* html, size_t length, bool more = false);
  // Mode 1: records the server and base path of the stock page's address `listUrl`
  // ("http://host[:port]/path?query"): serverHost is the host with its port, serverDir the
  // path up to its last "/" when that "/" is not the first character ("" otherwise). False,
  // with the reason in `error`, for an address that is not http(s) or parts too long for their
  // fields (63 and 95 bytes).
  bool SetPeerAddress(const std::string& listUrl, std::string* error);
  // Mode 1: whether the stock page's address had a base path (serverDir not empty).
  bool hasPeerBasePath() const { return !serverDir.empty(); }

  int32_t mode = 0;        // 0 local folders, 1 peer server, 2 web quote service
  std::string serverHost;  // mode 1 (peerServer): the host of the stock page's address
  std::string serverDir;   // mode 1 (peerBasePath): the directory part of that address, "" or "/..."
  std::string workDir;
  std::string rootPath;              // the data root (mode 0) or the peer server's address (mode 1)
  std::vector<StockListItem> items;  // exactly itemCount items
  int32_t itemCount = 0;
  CStockNameTable names;
  std::vector<std::string> folders;  // kMaxFolders slots; 1 to folderCount in use
  int32_t folderCount = 0;
  std::vector<uint8_t> present;  // 10,000 flags: the local scan saw the code's price file
  int32_t firstOfThousand[11] = {};

  // The connection settings of the remote modes, for the download dialogs.
  std::string allStocksUrl;
  int useProxy = 0;
  std::string proxyHost;
  int proxyPort = 0;

  // Mode 1: how the stocks' price files are read from the peer (see stock_files.h); null until
  // the stock page has been fetched.
  std::shared_ptr<const RemotePriceReader> remoteReader;

  // Why the dictionary file could not be created (the name table is then empty); "" when fine.
  std::string nameTableError;

 private:
  void Clear();
  void LoadNames();
  void ScanPriceFiles(const std::string& root);
  void ScanMarginFiles(const std::string& root);

  std::string nameFolder_;  // where the name table was loaded from
  bool linkListEnded_ = false;  // ParseLinkList met the end of the list
};

}  // namespace korvale

#endif  // KORVALE_STORE_STOCK_DICTIONARY_H_
