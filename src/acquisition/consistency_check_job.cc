#include "acquisition/consistency_check_job.h"

#include "store/cp932.h"
#include "store/file_io.h"

namespace korvale {

CConsistencyCheckJob::CConsistencyCheckJob(const CStockDictionary& dictionary)
    : CStockWalkJob(dictionary, kConsistencyCheckCaption) {
  list_.title = Utf8ToCp932(kConsistencyCheckMenu);
}

bool CConsistencyCheckJob::HandleItem(int itemIndex) {
  if (!ResolveItemFiles(dictionary_, itemIndex, std::string(), &files_) ||
      !CanReadFile(files_.pricePath)) {
    ++unreadable_;
    return true;
  }
  series_.LoadAll(files_.pricePath);
  if (series_.HasBadBar()) list_.rows.push_back(DictionaryRow(dictionary_, itemIndex));
  return true;
}

}  // namespace korvale
