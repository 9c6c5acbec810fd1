// CDeleteDateJob: "指定日の株価/信用残データ削除" — removes one day, or one whole month, from
// every stock's price file or every stock's margin file.
#ifndef KORVALE_ACQUISITION_DELETE_DATE_JOB_H_
#define KORVALE_ACQUISITION_DELETE_DATE_JOB_H_

#include <cstdint>
#include <vector>

#include "acquisition/stock_walk_job.h"
#include "store/price_series.h"
#include "store/stock_files.h"

namespace korvale {

inline constexpr const char* kDeletePriceCaption = "株価データ削除中";
inline constexpr const char* kDeleteMarginCaption = "信用残データ削除中";

// What to cut: the files and the date (day ignored with wholeMonth).
struct DeleteDateTarget {
  bool margin = false;  // margin files instead of price files
  bool wholeMonth = false;
  int year = 0, month = 0, day = 0;
};

// What the job did.
struct DeleteDateCounts {
  int rewritten = 0;   // files written back
  int removed = 0;     // bars or margin records left out
  int unchanged = 0;   // files not rewritten: margin files without the date, price files
                       // without a day of 1901-2099
  int unreadable = 0;  // files that did not open (passed over)
  int failures = 0;    // files that could not be written (left as they were)
};

class CDeleteDateJob : public CStockWalkJob {
 public:
  // Price files: each file that opens is loaded sorted and de-duplicated (LoadMerged) and
  // written back atomically without the date's bars, so it also comes out normalised; a file
  // without a bar of 1901-2099 is left alone. Margin files (the dictionary's margin path of
  // each stock): the records of the date are left out and the file is rewritten atomically only
  // when at least one was. A failed write is noted with the file's name and the walk goes on.
  CDeleteDateJob(const CStockDictionary& dictionary, DeleteDateTarget target);

  const DeleteDateCounts& counts() const { return counts_; }

 protected:
  bool HandleItem(int itemIndex) override;

 private:
  void DeletePrices();
  void DeleteMargins();
  bool Matches(int year, int month, int day) const;

  DeleteDateTarget target_;
  DeleteDateCounts counts_;
  CPriceSeries series_;
  StockFiles files_;
  std::vector<uint8_t> bytes_;
  std::vector<uint8_t> kept_;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_DELETE_DATE_JOB_H_
