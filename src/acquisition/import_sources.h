// Finding, offering and releasing the import sources, and opening a daily file through one.
#ifndef KORVALE_ACQUISITION_IMPORT_SOURCES_H_
#define KORVALE_ACQUISITION_IMPORT_SOURCES_H_

#include <memory>
#include <string>
#include <vector>

#include "acquisition/import_source.h"

namespace korvale {

// Releases a source: destroys the object through its virtual destructor, then unloads the
// library that made it (when it came from one). The library is never unloaded first, since
// the object's code lives in it.
void ReleaseImportSource(CImportSource* source);

struct ImportSourceDeleter {
  void operator()(CImportSource* source) const { ReleaseImportSource(source); }
};
using ImportSourcePtr = std::unique_ptr<CImportSource, ImportSourceDeleter>;

// A library of the Plug-ins folder that gave no source.
struct SkippedLibrary {
  std::string path;
  std::string reason;
};

// What LoadImportSources found. Releasing the list (or letting it go out of scope) releases
// every source still in it.
struct ImportSourceList {
  std::vector<ImportSourcePtr> sources;
  std::vector<std::string> libraries;  // the library of each source; "" for the built-in one
  int libraryFiles = 0;                // library files in the folder, loadable or not
  std::vector<SkippedLibrary> skipped;
};

// "<dataRootDir>/Plug-ins".
std::string PluginFolder(const std::string& dataRootDir);

// Loads every file of "<dataRootDir>/Plug-ins" whose name ends in ".so" (compared without
// regard to case; folders never count), in byte order of the names, and makes one source from
// each library's CreateXInputInstance. A library that does not load, lacks the export or whose
// factory gives null is unloaded and listed in `skipped`. When the folder holds no library file
// at all (or cannot be read), the list is the built-in CZentakFileSource alone. When library
// files exist but none gives a source, the list is empty: the built-in source is not offered
// then (see kNoImportSourceMessage).
ImportSourceList LoadImportSources(const std::string& dataRootDir);

// One file type of the open-file dialog, as a source describes it.
struct ImportFileType {
  std::string description;            // UTF-8
  std::string pattern;                // e.g. "ds*.*;kd*"
  std::vector<std::string> patterns;  // the same split at ";", e.g. {"ds*.*", "kd*"}
};

// GetFileFilter of every source, in list order.
std::vector<ImportFileType> ImportFileTypes(const ImportSourceList& list);

// The dialog's filter text: "%s (%s)|%s|" per type with (description, pattern, pattern), then
// a final "|", within kImportFilterBufferBytes bytes including a terminator. Types whose entry
// would not fit are left off (they are always the last ones, so the 1-based index of an
// offered type still picks list entry index - 1); `typesOffered` (may be null) gets how many
// are in the text.
std::string BuildImportFilter(const std::vector<ImportFileType>& types, int* typesOffered);
inline constexpr int kImportFilterBufferBytes = 512;

// The open-file dialog's default extension.
inline constexpr const char* kImportDefaultExtension = "DAT";

// Takes the source picked by the 1-based file-type index out of the list and releases all the
// others. Null, with every source released, when the index picks none.
ImportSourcePtr ChooseImportSource(ImportSourceList* list, int fileTypeIndex);

// Opens `path` for reading through `source`: ReadHeader, CountRecords (its value into `count`),
// SkipHeader. Returns the file positioned at the first data line, or null when the file does
// not open, its header is not of the source's kind, or a file error occurs (a count of 0 is
// one). The caller then calls ReadRecord `count` times.
std::unique_ptr<CLineFile> OpenImportFile(CImportSource& source, const std::string& path,
                                          int* count);

// One record as ReadRecord yields it.
struct ImportRecord {
  int32_t code = 0;
  char name[kImportNameBytes] = {};
  int32_t market = 0;
  int32_t year = 0, month = 0, day = 0;
  int32_t open = 0, high = 0, low = 0, close = 0, volume = 0;
};

// Calls the source's ReadRecord with the places of `record`. False when the source threw (a
// plug-in's fault), which callers treat as a record that yields nothing.
bool ReadImportRecord(CImportSource& source, CLineFile& file, ImportRecord* record);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_IMPORT_SOURCES_H_
