// CStockWalkJob: a batch over every stock of the dictionary, one stock an item, in dictionary
// order: the consistency check, the removal of a date and the bulk export build on it.
#ifndef KORVALE_ACQUISITION_STOCK_WALK_JOB_H_
#define KORVALE_ACQUISITION_STOCK_WALK_JOB_H_

#include <string>

#include "acquisition/batch_job.h"

namespace korvale {

class CStockDictionary;

class CStockWalkJob : public CBatchJob {
 public:
  // `dictionary` must outlive the job; stocks it gains while the job runs are walked too.
  // `progressText` is the dialog's text.
  CStockWalkJob(const CStockDictionary& dictionary, std::string progressText);

  // Begin, then kRunning (kFinished at once, after Complete, when the dictionary is empty).
  BatchStatus Start() override;
  // Handles the next stocks, up to n; after the last one Complete decides between kFinished
  // and kFailed.
  BatchStatus Step(int n) override;
  void Cancel() override;
  void Finish() override {}

  int done() const override { return next_; }
  int total() const override;
  std::string ProgressText() const override { return progressText_; }

 protected:
  // Prepares the walk; false (with SetMessage) when it cannot begin.
  virtual bool Begin() { return true; }
  // Handles dictionary item `itemIndex`. False (with SetMessage) stops the job as failed.
  virtual bool HandleItem(int itemIndex) = 0;
  // After the last stock; false (with SetMessage) makes the job fail.
  virtual bool Complete() { return true; }
  // The walk was cancelled or failed before its end.
  virtual void Abandon() {}

  const CStockDictionary& dictionary_;

 private:
  BatchStatus EndWalk();

  std::string progressText_;
  int next_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_STOCK_WALK_JOB_H_
