#include "app/index_series.h"

#include "store/file_io.h"
#include "store/store_folders.h"

namespace korvale {

std::unique_ptr<CPriceSeries> LoadIndexSeries(const SettingsRecord& settings,
                                              const FolderOfCode& folderOfCode) {
  if (settings.dataSourceMode != 0 || settings.indexStockCode <= 0) return nullptr;
  std::string folder;
  if (!folderOfCode || !folderOfCode(settings.indexStockCode, &folder)) return nullptr;
  const std::string path = PriceFileName(folder, settings.indexStockCode);
  if (FileSize(path) < 0) return nullptr;  // the file cannot be opened: no index
  auto series = std::make_unique<CPriceSeries>();
  series->LoadMerged(path, nullptr, 0);
  series->BuildWeekly(0, nullptr);
  return series;
}

}  // namespace korvale
