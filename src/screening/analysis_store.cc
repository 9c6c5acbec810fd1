#include "screening/analysis_store.h"

#include <algorithm>

namespace korvale {

CAnalysisStore::CAnalysisStore() : records(static_cast<size_t>(kAnalysisStoreCapacity)) {}

void CAnalysisStore::ClearRecords() { recordCount = 0; }

bool CAnalysisStore::AppendRecord(const CPriceSeries& series, int32_t stockIndex,
                                  const SettingsRecord& settings, const CPriceSeries* indexSeries,
                                  AnalysisWorkspace* workspace) {
  if (recordCount >= capacity) return false;
  ComputeAnalysisRecord(series, stockIndex, settings, indexSeries,
                        &records[static_cast<size_t>(recordCount)], workspace);
  ++recordCount;
  const int32_t n = series.barCount();
  if (n > 0) {
    const PriceBar& last = series.bars[static_cast<size_t>(n - 1)];
    asOfYear = last.year;
    asOfMonth = last.month;
    asOfDay = last.day;
  }
  return true;
}

bool CAnalysisStore::AppendComputed(const AnalysisRecord& record, int year, int month, int day) {
  if (recordCount >= capacity) return false;
  records[static_cast<size_t>(recordCount++)] = record;
  if (year != 0) {
    asOfYear = year;
    asOfMonth = month;
    asOfDay = day;
  }
  return true;
}

}  // namespace korvale
