#include "cli/import_source_choice.h"

#include <cstdlib>

#include "app/user_messages.h"

namespace korvale::cli {

void ReportSkippedLibraries(const ImportSourceList& list) {
  for (const SkippedLibrary& s : list.skipped) {
    PrintError(s.path + ": " + s.reason + " (skipped)");
  }
}

int ChooseSourceForCommand(const CliArgs& args, const std::string& dataRootDir,
                           ImportSourcePtr* chosen) {
  ImportSourceList list = LoadImportSources(dataRootDir);
  ReportSkippedLibraries(list);
  if (list.sources.empty()) {
    PrintError(kNoImportSourceMessage);
    return kExitFailure;
  }
  const std::string text = args.Value("--source", "1");
  char* end = nullptr;
  const long index = std::strtol(text.c_str(), &end, 10);
  const int count = static_cast<int>(list.sources.size());
  if (text.empty() || *end != '\0' || index < 1 || index > count) {
    PrintError("--source takes a source number from 1 to " + std::to_string(count) +
               " (see korvale-cli sources)");
    return kExitUsage;
  }
  *chosen = ChooseImportSource(&list, static_cast<int>(index));
  return kExitOk;
}

}  // namespace korvale::cli
