// CBatchJob: the interface of every long batch over files or stocks (the price and margin
// updates, the maintenance batches). A job works in slices: Start prepares it, each Step
// handles up to n items, Cancel stops between steps, Finish releases what it holds. The
// windows run Step from a zero-interval timer (kBatchItemsPerTick a tick) inside their progress
// dialog; korvale-cli runs the same job in a loop with a progress line.
#ifndef KORVALE_ACQUISITION_BATCH_JOB_H_
#define KORVALE_ACQUISITION_BATCH_JOB_H_

#include <string>
#include <vector>

namespace korvale {

// Items (records, lines, stocks or stock blocks) a progress dialog handles per timer tick.
inline constexpr int kBatchItemsPerTick = 20;

enum class BatchStatus {
  kIdle,       // not started
  kRunning,    // call Step again
  kFinished,   // everything handled
  kFailed,     // the job could not go on: message() says why; it stopped
  kCancelled,  // Cancel was called
};

class CBatchJob {
 public:
  CBatchJob() = default;
  virtual ~CBatchJob() = default;
  CBatchJob(const CBatchJob&) = delete;
  CBatchJob& operator=(const CBatchJob&) = delete;

  // Prepares the job (opens its first input or output). kRunning; kFinished when there is
  // nothing to do; kFailed with message() set when it cannot begin.
  virtual BatchStatus Start() = 0;
  // Handles up to n items; returns the status after the step.
  virtual BatchStatus Step(int n) = 0;
  // Stops between steps; what is written stays written, and every file is either its old or
  // its new self. Also runs Finish.
  virtual void Cancel() = 0;
  // Releases what the job holds. Safe to call more than once.
  virtual void Finish() = 0;

  BatchStatus status() const { return status_; }
  // Items handled and to handle (the progress bar); `total` may grow while a job reads on.
  virtual int done() const = 0;
  virtual int total() const = 0;
  // For jobs over several files: their number and the current one's index (the second bar).
  virtual int fileCount() const { return 1; }
  virtual int fileIndex() const { return 0; }
  // Records or bars a failed write lost (the progress dialog then warns rather than informs).
  virtual int writeFailures() const { return 0; }
  // The dialog's text while the job runs.
  virtual std::string ProgressText() const = 0;
  // Why the job failed: "%s cannot open" with the path, or another reason naming the file.
  const std::string& message() const { return message_; }
  // Things worth telling that did not stop the job (skipped lines, failed writes), at most 50
  // and a line saying that more were left out.
  const std::vector<std::string>& notes() const { return notes_; }

 protected:
  void SetMessage(std::string text) { message_ = std::move(text); }
  void AddNote(std::string text);
  // A note that must be told however many came before it (one per input file at most).
  void AddUncappedNote(std::string text) { notes_.push_back(std::move(text)); }

  BatchStatus status_ = BatchStatus::kIdle;

 private:
  std::string message_;
  std::vector<std::string> notes_;
};

// "%s cannot open" with the path: an input that cannot be opened (or is not of the chosen
// kind), or an output that cannot be created. Shown in a box captioned "Error".
std::string CannotOpenMessage(const std::string& path);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_BATCH_JOB_H_
