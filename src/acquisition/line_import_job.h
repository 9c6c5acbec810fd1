// CLineImportJob: the part the bulk import and the vendor import share — one text file read a
// line at a time through a CLineFile, its bars stored by the rules of the price update
// (CStockBarStore), progress by the bytes read, notes that name the file and the line.
#ifndef KORVALE_ACQUISITION_LINE_IMPORT_JOB_H_
#define KORVALE_ACQUISITION_LINE_IMPORT_JOB_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "acquisition/batch_job.h"
#include "acquisition/stock_bar_store.h"
#include "store/line_file.h"
#include "store/line_scanner.h"

namespace korvale {

inline constexpr const char* kImportCaption = "株価データインポート中";

// What an import read, besides what CStockBarStore::counts() says it stored.
struct LineImportCounts {
  int lines = 0;         // lines read
  int skippedLines = 0;  // lines that gave no bar (or belong to a stock that is skipped)
  long long bars = 0;    // bars handed to the store
};

class CLineImportJob : public CBatchJob {
 public:
  // `dictionary` and `folders` belong to the caller and must outlive the job (see
  // CStockBarStore). Data-source mode 0 only.
  CLineImportJob(CStockDictionary* dictionary, CFolderPreparer* folders, std::string dataRootDir,
                 ImportOptions options, std::string path);

  // Opens the file and runs Prepare. kFailed with "%s cannot open" (the path) when the file
  // does not open.
  BatchStatus Start() override;
  // Reads lines until n items (the unit of the subclass) are done or the file ends.
  BatchStatus Step(int n) override;
  void Cancel() override;
  void Finish() override;

  // Progress in kilobytes of the file.
  int done() const override;
  int total() const override;
  std::string ProgressText() const override;

  const std::string& path() const { return path_; }
  const LineImportCounts& counts() const { return counts_; }
  const BarStoreCounts& storeCounts() const { return store_.counts(); }
  int writeFailures() const override { return store_.counts().writeFailures; }

 protected:
  // Called once the file is open, before the first line (the vendor import's first pass).
  // False (with SetMessage) fails the job.
  virtual bool Prepare() { return true; }
  // Handles one line (`read` is kWholeLine or kCutLine; the text is without its line end).
  // Returns the number of items it finished.
  virtual int HandleLine(int read, std::string_view line) = 0;
  // After the last line: stores what is still held.
  virtual void EndOfFile() {}

  // Counts a line that gave nothing and notes why, with the file's name and the line number.
  void SkipLine(const char* why);
  // Reads the next line (at most 250 characters) into `line`; kNoLine at the end.
  int NextLine(std::string_view* line);
  // Starts reading again from the start of the file (after a first pass).
  bool Rewind();

  CLineFile file_;
  CStockBarStore store_;
  LineImportCounts counts_;

 private:
  std::string path_;
  std::unique_ptr<CLineScanner> scanner_;
  int64_t fileSize_ = 0;
  int lineNumber_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_LINE_IMPORT_JOB_H_
