#include "acquisition/import_dictionary_update.h"

#include <cstdint>
#include <vector>

#include "acquisition/import_sources.h"
#include "acquisition/update_job.h"
#include "store/dictionary_file.h"
#include "store/file_io.h"

namespace korvale {

int UpdateDictionaryFromImportFile(CImportSource& source, const std::string& path,
                                   const std::string& dicPath, std::string* error,
                                   DictionaryUpdateCounts* counts) {
  DictionaryUpdateCounts local;
  if (!counts) counts = &local;
  *counts = DictionaryUpdateCounts();
  int count = 0;
  std::unique_ptr<CLineFile> file = OpenImportFile(source, path, &count);
  if (!file) {
    if (error) *error = CannotOpenMessage(path);
    return 0;
  }
  std::vector<uint8_t> image;
  bool existed = false;
  if (!ReadDictionaryImage(dicPath, &image, &existed, error)) return 0;
  const int64_t size = FileSize(path);
  // The count first, then on to the end of a file that holds more lines than it says.
  for (int i = 0; i < count || file->Position() < size; ++i) {
    ImportRecord r;
    r.code = 0;
    const int64_t before = file->Position();
    const bool ok = ReadImportRecord(source, *file, &r);
    if (file->Position() == before) {
      if (i >= count) break;
      continue;
    }
    ++counts->lines;
    if (!ok || r.code < 1 || r.code > 9999 || r.name[0] == '\0') {
      ++counts->skipped;
      continue;
    }
    uint8_t* slot = image.data() + static_cast<size_t>(r.code) * kDictionaryRecordSize;
    DictionaryFileRecord rec = DecodeDictionaryRecord(slot);
    rec.code = r.code;
    rec.market = r.market & 0xFF;
    SetFieldText(rec.name, r.name);
    EncodeDictionaryRecord(rec, slot);
    ++counts->updated;
  }
  if (existed && counts->updated == 0) return 1;
  return WriteFileAtomically(dicPath, image.data(), image.size(), error) ? 1 : 0;
}

}  // namespace korvale
