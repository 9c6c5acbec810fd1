// Trend lines of a series: loading them onto the bars by date and writing them back.
#include <cstdio>

#include "store/file_io.h"
#include "store/price_series.h"
#include "store/record_file.h"

namespace korvale {

namespace {

// Index of the bar dated like the point plus the point's bars beyond it, or -1.
int32_t ResolvePoint(const std::vector<PriceBar>& bars, int32_t barCount, int year, int month,
                     int day, int32_t beyond) {
  for (int32_t i = 0; i < barCount; ++i) {
    const PriceBar& b = bars[i];
    if (b.year == year && b.month == month && b.day == day) {
      int64_t index = static_cast<int64_t>(i) + beyond;
      return index >= 0 && index <= INT32_MAX / 2 ? static_cast<int32_t>(index) : -1;
    }
  }
  return -1;
}

void PointToRecord(const std::vector<PriceBar>& bars, int32_t barCount, int32_t index,
                   int16_t* year, int8_t* month, int8_t* day, int32_t* beyond) {
  if (index < 0) index = 0;
  if (index < barCount) {
    *year = bars[index].year;
    *month = bars[index].month;
    *day = bars[index].day;
    *beyond = 0;
  } else {
    const PriceBar& last = bars[barCount - 1];
    *year = last.year;
    *month = last.month;
    *day = last.day;
    *beyond = index - barCount + 1;
  }
}

}  // namespace

void CPriceSeries::SetLinePath(const std::string& path) {
  linePath = path;
  linesFromFile_ = false;
  linesRefused_ = false;
}

void CPriceSeries::ClearLines() {
  lines.clear();
}

void CPriceSeries::LoadLines() {
  ByteBuffer data;
  lineProblem_.clear();
  const RecordFileRead read =
      linePath.empty() ? RecordFileRead::kMissing
                       : ReadRecordFile(linePath, kTrendLineFileRecordSize,
                                        kMaxTrendLineFileRecords, 0, &data, &lineProblem_);
  linesRefused_ = read == RecordFileRead::kRefused;
  if (read != RecordFileRead::kRead) {
    ClearLines();
    return;
  }
  linesFromFile_ = true;
  const size_t count = data.size() / kTrendLineFileRecordSize;
  lines.assign(count, TrendLine{});
  for (size_t i = 0; i < count; ++i) {
    const TrendLineFileRecord r =
        DecodeTrendLineFileRecord(data.data() + i * kTrendLineFileRecordSize);
    TrendLine& line = lines[i];
    line.price1 = r.price1;
    line.price2 = r.price2;
    line.kind = r.kind;
    line.stored = r;
    int32_t i1 = ResolvePoint(bars, barCount(), r.year1, r.month1, r.day1, r.beyond1);
    int32_t i2 = ResolvePoint(bars, barCount(), r.year2, r.month2, r.day2, r.beyond2);
    if (i1 < 0 || i2 < 0) {
      line.unresolved = 1;  // its indices stay 0; it is written back as it was read
    } else {
      line.index1 = i1;
      line.index2 = i2;
    }
  }
}

bool CPriceSeries::SaveLines(std::string* error) const {
  if (linePath.empty()) return true;
  // A file that was never read is not replaced by the lines drawn since.
  if (linesRefused_) {
    if (lineCount() <= 0) return true;
    if (error) *error = lineProblem_ + "; the lines drawn are not saved";
    return false;
  }
  if (lineCount() <= 0) {
    // Every line deleted: remove the file read or written earlier so they stay deleted.
    if (linesFromFile_ && FileExists(linePath) && std::remove(linePath.c_str()) != 0) {
      if (error) *error = "cannot remove " + linePath;
      return false;
    }
    return true;
  }
  std::vector<uint8_t> out(static_cast<size_t>(lineCount()) * kTrendLineFileRecordSize);
  for (int32_t i = 0; i < lineCount(); ++i) {
    const TrendLine& line = lines[i];
    TrendLineFileRecord r = line.stored;
    if (!line.unresolved && barCount() > 0) {
      PointToRecord(bars, barCount(), line.index1, &r.year1, &r.month1, &r.day1, &r.beyond1);
      PointToRecord(bars, barCount(), line.index2, &r.year2, &r.month2, &r.day2, &r.beyond2);
      r.price1 = line.price1;
      r.price2 = line.price2;
      r.kind = line.kind;
    }
    EncodeTrendLineFileRecord(r, out.data() + i * kTrendLineFileRecordSize);
  }
  if (!WriteFileAtomically(linePath, out.data(), out.size(), error)) return false;
  linesFromFile_ = true;
  return true;
}

}  // namespace korvale
