// The analysis batch: loads every stock of the dictionary in turn and appends its analysis
// record to the store, in slices so that a progress dialog stays responsive. A complete batch
// over the latest data is saved as the cache file; a batch as of a date, or a cancelled one,
// never is. The window runs Step(kStocksPerTick) from a zero-interval timer; korvale-cli runs
// the same job in a loop.
#ifndef KORVALE_SCREENING_ANALYSIS_BATCH_JOB_H_
#define KORVALE_SCREENING_ANALYSIS_BATCH_JOB_H_

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "screening/analysis_store.h"
#include "screening/compute_analysis_record.h"
#include "screening/slice_crew.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"

namespace korvale {

// Stocks the progress dialog handles per timer tick.
inline constexpr int kStocksPerTick = 20;

// The threads worth spreading a batch over on this machine: its cores, at most 4 (beyond that
// the batch waits on the files, not the processors).
int DefaultBatchThreads();

// The dates the dialog "株価分析" accepts for "日を指定して分析".
inline constexpr int kAsOfFirstYear = 1970;
inline constexpr int kAsOfLastYear = 2069;
// Years 1970-2069, months 1-12, days 1-31 (any month: the batch reads the bars up to the date).
bool AsOfDateAccepted(int year, int month, int day);

// The title of a screening over the latest data (an as-of screening is titled by its date).
inline constexpr const char* kLatestDataTitle = "最新の";

enum class AnalysisJobStatus {
  kIdle,       // not started
  kRunning,    // call Step again
  kFinished,   // every stock handled; call Finish
  kCancelled,  // Cancel was called; the records appended so far stay in the store
};

class CAnalysisBatchJob {
 public:
  // `dictionary`, `store`, `settings` and `indexSeries` (null: no market index) must outlive
  // the job; the settings are read as each record is computed. `lineFolder` is the folder of
  // the trend-line files (the one PrepareLineFolder gives); `cachePath` where a complete batch
  // over the latest data saves the store (AnalysisCachePath).
  CAnalysisBatchJob(const CStockDictionary& dictionary, CAnalysisStore* store,
                    const SettingsRecord& settings, const CPriceSeries* indexSeries,
                    std::string lineFolder, std::string cachePath);
  ~CAnalysisBatchJob();
  CAnalysisBatchJob(const CAnalysisBatchJob&) = delete;
  CAnalysisBatchJob& operator=(const CAnalysisBatchJob&) = delete;

  // Spreads each step's stocks over `threads` threads (1-8; 1, the default, computes everything
  // on the calling thread): each thread loads and computes the next stock not yet taken. The
  // records still go into the store in dictionary order from the calling thread, so the store
  // ends exactly as with one thread. The helpers work only while Step runs (it returns when
  // they are idle), so the dictionary, settings and index series may change between steps as
  // with one thread. Call before Start.
  void SetThreads(int threads);

  // Switches the batch from the latest data to the bars up to and including the date. Call
  // before Start.
  void SetAsOfDate(int year, int month, int day);

  // Clears the store and starts at the dictionary's first stock. kRunning, or kFinished at
  // once when the dictionary is empty.
  AnalysisJobStatus Start();

  // Handles the next stocks, up to n of them, in dictionary order: each stock whose folder is
  // known and whose price file opens is loaded (the whole file, or up to the as-of date) with
  // its trend lines and gets its record appended with stockIndex = its dictionary position;
  // the others are skipped without a message. In remote mode the price files come from the
  // peer (see stock_files.h). Returns the status after the step.
  AnalysisJobStatus Step(int n);

  // Stops between steps. The records appended so far stay in the store; no cache is written.
  void Cancel();

  // The closing step once every stock is handled: for the latest data the store is saved as
  // the cache file. Returns false, with the reason in `error` (may be null), only when that
  // save failed; the records are in the store all the same. Does nothing after a cancel, before
  // the end, or when called again.
  bool Finish(std::string* error = nullptr);

  int threads() const { return threads_; }
  AnalysisJobStatus status() const { return status_; }
  // Stocks handled and to handle: the progress bar's position and range.
  int done() const { return position_; }
  int total() const { return total_; }
  // Stocks skipped for lack of a folder or a price file.
  int skipped() const { return skipped_; }
  // Of those, the stocks whose price file a peer did not send as a price file (remote mode),
  // and why the first of them was refused.
  int unreadable() const { return unreadable_.load(); }
  std::string firstUnreadable() const;
  // True once Finish has written the cache file.
  bool cacheWritten() const { return cacheWritten_; }
  bool asOf() const { return asOf_; }

  // The title of the screening window the finished batch opens: "最新の" for the latest data,
  // else the as-of date as "%04d/%02d/%02d" (UTF-8).
  std::string ScreeningTitle() const;

 private:
  // What one thread needs to load and compute stocks: one series and one workspace serve every
  // stock it handles, and the paths are built in place, so the batch allocates only while a
  // buffer grows to the largest stock.
  struct Lane {
    CPriceSeries series;
    AnalysisWorkspace workspace;
    StockFiles files;
    std::string loadError;
  };
  // A stock handled off the calling thread, waiting to be appended in order.
  struct Computed {
    bool loaded = false;
    AnalysisRecord record;
    int year = 0, month = 0, day = 0;  // of the last bar; 0 without bars
  };

  // Loads stock `position` into the lane's series (the whole file or up to the as-of date, with
  // its trend lines); false when the stock is skipped.
  bool LoadPosition(int position, Lane* lane);
  // Loads and computes stock `position` of the current slice into computed_ (any thread).
  void ComputeOne(int position, Lane* lane);
  void StepOneThread(int end);
  void StepThreads(int end);

  const CStockDictionary& dictionary_;
  CAnalysisStore* store_;
  const SettingsRecord& settings_;
  const CPriceSeries* indexSeries_;
  std::string lineFolder_;
  std::string cachePath_;

  bool asOf_ = false;
  int asOfYear_ = 0, asOfMonth_ = 0, asOfDay_ = 0;

  AnalysisJobStatus status_ = AnalysisJobStatus::kIdle;
  int position_ = 0;
  int total_ = 0;
  int skipped_ = 0;
  bool finished_ = false;
  bool cacheWritten_ = false;

  std::atomic<int> unreadable_{0};
  mutable std::mutex unreadableMutex_;  // lanes of several threads report at once
  std::string firstUnreadable_;

  int threads_ = 1;
  std::vector<std::unique_ptr<Lane>> lanes_;  // lane 0 is the calling thread's
  int sliceStart_ = 0;                        // the current slice's first position
  std::vector<Computed> computed_;            // the current slice, by position in it
  // Last, so its threads are joined before anything they use goes away.
  std::unique_ptr<CSliceCrew> crew_;  // the helper threads, with threads > 1
};

}  // namespace korvale

#endif  // KORVALE_SCREENING_ANALYSIS_BATCH_JOB_H_
