// The market-index series the application holds for the index panes and the screening record.
#ifndef KORVALE_APP_INDEX_SERIES_H_
#define KORVALE_APP_INDEX_SERIES_H_

#include <functional>
#include <memory>
#include <string>

#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

// Finds the folder holding a stock's price file; false when the stock is unknown.
using FolderOfCode = std::function<bool(int code, std::string* folder)>;

// Loads the index series as the application does at start in local mode: no index unless
// dataSourceMode is 0 and indexStockCode is positive and known; the file "<folder>/KD%04d.KDT"
// through the normalising load with no extra bars, then its weekly bars from the first bar.
// Returns null when there is no index.
std::unique_ptr<CPriceSeries> LoadIndexSeries(const SettingsRecord& settings,
                                              const FolderOfCode& folderOfCode);

}  // namespace korvale

#endif  // KORVALE_APP_INDEX_SERIES_H_
