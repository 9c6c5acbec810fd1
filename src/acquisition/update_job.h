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

namespace korvale {

// Records (or margin lines) a progress dialog handles per timer tick.
inline constexpr int kRecordsPerTick = 20;

enum class UpdateJobStatus {
  kIdle,       // not started
  kRunning,    // call Step again
  kFinished,   // every file handled and renamed
  kFailed,     // a file could not be opened or read: message() says which; the job stopped
  kCancelled,  // Cancel was called
};

// What a job did, over all its files.
struct UpdateCounts {
  int filesDone = 0;      // files handled to their end (renamed, or noted when not)
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

class CUpdateJob {
 public:
  explicit CUpdateJob(std::vector<std::string> paths);
  virtual ~CUpdateJob() = default;
  CUpdateJob(const CUpdateJob&) = delete;
  CUpdateJob& operator=(const CUpdateJob&) = delete;

  // Sorts the paths into byte order and opens the first file. kRunning; kFinished when there is
  // no file; kFailed when the first file cannot be used (message() says why).
  UpdateJobStatus Start();

  // Handles up to n records of the current file. When the file's last record is handled the
  // step ends there: the file is renamed and the next file opened (kFailed when it cannot be).
  // Returns the status after the step.
  UpdateJobStatus Step(int n);

  // Stops between steps: the current file keeps its name, what was written stays written.
  // Also runs Finish.
  void Cancel();

  // The closing steps: closes the current file and releases what the job holds (the import
  // source). Safe to call more than once; the destructor does it too.
  virtual void Finish();

  UpdateJobStatus status() const { return status_; }
  int fileCount() const { return static_cast<int>(paths_.size()); }
  // Index of the current file (0-based); fileCount() once all are done.
  int fileIndex() const { return fileIndex_; }
  // Records handled and to handle in the current file (the progress bar of the records).
  // A file holding more lines than its count is read to its end, so `total` may grow.
  int done() const { return done_; }
  int total() const { return total_; }
  const std::vector<std::string>& paths() const { return paths_; }
  // The current file's path and name ("" when none).
  std::string currentPath() const;
  std::string currentFileName() const;
  // The dialog's text for the current file: "更新中... %s " with the file name.
  std::string ProgressText() const;
  // Why the job failed: "%s cannot open" with the path, or another reason naming the file.
  const std::string& message() const { return message_; }
  // Things worth telling that did not stop the job: refused renames, failed writes, a full
  // dictionary.
  const std::vector<std::string>& notes() const { return notes_; }
  const UpdateCounts& counts() const { return counts_; }

 protected:
  enum class RecordResult {
    kHandled,    // a record (line) was read and dealt with
    kNoLine,     // the file had no further line
    kFileError,  // reading failed: the job stops, message set
  };

  // Opens `path` and sets `*total` to its count of records. False with message set (via Fail
  // text) when it cannot be used. `*total` of 0 or less means a file with nothing to read.
  virtual bool OpenFile(const std::string& path, int* total) = 0;
  // Reads and handles one record. `beyondCount` is true once the file's count is used up and
  // the job reads on because the file holds more.
  virtual RecordResult HandleRecord(bool beyondCount) = 0;
  // True when the open file holds bytes not read yet.
  virtual bool MoreInFile() const = 0;
  virtual void CloseFile() = 0;

  void SetMessage(std::string text) { message_ = std::move(text); }
  void AddNote(std::string text);
  UpdateCounts counts_;

 private:
  bool OpenCurrent();
  void FileFinished();

  std::vector<std::string> paths_;
  UpdateJobStatus status_ = UpdateJobStatus::kIdle;
  int fileIndex_ = 0;
  int done_ = 0;
  int total_ = 0;
  std::string message_;
  std::vector<std::string> notes_;
};

// "%s cannot open" with the path: a file that cannot be opened or whose header is not of the
// chosen kind. Shown in a box captioned "Error".
std::string CannotOpenMessage(const std::string& path);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_UPDATE_JOB_H_
