// CUpdateJob: the file loop shared by the price update and the margin update. A job works
// through its files in slices: Start opens the first file, each Step handles up to n records,
// a file handled to its end is renamed "_" + its name and the next one opened, Cancel or
// Finish close everything. The windows run Step from a zero-interval timer (kRecordsPerTick a
// tick) inside their progress dialog; korvale-cli runs the same job in a loop.
#ifndef KORVALE_ACQUISITION_UPDATE_JOB_H_
#define KORVALE_ACQUISITION_UPDATE_JOB_H_

#include <cstdint>
#include <string>
#include <vector>

#include "acquisition/batch_job.h"

namespace korvale {

// Records (or margin lines) a progress dialog handles per timer tick.
inline constexpr int kRecordsPerTick = kBatchItemsPerTick;

// kFinished: every file handled and renamed; kFailed: a file could not be opened or read.
using UpdateJobStatus = BatchStatus;

// What a job did, over all its files.
struct UpdateCounts {
  int filesDone = 0;      // files handled to their end (renamed, or noted when not)
  int filesKept = 0;      // of those, files that keep their name for a failed write
  int records = 0;        // records (lines) read
  int applied = 0;        // records written to a price or margin file
  int skipped = 0;        // records outside the rules, or for a stock not to be registered
  int writeFailures = 0;  // records whose file could not be written
  int newStocks = 0;      // price files created for stocks that had none
};

// "_" + the file's name, in the file's folder.
std::string FinishedFileName(const std::string& path);

// Renames a finished file to FinishedFileName. An existing file of that name is never replaced
// (it may be an earlier input of the same name): false with a reason then, and on any failure.
bool RenameFinishedFile(const std::string& path, std::string* error);

// Sorts paths into byte order of the whole path strings (unsigned bytes, a prefix first).
void SortPathsBytewise(std::vector<std::string>* paths);

class CUpdateJob : public CBatchJob {
 public:
  explicit CUpdateJob(std::vector<std::string> paths);

  // Sorts the paths into byte order and opens the first file. kRunning; kFinished when there is
  // no file; kFailed when the data folder is missing or the first file cannot be used
  // (message() says why).
  UpdateJobStatus Start() override;

  // Handles up to n records of the current file. When the file's last record is handled the
  // step ends there: the file is renamed and the next file opened (kFailed when it cannot be).
  // Returns the status after the step.
  UpdateJobStatus Step(int n) override;

  // Stops between steps: the current file keeps its name, what was written stays written.
  // Also runs Finish.
  void Cancel() override;

  // The closing steps: closes the current file and releases what the job holds (the import
  // source). Safe to call more than once; the destructor does it too.
  void Finish() override;

  int fileCount() const override { return static_cast<int>(paths_.size()); }
  // Index of the current file (0-based); fileCount() once all are done.
  int fileIndex() const override { return fileIndex_; }
  // Records handled and to handle in the current file (the progress bar of the records).
  // A file holding more lines than its count is read to its end, so `total` may grow.
  int done() const override { return done_; }
  int total() const override { return total_; }
  const std::vector<std::string>& paths() const { return paths_; }
  // The current file's path and name ("" when none).
  std::string currentPath() const;
  std::string currentFileName() const;
  // The dialog's text for the current file: "更新中... %s " with the file name.
  std::string ProgressText() const override;
  const UpdateCounts& counts() const { return counts_; }
  int writeFailures() const override { return counts_.writeFailures; }
  // True when everything read was applied or deliberately skipped: the job finished and no
  // record failed to be written. What the command line's exit status and the window's summary
  // go by.
  bool Succeeded() const {
    return status_ == UpdateJobStatus::kFinished && counts_.writeFailures == 0;
  }

 protected:
  enum class RecordResult {
    kHandled,    // a record (line) was read and dealt with
    kNoLine,     // the file had no further line
    kFileError,  // reading failed: the job stops, message set
  };

  // The folder the job writes below (the data root); Start fails when it is not a folder, since
  // every record would otherwise be skipped or fail for want of it.
  virtual std::string DataFolder() const = 0;
  // Opens `path` and sets `*total` to its count of records. False with message set (via Fail
  // text) when it cannot be used. `*total` of 0 or less means a file with nothing to read.
  virtual bool OpenFile(const std::string& path, int* total) = 0;
  // Reads and handles one record. `beyondCount` is true once the file's count is used up and
  // the job reads on because the file holds more.
  virtual RecordResult HandleRecord(bool beyondCount) = 0;
  // True when the open file holds bytes not read yet.
  virtual bool MoreInFile() const = 0;
  virtual void CloseFile() = 0;

  UpdateCounts counts_;

 private:
  bool OpenCurrent();
  void FileFinished();

  std::vector<std::string> paths_;
  int fileIndex_ = 0;
  int done_ = 0;
  int total_ = 0;
  int writeFailuresBeforeFile_ = 0;  // counts_.writeFailures when the current file was opened
};

// "the data folder %s does not exist" with the folder: an update started on a missing root.
std::string MissingDataFolderMessage(const std::string& folder);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_UPDATE_JOB_H_
