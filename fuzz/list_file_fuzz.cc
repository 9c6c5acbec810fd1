// Stock list files (.LST) opened against a dictionary, and the same bytes through the line
// reader itself at several buffer sizes.
#include <filesystem>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "store/line_file.h"
#include "store/price_records.h"
#include "store/stock_dictionary.h"
#include "store/stock_list.h"
#include "store/store_folders.h"

using namespace korvale;

namespace {

// A data root listing stocks 1301, 7203 and 9984.
const CStockDictionary& Dictionary() {
  static const CStockDictionary* dictionary = [] {
    const std::string root = fuzzing::ScratchFolder() + "/root";
    std::filesystem::create_directories(root);
    CFolderPreparer folders(root, 0);
    for (const int code : {1301, 7203, 9984}) {
      const std::string path = PriceFileName(folders.PrepareStockFolder(code), code);
      const uint8_t record[kPriceFileRecordSize] = {0xd6, 0x07, 1, 4};
      fuzzing::WriteFileBytes(path, record, sizeof record);
    }
    return new CStockDictionary(root, root);
  }();
  return *dictionary;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = fuzzing::BytesAsFile(data, size);
  ShownStockList list;
  OpenListFile(Dictionary(), path, &list);
  for (const int capacity : {2, 3, 250}) {
    CLineFile file;
    if (!file.Open(path)) continue;
    std::vector<char> buffer(static_cast<size_t>(capacity));
    while (ReadLine(file, buffer.data(), capacity) != kNoLine) {
    }
  }
  return 0;
}
