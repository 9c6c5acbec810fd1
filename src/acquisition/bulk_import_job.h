// CBulkImportJob: "一括インポート" — reads a bulk price file (store/bulk_price_text.h) into
// the price files, one stock's block of bars at a time.
#ifndef KORVALE_ACQUISITION_BULK_IMPORT_JOB_H_
#define KORVALE_ACQUISITION_BULK_IMPORT_JOB_H_

#include <string>
#include <vector>

#include "acquisition/line_import_job.h"

namespace korvale {


class CBulkImportJob : public CLineImportJob {
 public:
  // A header line (one that does not begin with a digit) starts a stock's block: its code and
  // name; the data lines after it (those that begin with a digit) are its bars. Each block is
  // stored as one by CStockBarStore (appended, merged with completeUpdate, a new stock only with
  // addUnregistered, named by the header). A block whose code is outside 1-9999 or whose header
  // does not parse is skipped with its lines; so are data lines that do not parse, lines of 249
  // characters or more and data lines before the first header. Blank lines are ignored. One
  // item of Step is one block.
  CBulkImportJob(CStockDictionary* dictionary, CFolderPreparer* folders, std::string dataRootDir,
                 ImportOptions options, std::string path);

  // Stock blocks stored.
  int blocks() const { return blocks_; }

 protected:
  int HandleLine(int read, std::string_view line) override;
  void EndOfFile() override;

 private:
  // Stores the bars held for the current block; returns 1 when a block ended with it.
  int EndBlock();

  bool inBlock_ = false;    // a header with a usable code was read
  bool skipBlock_ = false;  // a header was read that gives no stock: its lines are skipped
  int code_ = 0;
  std::string name_;
  std::vector<PriceBar> bars_;
  int blocks_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_BULK_IMPORT_JOB_H_
