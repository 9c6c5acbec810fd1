#include "store/price_series.h"

#include <algorithm>
#include <climits>

#include "store/file_io.h"
#include "store/record_file.h"

namespace korvale {

namespace {
constexpr int32_t kNoLimit = INT32_MAX;
constexpr size_t kTailRecords = 32;
constexpr int kUrlRoom = 1400;    // bars held while reading a body
constexpr int kUrlKeep = 1000;    // newest bars kept when the room is full
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

// Reads the records of the file (the last tailRecords only when non-zero), stopping at the
// first record whose date key exceeds untilKey. Returns -1 when the file cannot be read, else
// the number of bars kept.
int CPriceSeries::LoadRecords(const std::string& path, size_t tailRecords, int32_t untilKey) {
  bars.clear();
  const RecordFileRead read = ReadRecordFile(path, kPriceFileRecordSize, kMaxPriceFileRecords,
                                             tailRecords, &fileBuffer_, &priceProblem_);
  priceRefused_ = read == RecordFileRead::kRefused;
  if (read != RecordFileRead::kRead) return -1;
  const size_t count = fileBuffer_.size() / kPriceFileRecordSize;
  bars.reserve(count + 2);
  for (size_t i = 0; i < count; ++i) {
    PriceBar bar = DecodeBar(fileBuffer_.data() + i * kPriceFileRecordSize);
    if (DateKey(bar) > untilKey) break;
    KeepRecord(bar);
  }
  return static_cast<int>(bars.size());
}

bool CPriceSeries::LoadAll(const std::string& path) {
  filePath = path;
  return LoadRecords(path, 0, kNoLimit) > 0;
}

bool CPriceSeries::LoadTail(const std::string& path) {
  filePath = path;
  return LoadRecords(path, kTailRecords, kNoLimit) > 0;
}

bool CPriceSeries::LoadUntil(int year, int month, int day, const std::string& path) {
  filePath = path;
  return LoadRecords(path, 0, DateKey(year, month, day)) >= 0;
}

bool CPriceSeries::LoadMerged(const std::string& path, const PriceBar* extraBars,
                             int extraCount) {
  LoadAll(path);
  if (priceRefused_) return false;
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

void CPriceSeries::BeginRecordStream() {
  bars.clear();
  bars.reserve(kUrlRoom);
  partialBytes_ = 0;
}

void CPriceSeries::FeedRecordBytes(const char* data, size_t size) {
  while (size > 0) {
    const size_t take = std::min(size, kPriceFileRecordSize - partialBytes_);
    std::copy(data, data + take, partialRecord_ + partialBytes_);
    partialBytes_ += take;
    data += take;
    size -= take;
    if (partialBytes_ < kPriceFileRecordSize) break;
    partialBytes_ = 0;
    KeepRecord(DecodeBar(partialRecord_));
    if (bars.size() == kUrlRoom) {
      bars.erase(bars.begin(), bars.begin() + (kUrlRoom - kUrlKeep));
    }
  }
}

size_t CPriceSeries::EndRecordStream() {
  // A piece shorter than a record at the end of the body is ignored, as in a file.
  const size_t left = partialBytes_;
  partialBytes_ = 0;
  return left;
}

std::vector<std::string> CPriceSeries::readProblems() const {
  std::vector<std::string> out;
  for (const std::string* p : {&priceProblem_, &lineProblem_, &marginProblem_}) {
    if (!p->empty()) out.push_back(*p);
  }
  return out;
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
  // What the loads found stays: the placeholder stands for a file that may have been refused.
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
