// korvale-cli rule: the screening rules of the data root: list, show, set and match.
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "app/app_context.h"
#include "cli/cli.h"
#include "cli/rule_argument.h"
#include "cli/stock_record.h"
#include "screening/condition_catalogue.h"
#include "screening/rule_file.h"
#include "store/cp932.h"
#include "store/file_io.h"

namespace korvale::cli {
namespace {

std::string DoubleText(double v) {
  char buf[40];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17);
  return std::string(buf, r.ptr);
}

// A JSON number; JSON has no infinity, so an infinite threshold (possible in a hand-written
// file) is written as a string.
std::string JsonNumber(double v) {
  return std::isfinite(v) ? DoubleText(v) : JsonQuote(DoubleText(v));
}

// The whole text as a number, else false.
bool ParseNumber(const std::string& text, double* value) {
  if (text.empty()) return false;
  const char* begin = text.data();
  if (*begin == '+') ++begin;
  const auto r = std::from_chars(begin, text.data() + text.size(), *value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size() && !std::isnan(*value);
}

bool ParseType(const std::string& text, int* type) {
  double v;
  if (!ParseNumber(text, &v) || v != std::trunc(v) || v < 0 || v >= kConditionTypeCount) {
    return false;
  }
  *type = static_cast<int>(v);
  return true;
}

// The options each subcommand accepts beyond --root and --set.
bool OnlyOptions(const CliArgs& args, const std::vector<std::string>& allowed) {
  static const std::vector<std::string> all = {"--json",   "--mode",    "--threshold",
                                               "--enable", "--disable", "--param",
                                               "--weight", "--as-of",   "--width"};
  for (const std::string& o : all) {
    if (args.Has(o) && std::find(allowed.begin(), allowed.end(), o) == allowed.end()) {
      PrintError(o + " does not go with this subcommand");
      return false;
    }
  }
  return true;
}

int RunList(const CliArgs& args, const CAppContext& context) {
  const CRuleList& rules = context.rules();
  if (args.Has("--json")) {
    std::printf("[");
    for (int i = 0; i < rules.count; ++i) {
      std::printf("%s%s", i ? ", " : "", JsonQuote(Cp932ToUtf8(rules.sets[i].name)).c_str());
    }
    std::printf("]\n");
    return kExitOk;
  }
  for (int i = 0; i < rules.count; ++i)
    std::printf("%s\n", Cp932ToUtf8(rules.sets[i].name).c_str());
  return kExitOk;
}

void PrintShow(const ConditionSet& set, bool json) {
  const auto& fields = ConditionParamFields();
  if (json) {
    std::printf("{\"name\": %s, \"mode\": %d, \"scoreThreshold\": %s, \"conditions\": [",
                JsonQuote(Cp932ToUtf8(set.name)).c_str(), set.mode,
                JsonNumber(set.scoreThreshold).c_str());
    for (int t = 0; t < kConditionTypeCount; ++t) {
      std::printf(
          "%s\n  {\"type\": %d, \"enabled\": %d, \"name\": %s, \"description\": %s, "
          "\"weight\": %s, \"fields\": {",
          t ? "," : "", t, set.enabled[t], JsonQuote(ConditionTypeName(t)).c_str(),
          JsonQuote(DescribeCondition(set, t)).c_str(), JsonNumber(set.weights[t]).c_str());
      bool first = true;
      for (const ParamField& f : fields) {
        if (f.type != t) continue;
        std::printf("%s%s: %s", first ? "" : ", ", JsonQuote(f.name).c_str(),
                    JsonNumber(GetConditionParam(set, f)).c_str());
        first = false;
      }
      std::printf("}}");
    }
    std::printf("\n]}\n");
    return;
  }
  std::printf("name=%s\nmode=%d\nscoreThreshold=%s\n", Cp932ToUtf8(set.name).c_str(), set.mode,
              DoubleText(set.scoreThreshold).c_str());
  for (int t = 0; t < kConditionTypeCount; ++t) {
    std::printf("%d\t%s\t%s\t%s\tweight=%s", t, set.enabled[t] ? "on" : "off", ConditionTypeName(t),
                DescribeCondition(set, t).c_str(), DoubleText(set.weights[t]).c_str());
    for (const ParamField& f : fields) {
      if (f.type == t)
        std::printf("\t%s=%s", f.name, DoubleText(GetConditionParam(set, f)).c_str());
    }
    std::printf("\n");
  }
}

int RunShow(const CliArgs& args, const CAppContext& context) {
  if (args.Positional().size() != 2) {
    PrintError("rule show needs one NAME or PATH");
    return kExitUsage;
  }
  ConditionSet set;
  if (!ResolveRule(context, args.Positional()[1], &set)) return kExitFailure;
  PrintShow(set, args.Has("--json"));
  return kExitOk;
}

// Applies the editing options to the working copy; false (with the reason printed) on a bad
// value.
bool ApplyEdits(const CliArgs& args, ConditionSet* set) {
  double v;
  if (args.Has("--mode")) {
    const std::string m = args.Value("--mode");
    if (m != "0" && m != "1") {
      PrintError("--mode takes 0 or 1");
      return false;
    }
    set->mode = m[0] - '0';
  }
  if (args.Has("--threshold")) {
    if (!ParseNumber(args.Value("--threshold"), &v)) {
      PrintError("--threshold needs a number");
      return false;
    }
    set->scoreThreshold = v;
  }
  int type;
  for (const std::string& t : args.Values("--enable")) {
    if (!ParseType(t, &type)) {
      PrintError("--enable needs a condition type 0-33: " + t);
      return false;
    }
    set->enabled[type] = 1;
  }
  for (const std::string& t : args.Values("--disable")) {
    if (!ParseType(t, &type)) {
      PrintError("--disable needs a condition type 0-33: " + t);
      return false;
    }
    set->enabled[type] = 0;
  }
  for (const std::string& p : args.Values("--param")) {
    const size_t eq = p.find('=');
    const ParamField* field =
        eq == std::string::npos ? nullptr : FindConditionParamField(p.substr(0, eq));
    if (!field) {
      PrintError("--param needs FIELD=VALUE with a parameter field name: " + p);
      return false;
    }
    if (!ParseNumber(p.substr(eq + 1), &v) ||
        (field->valueType == ParamType::kInt32 && v != std::trunc(v)) ||
        !SetConditionParam(set, *field, v)) {
      PrintError("value out of range for " + std::string(field->name) + ": " + p);
      return false;
    }
  }
  for (const std::string& w : args.Values("--weight")) {
    const size_t eq = w.find('=');
    if (eq == std::string::npos || !ParseType(w.substr(0, eq), &type) ||
        !ParseNumber(w.substr(eq + 1), &v)) {
      PrintError("--weight needs TYPE=W: " + w);
      return false;
    }
    set->weights[type] = v;
  }
  return true;
}

// Why a rule NAME cannot be the title of a rule file; "" when it can.
std::string TitleProblem(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return "a rule NAME is a file name";
  if (name.find('/') != std::string::npos) return "a rule NAME is a file name without '/'";
  // The file name is NAME.ERL, and a file name holds at most 255 bytes.
  if (name.size() + 4 > 255) return "a rule NAME has at most 251 bytes";
  return "";
}

int RunSet(const CliArgs& args, CAppContext* context) {
  if (args.Positional().size() != 2) {
    PrintError("rule set needs one NAME");
    return kExitUsage;
  }
  const std::string title = args.Positional()[1];
  if (const std::string problem = TitleProblem(title); !problem.empty()) {
    PrintError(problem + ": " + title);
    return kExitUsage;
  }
  CRuleList& rules = context->rules();
  const std::string path = rules.RulesFolder() + "/" + title + ".ERL";
  // The rule read from that file, or a new one as the screening window's new-rule button makes.
  int index = -1;
  for (int i = 0; i < rules.count; ++i) {
    if (rules.FilePath(i) == path) index = i;
  }
  if (index < 0) {
    rules.AddNewSet();
    index = rules.count - 1;
    rules.ResetSet(index);
  }
  ConditionSet working = rules.sets[index];
  if (!ApplyEdits(args, &working)) return kExitUsage;
  std::string error;
  if (!rules.SaveSet(index, path, working, &error)) {
    PrintError("cannot save the rule: " + error);
    return kExitFailure;
  }
  std::printf("%s\n", path.c_str());
  return kExitOk;
}

int RunMatch(const CliArgs& args, CAppContext* context) {
  if (args.Positional().size() != 3) {
    PrintError("rule match needs a NAME or PATH and a stock CODE");
    return kExitUsage;
  }
  ConditionSet set;
  if (!ResolveRule(*context, args.Positional()[1], &set)) return kExitFailure;
  AnalysisRecord rec;
  const int status = ComputeStockRecord(args, context, args.Positional()[2], &rec);
  if (status != kExitOk) return status;
  const bool all = MatchesAll(set, rec);
  const double score = Score(set, rec);
  const bool listed = ListedByScreening(set, rec);
  const bool counted = CountedByValidation(set, rec);
  if (args.Has("--json")) {
    std::printf(
        "{\"rule\": %s, \"mode\": %d, \"scoreThreshold\": %s, \"matchesAll\": %s, "
        "\"score\": %s, \"listed\": %s, \"counted\": %s, \"conditions\": [",
        JsonQuote(Cp932ToUtf8(set.name)).c_str(), set.mode, JsonNumber(set.scoreThreshold).c_str(),
        all ? "true" : "false", JsonNumber(score).c_str(), listed ? "true" : "false",
        counted ? "true" : "false");
    bool first = true;
    for (int t = 0; t < kConditionTypeCount; ++t) {
      if (!set.enabled[t]) continue;
      std::printf(
          "%s\n  {\"type\": %d, \"name\": %s, \"description\": %s, \"weight\": %s, "
          "\"holds\": %s}",
          first ? "" : ",", t, JsonQuote(ConditionTypeName(t)).c_str(),
          JsonQuote(DescribeCondition(set, t)).c_str(), JsonNumber(set.weights[t]).c_str(),
          TestCondition(set, t, rec) ? "true" : "false");
      first = false;
    }
    std::printf("\n]}\n");
    return kExitOk;
  }
  std::printf(
      "rule=%s\nmode=%d\nscoreThreshold=%s\nmatchesAll=%d\nscore=%s\nlisted=%d\n"
      "counted=%d\n",
      Cp932ToUtf8(set.name).c_str(), set.mode, DoubleText(set.scoreThreshold).c_str(), all ? 1 : 0,
      DoubleText(score).c_str(), listed ? 1 : 0, counted ? 1 : 0);
  for (int t = 0; t < kConditionTypeCount; ++t) {
    if (!set.enabled[t]) continue;
    std::printf("%d\t%s\t%s\t%s\tweight=%s\n", t, TestCondition(set, t, rec) ? "holds" : "fails",
                ConditionTypeName(t), DescribeCondition(set, t).c_str(),
                DoubleText(set.weights[t]).c_str());
  }
  return kExitOk;
}

int RunRule(const CliArgs& args) {
  if (args.Positional().empty()) {
    PrintError("rule needs a subcommand: list, show, set or match");
    return kExitUsage;
  }
  const std::string sub = args.Positional()[0];
  std::vector<std::string> allowed;
  if (sub == "list" || sub == "show") {
    allowed = {"--json"};
  } else if (sub == "set") {
    allowed = {"--mode", "--threshold", "--enable", "--disable", "--param", "--weight"};
  } else if (sub == "match") {
    allowed = {"--json", "--as-of", "--width"};
  } else {
    PrintError("unknown subcommand " + sub + " (list, show, set or match)");
    return kExitUsage;
  }
  if (!OnlyOptions(args, allowed)) return kExitUsage;
  if (sub == "list" && args.Positional().size() != 1) {
    PrintError("rule list takes no arguments");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  CAppContext context(settings);
  if (sub == "list") return RunList(args, context);
  if (sub == "show") return RunShow(args, context);
  if (sub == "set") return RunSet(args, &context);
  return RunMatch(args, &context);
}

const CommandRegistration kRegistration({
    "rule",
    "the screening rules: list, show, set, match",
    "usage: korvale-cli rule list [--root DIR] [--json]\n"
    "       korvale-cli rule show NAME|PATH [--root DIR] [--json]\n"
    "       korvale-cli rule set NAME [--root DIR] [--mode 0|1] [--threshold X]\n"
    "                        [--enable TYPE]... [--disable TYPE]... [--param FIELD=VALUE]...\n"
    "                        [--weight TYPE=W]...\n"
    "       korvale-cli rule match NAME|PATH CODE [--root DIR] [--as-of YYYY-MM-DD] [--width W]\n"
    "                        [--json]\n"
    "\n"
    "The rules are the files Rules/*.ERL of the data root, loaded as at start-up.\n"
    "  list   the rule names in list order.\n"
    "  show   mode, threshold and, for each of the 34 condition types (0-33), whether it is\n"
    "         on, its name, description, weight and parameter fields. A NAME is a rule of\n"
    "         the list; an argument with '/' or ending in .ERL is a rule file's PATH.\n"
    "  set    changes the rule file Rules/NAME.ERL (created when absent) and saves it as the\n"
    "         screening window saves a rule: --mode, --threshold (the score a stock must\n"
    "         reach in mode 1), --enable/--disable a type, --param FIELD=VALUE by the field\n"
    "         names that show prints (directions: 0 at or above, 1 at or below), --weight\n"
    "         TYPE=W. Prints the file's path.\n"
    "  match  MatchesAll and Score of the rule on the stock's analysis record (as\n"
    "         'korvale-cli record' computes it, --width as there), whether the screening\n"
    "         list shows the stock (listed) and the validation report counts it (counted),\n"
    "         and each enabled type's own result.\n"
    "--set NAME=VALUE overrides a settings field (the periods the descriptions show).\n",
    {{"--json"},
     {"--set", "--mode", "--threshold", "--enable", "--disable", "--param", "--weight", "--as-of",
      "--width"}},
    RunRule,
});

}  // namespace
}  // namespace korvale::cli
