#include "store/stock_files.h"

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

bool LoadStock(const StockFiles& files, CPriceSeries* series, const StockLoadLimit& limit,
               bool placeholderWhenEmpty) {
  bool loaded = false;
  if (limit.tail) {
    loaded = series->LoadTail(files.pricePath);
  } else if (limit.asOf) {
    loaded = series->LoadUntil(limit.year, limit.month, limit.day, files.pricePath);
  } else {
    loaded = series->LoadAll(files.pricePath);
  }
  if (!loaded && placeholderWhenEmpty) series->Reset();
  series->SetMarginPath(files.marginPath);
  series->SetLinePath(files.linePath);
  series->LoadLines();
  return loaded;
}

}  // namespace korvale
