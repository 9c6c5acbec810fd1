// korvale-cli list: the stock list as the main window shows it after one of its fills.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/user_messages.h"
#include "cli/cli.h"
#include "cli/stock_source.h"
#include "store/cp932.h"
#include "store/file_io.h"
#include "store/stock_dictionary.h"
#include "store/stock_list.h"

namespace korvale::cli {
namespace {

// A list file named relative to the current directory, or else to the data root, where the
// program keeps its lists.
std::string ListFilePath(const std::string& given, const std::string& root) {
  if (given.empty() || given[0] == '/' || FileExists(given)) return given;
  const std::string underRoot = root + "/" + given;
  return FileExists(underRoot) ? underRoot : given;
}

// The plain rows are headed by the list's title, which the JSON object carries anyway.
void PrintList(const ShownStockList& list, bool json) {
  if (!json) std::printf("%s\n", Cp932ToUtf8(list.title).c_str());
  PrintRows(list, json);
}

int RunList(const CliArgs& args) {
  int fills = 0;
  for (const char* option : {"--market", "--industry", "--code", "--name", "--open"}) {
    fills += args.Has(option) ? 1 : 0;
  }
  if (fills > 1) {
    PrintError("--market, --industry, --code, --name and --open exclude each other");
    return kExitUsage;
  }
  if (!args.Positional().empty()) {
    PrintError("list takes no positional arguments");
    return kExitUsage;
  }
  int number = 0;
  if (args.Has("--market") && !ParseWholeNumber(args.Value("--market"), 0, 13, &number)) {
    PrintError("--market needs a market code 0-13");
    return kExitUsage;
  }
  if (args.Has("--industry") && !ParseWholeNumber(args.Value("--industry"), 0, 34, &number)) {
    PrintError("--industry needs an industry code 0-34");
    return kExitUsage;
  }
  if (args.Has("--code") && !ParseWholeNumber(args.Value("--code"), 0, 9999, &number)) {
    PrintError("--code needs a number 0-9999");
    return kExitUsage;
  }

  SettingsRecord rec;
  if (!LoadSettings(args, &rec)) return kExitFailure;
  if (!std::filesystem::is_directory(rec.dataRootDir)) {
    PrintError(std::string(rec.dataRootDir) + " is not a folder");
    return kExitFailure;
  }
  const std::unique_ptr<CStockDictionary> opened = OpenStockDictionary(rec);
  if (!opened) return kExitFailure;
  const CStockDictionary& dict = *opened;

  ShownStockList list;
  if (args.Has("--market")) {
    FillMarket(dict, number, &list);
  } else if (args.Has("--industry")) {
    FillIndustry(dict, number, &list);
  } else if (args.Has("--code")) {
    FillCodeRange(dict, number, &list);
  } else if (args.Has("--name")) {
    FillNameSearch(dict, Utf8ToCp932(args.Value("--name")), &list);
  } else if (args.Has("--open")) {
    const std::string path = ListFilePath(args.Value("--open"), rec.dataRootDir);
    if (!OpenListFile(dict, path, &list)) {
      PrintError("the dictionary holds no stocks; " + path + " was not opened");
    } else if (!FileExists(path)) {
      PrintError(path + " cannot open");
      return kExitFailure;
    }
  } else {
    FillAll(dict, &list);
  }

  if (args.Has("--save")) {
    std::string error;
    if (!SaveListFile(dict, list, args.Value("--save"), &error)) {
      PrintError(std::string(kDiskAccessErrorMessage) + " (" + error + ")");
      return kExitFailure;
    }
  }
  PrintList(list, args.Has("--json"));
  return kExitOk;
}

const CommandRegistration kRegistration({
    "list",
    "the stock list after a fill: all, a market, an industry, a code range, a name, a list file",
    "usage: korvale-cli list [--root DIR] [--market N | --industry N | --code N | --name TEXT |\n"
    "                        --open FILE.LST] [--save FILE.LST] [--json]\n"
    "\n"
    "Builds the stock dictionary of the data root (its folders, or in remote mode the peer's\n"
    "stock page) and fills the list as the main window does: every stock, or the stocks of\n"
    "market N (0-13), industry N (0-34), the\n"
    "code range N (1-9 a thousand-block, 10-99 a hundred, 100-999 ten codes, 1000-9999 one\n"
    "code, 0 all), the stocks whose list name contains TEXT, or the lines of a list file (a\n"
    "relative FILE is looked for in the current directory, then in the data root).\n"
    "Prints the window title, then one row per line as the list box shows it (UTF-8).\n"
    "--save writes the shown rows as a list file; a list-file row whose code the dictionary\n"
    "does not hold is written as it was read.\n"
    "--json prints {\"title\": ..., \"rows\": [{\"text\", \"itemData\", \"itemIndex\", "
    "\"code\"}]}.\n",
    {{"--json"}, {"--market", "--industry", "--code", "--name", "--open", "--save", "--set"}},
    RunList,
});

}  // namespace
}  // namespace korvale::cli
