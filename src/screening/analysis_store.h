// The analysis records of all stocks: one slot per stock of the dictionary, filled by the
// analysis batch or from the cache file, read by the screening runs and rankings.
#ifndef KORVALE_SCREENING_ANALYSIS_STORE_H_
#define KORVALE_SCREENING_ANALYSIS_STORE_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "screening/analysis_record.h"
#include "screening/compute_analysis_record.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

// Records the store holds; the dictionary holds no more stocks than this.
inline constexpr int32_t kAnalysisStoreCapacity = 6000;

// What LoadCache found in the file.
struct CacheLoadInfo {
  int64_t fileBytes = 0;      // length of the file
  int64_t fileRecords = 0;    // 304-byte blocks in it, a trailing partial block counted
  bool partialBlock = false;  // the file does not end on a record boundary
  bool cut = false;           // the file holds more records than the store has slots
};

// The main document owns one store for the whole run. Records stand in the order they were
// appended (a stock without a price file has none, so a record's position may differ from its
// stockIndex). Not thread-safe: the screening reads it only when no batch appends to it.
class CAnalysisStore {
 public:
  // Allocates the 6,000 slots once; nothing is allocated later.
  CAnalysisStore();
  CAnalysisStore(const CAnalysisStore&) = delete;
  CAnalysisStore& operator=(const CAnalysisStore&) = delete;

  // Empties the store (recordCount 0). The as-of date stays until the next append.
  void ClearRecords();

  // Computes the record of `series` (ComputeAnalysisRecord with `settings`, `indexSeries` and
  // `workspace`, which may be null) into the next free slot with `stockIndex`, and takes the
  // date of the series' last bar as the as-of date. A series without bars still gets its
  // record of invalid values, and the as-of date is then left as it was, since that stock has
  // no date to give. False, the store unchanged, when every slot is taken.
  bool AppendRecord(const CPriceSeries& series, int32_t stockIndex, const SettingsRecord& settings,
                    const CPriceSeries* indexSeries, AnalysisWorkspace* workspace = nullptr);
  // Appends a record computed elsewhere, with the date of its series' last bar (year 0 for a
  // series without bars, which keeps the as-of date). False when every slot is taken.
  bool AppendComputed(const AnalysisRecord& record, int year, int month, int day);

  // Reads the cache file at `path`: recordCount becomes 0, then consecutive 304-byte blocks
  // fill consecutive slots, each counted; a trailing partial block fills the next slot too,
  // its missing bytes taken from a record of invalid values. Reading stops when the slots are
  // full, so a longer file never overruns the store (info->cut tells). The as-of date is not
  // restored. Returns 1 when the file was read, 0 when it cannot be opened or read (a folder,
  // a missing file); the store is then empty.
  int LoadCache(const std::string& path, CacheLoadInfo* info = nullptr);
  // Writes the first recordCount records back to back, 304 bytes each, nothing before or
  // after, replacing `path` atomically. Returns 1 on success; 0 with the reason in `error`
  // (may be null) when the file cannot be written, an existing file then left as it was.
  int SaveCache(const std::string& path, std::string* error = nullptr);

  // The filled records, in store order.
  std::span<const AnalysisRecord> Records() const {
    return {records.data(), static_cast<size_t>(recordCount)};
  }

  // `capacity` slots; only the first recordCount hold records of the last batch or cache.
  // Readers must not resize the vector.
  std::vector<AnalysisRecord> records;
  int32_t recordCount = 0;
  const int32_t capacity = kAnalysisStoreCapacity;
  // The date of the last bar of the stock most recently appended; 0 until one is appended.
  int32_t asOfYear = 0;
  int32_t asOfMonth = 0;
  int32_t asOfDay = 0;

 private:
  ByteBuffer cacheBytes_;  // the encoded file of SaveCache, kept for the next save
};

}  // namespace korvale

#endif  // KORVALE_SCREENING_ANALYSIS_STORE_H_
