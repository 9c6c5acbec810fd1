// CMarginUpdateJob: appends the weekly margin balances of margin input files (named SZ... or
// YS...) to the stocks' margin files.
#ifndef KORVALE_ACQUISITION_MARGIN_UPDATE_JOB_H_
#define KORVALE_ACQUISITION_MARGIN_UPDATE_JOB_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/update_job.h"
#include "store/line_file.h"

namespace korvale {

class CStockDictionary;
class CFolderPreparer;

// The forms of a margin file name.
enum MarginNameForm : int32_t {
  kMarginNameNone = -1,
  kMarginNameSz = 0,  // "SZyymmdd...": two-digit year, 00-69 meaning 2000-2069
  kMarginNameYs = 1,  // "YSyyyymm?dd...": two header lines before the data
};

struct MarginFileDate {
  int32_t form = kMarginNameNone;
  int32_t year = 0, month = 0, day = 0;
};

// The date and form of a margin file from its name (the name only, not its folder); the two
// letters are compared without regard to case and must be followed by a digit.
MarginFileDate MarginDateOfFileName(const std::string& fileName);

// "%s is not named as a margin file ..." with the path: a file whose name is of neither form.
std::string NotMarginFileMessage(const std::string& path);

// "%s cannot be read to its end" with the path: a file that ended before its counted lines.
std::string ReadFailedMessage(const std::string& path);

class CMarginUpdateJob : public CUpdateJob {
 public:
  // `dictionary` and `folders` belong to the caller and must outlive the job; a stock without
  // a margin file gets one in "<root>/Data/SZ" (folders->PrepareMarginFolder()).
  CMarginUpdateJob(const CStockDictionary* dictionary, CFolderPreparer* folders,
                   std::vector<std::string> paths);

  // The date of the current file, from its name.
  const MarginFileDate& fileDate() const { return date_; }

 protected:
  bool OpenFile(const std::string& path, int* total) override;
  RecordResult HandleRecord(bool beyondCount) override;
  bool MoreInFile() const override;
  void CloseFile() override;

 private:
  std::string MarginPath(int code);

  const CStockDictionary* dictionary_;
  CFolderPreparer* folders_;
  std::unique_ptr<CLineFile> file_;
  int64_t fileSize_ = 0;
  MarginFileDate date_;
  std::string marginFolder_;  // "<root>/Data/SZ", prepared on first use
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_MARGIN_UPDATE_JOB_H_
