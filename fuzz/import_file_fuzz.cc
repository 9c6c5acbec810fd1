// Daily files of other programs, read through every import source: the built-in Zentak source
// and the XZentakDOS plug-in's (compiled in here, as the host would load it).
#include "acquisition/import_sources.h"
#include "acquisition/zentak_file_source.h"
#include "fuzz/fuzz_support.h"
#include "plugins/zentakdos/zentak_dos_source.h"

using namespace korvale;

namespace {

void ReadThrough(CImportSource& source, const std::string& path) {
  char description[kImportFilterTextBytes], pattern[kImportFilterTextBytes];
  source.GetFileFilter(description, pattern);
  int count = 0;
  std::unique_ptr<CLineFile> file = OpenImportFile(source, path, &count);
  if (!file) return;
  // As the update reads: the count, then on while the file holds more.
  for (int i = 0; i < count + kImportMaxCountedLines + 2; ++i) {
    const int64_t before = file->Position();
    ImportRecord record;
    ReadImportRecord(source, *file, &record);
    if (i >= count && file->Position() == before) break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::BytesAsFile(data, size);
  CZentakFileSource builtIn;
  ReadThrough(builtIn, path);
  CZentakDosSource plugin;
  ReadThrough(plugin, path);
  return 0;
}
