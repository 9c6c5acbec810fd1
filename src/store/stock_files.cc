#include "store/stock_files.h"

#include "store/file_io.h"
#include "store/peer_address.h"
#include "store/store_folders.h"

namespace korvale {

bool ResolveItemFiles(const CStockDictionary& dictionary, int itemIndex,
                      const std::string& lineFolder, StockFiles* files) {
  if (itemIndex < 0 || itemIndex >= dictionary.itemCount ||
      static_cast<size_t>(itemIndex) >= dictionary.items.size()) {
    return false;
  }
  const StockListItem& item = dictionary.items[static_cast<size_t>(itemIndex)];
  if (!IsFolderIndex(item.folder) || item.folder > dictionary.folderCount ||
      static_cast<size_t>(item.folder) >= dictionary.folders.size()) {
    return false;
  }
  files->code = item.code;
  if (dictionary.mode == 1) {
    files->marginPath.clear();
    files->linePath.clear();
    files->remote = dictionary.remoteReader;
    return ComposePeerUrl(dictionary, itemIndex, &files->pricePath);
  }
  files->remote.reset();
  AssignCodeFile(&files->pricePath, dictionary.folders[static_cast<size_t>(item.folder)],
                 "KD%04d.KDT", item.code);
  dictionary.GetMarginPath(item.code, &files->marginPath);
  AssignCodeFile(&files->linePath, lineFolder, "LN%04d.DAT", item.code);
  return true;
}

bool ResolveStockFiles(const CStockDictionary& dictionary, int code, const std::string& lineFolder,
                       StockFiles* files) {
  const int item = dictionary.FindItem(code);
  return item >= 0 && ResolveItemFiles(dictionary, item, lineFolder, files);
}

bool ReadPriceFile(const StockFiles& files, std::string* body, std::string* error,
                   const std::atomic<bool>* stop) {
  std::string why;
  bool read;
  if (files.remote) {
    read = files.remote->ReadPriceFile(files.pricePath, body, &why, stop);
  } else {
    std::vector<uint8_t> bytes;
    read = ReadWholeFile(files.pricePath, &bytes);
    body->assign(bytes.begin(), bytes.end());
    if (!read) why = files.pricePath + " cannot open";
  }
  if (error) *error = why;
  return read;
}

namespace {

// The remote half of LoadStock: the peer's answer, checked, then loaded as a file would be.
bool LoadRemoteBars(const StockFiles& files, CPriceSeries* series, const StockLoadLimit& limit,
                    std::string* error, const std::atomic<bool>* stop) {
  std::string body;
  if (!ReadPriceFile(files, &body, error, stop)) {
    series->bars.clear();
    series->filePath = files.pricePath;
    return false;
  }
  const auto* data = reinterpret_cast<const uint8_t*>(body.data());
  return limit.asOf ? series->LoadUntilBytes(limit.year, limit.month, limit.day, data,
                                             body.size(), files.pricePath)
                    : series->LoadAllBytes(data, body.size(), files.pricePath);
}

}  // namespace

bool LoadStock(const StockFiles& files, CPriceSeries* series, const StockLoadLimit& limit,
               bool placeholderWhenEmpty, std::string* error, const std::atomic<bool>* stop) {
  if (error) error->clear();
  bool loaded;
  if (files.remote) {
    loaded = LoadRemoteBars(files, series, limit, error, stop);
  } else {
    loaded = limit.asOf ? series->LoadUntil(limit.year, limit.month, limit.day, files.pricePath)
                        : series->LoadAll(files.pricePath);
  }
  if (!loaded && placeholderWhenEmpty) series->Reset();
  series->SetMarginPath(files.marginPath);
  series->SetLinePath(files.linePath);
  series->LoadLines();
  return loaded;
}

}  // namespace korvale
