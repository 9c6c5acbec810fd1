// CZentakFileSource: the built-in import source, reading the daily files of the stock program
// "Zentak" in its four header forms. Used when the Plug-ins folder holds no library at all.
#ifndef KORVALE_ACQUISITION_ZENTAK_FILE_SOURCE_H_
#define KORVALE_ACQUISITION_ZENTAK_FILE_SOURCE_H_

#include <cstdint>

#include "acquisition/host_import_source.h"

namespace korvale {

// The header forms of a Zentak file.
enum HeaderForm : int32_t {
  kHeaderSixDigitDate = 0,    // "yymmdd..." then one line; comma records
  kHeaderEightDigitDate = 1,  // "yyyymmdd..." then one line; comma records
  kHeaderQuoted = 2,          // "\"yyyy.....mm.....dd..." then three lines; tab records
  kHeaderNamed = 3,           // "Zentak...", a date line, then three lines; tab records
};

class CZentakFileSource : public CHostImportSource {
 public:
  // "Zentak Files", "ds*.*;kd*".
  int GetFileFilter(char* description, char* pattern) override;

  // Recognises the header by its first line (and, for the named form, its second), in the
  // order eight-digit date, quoted, named, six-digit date; keeps the date and the form and
  // leaves the file after the header. False for a file of none of the forms, and for a named
  // header whose second line holds no date.
  bool ReadHeader(CLineFile& file) override;

  // Seeks to 0 and reads the header lines of the kept form: 2, 4 or 5. False on a file error.
  bool SkipHeader(CLineFile& file) override;

  // SkipHeader, then the data lines (at most kImportMaxCountedLines) plus one. 0 on a file
  // error.
  int CountRecords(CLineFile& file) override;

  // One data line in the kept form: comma records "%4d,%d,%[^,],%d,%d,%d,%d,%d" (code, market,
  // name taken whole, open, high, low, close, volume); tab records with the code in the first
  // four characters, the market text from position 5 (matched against the market names, 0 when
  // none equals it), the name up to the next tab (cut to 23 bytes) and five tab-separated values.
  int ReadRecord(CLineFile& file, int32_t* code, char* name, int32_t* market, int32_t* year,
                 int32_t* month, int32_t* day, int32_t* open, int32_t* high, int32_t* low,
                 int32_t* close, int32_t* volume) override;

  int32_t headerYear = 0;
  int32_t headerMonth = 0;
  int32_t headerDay = 0;
  int32_t headerForm = kHeaderSixDigitDate;
};

// The longest name the tab form and the plug-in keep, in bytes.
inline constexpr int kImportNameCut = 23;

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_ZENTAK_FILE_SOURCE_H_
