#include "screening/validation_job.h"

#include <algorithm>
#include <cstring>

namespace korvale {

CValidationJob::CValidationJob(const CStockDictionary& dictionary, const CRuleList& rules,
                               const SettingsRecord& settings, const CPriceSeries* indexSeries,
                               const ValidationParams& params)
    : dictionary_(dictionary),
      ruleList_(rules),
      liveSettings_(settings),
      indexSeries_(indexSeries),
      params_(params) {
  lanes_.push_back(std::make_unique<Lane>());
}

CValidationJob::~CValidationJob() = default;

void CValidationJob::SetThreads(int threads) {
  threads_ = SetUpLanes<Lane>(threads, &lanes_, &crew_,
                              [this](int position, Lane* lane) { Handle(position, lane); });
}

AnalysisJobStatus CValidationJob::Start() {
  settings_ = liveSettings_;
  const size_t count = std::min<size_t>(static_cast<size_t>(std::max(ruleList_.count, 0)),
                                        ruleList_.sets.size());
  rules_.assign(ruleList_.sets.begin(), ruleList_.sets.begin() + static_cast<long>(count));
  names_.clear();
  for (const ConditionSet& set : rules_) {
    names_.emplace_back(set.name, strnlen(set.name, sizeof set.name));
  }
  for (auto& lane : lanes_) {
    lane->counters.assign(rules_.size() + 1, OutcomeCounters{});
    lane->evaluated = 0;
  }
  position_ = 0;
  total_ = std::clamp<int>(dictionary_.itemCount, 0, static_cast<int>(dictionary_.items.size()));
  status_ = total_ > 0 ? AnalysisJobStatus::kRunning : AnalysisJobStatus::kFinished;
  return status_;
}

void CValidationJob::Handle(int position, Lane* lane) {
  if (!ResolveItemFiles(dictionary_, position, std::string(), &lane->files)) return;
  // The normalising load without extra bars; a missing or empty file keeps no bar and is
  // skipped with the short stocks.
  if (!lane->series.LoadMerged(lane->files.pricePath, nullptr, 0)) return;
  if (BacktestStock(lane->series, params_, rules_, settings_, indexSeries_, &lane->replay,
                    lane->counters.data())) {
    ++lane->evaluated;
  }
}

AnalysisJobStatus CValidationJob::Step(int n) {
  if (status_ != AnalysisJobStatus::kRunning) return status_;
  const int end = position_ + std::clamp(n, 0, total_ - position_);
  if (crew_ && end - position_ > 1) {
    crew_->Run(position_, end);
  } else {
    for (int p = position_; p < end; ++p) Handle(p, lanes_[0].get());
  }
  position_ = end;
  if (position_ >= total_) status_ = AnalysisJobStatus::kFinished;
  return status_;
}

void CValidationJob::Cancel() {
  if (status_ == AnalysisJobStatus::kRunning || status_ == AnalysisJobStatus::kIdle) {
    status_ = AnalysisJobStatus::kCancelled;
  }
}

int CValidationJob::evaluated() const {
  int sum = 0;
  for (const auto& lane : lanes_) sum += lane->evaluated;
  return sum;
}

std::unique_ptr<CAnalizeRuleReportDoc> CValidationJob::Finish() {
  if (status_ != AnalysisJobStatus::kFinished) return nullptr;
  // Whole-number counts: the sum over the threads is the same in any order.
  std::vector<OutcomeCounters> total(rules_.size() + 1);
  for (const auto& lane : lanes_) {
    for (size_t j = 0; j < total.size() && j < lane->counters.size(); ++j) {
      total[j].events += lane->counters[j].events;
      total[j].rises += lane->counters[j].rises;
      total[j].neutrals += lane->counters[j].neutrals;
      total[j].falls += lane->counters[j].falls;
    }
  }
  return std::make_unique<CAnalizeRuleReportDoc>(params_, names_, std::move(total));
}

}  // namespace korvale
