// The dictionary update from another program's daily file (menu "Zentakファイルから辞書更新"):
// each record's code, market and name go into the dictionary file.
#ifndef KORVALE_ACQUISITION_IMPORT_DICTIONARY_UPDATE_H_
#define KORVALE_ACQUISITION_IMPORT_DICTIONARY_UPDATE_H_

#include <string>

#include "acquisition/import_source.h"
#include "store/dictionary_text.h"

namespace korvale {

// Reads `path` through `source` (OpenImportFile, then every record, also past the count when
// the file holds more lines) and, for each record with a code of 1-9999 and a name, sets the
// code field, the market (the low byte of the source's value) and the name (cut to 47 bytes) of
// that code's record in the dictionary file at `dicPath`; the record's other fields stay. A
// record without a name is skipped rather than blank a stock's name. A missing dictionary file
// is created empty first; the file is rewritten once, atomically, and only when a record
// changed or it did not exist. Returns 1; 0 with the reason in `error` ("%s cannot open" for an
// input the source does not take) when the input or the dictionary cannot be used. `counts`
// (may be null): records read, records written, records skipped.
int UpdateDictionaryFromImportFile(CImportSource& source, const std::string& path,
                                   const std::string& dicPath, std::string* error = nullptr,
                                   DictionaryUpdateCounts* counts = nullptr);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_IMPORT_DICTIONARY_UPDATE_H_
