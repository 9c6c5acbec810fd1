// The history replay: the analysis record of a stock as of each of its past bars in turn, as the
// validation report and the signal chart need it. Each record equals, field for field and bit
// for bit, ComputeAnalysisRecord on the series cut to that bar, but costs a small fraction of it:
// what does not depend on the cut is prepared once per stock and indicator state is carried
// from bar to bar; a field whose arithmetic depends on the cut is computed again, that field only.
#ifndef KORVALE_SCREENING_HISTORY_REPLAY_H_
#define KORVALE_SCREENING_HISTORY_REPLAY_H_

#include <cstdint>
#include <memory>

#include "screening/analysis_record.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

namespace replay {
struct ReplayState;
}

class CHistoryReplay {
 public:
  CHistoryReplay();
  ~CHistoryReplay();
  CHistoryReplay(const CHistoryReplay&) = delete;
  CHistoryReplay& operator=(const CHistoryReplay&) = delete;

  // Starts over on `series`, which is kept by reference with `index` (null: no market index):
  // neither may change until the next Reset. The settings are copied. Buffers keep their
  // capacity, so one replay reused for many stocks allocates only while it grows.
  void Reset(const CPriceSeries& series, const SettingsRecord& settings,
             const CPriceSeries* index);

  // The record of the series cut to its first `count` bars (0 .. barCount), as
  // ComputeAnalysisRecord (that series, `identifier`, the settings, the index) gives it,
  // trend-line code included. `count` must not be smaller than at the previous call since Reset.
  void RecordAt(int32_t count, int32_t identifier, AnalysisRecord* out);

 private:
  std::unique_ptr<replay::ReplayState> state_;
};

}  // namespace korvale

#endif  // KORVALE_SCREENING_HISTORY_REPLAY_H_
