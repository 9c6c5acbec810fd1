// korvale-cli check: the consistency check of every stock's price file, the failing stocks as
// the stock list would show them.
#include <cstdio>

#include "acquisition/consistency_check_job.h"
#include "cli/batch_progress.h"
#include "cli/cli.h"
#include "store/stock_dictionary.h"

namespace korvale::cli {
namespace {

int RunCheck(const CliArgs& args) {
  if (!args.Positional().empty()) {
    PrintError("check takes no arguments");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  if (!dictionary.nameTableError.empty()) PrintError(dictionary.nameTableError);
  CConsistencyCheckJob job(dictionary);
  const BatchStatus status = RunWithProgress(&job);
  ReportNotes(job, status);
  if (job.unreadable() > 0) {
    PrintError("note: " + std::to_string(job.unreadable()) +
               " stocks' price files did not open and were passed over");
  }
  PrintRows(job.list(), args.Has("--json"));
  return status == BatchStatus::kFinished ? kExitOk : kExitFailure;
}

const CommandRegistration kCheck({
    "check",
    "the stocks whose price file holds an implausible bar",
    "usage: korvale-cli check [--root DIR] [--json]\n"
    "\n"
    "Loads every stock's price file and prints the stocks with a bar that fails the\n"
    "plausibility rules (prices in order and non-zero, close within half and double the open,\n"
    "no price halving or doubling from one day to the next), one row \"%04d %s\" (code and list\n"
    "name) each, as the stock list shows them after \"株価整合性チェック\". Exit 0 also when\n"
    "some stocks fail. --json gives {\"title\", \"rows\": [{\"text\", \"itemData\", "
    "\"itemIndex\",\n"
    "\"code\"}]}.\n",
    {{"--json"}, {"--set"}},
    RunCheck,
});

}  // namespace
}  // namespace korvale::cli
