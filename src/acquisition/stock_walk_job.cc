#include "acquisition/stock_walk_job.h"

#include "store/stock_dictionary.h"

namespace korvale {

CStockWalkJob::CStockWalkJob(const CStockDictionary& dictionary, std::string progressText)
    : dictionary_(dictionary), progressText_(std::move(progressText)) {}

int CStockWalkJob::total() const { return dictionary_.itemCount; }

BatchStatus CStockWalkJob::Start() {
  if (status_ != BatchStatus::kIdle) return status_;
  next_ = 0;
  if (!Begin()) {
    status_ = BatchStatus::kFailed;
    Abandon();
    return status_;
  }
  status_ = BatchStatus::kRunning;
  if (dictionary_.itemCount == 0) return EndWalk();
  return status_;
}

BatchStatus CStockWalkJob::EndWalk() {
  status_ = Complete() ? BatchStatus::kFinished : BatchStatus::kFailed;
  if (status_ == BatchStatus::kFailed) Abandon();
  return status_;
}

BatchStatus CStockWalkJob::Step(int n) {
  for (int i = 0; i < n && status_ == BatchStatus::kRunning; ++i) {
    if (next_ >= dictionary_.itemCount) break;
    if (!HandleItem(next_++)) {
      status_ = BatchStatus::kFailed;
      Abandon();
      return status_;
    }
  }
  if (status_ == BatchStatus::kRunning && next_ >= dictionary_.itemCount) return EndWalk();
  return status_;
}

void CStockWalkJob::Cancel() {
  if (status_ != BatchStatus::kRunning && status_ != BatchStatus::kIdle) return;
  status_ = BatchStatus::kCancelled;
  Abandon();
}

}  // namespace korvale
