// CPriceUpdateJob: merges the daily price files of another program, read through an import
// source, into the price files, one record at a time.
#ifndef KORVALE_ACQUISITION_PRICE_UPDATE_JOB_H_
#define KORVALE_ACQUISITION_PRICE_UPDATE_JOB_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "acquisition/import_sources.h"
#include "acquisition/update_job.h"
#include "store/price_series.h"

namespace korvale {

class CStockDictionary;
class CFolderPreparer;

// The two check boxes of the "日々データ更新" dialog, both clear when it opens.
struct ImportOptions {
  // "未登録データは追加登録する": a record of a stock without a price file creates the file
  // in the stock's thousand-block folder and registers the stock.
  int32_t addUnregistered = 0;
  // "完全更新する（処理時間は遅い）": merge each record into its file by date (the file is
  // reloaded, sorted and rewritten) instead of appending it.
  int32_t completeUpdate = 0;
};

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
  bool OpenFile(const std::string& path, int* total) override;
  RecordResult HandleRecord(bool beyondCount) override;
  bool MoreInFile() const override;
  void CloseFile() override;

 private:
  void ApplyRecord(const ImportRecord& record);
  void AppendBar(const std::string& path, const PriceBar& bar);
  void MergeBar(const std::string& path, const PriceBar& bar);
  void RegisterStock(const ImportRecord& record, const std::string& folder, const std::string& path,
                     const PriceBar& bar);
  void WriteFailed(const std::string& path, const std::string& reason);

  ImportSourcePtr source_;
  std::unique_ptr<CLineFile> file_;
  int64_t fileSize_ = 0;
  CStockDictionary* dictionary_;
  CFolderPreparer* folders_;
  std::string dataRootDir_;
  ImportOptions options_;
  CPriceSeries series_;  // reused for every complete update, so its buffers are kept
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_PRICE_UPDATE_JOB_H_
