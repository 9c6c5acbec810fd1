// Builders for the import and update tests: daily input files and reading a file through a
// source as the update does.
#ifndef KORVALE_TESTS_SUPPORT_ACQUISITION_FIXTURES_H_
#define KORVALE_TESTS_SUPPORT_ACQUISITION_FIXTURES_H_

#include <string>
#include <vector>

#include "acquisition/batch_job.h"
#include "acquisition/import_sources.h"
#include "store/price_records.h"

namespace korvale::testing {

// What one file gives through a source: OpenImportFile's count and the records of every
// ReadRecord call that found a line (code preset to 0 as the update does; records whose code
// stayed 0 are left out).
struct SourceRead {
  bool opened = false;
  int count = 0;
  std::vector<ImportRecord> records;
};
SourceRead ReadThroughSource(CImportSource& source, const std::string& path);

// A comma-form data line "code,market,name,open,high,low,close,volume" (name given in UTF-8).
std::string CommaLine(int code, int market, const std::string& nameUtf8, int open, int high,
                      int low, int close, int volume);

// The bars of a price file as stored (every record, in file order).
std::vector<PriceBar> StoredBars(const std::string& path);

// The margin records of a margin file as stored.
std::vector<MarginRecord> StoredMargins(const std::string& path);

// The folder names in `folder` that are regular files, sorted.
std::vector<std::string> FileNames(const std::string& folder);

// Runs a batch job as the progress dialog does, 20 items a step, to its end; then Finish.
BatchStatus RunToEnd(CBatchJob* job);

// Price file path of `code` in its thousand-block folder below `root`
// ("root/Data/7000/KD7203.KDT").
std::string BlockPricePath(const std::string& root, int code);

}  // namespace korvale::testing

#endif  // KORVALE_TESTS_SUPPORT_ACQUISITION_FIXTURES_H_
