// The text files that update the dictionary: its own text form (first byte 0), a vendor's
// stock-information file (1) and another program's daily file through the built-in import
// source (otherwise). Each rewrites a dictionary file in the scratch folder.
#include "acquisition/import_dictionary_update.h"
#include "acquisition/zentak_file_source.h"
#include "fuzz/fuzz_support.h"
#include "store/dictionary_file.h"
#include "store/dictionary_text.h"
#include "store/dictionary_vendor_update.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string path = fuzzing::BytesAsFile(data + 1, size - 1);
  const std::string dic = DictionaryFilePath(fuzzing::ScratchFolder());
  std::string error;
  DictionaryUpdateCounts counts;
  switch (data[0]) {
    case 0:
      ImportText(path, dic, &error, &counts);
      break;
    case 1:
      UpdateNamesFromVendorFile(path, dic, &error, &counts);
      break;
    default: {
      CZentakFileSource source;
      UpdateDictionaryFromImportFile(source, path, dic, &error, &counts);
      break;
    }
  }
  return 0;
}
