#include "store/dictionary_text.h"

#include <cstdio>
#include <vector>

#include "store/dictionary_file.h"
#include "store/file_io.h"
#include "store/line_file.h"

namespace korvale {

namespace {

constexpr int kLineBuffer = 1024;  // 1022 characters, the CR and the terminator

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A cursor over one line of the text form, following the conversions of the line's format.
class FieldReader {
 public:
  explicit FieldReader(std::string_view line) : s_(line) {}

  // "%04d": at most four characters, an optional sign and at least one digit.
  bool Code(int* value) {
    SkipSpace();
    size_t p = pos_, width = 0;
    bool negative = false;
    if (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) {
      negative = s_[p] == '-';
      ++p;
      ++width;
    }
    int v = 0, digits = 0;
    while (p < s_.size() && width < 4 && s_[p] >= '0' && s_[p] <= '9') {
      v = v * 10 + (s_[p++] - '0');
      ++width;
      ++digits;
    }
    if (digits == 0) return false;
    pos_ = p;
    *value = negative ? -v : v;
    return true;
  }

  // "%d", with values beyond the int32 range held at its limit instead of overflowing.
  bool Int(int32_t* value) {
    SkipSpace();
    size_t p = pos_;
    bool negative = false;
    if (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) negative = s_[p++] == '-';
    int64_t v = 0;
    int digits = 0;
    for (; p < s_.size() && s_[p] >= '0' && s_[p] <= '9'; ++p, ++digits) {
      if (v < (int64_t{1} << 32)) v = v * 10 + (s_[p] - '0');
    }
    if (digits == 0) return false;
    pos_ = p;
    v = negative ? -v : v;
    *value = static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : v);
    return true;
  }

  // ", " of the format: the comma itself, then any white space.
  bool Separator() {
    if (pos_ >= s_.size() || s_[pos_] != ',') return false;
    ++pos_;
    SkipSpace();
    return true;
  }

  // "%[^,]", here also matching nothing, so that an empty field of an exported line is read
  // back as empty.
  std::string UpToComma() {
    const size_t comma = s_.find(',', pos_);
    const size_t end = comma == std::string_view::npos ? s_.size() : comma;
    std::string field(s_.substr(pos_, end - pos_));
    pos_ = end;
    return field;
  }

  std::string Rest() {
    std::string field(s_.substr(pos_));
    pos_ = s_.size();
    return field;
  }

 private:
  void SkipSpace() {
    while (pos_ < s_.size() && IsSpace(s_[pos_])) ++pos_;
  }

  std::string_view s_;
  size_t pos_ = 0;
};

// Applies one line to the image. True when a record was rewritten.
bool ImportLine(std::string_view line, std::vector<uint8_t>* image) {
  FieldReader r(line);
  int code;
  if (!r.Code(&code) || code < 1 || code > 9999) return false;
  uint8_t* slot = image->data() + static_cast<size_t>(code) * kDictionaryRecordSize;
  DictionaryFileRecord rec = DecodeDictionaryRecord(slot);
  if (rec.code != 0 && rec.code != code) return false;
  rec.code = code;
  // Each further field is taken while the line goes on; the fields after it keep their values.
  if (r.Separator()) {
    SetFieldText(rec.quoteSymbol, r.UpToComma());
    if (r.Separator() && r.Int(&rec.market) && r.Separator() && r.Int(&rec.industry) &&
        r.Separator()) {
      SetFieldText(rec.name, r.UpToComma());
      if (r.Separator()) {
        SetFieldText(rec.text1, r.UpToComma());
        // The last text runs to the end of the line: read only to its first white space, a
        // text holding a space would lose its tail on every export and import.
        if (r.Separator()) SetFieldText(rec.text2, r.Rest());
      }
    }
  }
  EncodeDictionaryRecord(rec, slot);
  return true;
}

}  // namespace

bool ExportText(const std::string& dicPath, const std::string& textPath, std::string* error) {
  std::vector<uint8_t> image;
  if (FileSize(dicPath) < 0 || !ReadWholeFile(dicPath, &image, 16 * kDictionaryFileSize)) {
    if (error) *error = dicPath + " cannot open";
    return false;
  }
  const size_t records = std::min<size_t>(image.size() / kDictionaryRecordSize, 10000);
  std::string text;
  text.reserve(records * 64);
  for (size_t i = 1; i < records; ++i) {
    const DictionaryFileRecord rec =
        DecodeDictionaryRecord(image.data() + i * kDictionaryRecordSize);
    if (rec.code != static_cast<int32_t>(i)) continue;
    char head[64];
    std::snprintf(head, sizeof head, "%04d, ", rec.code);
    text += head;
    text += FieldText(rec.quoteSymbol);
    std::snprintf(head, sizeof head, ", %d, %d, ", rec.market, rec.industry);
    text += head;
    text += FieldText(rec.name);
    text += ", ";
    text += FieldText(rec.text1);
    text += ", ";
    text += FieldText(rec.text2);
    text += "\r\n";
  }
  return WriteFileAtomically(textPath, text.data(), text.size(), error);
}

bool UpdateDictionaryByLines(
    const std::string& inputPath, const std::string& dicPath, int lineBufferBytes,
    const std::function<bool(const char* line, int length, std::vector<uint8_t>* image)>& apply,
    std::string* error, DictionaryUpdateCounts* counts) {
  DictionaryUpdateCounts local;
  if (!counts) counts = &local;
  *counts = DictionaryUpdateCounts();
  CLineFile file;
  if (!file.Open(inputPath)) {
    if (error) *error = inputPath + " cannot open";
    return false;
  }
  std::vector<uint8_t> image;
  bool existed;
  if (!ReadDictionaryImage(dicPath, &image, &existed, error)) return false;
  std::vector<char> line(static_cast<size_t>(lineBufferBytes));
  int length;
  for (;;) {
    const int got = ReadLine(file, line.data(), lineBufferBytes, &length);
    if (got == kNoLine) break;
    if (got == kCutLine) {
      char rest[256];
      while (ReadLine(file, rest, sizeof rest) == kCutLine) {
      }
    }
    ++counts->lines;
    if (apply(line.data(), length, &image)) {
      ++counts->updated;
    } else {
      ++counts->skipped;
    }
  }
  if (existed && counts->updated == 0) return true;
  return WriteFileAtomically(dicPath, image.data(), image.size(), error);
}

bool ImportText(const std::string& textPath, const std::string& dicPath, std::string* error,
               DictionaryUpdateCounts* counts) {
  return UpdateDictionaryByLines(
      textPath, dicPath, kLineBuffer,
      [](const char* line, int length, std::vector<uint8_t>* image) {
        std::string_view text(line, static_cast<size_t>(length));
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
        return ImportLine(text, image);
      },
      error, counts);
}

}  // namespace korvale
