// The batch of "抽出条件の検証": back-tests every stock of the dictionary against every rule of
// the rule list, in slices so that a progress dialog stays responsive, and makes the report. The
// window runs Step(kValidationStocksPerTick) from a zero-interval timer; korvale-cli runs the same
// job in a loop.
#ifndef KORVALE_SCREENING_VALIDATION_JOB_H_
#define KORVALE_SCREENING_VALIDATION_JOB_H_

#include <memory>
#include <string>
#include <vector>

#include "screening/analize_rule_report_doc.h"
#include "screening/analysis_batch_job.h"
#include "screening/backtest.h"
#include "screening/history_replay.h"
#include "screening/rule_list.h"
#include "screening/slice_crew.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"

namespace korvale {

// Stocks the progress dialog handles per timer tick.
inline constexpr int kValidationStocksPerTick = 5;

class CValidationJob {
 public:
  // `dictionary`, `rules`, `settings` and `indexSeries` (null: no market index) must outlive
  // the job. The rules and the settings are copied at Start, so that a rule list edited or a
  // main window resized (a new display span) while the batch runs cannot change one report
  // halfway.
  CValidationJob(const CStockDictionary& dictionary, const CRuleList& rules,
                 const SettingsRecord& settings, const CPriceSeries* indexSeries,
                 const ValidationParams& params);
  ~CValidationJob();
  CValidationJob(const CValidationJob&) = delete;
  CValidationJob& operator=(const CValidationJob&) = delete;

  // Spreads each step's stocks over `threads` threads (1-8; 1, the default, works on the
  // calling thread only): each takes the next stock not yet taken. The counts are the same for
  // any number. The helpers work only while Step runs. Call before Start.
  void SetThreads(int threads);

  // Takes the rule list as it stands (names, conditions, count: the report keeps them) and
  // starts at the dictionary's first stock. kRunning, or kFinished at once for an empty
  // dictionary.
  AnalysisJobStatus Start();
  // Handles the next stocks, up to n of them: each stock whose folder is known and whose price
  // file opens is loaded with LoadMerged (no trend lines) and back-tested (BacktestStock);
  // the others are left out silently. Returns the status after the step.
  AnalysisJobStatus Step(int n);
  // Stops between steps; no report is made.
  void Cancel();
  // Once every stock is handled: the report, which the caller owns. Null after a cancel or
  // before the end.
  std::unique_ptr<CAnalizeRuleReportDoc> Finish();

  AnalysisJobStatus status() const { return status_; }
  int threads() const { return threads_; }
  // Stocks handled and to handle: the progress bar's position and range.
  int done() const { return position_; }
  int total() const { return total_; }
  // Stocks back-tested so far (not skipped).
  int evaluated() const;
  const ValidationParams& params() const { return params_; }

 private:
  // What one thread needs: one series, one replay and one set of counters serve every stock it
  // handles, so the batch allocates only while a buffer grows to the largest stock.
  struct Lane {
    CPriceSeries series;
    CHistoryReplay replay;
    StockFiles files;
    std::vector<OutcomeCounters> counters;
    int evaluated = 0;
  };
  void Handle(int position, Lane* lane);

  const CStockDictionary& dictionary_;
  const CRuleList& ruleList_;
  const SettingsRecord& liveSettings_;
  SettingsRecord settings_{};  // as at Start
  const CPriceSeries* indexSeries_;
  ValidationParams params_;
  std::vector<ConditionSet> rules_;  // the rule list at Start
  std::vector<std::string> names_;   // their names (cp932)

  AnalysisJobStatus status_ = AnalysisJobStatus::kIdle;
  int position_ = 0;
  int total_ = 0;
  int threads_ = 1;
  std::vector<std::unique_ptr<Lane>> lanes_;  // lane 0 is the calling thread's
  // Last, so its threads are joined before anything they use goes away.
  std::unique_ptr<CSliceCrew> crew_;
};

}  // namespace korvale

#endif  // KORVALE_SCREENING_VALIDATION_JOB_H_
