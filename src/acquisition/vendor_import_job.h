// CVendorImportJob: "Pelstar株価データインポート" — reads the other data tool's daily price
// download (store/vendor_price_line.h) into the price files, taking each stock's bars from its
// preferred market only.
#ifndef KORVALE_ACQUISITION_VENDOR_IMPORT_JOB_H_
#define KORVALE_ACQUISITION_VENDOR_IMPORT_JOB_H_

#include <cstdint>
#include <string>
#include <vector>

#include "acquisition/line_import_job.h"

namespace korvale {


class CVendorImportJob : public CLineImportJob {
 public:
  // Start reads the whole file once, noting for every code the markets its lines are quoted
  // on; then each data line (one item of Step) of the stock's preferred market — the lowest
  // preference order of 1-8 among its lines, an unknown tag only when it has no other — becomes
  // one bar, stored by CStockBarStore with the line's third comma field as the name. Lines of
  // other markets are passed over; data lines that do not parse, with a code outside 1-9999,
  // or of 249 characters or more are skipped with a note.
  CVendorImportJob(CStockDictionary* dictionary, CFolderPreparer* folders, std::string dataRootDir,
                   ImportOptions options, std::string path);

  // Lines passed over because the stock's preferred market is another.
  int otherMarketLines() const { return otherMarket_; }

 protected:
  bool Prepare() override;
  int HandleLine(int read, std::string_view line) override;

 private:
  std::vector<uint16_t> orderBits_;  // by code: bit n set when a line of order n was seen
  int otherMarket_ = 0;
};

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_VENDOR_IMPORT_JOB_H_
