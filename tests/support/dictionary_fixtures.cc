#include "support/dictionary_fixtures.h"

#include <filesystem>
#include <stdexcept>

#include "store/cp932.h"
#include "support/test_support.h"

namespace korvale::testing {

DictionaryFileRecord DictRecord(int code, const std::string& nameUtf8, int market, int industry) {
  DictionaryFileRecord r;
  r.code = code;
  r.market = market;
  r.industry = industry;
  SetFieldText(r.name, Utf8ToCp932(nameUtf8));
  return r;
}

void WriteDictionaryFile(const std::string& path,
                         const std::vector<DictionaryFileRecord>& records) {
  std::vector<uint8_t> bytes(kDictionaryFileSize, 0);
  for (const DictionaryFileRecord& r : records) {
    if (r.code < 0 || r.code >= kDictionaryRecordCount) throw std::out_of_range("record code");
    EncodeDictionaryRecord(r, bytes.data() + static_cast<size_t>(r.code) * kDictionaryRecordSize);
  }
  WriteBytes(path, bytes);
}

void TouchFile(const std::string& root, const std::string& relativePath) {
  const std::filesystem::path p = std::filesystem::path(root) / relativePath;
  std::filesystem::create_directories(p.parent_path());
  WriteBytes(p.string(), {});
}

std::string Sjis(const std::string& utf8) { return Utf8ToCp932(utf8); }

}  // namespace korvale::testing
