// The part of the sample database that feeds the update commands: daily price files of the
// other program for the trading days after the last stored bar (one day in each of the four
// header forms of the built-in source, one in the plug-in's DOS form), margin files in both
// name forms, and the plug-in library in the Plug-ins folder.
#ifndef KORVALE_SAMPLE_SAMPLE_IMPORT_FILES_H_
#define KORVALE_SAMPLE_SAMPLE_IMPORT_FILES_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sample/sample_companies.h"

namespace korvale {

inline constexpr const char* kSampleImportFolder = "Import";

struct SampleImportSummary {
  int dailyFiles = 0;
  int dailyRecords = 0;  // data lines over all daily files
  int marginFiles = 0;
  bool plugin = false;  // the plug-in was copied into Plug-ins
  int64_t bytes = 0;
};

// Writes the files into "<root>/Import" and, when `pluginPath` names a file, copies it to
// "<root>/Plug-ins/XZentakDOS.so". `lastClose` holds each stock's last close, in the order of
// u.stocks; `dayCount` is the number of stored trading days (stocks trading to the end get
// records). The files depend only on the universe, the closes and the seed. False, with a
// reason in `error`, when a file cannot be written.
bool MakeSampleImportFiles(const std::string& root, const sample::SampleUniverse& u,
                           const std::vector<int32_t>& lastClose, int dayCount, uint64_t seed,
                           const std::string& pluginPath, SampleImportSummary* summary,
                           std::string* error);

}  // namespace korvale

#endif  // KORVALE_SAMPLE_SAMPLE_IMPORT_FILES_H_
