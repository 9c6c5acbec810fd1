// CZentakDosSource: the import source of the XZentakDOS plug-in, reading the DOS-era daily
// files of the stock program "Zentak": an eight-digit date header of two lines, then comma
// records.
#ifndef KORVALE_PLUGINS_ZENTAKDOS_ZENTAK_DOS_SOURCE_H_
#define KORVALE_PLUGINS_ZENTAKDOS_ZENTAK_DOS_SOURCE_H_

#include <cstdint>

#include "acquisition/import_source.h"

namespace korvale {

class CZentakDosSource : public CImportSource {
 public:
  // "ZentakDOSファイル", "DS??????.??".
  int GetFileFilter(char* description, char* pattern) override;
  // True when the first line starts with an eight-digit date (a year above 1970 in its first
  // four characters, a digit at position 6); keeps the date and reads the second header line.
  bool ReadHeader(CLineFile& file) override;
  // Seeks to 0 and reads the two header lines. False on a file error.
  bool SkipHeader(CLineFile& file) override;
  // SkipHeader, then the data lines (at most 10000) plus one. 0 on a file error.
  int CountRecords(CLineFile& file) override;
  // One comma record "%4d,%d,%[^,],%d,%d,%d,%d,%d"; the name cut to 23 bytes.
  int ReadRecord(CLineFile& file, int32_t* code, char* name, int32_t* market, int32_t* year,
                 int32_t* month, int32_t* day, int32_t* open, int32_t* high, int32_t* low,
                 int32_t* close, int32_t* volume) override;

  int32_t headerYear = 0;
  int32_t headerMonth = 0;
  int32_t headerDay = 0;
};

}  // namespace korvale

#endif  // KORVALE_PLUGINS_ZENTAKDOS_ZENTAK_DOS_SOURCE_H_
