// Margin input files (SZyymmdd... and YSyyyymm.dd...): the margin update run over them in a
// scratch data root, whose margin files are removed again after each input. The first byte picks
// the name form.
#include <filesystem>

#include "acquisition/margin_update_job.h"
#include "fuzz/fuzz_support.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string root = fuzzing::ScratchFolder() + "/margin-root";
  static const CStockDictionary* dictionary = [&root] {
    std::filesystem::create_directories(root);
    return new CStockDictionary(root, root);
  }();
  const std::string input = root + (data[0] & 1 ? "/YS200505.12.DAT" : "/SZ050512.DAT");
  fuzzing::WriteFileBytes(input, data + 1, size - 1);
  CFolderPreparer folders(root, 0);
  CMarginUpdateJob job(dictionary, &folders, {input});
  for (UpdateJobStatus status = job.Start(); status == UpdateJobStatus::kRunning;) {
    status = job.Step(kRecordsPerTick);
  }
  job.Finish();
  std::error_code ec;
  std::filesystem::remove_all(root + "/Data", ec);
  std::filesystem::remove(input, ec);
  std::filesystem::remove(FinishedFileName(input), ec);
  return 0;
}
