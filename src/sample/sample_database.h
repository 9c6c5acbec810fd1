// A deterministic synthetic data root for demonstrations, benchmarks and end-to-end tests:
// the dictionary file, price files in the thousand-block folders and in an archive folder,
// margin files, the market-index stock 1010 that drives the others, two list files, the
// sample screening rules, and the daily and margin files the update commands read
// (sample_import_files.h).
#ifndef KORVALE_SAMPLE_SAMPLE_DATABASE_H_
#define KORVALE_SAMPLE_SAMPLE_DATABASE_H_

#include <cstdint>
#include <string>

#include "sample/sample_import_files.h"

namespace korvale {

struct SampleOptions {
  int stocks = 3800;  // price files, the index stock included; 1-6000
  int years = 20;     // calendar years of trading days, ending with 2025; 1-60
  uint64_t seed = 1;
  // The plug-in library copied into the sample's Plug-ins folder; "" for none (the update
  // commands then use the built-in source).
  std::string pluginPath;
};

inline constexpr int kSampleLastYear = 2025;
inline constexpr const char* kSampleWatchList = "Watchlist.LST";
inline constexpr const char* kSampleBankList = "Banks.LST";
inline constexpr const char* kSampleArchiveFolder = "Archive";

struct SampleSummary {
  int stocks = 0;
  int dictionaryRecords = 0;
  int marginFiles = 0;
  int tradingDays = 0;
  int rules = 0;          // rule files in Rules
  std::string firstDate;  // YYYY-MM-DD
  std::string lastDate;
  int64_t bytes = 0;  // written in all files
  SampleImportSummary import;  // the files for the update commands
};

// Writes the sample database into `dir`, which is created when missing and must otherwise be
// empty. The same options give byte-identical files. False, with a reason in `error`, for
// options out of range, a folder that is not empty, or a failed write.
bool MakeSampleDatabase(const std::string& dir, const SampleOptions& options,
                        SampleSummary* summary, std::string* error);

}  // namespace korvale

#endif  // KORVALE_SAMPLE_SAMPLE_DATABASE_H_
