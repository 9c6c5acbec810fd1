// The host side's base for import sources: a default for every slot, used by host sources that
// do not override one. Plug-ins derive from CImportSource itself, whose slots are abstract.
#ifndef KORVALE_ACQUISITION_HOST_IMPORT_SOURCE_H_
#define KORVALE_ACQUISITION_HOST_IMPORT_SOURCE_H_

#include "acquisition/import_source.h"

namespace korvale {

class CHostImportSource : public CImportSource {
 public:
  // Description "株価ファイル", pattern "*.*".
  int GetFileFilter(char* description, char* pattern) override;
  // Accepts any file.
  bool ReadHeader(CLineFile& file) override;
  // Seeks to the start of the file.
  bool SkipHeader(CLineFile& file) override;
  // The lines from the current position, at most kImportMaxCountedLines, without the extra one.
  int CountRecords(CLineFile& file) override;
  // Consumes one line and yields nothing.
  int ReadRecord(CLineFile& file, int32_t* code, char* name, int32_t* market, int32_t* year,
                 int32_t* month, int32_t* day, int32_t* open, int32_t* high, int32_t* low,
                 int32_t* close, int32_t* volume) override;
};

// Copies `text` into a buffer of `capacity` bytes, cut to capacity - 1 bytes and terminated.
void CopyBounded(char* buffer, int capacity, const char* text);

// Reads the next line of the file as one record line (a longer line's rest is dropped) into a
// zero-filled buffer of kImportLineBytes bytes, so positions past the line read as 0. A last
// line without a line break counts as a line (without the CR). False when no line is left.
bool ReadImportLine(CLineFile& file, char* line);

// The plain decimal value of the first `count` characters at `text` (leading blanks, a sign,
// then digits up to the first non-digit), 0 without digits.
int DecimalOf(const char* text, int count);

inline bool IsDigitByte(char c) { return c >= '0' && c <= '9'; }

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_HOST_IMPORT_SOURCE_H_
