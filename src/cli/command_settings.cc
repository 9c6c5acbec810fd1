// korvale-cli settings: the settings record in effect after the start-up load, and its save
// with the settings dialog's rules.
#include <cstdio>

#include "app/settings_file.h"
#include "app/user_messages.h"
#include "cli/cli.h"
#include "store/cp932.h"
#include "store/settings_field_rules.h"

namespace korvale::cli {
namespace {

// Applies every --set as the settings dialog's fields take values, then saves as the dialog's
// "設定を保存" does. Returns the exit status: 2 for a value the dialog would refuse (the file is
// then not touched), 1 when the file cannot be written.
int SetAndSave(const CliArgs& args, SettingsRecord* rec) {
  if (!LoadStartSettings(args, rec)) return kExitFailure;
  for (const std::string& assignment : args.Values("--set")) {
    const size_t eq = assignment.find('=');
    const std::string name = assignment.substr(0, eq);
    const SettingsFieldRule* rule = eq == std::string::npos ? nullptr : FindSettingsFieldRule(name);
    if (!rule) {
      PrintError(FindSettingsField(name) && eq != std::string::npos
                     ? name + " is not a field of the settings dialog and is not saved"
                     : "--set needs NAME=VALUE with a settings field name: " + assignment);
      return kExitUsage;
    }
    const std::string value = assignment.substr(eq + 1);
    const SettingsValueCheck check = SetCheckedSettingsValue(rec, *rule, value);
    if (check == SettingsValueCheck::kAccepted) continue;
    const bool text = rule->control == SettingsControl::kText;
    const char* what = check == SettingsValueCheck::kNotANumber ? " is not a number"
                       : check == SettingsValueCheck::kNotCp932
                           ? " holds characters Shift-JIS cannot hold"
                           : " is refused";
    PrintError(name + ": " + (text ? "the text" : "\"" + value + "\"") + what + "; it takes " +
               SettingsRangeText(*rule));
    return kExitUsage;
  }
  // A value the file brought that the dialog would refuse is refused here too.
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    if (SettingsFieldAccepted(*rec, rule)) continue;
    PrintError(std::string(rule.field->name) + " holds " +
               Cp932ToUtf8(SettingsFieldText(*rec, *rule.field)) + "; it takes " +
               SettingsRangeText(rule) + " (set it with --set)");
    return kExitUsage;
  }
  ApplyDialogWindowSizes(rec);
  std::string error;
  if (!SaveSettings(*rec, DefaultRootDirStorePath(), &error)) {
    PrintError(std::string(kDiskAccessErrorMessage) + " " + error);
    return kExitFailure;
  }
  return kExitOk;
}

int RunSettings(const CliArgs& args) {
  SettingsRecord rec;
  if (args.Has("--save")) {
    if (const int status = SetAndSave(args, &rec); status != kExitOk) return status;
  } else if (!LoadSettings(args, &rec)) {
    return kExitFailure;
  }
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
    "the settings record in effect after the start-up load; --save writes it",
    "usage: korvale-cli settings [--root DIR] [--set NAME=VALUE]... [--save] [--json]\n"
    "\n"
    "Loads the settings file of the data root as the program does at start-up and prints\n"
    "every field, one name=value per line (strings in UTF-8), or as one JSON object.\n"
    "--set NAME=VALUE overrides a field after the load (texts in UTF-8).\n"
    "--save takes the overrides as the settings dialog takes its fields (only the fields the\n"
    "dialog edits; numbers in the dialog's ranges, texts within their fields) and writes\n"
    "Korvale2.INI as the dialog's save button does, with the chosen data source, server and\n"
    "root folder in the slots of the values in effect; the root folder is also kept for the\n"
    "dialog. A refused value names the field and what it takes, exits with status 2 and\n"
    "leaves the file as it was.\n",
    {{"--json", "--save"}, {"--set"}},
    RunSettings,
});

}  // namespace
}  // namespace korvale::cli
