// The analysis cache file "analize.tmp" in the data root: the records of the last complete
// batch over the latest data, 304 bytes each in store order, which the next run may reuse.
#ifndef KORVALE_SCREENING_ANALYSIS_CACHE_H_
#define KORVALE_SCREENING_ANALYSIS_CACHE_H_

#include <string>

#include "screening/analysis_store.h"
#include "store/stock_dictionary.h"

namespace korvale {

// "<dataRootDir>/analize.tmp".
std::string AnalysisCachePath(const std::string& dataRootDir);

// The choice "前回の分析結果を使用": loads the cache at `path` into the store and tells whether
// it can stand for a fresh batch, which is so only when the file was read, held no more records
// than the store has slots, and its record count equals the dictionary's stock count (a stock
// added, removed or without a price file since the batch makes the counts differ). When false
// the caller runs a fresh batch, which clears the store first.
bool LoadReusableCache(CAnalysisStore* store, const std::string& path,
                       const CStockDictionary& dictionary, CacheLoadInfo* info = nullptr);

}  // namespace korvale

#endif  // KORVALE_SCREENING_ANALYSIS_CACHE_H_
