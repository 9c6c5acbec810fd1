#include "screening/analysis_batch_job.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "store/file_io.h"

namespace korvale {

namespace {

// Whether the file opens for reading; asked only when a load found no bar, to tell an empty
// price file (which still gets its record) from a missing one.
bool OpensForReading(const std::string& path) {
  return ScopedFd(OpenForReading(path)).valid();
}

}  // namespace

int DefaultBatchThreads() {
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 4);
}

bool AsOfDateAccepted(int year, int month, int day) {
  return year >= kAsOfFirstYear && year <= kAsOfLastYear && month >= 1 && month <= 12 && day >= 1 &&
         day <= 31;
}

CAnalysisBatchJob::CAnalysisBatchJob(const CStockDictionary& dictionary, CAnalysisStore* store,
                                     const SettingsRecord& settings,
                                     const CPriceSeries* indexSeries, std::string lineFolder,
                                     std::string cachePath)
    : dictionary_(dictionary),
      store_(store),
      settings_(settings),
      indexSeries_(indexSeries),
      lineFolder_(std::move(lineFolder)),
      cachePath_(std::move(cachePath)) {
  lanes_.push_back(std::make_unique<Lane>());
}

CAnalysisBatchJob::~CAnalysisBatchJob() = default;

void CAnalysisBatchJob::SetThreads(int threads) {
  threads_ = SetUpLanes<Lane>(threads, &lanes_, &crew_,
                              [this](int position, Lane* lane) { ComputeOne(position, lane); });
}

void CAnalysisBatchJob::SetAsOfDate(int year, int month, int day) {
  asOf_ = true;
  asOfYear_ = year;
  asOfMonth_ = month;
  asOfDay_ = day;
}

std::string CAnalysisBatchJob::firstUnreadable() const {
  std::lock_guard<std::mutex> lock(unreadableMutex_);
  return firstUnreadable_;
}

AnalysisJobStatus CAnalysisBatchJob::Start() {
  store_->ClearRecords();
  position_ = 0;
  skipped_ = 0;
  unreadable_ = 0;
  firstUnreadable_.clear();
  finished_ = false;
  cacheWritten_ = false;
  total_ = std::clamp<int>(dictionary_.itemCount, 0, static_cast<int>(dictionary_.items.size()));
  status_ = total_ > 0 ? AnalysisJobStatus::kRunning : AnalysisJobStatus::kFinished;
  return status_;
}

AnalysisJobStatus CAnalysisBatchJob::Step(int n) {
  if (status_ != AnalysisJobStatus::kRunning) return status_;
  const int end = position_ + std::clamp(n, 0, total_ - position_);
  if (threads_ > 1 && end - position_ > 1) {
    StepThreads(end);
  } else {
    StepOneThread(end);
  }
  if (position_ >= total_) status_ = AnalysisJobStatus::kFinished;
  return status_;
}

void CAnalysisBatchJob::StepOneThread(int end) {
  Lane& lane = *lanes_[0];
  for (; position_ < end; ++position_) {
    if (!LoadPosition(position_, &lane)) {
      ++skipped_;
      continue;
    }
    // The dictionary holds no more stocks than the store has slots; a full store would only
    // leave later stocks without records.
    store_->AppendRecord(lane.series, position_, settings_, indexSeries_, &lane.workspace);
  }
}

void CAnalysisBatchJob::StepThreads(int end) {
  const int n = end - position_;
  if (computed_.size() < static_cast<size_t>(n)) computed_.resize(static_cast<size_t>(n));
  sliceStart_ = position_;
  crew_->Run(position_, end);
  // Appended here, in dictionary order, exactly as the one-thread step appends them.
  for (int i = 0; i < n; ++i) {
    const Computed& c = computed_[static_cast<size_t>(i)];
    if (c.loaded) {
      store_->AppendComputed(c.record, c.year, c.month, c.day);
    } else {
      ++skipped_;
    }
  }
  position_ = end;
}

void CAnalysisBatchJob::ComputeOne(int position, Lane* lane) {
  Computed& c = computed_[static_cast<size_t>(position - sliceStart_)];
  c.loaded = LoadPosition(position, lane);
  if (!c.loaded) return;
  const CPriceSeries& series = lane->series;
  ComputeAnalysisRecord(series, position, settings_, indexSeries_, &c.record, &lane->workspace);
  const int32_t bars = series.barCount();
  c.year = c.month = c.day = 0;
  if (bars > 0) {
    const PriceBar& last = series.bars[static_cast<size_t>(bars - 1)];
    c.year = last.year;
    c.month = last.month;
    c.day = last.day;
  }
}

bool CAnalysisBatchJob::LoadPosition(int position, Lane* lane) {
  // The stock's own folder: two items of one code (a stock kept in two folders) each get the
  // record of their own file, as picking either row in the list opens its own file.
  StockFiles& files = lane->files;
  if (!ResolveItemFiles(dictionary_, position, lineFolder_, &files)) return false;
  StockLoadLimit limit;
  if (asOf_) limit = StockLoadLimit{true, asOfYear_, asOfMonth_, asOfDay_};
  // An empty price file still gets its record; a missing one does not. A peer's file that
  // could not be read says why; one that arrived empty says nothing.
  std::string& why = lane->loadError;
  if (LoadStock(files, &lane->series, limit, false, &why)) return true;
  if (!why.empty()) {
    if (unreadable_.fetch_add(1) == 0) {
      std::lock_guard<std::mutex> lock(unreadableMutex_);
      firstUnreadable_ = why;
    }
    return false;
  }
  if (asOf_) return false;
  return files.remote ? true : OpensForReading(files.pricePath);
}

void CAnalysisBatchJob::Cancel() {
  if (status_ == AnalysisJobStatus::kRunning || status_ == AnalysisJobStatus::kIdle) {
    status_ = AnalysisJobStatus::kCancelled;
  }
}

bool CAnalysisBatchJob::Finish(std::string* error) {
  if (status_ != AnalysisJobStatus::kFinished || finished_) return true;
  finished_ = true;
  if (asOf_) return true;
  cacheWritten_ = store_->SaveCache(cachePath_, error) == 1;
  return cacheWritten_;
}

std::string CAnalysisBatchJob::ScreeningTitle() const {
  if (!asOf_) return kLatestDataTitle;
  char text[48];
  std::snprintf(text, sizeof text, "%04d/%02d/%02d", asOfYear_, asOfMonth_, asOfDay_);
  return text;
}

}  // namespace korvale
