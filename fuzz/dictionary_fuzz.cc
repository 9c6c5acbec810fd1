// The dictionary file KorvaleEx.DIC: the input is the file from the record of code 1000 on
// (the slots before it belong to no stock), read as the name table, the information panel and
// the text export read it, and as a stock's name is stored into it.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>

#include "fuzz/fuzz_support.h"
#include "store/dictionary_file.h"
#include "store/dictionary_text.h"
#include "store/stock_name_table.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& folder = fuzzing::ScratchFolder();
  const std::string path = DictionaryFilePath(folder);
  // Sparse: the empty slots before code 1000 cost nothing to write.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) std::abort();
  const off_t start = off_t{1000} * kDictionaryRecordSize;
  if (::ftruncate(fd, start) != 0 || (size > 0 && ::pwrite(fd, data, size, start) < 0)) {
    std::abort();
  }
  ::close(fd);
  CStockNameTable names;
  names.Load(folder);
  std::string name;
  int industry = 0;
  for (const int code : {1000, 1001, 1002, 1003, 9999}) {
    names.Lookup(code, &name, &industry);
    StockInfo info;
    ReadStockInfo(folder, 0, code, &info);
  }
  StoreName(folder, 0, 1001, "\x8a\x94");
  ExportText(path, folder + "/KorvaleExDic.TXT");
  return 0;
}
