// CConsistencyCheckJob: "株価整合性チェック" — loads every stock's price file and lists the
// stocks with an implausible bar (CPriceSeries::HasBadBar), so that the stock list then shows
// exactly the failing stocks and picking one opens its chart.
#ifndef KORVALE_ACQUISITION_CONSISTENCY_CHECK_JOB_H_
#define KORVALE_ACQUISITION_CONSISTENCY_CHECK_JOB_H_

#include "acquisition/stock_walk_job.h"
#include "store/price_series.h"
#include "store/stock_files.h"
#include "store/stock_list.h"

namespace korvale {

inline constexpr const char* kConsistencyCheckMenu = "株価整合性チェック";
inline constexpr const char* kConsistencyCheckCaption = "株価データチェック中";

class CConsistencyCheckJob : public CStockWalkJob {
 public:
  explicit CConsistencyCheckJob(const CStockDictionary& dictionary);

  // The failing stocks so far, one row "%04d %s" each (item data 1, the item's index in the row
  // map), titled with the command's name.
  const ShownStockList& list() const { return list_; }
  // Stocks whose price file did not open (passed over).
  int unreadable() const { return unreadable_; }

 protected:
  bool HandleItem(int itemIndex) override;

 private:
  ShownStockList list_;
  CPriceSeries series_;
  StockFiles files_;
  int unreadable_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_CONSISTENCY_CHECK_JOB_H_
