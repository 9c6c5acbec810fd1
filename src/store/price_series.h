// One stock's price history in memory: daily bars, derived weekly and monthly bars, weekly
// margin balances and the user's trend lines.
#ifndef KORVALE_STORE_PRICE_SERIES_H_
#define KORVALE_STORE_PRICE_SERIES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/file_io.h"
#include "store/price_records.h"

namespace korvale {

class CLineGeometry;

struct WeeklyBar {
  int16_t year = 0;  // date of the week's first trading day
  int8_t month = 0;
  int8_t day = 0;
  int8_t week = 0;  // WeekOfYear number
  int32_t open = 0;
  int32_t high = 0;
  int32_t low = 0;
  int32_t close = 0;
  int32_t volume = 0;
  int32_t marginSell = 0;
  int32_t marginBuy = 0;
};

struct MonthlyBar {
  int16_t year = 0;
  int8_t month = 0;
  int32_t open = 0;
  int32_t high = 0;
  int32_t low = 0;
  int32_t close = 0;
  int32_t volume = 0;
};

struct TrendLine {
  int32_t index1 = 0;  // daily bar index of the first point; may lie beyond the last bar
  int32_t price1 = 0;
  int32_t index2 = 0;
  int32_t price2 = 0;
  int32_t kind = 0;
  CLineGeometry* geometry = nullptr;  // attached by a user of the line, never owned here
  uint8_t unresolved = 0;  // 1 when a point's date is not among the bars
  // The record the line was read from; an unresolved line is written back unchanged so that a
  // line whose day is missing today is not lost.
  TrendLineFileRecord stored;
};

// The eight outputs of YearExtremes, in order.
struct YearExtremesResult {
  int32_t highThisYear = 0, lowThisYear = 0;
  int32_t highTwoYears = 0, lowTwoYears = 0;
  int32_t highSixYears = 0, lowSixYears = 0;
  int32_t highAll = 0, lowAll = 0;
};

// The eight outputs of WindowExtremes, in order.
struct WindowExtremesResult {
  int32_t yearHigh = 0, yearHighIndex = 0, yearLow = 0, yearLowIndex = 0;
  int32_t windowHigh = 0, windowHighIndex = 0, windowLow = 0, windowLowIndex = 0;
};

// Users read the arrays and their counts directly.
// Each load or build replaces the array it fills, so never keep a pointer into one across such
// a call. Buffers keep their capacity between loads, so one series reused for many stocks
// allocates only while it grows.
class CPriceSeries {
 public:
  CPriceSeries() = default;
  virtual ~CPriceSeries() = default;

  // --- Loads: each replaces `bars` and leaves weeks, months and lines alone.
  // The whole file; stores `path` in filePath. True when a bar was kept.
  bool LoadAll(const std::string& path);
  // The last 32 records only. True when a bar was kept.
  bool LoadTail(const std::string& path);
  // The records up to and including the date. True whenever the file opened, also with no bar.
  bool LoadUntil(int year, int month, int day, const std::string& path);
  // Sorted, de-duplicated load merged with the caller's bars (a later bar for a date wins, the
  // caller's bars over the file's; years outside 1901-2099 and days without an open dropped).
  // False when neither source holds a bar of 1901-2099.
  bool LoadMerged(const std::string& path, const PriceBar* extraBars, int extraCount);
  // The same loads over the bytes of a price file already in memory (one a peer sent): `size`
  // bytes of records at `data`, `name` stored as filePath. Each gives what its file load gives
  // for a file holding those bytes.
  bool LoadAllBytes(const uint8_t* data, size_t size, const std::string& name);
  bool LoadTailBytes(const uint8_t* data, size_t size, const std::string& name);
  bool LoadUntilBytes(int year, int month, int day, const uint8_t* data, size_t size,
                      const std::string& name);
  bool LoadMergedBytes(const uint8_t* data, size_t size, const std::string& name,
                       const PriceBar* extraBars, int extraCount);
  // One placeholder bar (and week and month) dated 0-0-0 with prices 1, no lines, no paths.
  void Reset();

  // --- Saves (the series is unchanged). The file is replaced atomically. False on failure, the
  // reason in `error` when given.
  bool SaveAll(const std::string& path, std::string* error = nullptr) const;
  // As SaveAll, leaving out the bars of one day, or of one month when wholeMonth is non-zero.
  bool SaveWithout(const std::string& path, int wholeMonth, int year, int month, int day,
                  std::string* error = nullptr) const;

  // --- Derived bars.
  // Rebuilds `weeks` and attaches margin balances from marginPath. `weekIndex` (may be null)
  // gets the weekly bar that was current when daily bar `barIndex` was reached, else 0.
  void BuildWeekly(int barIndex, int* weekIndex);
  void BuildMonthly();
  void SetMarginPath(const std::string& path) { marginPath = path; }

  // --- Trend lines.
  void SetLinePath(const std::string& path);
  void LoadLines();
  // Writes the lines to linePath. With no lines a file read earlier is removed, so lines the
  // user deleted do not come back. False when the file cannot be written.
  bool SaveLines(std::string* error = nullptr) const;
  void ClearLines();

  // --- Whole-history computations.
  bool HasBadBar() const;
  bool HasTradedShare(int percent) const;
  YearExtremesResult YearExtremes() const;
  void SeriesExtremes(int n, int32_t* high, int32_t* low) const;
  WindowExtremesResult WindowExtremes(int n) const;

  std::string filePath;
  std::string marginPath;
  std::string linePath;
  std::vector<PriceBar> bars;
  std::vector<WeeklyBar> weeks;
  std::vector<MonthlyBar> months;
  std::vector<TrendLine> lines;

  // The counts are the arrays' sizes, so they can never disagree with what the arrays hold.
  int32_t barCount() const { return static_cast<int32_t>(bars.size()); }
  int32_t weekCount() const { return static_cast<int32_t>(weeks.size()); }
  int32_t monthCount() const { return static_cast<int32_t>(months.size()); }
  int32_t lineCount() const { return static_cast<int32_t>(lines.size()); }

 private:
  // Applies the reading rule to one decoded record: kept as is when traded or fully priced,
  // dropped before the first kept bar, otherwise shown flat at the previous close.
  void KeepRecord(const PriceBar& bar);
  int LoadRecords(const std::string& path, int firstRecord, int maxRecords, int32_t untilKey);
  int DecodeRecords(const uint8_t* data, size_t size, int firstRecord, int maxRecords,
                    int32_t untilKey);
  // The merge of LoadMerged over the bars just loaded.
  bool MergeLoaded(const std::string& path, const PriceBar* extraBars, int extraCount);
  void SetBarCount(int32_t n);

  ByteBuffer fileBuffer_;
  std::vector<int32_t> grid_;  // calendar grid of LoadMerged, kept for reuse
  bool linesFromFile_ = false;
};

}  // namespace korvale

#endif  // KORVALE_STORE_PRICE_SERIES_H_
