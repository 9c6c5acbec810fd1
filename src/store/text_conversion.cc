#include "store/text_conversion.h"

#include <cstdint>
#include <string_view>
#include <vector>

#include "store/cp932.h"
#include "store/file_io.h"
#include "store/line_file.h"
#include "store/line_scanner.h"
#include "store/number_fields.h"
#include "store/price_records.h"
#include "store/price_series.h"

namespace korvale {

namespace {

constexpr int kTextLineCapacity = 129;  // 127 characters, the CR and the terminator
constexpr size_t kDateTextWidth = 10;   // the "%10s" of the line format

const std::string& PriceTextHeader() {
  static const std::string header =
      Utf8ToCp932("\"年月日\",\"始値\",\"高値\",\"安値\",\"終値\",\"出来高\"\r\n");
  return header;
}

const std::string& MarginTextHeader() {
  static const std::string header = Utf8ToCp932("\"年月日\",\"売り残\",\"買い残\"\r\n");
  return header;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool HasPrefix(const std::string& name, const char* prefix) {
  size_t i = 0;
  for (; prefix[i]; ++i) {
    if (i >= name.size() || Upper(name[i]) != prefix[i]) return false;
  }
  return true;
}

bool HasExtension(const std::string& name, const char* extension) {
  const std::string_view ext(extension);
  if (name.size() < ext.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i) {
    if (Upper(name[name.size() - ext.size() + i]) != ext[i]) return false;
  }
  return true;
}

// "%10s,%ld,...,%ld" with `count` numbers; the date is then read from the line's fixed
// character positions. False for a line that gives no record.
bool ParseTextLine(std::string_view line, int count, int* year, int* month, int* day,
                   int32_t* numbers) {
  size_t p = 0;
  while (p < line.size() && IsBlank(line[p])) ++p;
  size_t width = 0;
  while (p < line.size() && !IsBlank(line[p]) && width < kDateTextWidth) ++p, ++width;
  if (width == 0) return false;
  for (int i = 0; i < count; ++i) {
    if (p >= line.size() || line[p] != ',') return false;
    ++p;
    if (!ReadInt32(line, &p, &numbers[i])) return false;
  }
  auto digits = [&](size_t from, size_t n, int* value) {
    if (from + n > line.size()) return false;
    int v = 0;
    for (size_t i = from; i < from + n; ++i) {
      if (line[i] < '0' || line[i] > '9') return false;
      v = v * 10 + (line[i] - '0');
    }
    *value = v;
    return true;
  };
  return digits(0, 4, year) && digits(5, 2, month) && digits(8, 2, day) && *month >= 1 &&
         *month <= 12 && *day >= 1 && *day <= 31;
}

void AppendDate(std::string* out, int year, int month, int day) {
  // "%4d/%02d/%02d": the year padded with blanks to four characters.
  std::string yearText;
  AppendDecimal(&yearText, year);
  if (yearText.size() < 4) out->append(4 - yearText.size(), ' ');
  *out += yearText;
  out->push_back('/');
  AppendDecimal(out, month, 2);
  out->push_back('/');
  AppendDecimal(out, day, 2);
}

// Reads the text's lines, handing each parsed line's date and numbers to `take`; then writes
// `bytes` (filled by `take`) atomically to `output`.
template <typename Take>
bool TextToFile(const std::string& textPath, const std::string& output, int count,
                ConversionCounts* counts, std::string* error, Take take,
                std::vector<uint8_t>* bytes) {
  CLineFile file;
  if (!file.Open(textPath)) {
    if (error) *error = textPath + " cannot open";
    return false;
  }
  CLineScanner scanner(&file);
  std::string_view line;
  int32_t numbers[5];
  for (;;) {
    const int got = scanner.Next(kTextLineCapacity, &line);
    if (got == kNoLine) break;
    ++counts->lines;
    int year, month, day;
    if (got != kWholeLine || !ParseTextLine(line, count, &year, &month, &day, numbers) ||
        !take(year, month, day, numbers)) {
      ++counts->skipped;
      continue;
    }
    ++counts->records;
  }
  if (scanner.failed()) {
    if (error) *error = textPath + " cannot be read to its end";
    return false;
  }
  const int64_t size = FileSize(textPath);
  counts->unterminatedLastLine = size > scanner.Position();
  return WriteFileAtomically(output, bytes->data(), bytes->size(), error);
}

}  // namespace

ConvertKind ConvertKindOf(const std::string& path) {
  const std::string name = FileNameOf(path);
  if (HasExtension(name, ".KDT")) return ConvertKind::kPriceFile;
  if (HasExtension(name, ".SDT")) return ConvertKind::kMarginFile;
  if (HasExtension(name, ".CSV")) {
    if (HasPrefix(name, "KD")) return ConvertKind::kPriceText;
    if (HasPrefix(name, "SZ")) return ConvertKind::kMarginText;
  }
  return ConvertKind::kUnknown;
}

std::string ConvertedFileName(const std::string& path, const char* extension) {
  const std::string name = FileNameOf(path);
  const size_t dot = name.rfind('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + "." + extension;
}

std::string DefaultConvertOutput(const std::string& path, const std::string& textFolder) {
  switch (ConvertKindOf(path)) {
    case ConvertKind::kPriceFile:
    case ConvertKind::kMarginFile:
      return textFolder + "/" + ConvertedFileName(path, "CSV");
    case ConvertKind::kPriceText:
      return FolderOf(path) + "/" + ConvertedFileName(path, "KDT");
    case ConvertKind::kMarginText:
      return FolderOf(path) + "/" + ConvertedFileName(path, "SDT");
    case ConvertKind::kUnknown:
      break;
  }
  return std::string();
}

bool PriceFileToText(const std::string& pricePath, const std::string& textPath,
                     ConversionCounts* counts, std::string* error) {
  *counts = ConversionCounts();
  if (!CanReadFile(pricePath)) {
    if (error) *error = pricePath + " cannot open";
    return false;
  }
  CPriceSeries series;
  series.LoadAll(pricePath);
  std::string text = PriceTextHeader();
  text.reserve(text.size() + series.bars.size() * 48);
  for (const PriceBar& b : series.bars) {
    AppendDate(&text, b.year, b.month, b.day);
    for (int32_t v : {b.open, b.high, b.low, b.close, b.volume}) {
      text.push_back(',');
      AppendDecimal(&text, v);
    }
    text += "\r\n";
  }
  counts->records = series.barCount();
  return WriteFileAtomically(textPath, text.data(), text.size(), error);
}

bool PriceTextToFile(const std::string& textPath, const std::string& pricePath,
                     ConversionCounts* counts, std::string* error) {
  *counts = ConversionCounts();
  std::vector<uint8_t> bytes;
  return TextToFile(
      textPath, pricePath, 5, counts, error,
      [&bytes](int year, int month, int day, const int32_t* v) {
        if (v[0] == 0) return false;
        PriceBar bar;
        bar.year = static_cast<int16_t>(year);
        bar.month = static_cast<int8_t>(month);
        bar.day = static_cast<int8_t>(day);
        bar.open = v[0];
        bar.high = v[1];
        bar.low = v[2];
        bar.close = v[3];
        bar.volume = v[4];
        const size_t at = bytes.size();
        bytes.resize(at + kPriceFileRecordSize);
        EncodeBar(bar, bytes.data() + at);
        return true;
      },
      &bytes);
}

bool MarginFileToText(const std::string& marginPath, const std::string& textPath,
                      ConversionCounts* counts, std::string* error) {
  *counts = ConversionCounts();
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(marginPath, &bytes)) {
    if (error) *error = marginPath + " cannot open";
    return false;
  }
  const size_t records = bytes.size() / kMarginRecordSize;
  std::string text = MarginTextHeader();
  text.reserve(text.size() + records * 32);
  for (size_t i = 0; i < records; ++i) {
    const MarginRecord r = DecodeMarginRecord(bytes.data() + i * kMarginRecordSize);
    AppendDate(&text, r.year, r.month, r.day);
    text.push_back(',');
    AppendDecimal(&text, r.sell);
    text.push_back(',');
    AppendDecimal(&text, r.buy);
    text += "\r\n";
  }
  counts->records = static_cast<int>(records);
  return WriteFileAtomically(textPath, text.data(), text.size(), error);
}

bool MarginTextToFile(const std::string& textPath, const std::string& marginPath,
                      ConversionCounts* counts, std::string* error) {
  *counts = ConversionCounts();
  std::vector<uint8_t> bytes;
  return TextToFile(
      textPath, marginPath, 2, counts, error,
      [&bytes](int year, int month, int day, const int32_t* v) {
        if (v[0] == 0 && v[1] == 0) return false;
        MarginRecord r;
        r.year = static_cast<int16_t>(year);
        r.month = static_cast<int8_t>(month);
        r.day = static_cast<int8_t>(day);
        r.sell = v[0];
        r.buy = v[1];
        const size_t at = bytes.size();
        bytes.resize(at + kMarginRecordSize);
        EncodeMarginRecord(r, bytes.data() + at);
        return true;
      },
      &bytes);
}

bool ConvertFile(const std::string& path, const std::string& output, ConversionCounts* counts,
                 std::string* error) {
  switch (ConvertKindOf(path)) {
    case ConvertKind::kPriceFile:
      return PriceFileToText(path, output, counts, error);
    case ConvertKind::kMarginFile:
      return MarginFileToText(path, output, counts, error);
    case ConvertKind::kPriceText:
      return PriceTextToFile(path, output, counts, error);
    case ConvertKind::kMarginText:
      return MarginTextToFile(path, output, counts, error);
    case ConvertKind::kUnknown:
      break;
  }
  if (error) {
    *error = path +
             " is neither a price or margin file (.KDT, .SDT) nor their text (KD*.CSV, "
             "SZ*.CSV)";
  }
  return false;
}

}  // namespace korvale
