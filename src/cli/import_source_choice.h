// The import-source steps the commands share: loading the sources of the data root, reporting
// the libraries that gave none, and picking one by its 1-based file-type index (--source).
#ifndef KORVALE_CLI_IMPORT_SOURCE_CHOICE_H_
#define KORVALE_CLI_IMPORT_SOURCE_CHOICE_H_

#include <string>

#include "acquisition/import_sources.h"
#include "cli/cli.h"

namespace korvale::cli {

// Prints one "korvale-cli: LIBRARY: REASON (skipped)" line on stderr per library that gave no
// source.
void ReportSkippedLibraries(const ImportSourceList& list);

// Loads the sources of `dataRootDir` and takes the one --source names (default 1), releasing
// the others. Returns kExitOk with the source in `chosen`; kExitFailure when the Plug-ins
// folder holds libraries but none gave a source (the message says so); kExitUsage when the
// index picks none.
int ChooseSourceForCommand(const CliArgs& args, const std::string& dataRootDir,
                           ImportSourcePtr* chosen);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_IMPORT_SOURCE_CHOICE_H_
