// korvale-cli dict zentak-update: the dictionary update from another program's daily file,
// read through an import source. Kept apart from the other dict subcommands, which belong to
// the dictionary file's own code.
#ifndef KORVALE_CLI_DICT_ZENTAK_UPDATE_H_
#define KORVALE_CLI_DICT_ZENTAK_UPDATE_H_

#include <string>

#include "cli/cli.h"

namespace korvale::cli {

// Reads `file` through the source --source names (default 1) and writes each record's code,
// market and name into the dictionary at `dicPath`. Prints the counts; returns an exit code.
int RunDictZentakUpdate(const CliArgs& args, const SettingsRecord& settings,
                        const std::string& dicPath, const std::string& file);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_DICT_ZENTAK_UPDATE_H_
