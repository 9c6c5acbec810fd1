// CBulkExportJob: "一括エキスポート" — writes the bars of every stock, or of one year, or of a
// run of months, into one bulk price file in the data root.
#ifndef KORVALE_ACQUISITION_BULK_EXPORT_JOB_H_
#define KORVALE_ACQUISITION_BULK_EXPORT_JOB_H_

#include <string>

#include "acquisition/stock_walk_job.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/stock_files.h"

namespace korvale {

inline constexpr const char* kBulkExportCaption = "株価データエキスポート中";

// The range the dialog "株価データエキスポート" chooses.
struct ExportRange {
  enum Kind { kAll, kYear, kMonths };
  Kind kind = kAll;
  int year = 0;       // kYear
  int startYear = 0;  // kMonths: the first month and the number of months
  int startMonth = 0;
  int months = 0;
};

// The years the dialog offers, and its largest number of months.
inline constexpr int kExportFirstYear = 1970;
inline constexpr int kExportLastYear = 2069;
inline constexpr int kExportMaxMonths = 60;

// The output's name: "株価All", "株価%04d" (the year) or "株価%04d%02d" (start year and month).
std::string BulkExportFileName(const ExportRange& range);

// True when the bar lies in the range: everything, every bar of a year after 1900; a year,
// its bars; months, the bars whose month + 12 x (year - start year) lies from the start month
// to the start month + months - 1.
bool InExportRange(const ExportRange& range, const PriceBar& bar);

// What the export wrote.
struct ExportCounts {
  int stocks = 0;  // stocks with at least one bar in range
  long long bars = 0;
};

class CBulkExportJob : public CStockWalkJob {
 public:
  // Writes to `outputPath` (normally the data root and BulkExportFileName): each stock whose
  // price file loads (LoadAll) gets its header line, with its market letter and list name,
  // before its first bar in range, so a stock without such bars leaves no trace. The file is
  // written to a temporary file and renamed into place when the walk completes; a cancelled or
  // failed export leaves any earlier file of that name as it was. Fails at Start with "%s cannot
  // open" when the output cannot be created.
  CBulkExportJob(const CStockDictionary& dictionary, ExportRange range, std::string outputPath);

  void Finish() override;
  const ExportCounts& counts() const { return counts_; }
  const std::string& outputPath() const { return outputPath_; }

 protected:
  bool Begin() override;
  bool HandleItem(int itemIndex) override;
  bool Complete() override;
  void Abandon() override;

 private:
  bool Flush();

  ExportRange range_;
  std::string outputPath_;
  CAtomicFileWriter writer_;
  std::string buffer_;
  CPriceSeries series_;
  StockFiles files_;
  ExportCounts counts_;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_BULK_EXPORT_JOB_H_
