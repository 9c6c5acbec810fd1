#include "store/dictionary_vendor_update.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "store/dictionary_text.h"
#include "store/file_io.h"
#include "store/line_file.h"

namespace korvale {

namespace {

constexpr int kLineBuffer = 130;  // 128 characters, the CR and the terminator
constexpr size_t kVendorNameBytes = 24;

const std::string& CompanyMark() {
  static const std::string mark = Utf8ToCp932("（株）");
  return mark;
}

// The leading "%d" of a line, held within a range no code overflows; false without digits.
bool LeadingInt(const char* p, int* value) {
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  if (*p < '0' || *p > '9') return false;
  long v = 0;
  for (; *p >= '0' && *p <= '9'; ++p) v = v > 99999 ? v : v * 10 + (*p - '0');
  *value = static_cast<int>(negative ? -v : v);
  return true;
}

bool NameOfLine(const char* line, size_t length, std::string* name) {
  if (length <= 5) return false;
  const char* comma = static_cast<const char*>(std::memchr(line + 5, ',', length - 5));
  if (!comma) return false;
  const char* start = comma + 1;
  const char* end = start;
  const char* lineEnd = line + length;
  while (end < lineEnd && *end != ',' && *end != '\r' && *end != '\n' &&
         static_cast<size_t>(end - start) < kVendorNameBytes) {
    ++end;
  }
  name->assign(start, end);
  const std::string& mark = CompanyMark();
  if (name->compare(0, mark.size(), mark) == 0) {
    name->erase(0, mark.size());
  } else if (name->size() >= 7 &&
             name->compare(name->size() - mark.size(), mark.size(), mark) == 0) {
    name->resize(name->size() - mark.size());
  }
  return true;
}

}  // namespace

bool UpdateNamesFromVendorFile(const std::string& vendorPath, const std::string& dicPath,
                              std::string* error, DictionaryUpdateCounts* counts) {
  return UpdateDictionaryByLines(
      vendorPath, dicPath, kLineBuffer,
      [](const char* line, int length, std::vector<uint8_t>* image) {
        int code;
        std::string name;
        if (!LeadingInt(line, &code) || code < 1 || code > 9999 ||
            !NameOfLine(line, static_cast<size_t>(length), &name)) {
          return false;
        }
        uint8_t* slot = image->data() + static_cast<size_t>(code) * kDictionaryRecordSize;
        DictionaryFileRecord rec = DecodeDictionaryRecord(slot);
        rec.code = code;
        SetFieldText(rec.name, name);
        EncodeDictionaryRecord(rec, slot);
        return true;
      },
      error, counts);
}

}  // namespace korvale
