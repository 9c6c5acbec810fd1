#include "store/price_series.h"

#include <algorithm>
#include <climits>

#include "store/file_io.h"

namespace korvale {

namespace {
constexpr int32_t kNoLimit = INT32_MAX;
constexpr int kTailRecords = 32;
constexpr int kGridYearCells = 372;  // 12 months of 31 days
constexpr int kGridFields = 5;       // open, high, low, close, volume
}  // namespace

void CPriceSeries::SetBarCount(int32_t n) {
  bars.resize(static_cast<size_t>(n));
}

void CPriceSeries::KeepRecord(const PriceBar& in) {
  if (in.volume > 0 || (in.open > 0 && in.high > 0 && in.low > 0 && in.close > 0)) {
    bars.push_back(in);
    return;
  }
  if (bars.empty()) return;  // nothing to show before the first traded or priced day
  PriceBar flat = in;
  const int32_t previousClose = bars.back().close;
  flat.open = flat.high = flat.low = flat.close = previousClose;
  bars.push_back(flat);
}

// Reads records [firstRecord, firstRecord + maxRecords) of the file, stopping at the first
// record whose date key exceeds untilKey. Returns -1 when the file cannot be read, else the
// number of bars kept.
int CPriceSeries::LoadRecords(const std::string& path, int firstRecord, int maxRecords,
                              int32_t untilKey) {
  bars.clear();
  if (!ReadWholeFile(path, &fileBuffer_)) return -1;
  return DecodeRecords(fileBuffer_.data(), fileBuffer_.size(), firstRecord, maxRecords, untilKey);
}

// The same over bytes in memory; a piece shorter than a record at the end is ignored.
int CPriceSeries::DecodeRecords(const uint8_t* data, size_t size, int firstRecord, int maxRecords,
                                int32_t untilKey) {
  bars.clear();
  const size_t count = data ? size / kPriceFileRecordSize : 0;
  size_t first = std::min(static_cast<size_t>(std::max(firstRecord, 0)), count);
  size_t end = std::min(count, first + static_cast<size_t>(maxRecords));
  bars.reserve(end - first + 2);
  for (size_t i = first; i < end; ++i) {
    PriceBar bar = DecodeBar(data + i * kPriceFileRecordSize);
    if (DateKey(bar) > untilKey) break;
    KeepRecord(bar);
  }
  return static_cast<int>(bars.size());
}

bool CPriceSeries::LoadAll(const std::string& path) {
  filePath = path;
  return LoadRecords(path, 0, kNoLimit, kNoLimit) > 0;
}

bool CPriceSeries::LoadTail(const std::string& path) {
  int64_t size = FileSize(path);
  int64_t count = size > 0 ? size / static_cast<int64_t>(kPriceFileRecordSize) : 0;
  int first = count > kTailRecords ? static_cast<int>(count - kTailRecords) : 0;
  filePath = path;
  return LoadRecords(path, first, kTailRecords, kNoLimit) > 0;
}

bool CPriceSeries::LoadUntil(int year, int month, int day, const std::string& path) {
  filePath = path;
  return LoadRecords(path, 0, kNoLimit, DateKey(year, month, day)) >= 0;
}

bool CPriceSeries::LoadAllBytes(const uint8_t* data, size_t size, const std::string& name) {
  filePath = name;
  return DecodeRecords(data, size, 0, kNoLimit, kNoLimit) > 0;
}

bool CPriceSeries::LoadTailBytes(const uint8_t* data, size_t size, const std::string& name) {
  const size_t count = size / kPriceFileRecordSize;
  const int first = count > kTailRecords ? static_cast<int>(count - kTailRecords) : 0;
  filePath = name;
  return DecodeRecords(data, size, first, kTailRecords, kNoLimit) > 0;
}

bool CPriceSeries::LoadUntilBytes(int year, int month, int day, const uint8_t* data, size_t size,
                                  const std::string& name) {
  filePath = name;
  DecodeRecords(data, size, 0, kNoLimit, DateKey(year, month, day));
  return true;  // bytes in memory always "open"
}

bool CPriceSeries::LoadMerged(const std::string& path, const PriceBar* extraBars,
                             int extraCount) {
  LoadAll(path);
  return MergeLoaded(path, extraBars, extraCount);
}

bool CPriceSeries::LoadMergedBytes(const uint8_t* data, size_t size, const std::string& name,
                                   const PriceBar* extraBars, int extraCount) {
  LoadAllBytes(data, size, name);
  return MergeLoaded(name, extraBars, extraCount);
}

bool CPriceSeries::MergeLoaded(const std::string& path, const PriceBar* extraBars,
                               int extraCount) {
  if (!extraBars) extraCount = 0;
  extraCount = std::max(extraCount, 0);

  int minYear = INT_MAX, maxYear = INT_MIN;
  auto widen = [&](const PriceBar& b) {
    if (b.year >= 1901 && b.year <= 2099) {
      minYear = std::min<int>(minYear, b.year);
      maxYear = std::max<int>(maxYear, b.year);
    }
  };
  for (const PriceBar& b : bars) widen(b);
  for (int i = 0; i < extraCount; ++i) widen(extraBars[i]);
  if (minYear > maxYear) return false;

  const size_t cells = static_cast<size_t>(maxYear - minYear + 1) * kGridYearCells;
  grid_.assign(cells * kGridFields, 0);
  auto place = [&](const PriceBar& b) {
    if (b.year < 1901 || b.year > 2099 || b.month < 1 || b.month > 12 || b.day < 1 || b.day > 31)
      return;
    size_t cell = static_cast<size_t>(b.year - minYear) * kGridYearCells +
                  static_cast<size_t>(b.month - 1) * 31 + static_cast<size_t>(b.day - 1);
    int32_t* c = &grid_[cell * kGridFields];
    c[0] = b.open;
    c[1] = b.high;
    c[2] = b.low;
    c[3] = b.close;
    c[4] = b.volume;
  };
  for (const PriceBar& b : bars) place(b);
  for (int i = 0; i < extraCount; ++i) place(extraBars[i]);

  bars.clear();
  for (size_t cell = 0; cell < cells; ++cell) {
    const int32_t* c = &grid_[cell * kGridFields];
    if (c[0] <= 0) continue;
    PriceBar b;
    b.year = static_cast<int16_t>(minYear + static_cast<int>(cell / kGridYearCells));
    b.month = static_cast<int8_t>((cell / 31) % 12 + 1);
    b.day = static_cast<int8_t>(cell % 31 + 1);
    b.open = c[0];
    b.high = c[1];
    b.low = c[2];
    b.close = c[3];
    b.volume = c[4];
    bars.push_back(b);
  }
  filePath = path;
  return true;
}

void CPriceSeries::Reset() {
  PriceBar bar;
  bar.open = bar.high = bar.low = bar.close = 1;
  bars.assign(1, bar);
  WeeklyBar week;
  week.open = week.high = week.low = week.close = 1;
  weeks.assign(1, week);
  MonthlyBar month;
  month.open = month.high = month.low = month.close = 1;
  months.assign(1, month);
  lines.clear();
  filePath.clear();
  marginPath.clear();
  linePath.clear();
  linesFromFile_ = false;
}

bool CPriceSeries::SaveAll(const std::string& path, std::string* error) const {
  return SaveWithout(path, 0, INT_MIN, INT_MIN, INT_MIN, error);
}

bool CPriceSeries::SaveWithout(const std::string& path, int wholeMonth, int year, int month,
                              int day, std::string* error) const {
  std::vector<uint8_t> out;
  out.reserve(bars.size() * kPriceFileRecordSize);
  uint8_t record[kPriceFileRecordSize];
  for (const PriceBar& b : bars) {
    if (b.year == year && b.month == month && (wholeMonth || b.day == day)) continue;
    EncodeBar(b, record);
    out.insert(out.end(), record, record + kPriceFileRecordSize);
  }
  return WriteFileAtomically(path, out.data(), out.size(), error);
}

}  // namespace korvale
