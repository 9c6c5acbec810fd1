// The command-line front end: commands register themselves by name; each parses its own
// options with CliArgs and returns 0 success, 1 failure, 2 usage.
#ifndef KORVALE_CLI_CLI_H_
#define KORVALE_CLI_CLI_H_

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "store/settings_record.h"
#include "store/stock_files.h"
#include "store/stock_list.h"

namespace korvale::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Options a command accepts: flags take no value, values take one (repeatable ones collect
// every occurrence). --root and --help are accepted by every command.
struct OptionSpec {
  std::vector<std::string> flags;
  std::vector<std::string> values;
};

class CliArgs {
 public:
  // Parses argv (after the command name). False with a message in error() on unknown options
  // or missing values.
  bool Parse(const std::vector<std::string>& argv, const OptionSpec& accepted);

  bool Has(const std::string& name) const { return seen_.count(name) > 0; }
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  std::vector<std::string> Values(const std::string& name) const;
  const std::vector<std::string>& Positional() const { return positional_; }
  const std::string& error() const { return error_; }
  // The data root: --root, else the current directory.
  std::string Root() const;

 private:
  std::map<std::string, std::vector<std::string>> values_;
  std::map<std::string, int> seen_;
  std::vector<std::string> positional_;
  std::string error_;
};

struct Command {
  std::string name;
  std::string summary;  // one line for the command list
  std::string usage;    // the whole --help text
  OptionSpec options;
  std::function<int(const CliArgs&)> run;
};

// Registers a command at static-initialisation time.
struct CommandRegistration {
  explicit CommandRegistration(Command command);
};

const std::map<std::string, Command>& Commands();

// The settings of the data root as at start-up, then every --set NAME=VALUE applied (texts
// typed in UTF-8, kept in cp932). Prints the reason to stderr and returns false on failure.
bool LoadSettings(const CliArgs& args, SettingsRecord* rec);
// The settings of the data root as at start-up, without the --set overrides. Prints the reason
// to stderr and returns false on failure.
bool LoadStartSettings(const CliArgs& args, SettingsRecord* rec);

// Reports a failure on stderr ("korvale-cli: ...").
void PrintError(const std::string& message);

// Parses a whole decimal number of one to six digits, no sign, in [low, high]. False on
// anything else.
bool ParseWholeNumber(const std::string& text, int low, int high, int* value);

// The output file of "-o FILE" (which the option parser leaves among the positional arguments)
// or --output FILE; the other positional arguments go to `rest`. False when "-o" has no file.
// `out` stays empty when neither is given.
bool OutputOption(const CliArgs& args, std::string* out, std::vector<std::string>* rest);

// Parses a securities code: one to four digits, at least `lowest`. False on anything else.
bool ParseCode(const std::string& text, int* code, int lowest = 1);

// Parses YYYY-MM-DD. False on anything else.
bool ParseDate(const std::string& text, int* year, int* month, int* day);

// The date of "--as-of YYYY-MM-DD" as a load limit (none when the option is absent). Prints the
// reason and returns false for anything that is not such a date.
bool AsOfOption(const CliArgs& args, StockLoadLimit* limit);

// JSON string literal of UTF-8 text.
std::string JsonQuote(const std::string& utf8);

// Prints the rows of a stock list (UTF-8), one per line; with --json one object {"title",
// "rows": [{"text", "itemData", "itemIndex", "code"}]}.
void PrintRows(const ShownStockList& list, bool json);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_CLI_H_
