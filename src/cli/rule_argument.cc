#include "cli/rule_argument.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "cli/cli.h"
#include "screening/rule_file.h"
#include "screening/rule_list.h"
#include "store/file_io.h"

namespace korvale::cli {

bool LooksLikePath(const std::string& arg) {
  if (arg.find('/') != std::string::npos) return true;
  if (arg.size() < 4) return false;
  std::string tail = arg.substr(arg.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".erl";
}

bool ResolveRule(const CAppContext& context, const std::string& arg, ConditionSet* out) {
  if (LooksLikePath(arg)) {
    if (!FileExists(arg)) {
      PrintError(arg + " cannot open");
      return false;
    }
    InitConditionSet(out, context.settings());
    SetConditionSetName(out, RuleNameFromTitle(std::filesystem::path(arg).stem().string()));
    if (!ReadRuleFileOver(arg, out)) {
      PrintError(arg + " cannot open");
      return false;
    }
    return true;
  }
  const int index = context.rules().FindByName(RuleNameFromTitle(arg));
  if (index < 0) {
    PrintError("no rule named " + arg + " in " + context.rules().RulesFolder());
    return false;
  }
  *out = context.rules().sets[index];
  return true;
}

}  // namespace korvale::cli
