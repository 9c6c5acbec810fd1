#include "cli/cli.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/settings_file.h"
#include "store/cp932.h"
#include "store/file_io.h"

namespace korvale::cli {

namespace {
std::map<std::string, Command>& Registry() {
  static std::map<std::string, Command> commands;
  return commands;
}

bool Contains(const std::vector<std::string>& list, const std::string& s) {
  for (const auto& x : list) {
    if (x == s) return true;
  }
  return false;
}
}  // namespace

CommandRegistration::CommandRegistration(Command command) {
  std::string name = command.name;
  Registry()[name] = std::move(command);
}

const std::map<std::string, Command>& Commands() { return Registry(); }

bool CliArgs::Parse(const std::vector<std::string>& argv, const OptionSpec& accepted) {
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (a.size() < 2 || a.compare(0, 2, "--") != 0) {
      positional_.push_back(a);
      continue;
    }
    std::string name = a, inlineValue;
    bool hasInline = false;
    if (size_t eq = a.find('='); eq != std::string::npos) {
      name = a.substr(0, eq);
      inlineValue = a.substr(eq + 1);
      hasInline = true;
    }
    const bool takesValue = name == "--root" || Contains(accepted.values, name);
    if (!takesValue && name != "--help" && !Contains(accepted.flags, name)) {
      error_ = "unknown option " + name;
      return false;
    }
    ++seen_[name];
    if (!takesValue) {
      if (hasInline) {
        error_ = name + " takes no value";
        return false;
      }
      continue;
    }
    if (hasInline) {
      values_[name].push_back(inlineValue);
    } else if (i + 1 < argv.size()) {
      values_[name].push_back(argv[++i]);
    } else {
      error_ = name + " needs a value";
      return false;
    }
  }
  return true;
}

std::string CliArgs::Value(const std::string& name, const std::string& fallback) const {
  auto it = values_.find(name);
  return it == values_.end() || it->second.empty() ? fallback : it->second.back();
}

std::vector<std::string> CliArgs::Values(const std::string& name) const {
  auto it = values_.find(name);
  return it == values_.end() ? std::vector<std::string>{} : it->second;
}

std::string CliArgs::Root() const {
  std::string root = Value("--root");
  std::error_code ec;
  if (root.empty()) return std::filesystem::current_path(ec).string();
  auto abs = std::filesystem::absolute(root, ec);
  return ec ? root : abs.lexically_normal().string();
}

void PrintError(const std::string& message) {
  std::fprintf(stderr, "korvale-cli: %s\n", message.c_str());
}

bool LoadStartSettings(const CliArgs& args, SettingsRecord* rec, std::vector<SettingsMend>* mends) {
  std::string root = args.Root();
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  std::string error;
  std::vector<SettingsMend> mended;
  if (!LoadSettingsAtStart(root, DefaultRootDirStorePath(), rec, &error, &mended)) {
    PrintError(error);
    return false;
  }
  for (const SettingsMend& mend : mended) PrintError("note: " + mend.warning);
  if (mends) *mends = std::move(mended);
  return true;
}

bool LoadSettings(const CliArgs& args, SettingsRecord* rec) {
  if (!LoadStartSettings(args, rec)) return false;
  for (const std::string& assignment : args.Values("--set")) {
    size_t eq = assignment.find('=');
    const SettingsField* field =
        eq == std::string::npos ? nullptr : FindSettingsField(assignment.substr(0, eq));
    if (!field) {
      PrintError("--set needs NAME=VALUE with a settings field name: " + assignment);
      return false;
    }
    std::string value = assignment.substr(eq + 1);
    // Texts are typed in UTF-8 and kept in cp932; one that cp932 cannot hold is refused
    // rather than stored with '?' in place of its characters.
    if (field->type == SettingsFieldType::kString) {
      const std::string cp932 = Utf8ToCp932(value);
      if (Cp932ToUtf8(cp932) != value) {
        PrintError("value not expressible in Shift-JIS for " + std::string(field->name));
        return false;
      }
      value = cp932;
    }
    if (!SetSettingsFieldText(rec, *field, value)) {
      PrintError("value out of range for " + std::string(field->name) + ": " + assignment);
      return false;
    }
  }
  return true;
}

bool ReportReadProblems(const CPriceSeries& series) {
  const std::vector<std::string> problems = series.readProblems();
  for (size_t i = 0; i < problems.size(); ++i) {
    // The price problem comes first; when the file was refused it is the failure itself.
    PrintError((i == 0 && series.priceFileRefused() ? "" : "note: ") + problems[i]);
  }
  return !series.priceFileRefused();
}

bool ParseWholeNumber(const std::string& text, int low, int high, int* value) {
  if (text.empty() || text.size() > 6) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < low || v > high) return false;
  *value = v;
  return true;
}

bool OutputOption(const CliArgs& args, std::string* out, std::vector<std::string>* rest) {
  *out = args.Value("--output");
  const std::vector<std::string>& positional = args.Positional();
  for (size_t i = 0; i < positional.size(); ++i) {
    if (positional[i] == "-o") {
      if (i + 1 >= positional.size()) return false;
      *out = positional[++i];
    } else {
      rest->push_back(positional[i]);
    }
  }
  return true;
}

bool ParseCode(const std::string& text, int* code, int lowest) {
  if (text.empty() || text.size() > 4) return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  if (v < lowest) return false;
  *code = v;
  return true;
}

bool ParseDate(const std::string& text, int* year, int* month, int* day) {
  int y, m, d;
  char tail;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &m, &d, &tail) != 3) return false;
  if (text.size() != 10 || m < 1 || m > 12 || d < 1 || d > 31) return false;
  *year = y;
  *month = m;
  *day = d;
  return true;
}

bool ParseMonth(const std::string& text, int* year, int* month) {
  if (text.size() != 7 || text[4] != '-') return false;
  int y, m;
  if (!ParseWholeNumber(text.substr(0, 4), 0, 9999, &y) ||
      !ParseWholeNumber(text.substr(5), 1, 12, &m)) {
    return false;
  }
  *year = y;
  *month = m;
  return true;
}

bool AsOfOption(const CliArgs& args, StockLoadLimit* limit) {
  *limit = StockLoadLimit{};
  if (!args.Has("--as-of")) return true;
  if (ParseDate(args.Value("--as-of"), &limit->year, &limit->month, &limit->day)) {
    limit->asOf = true;
    return true;
  }
  PrintError("--as-of needs a date YYYY-MM-DD");
  return false;
}

std::string ListFilePath(const std::string& given, const std::string& root) {
  if (given.empty() || given[0] == '/' || FileExists(given)) return given;
  const std::string underRoot = root + "/" + given;
  return FileExists(underRoot) ? underRoot : given;
}

std::string JsonQuote(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

void PrintRows(const ShownStockList& list, bool json) {
  if (!json) {
    for (const StockListRow& row : list.rows) std::printf("%s\n", Cp932ToUtf8(row.text).c_str());
    return;
  }
  std::printf("{\"title\": %s, \"rows\": [", JsonQuote(Cp932ToUtf8(list.title)).c_str());
  for (size_t i = 0; i < list.rows.size(); ++i) {
    const StockListRow& row = list.rows[i];
    std::printf("%s\n  {\"text\": %s, \"itemData\": %d, \"itemIndex\": %d, \"code\": %d}",
                i ? "," : "", JsonQuote(Cp932ToUtf8(row.text)).c_str(), row.itemData, row.itemIndex,
                row.code);
  }
  std::printf("\n]}\n");
}

}  // namespace korvale::cli
