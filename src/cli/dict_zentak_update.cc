#include "cli/dict_zentak_update.h"

#include <cstdio>

#include "acquisition/import_dictionary_update.h"
#include "cli/import_source_choice.h"

namespace korvale::cli {

int RunDictZentakUpdate(const CliArgs& args, const SettingsRecord& settings,
                        const std::string& dicPath, const std::string& file) {
  ImportSourcePtr source;
  if (const int status = ChooseSourceForCommand(args, settings.dataRootDir, &source)) {
    return status;
  }
  DictionaryUpdateCounts counts;
  std::string error;
  if (!UpdateDictionaryFromImportFile(*source, file, dicPath, &error, &counts)) {
    PrintError(error);
    return kExitFailure;
  }
  std::printf("zentak update: %d records read, %d records updated, %d records skipped\n",
              counts.lines, counts.updated, counts.skipped);
  return kExitOk;
}

}  // namespace korvale::cli
