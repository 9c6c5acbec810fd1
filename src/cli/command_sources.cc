// korvale-cli sources: the import sources the update commands offer, in list order.
#include <cstdio>

#include "app/user_messages.h"
#include "cli/cli.h"
#include "cli/import_source_choice.h"

namespace korvale::cli {
namespace {

int RunSources(const CliArgs& args) {
  if (!args.Positional().empty()) {
    PrintError("sources takes no arguments");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  const ImportSourceList list = LoadImportSources(settings.dataRootDir);
  ReportSkippedLibraries(list);
  const std::vector<ImportFileType> types = ImportFileTypes(list);
  if (args.Has("--filter")) {
    int offered = 0;
    std::printf("%s\n", BuildImportFilter(types, &offered).c_str());
    if (offered < static_cast<int>(types.size())) {
      PrintError("the filter has room for " + std::to_string(offered) + " of " +
                 std::to_string(types.size()) + " sources");
    }
  } else if (args.Has("--json")) {
    std::printf("{\"libraryFiles\": %d, \"sources\": [", list.libraryFiles);
    for (size_t i = 0; i < types.size(); ++i) {
      std::printf("%s\n  {\"index\": %zu, \"description\": %s, \"pattern\": %s, \"library\": %s}",
                  i ? "," : "", i + 1, JsonQuote(types[i].description).c_str(),
                  JsonQuote(types[i].pattern).c_str(), JsonQuote(list.libraries[i]).c_str());
    }
    std::printf("\n], \"skipped\": [");
    for (size_t i = 0; i < list.skipped.size(); ++i) {
      std::printf("%s\n  {\"library\": %s, \"reason\": %s}", i ? "," : "",
                  JsonQuote(list.skipped[i].path).c_str(),
                  JsonQuote(list.skipped[i].reason).c_str());
    }
    std::printf("\n]}\n");
  } else {
    for (size_t i = 0; i < types.size(); ++i) {
      std::printf("%zu\t%s\t%s\t%s\n", i + 1, types[i].description.c_str(),
                  types[i].pattern.c_str(),
                  list.libraries[i].empty() ? "built-in" : list.libraries[i].c_str());
    }
  }
  if (list.sources.empty()) {
    PrintError(kNoImportSourceMessage);
    return kExitFailure;
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "sources",
    "the import sources of the data root (Plug-ins libraries or the built-in source)",
    "usage: korvale-cli sources [--root DIR] [--filter | --json]\n"
    "\n"
    "Loads the import sources as the update commands do: every library named *.so (any case)\n"
    "in <root>/Plug-ins, or the built-in Zentak source when that folder holds no library\n"
    "file. Prints one line per source in list order,\n"
    "  NUMBER<TAB>DESCRIPTION<TAB>PATTERN<TAB>LIBRARY or built-in\n"
    "where NUMBER is what --source of update and dict zentak-update takes. Libraries that\n"
    "gave no source are reported on stderr. --filter prints the open-file dialog's filter\n"
    "text instead. Exits 1 when the folder holds libraries but none gave a source.\n",
    {{"--filter", "--json"}, {"--set"}},
    RunSources,
});

}  // namespace
}  // namespace korvale::cli
