// korvale-cli update and margin-update: the batch price and margin updates, run by the same
// job objects as the progress dialogs, with a progress line on stderr.
#include <cstdio>
#include <memory>

#include "acquisition/margin_update_job.h"
#include "acquisition/price_update_job.h"
#include "cli/batch_progress.h"
#include "cli/cli.h"
#include "cli/import_source_choice.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace korvale::cli {
namespace {

int Report(const CUpdateJob& job, UpdateJobStatus status, bool json, bool price) {
  const UpdateCounts& c = job.counts();
  ReportNotes(job, status);
  if (json) {
    std::printf(
        "{\"status\": \"%s\", \"files\": %d, \"filesDone\": %d, \"filesKept\": %d, "
        "\"records\": %d, \"applied\": %d, \"skipped\": %d, \"writeFailures\": %d",
        StatusName(status), job.fileCount(), c.filesDone, c.filesKept, c.records, c.applied,
        c.skipped, c.writeFailures);
    if (price) std::printf(", \"newStocks\": %d", c.newStocks);
    std::printf(", \"message\": %s, \"notes\": [", JsonQuote(job.message()).c_str());
    for (size_t i = 0; i < job.notes().size(); ++i) {
      std::printf("%s%s", i ? ", " : "", JsonQuote(job.notes()[i]).c_str());
    }
    std::printf("]}\n");
  } else {
    std::printf("files %d of %d done, records read %d, applied %d, skipped %d", c.filesDone,
                job.fileCount(), c.records, c.applied, c.skipped);
    if (c.writeFailures) {
      std::printf(", write failures %d (%d %s kept %s name)", c.writeFailures, c.filesKept,
                  c.filesKept == 1 ? "file" : "files", c.filesKept == 1 ? "its" : "their");
    }
    if (price) std::printf(", new stocks %d", c.newStocks);
    std::printf("\n");
  }
  // A record that could not be written is a failure even though the job went on to the end.
  return job.Succeeded() ? kExitOk : kExitFailure;
}

int RunUpdate(const CliArgs& args) {
  if (args.Positional().empty()) {
    PrintError("update needs one or more FILEs");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadLocalSettings(args, "update", &settings)) return kExitFailure;
  ImportSourcePtr source;
  if (const int status = ChooseSourceForCommand(args, settings.dataRootDir, &source)) {
    return status;
  }
  CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  if (!dictionary.nameTableError.empty()) PrintError(dictionary.nameTableError);
  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  ImportOptions options;
  options.addUnregistered = args.Has("--add-unregistered") ? 1 : 0;
  options.completeUpdate = args.Has("--complete") ? 1 : 0;
  CPriceUpdateJob job(std::move(source), &dictionary, &folders, settings.dataRootDir, options,
                      args.Positional());
  const UpdateJobStatus status = RunWithProgress(&job);
  return Report(job, status, args.Has("--json"), true);
}

int RunMarginUpdate(const CliArgs& args) {
  if (args.Positional().empty()) {
    PrintError("margin-update needs one or more FILEs");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadLocalSettings(args, "margin-update", &settings)) return kExitFailure;
  CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  CMarginUpdateJob job(&dictionary, &folders, args.Positional());
  const UpdateJobStatus status = RunWithProgress(&job);
  return Report(job, status, args.Has("--json"), false);
}

const CommandRegistration kUpdate({
    "update",
    "merge daily price files of another program into the price files",
    "usage: korvale-cli update [--root DIR] [--add-unregistered] [--complete]\n"
    "                          [--source NUMBER] [--json] FILE...\n"
    "\n"
    "Reads each FILE through an import source (NUMBER as listed by korvale-cli sources,\n"
    "default 1) and adds its records to the stocks' price files: appended at the end, or with\n"
    "--complete merged by date (the file is reloaded, sorted and rewritten; a record replaces\n"
    "a stored day of the same date). A record needs a code of 1-9999 and a positive open.\n"
    "--add-unregistered creates the price file of a stock that has none, in its\n"
    "thousand-block folder Data/NNNN, and names it in the dictionary when it is unnamed;\n"
    "without it such records are skipped. Files are handled in byte order of their paths;\n"
    "each file handled to its end is renamed \"_\" + its name (an existing file of that name\n"
    "is never replaced) unless a record of it could not be written: such a file keeps its\n"
    "name and the exit status is 1. The progress goes to stderr, a summary of records read,\n"
    "applied and skipped to stdout. A missing data root, or a file that cannot be opened or\n"
    "is not of the source's kind, stops the update with exit 1. Local mode only.\n",
    {{"--add-unregistered", "--complete", "--json"}, {"--source", "--set"}},
    RunUpdate,
});

const CommandRegistration kMarginUpdate({
    "margin-update",
    "append weekly margin balances from margin files (SZ... or YS...)",
    "usage: korvale-cli margin-update [--root DIR] [--json] FILE...\n"
    "\n"
    "Appends one margin record per line of each FILE to the stock's margin file (the one the\n"
    "dictionary's scan found, else Data/SZ/SZnnnn.SDT). The date comes from the file name:\n"
    "SZyymmdd... (years 00-69 are 2000-2069) or YSyyyymm?dd... (whose first two lines are a\n"
    "header). A line gives the code and, after the first comma from position 5 on (7 in the\n"
    "YS form), the sell and buy balances. Lines with a code outside 1-9999 are skipped.\n"
    "Files are handled in byte order of their paths and renamed \"_\" + their name when done;\n"
    "a file some of whose lines could not be written keeps its name, and the exit status is\n"
    "1. A missing data root, or a file named in neither form or that cannot be opened, stops\n"
    "the update with exit 1. Local mode only.\n",
    {{"--json"}, {"--set"}},
    RunMarginUpdate,
});

}  // namespace
}  // namespace korvale::cli
