// korvale-cli settings: the settings record in effect after the start-up load.
#include <cstdio>

#include "cli/cli.h"
#include "store/cp932.h"

namespace korvale::cli {
namespace {

int RunSettings(const CliArgs& args) {
  SettingsRecord rec;
  if (!LoadSettings(args, &rec)) return kExitFailure;
  const bool json = args.Has("--json");
  if (json) std::printf("{");
  bool first = true;
  for (const SettingsField& f : SettingsFields()) {
    std::string value = SettingsFieldText(rec, f);
    if (f.type == SettingsFieldType::kString) value = Cp932ToUtf8(value);
    if (json) {
      const bool quoted = f.type == SettingsFieldType::kString;
      std::printf("%s\n  %s: %s", first ? "" : ",", JsonQuote(f.name).c_str(),
                  quoted ? JsonQuote(value).c_str() : value.c_str());
    } else {
      std::printf("%s=%s\n", f.name, value.c_str());
    }
    first = false;
  }
  if (json) std::printf("\n}\n");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "settings",
    "the settings record in effect after the start-up load",
    "usage: korvale-cli settings [--root DIR] [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Loads the settings file of the data root as the program does at start-up and prints\n"
    "every field, one name=value per line (strings in UTF-8), or as one JSON object.\n"
    "--set NAME=VALUE overrides a field after the load.\n",
    {{"--json"}, {"--set"}},
    RunSettings,
});

}  // namespace
}  // namespace korvale::cli
