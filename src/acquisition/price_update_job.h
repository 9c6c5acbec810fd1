// CPriceUpdateJob: merges the daily price files of another program, read through an import
// source, into the price files, one record at a time.
#ifndef KORVALE_ACQUISITION_PRICE_UPDATE_JOB_H_
#define KORVALE_ACQUISITION_PRICE_UPDATE_JOB_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/import_sources.h"
#include "acquisition/stock_bar_store.h"
#include "acquisition/update_job.h"

namespace korvale {

class CStockDictionary;
class CFolderPreparer;


class CPriceUpdateJob : public CUpdateJob {
 public:
  // `source` is the chosen import source (owned; released by Finish). `dictionary` and
  // `folders` belong to the caller and must outlive the job; the dictionary gains the stocks
  // the job registers. `dataRootDir` holds the dictionary file that new names are written to.
  // The job works in data-source mode 0 only; callers do not start it otherwise.
  CPriceUpdateJob(ImportSourcePtr source, CStockDictionary* dictionary, CFolderPreparer* folders,
                  std::string dataRootDir, ImportOptions options, std::vector<std::string> paths);

  // Closes the file and releases the source (object first, then its library).
  void Finish() override;

 protected:
  std::string DataFolder() const override { return store_.dataRootDir(); }
  bool OpenFile(const std::string& path, int* total) override;
  RecordResult HandleRecord(bool beyondCount) override;
  bool MoreInFile() const override;
  void CloseFile() override;

 private:
  void ApplyRecord(const ImportRecord& record);

  ImportSourcePtr source_;
  std::unique_ptr<CLineFile> file_;
  int64_t fileSize_ = 0;
  CStockBarStore store_;
  int rejected_ = 0;  // records outside the rules
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_PRICE_UPDATE_JOB_H_
