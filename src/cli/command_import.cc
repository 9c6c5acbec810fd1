// korvale-cli import and vendor-import: a bulk price file, or the other data tool's daily price
// download, read into the price files by the rules of the price update.
#include <cstdio>
#include <type_traits>

#include "acquisition/bulk_import_job.h"
#include "acquisition/vendor_import_job.h"
#include "cli/batch_progress.h"
#include "cli/cli.h"
#include "store/stock_dictionary.h"
#include "store/store_folders.h"

namespace korvale::cli {
namespace {

int Report(const CLineImportJob& job, BatchStatus status, bool json, const std::string& extra) {
  ReportNotes(job, status);
  const LineImportCounts& c = job.counts();
  const BarStoreCounts& s = job.storeCounts();
  if (json) {
    std::printf(
        "{\"status\": \"%s\", \"lines\": %d, \"skippedLines\": %d, \"bars\": %lld, "
        "\"applied\": %d, \"skipped\": %d, \"writeFailures\": %d, \"newStocks\": %d%s, "
        "\"message\": %s, \"notes\": [",
        StatusName(status), c.lines, c.skippedLines, c.bars, s.applied, s.skipped, s.writeFailures,
        s.newStocks, extra.c_str(), JsonQuote(job.message()).c_str());
    for (size_t i = 0; i < job.notes().size(); ++i) {
      std::printf("%s%s", i ? ", " : "", JsonQuote(job.notes()[i]).c_str());
    }
    std::printf("]}\n");
  } else {
    std::printf("lines %d (skipped %d), bars read %lld, applied %d, skipped %d, new stocks %d",
                c.lines, c.skippedLines, c.bars, s.applied, s.skipped, s.newStocks);
    if (s.writeFailures) std::printf(", write failures %d", s.writeFailures);
    std::printf("\n");
  }
  return status == BatchStatus::kFinished && s.writeFailures == 0 ? kExitOk : kExitFailure;
}

template <typename Job>
int RunImport(const CliArgs& args, const char* command) {
  if (args.Positional().size() != 1) {
    PrintError(std::string(command) + " needs one FILE");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadLocalSettings(args, command, &settings)) return kExitFailure;
  CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  if (!dictionary.nameTableError.empty()) PrintError(dictionary.nameTableError);
  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  ImportOptions options;
  options.addUnregistered = args.Has("--add-unregistered") ? 1 : 0;
  options.completeUpdate = args.Has("--complete") ? 1 : 0;
  Job job(&dictionary, &folders, settings.dataRootDir, options, args.Positional()[0]);
  const BatchStatus status = RunWithProgress(&job);
  std::string extra;
  if constexpr (std::is_same_v<Job, CBulkImportJob>) {
    extra = ", \"stocks\": " + std::to_string(job.blocks());
  } else {
    extra = ", \"otherMarketLines\": " + std::to_string(job.otherMarketLines());
  }
  return Report(job, status, args.Has("--json"), extra);
}

const CommandRegistration kImport({
    "import",
    "read a bulk price file (as export writes it) into the price files",
    "usage: korvale-cli import [--root DIR] [--add-unregistered] [--complete] [--json] FILE\n"
    "\n"
    "Reads FILE line by line (at most 248 characters a line): a line that does not begin with\n"
    "a digit is a stock header \"<letter><code>, \\\"<name>\\\"\", the lines after it that begin\n"
    "with a digit its bars YYMMDD,open,high,low,close,volume x 100 (years 00-69 are\n"
    "2000-2069, 70-99 are 1970-1999; the volume is divided by 100). Each stock's bars are\n"
    "stored as one block: appended to its price file, or with --complete merged by date (the\n"
    "file is reloaded, sorted and rewritten); a stock without a price file gets one in its\n"
    "thousand-block folder Data/NNNN, and the header's name in the dictionary, only with\n"
    "--add-unregistered. Headers with a code outside 1-9999 and lines that do not parse are\n"
    "skipped and noted on stderr. The market letter is not kept. Exit 1 when FILE cannot be\n"
    "opened or a price file cannot be written. Local mode only.\n",
    {{"--add-unregistered", "--complete", "--json"}, {"--set"}},
    [](const CliArgs& args) { return RunImport<CBulkImportJob>(args, "import"); },
});

const CommandRegistration kVendorImport({
    "vendor-import",
    "read the other data tool's daily price download into the price files",
    "usage: korvale-cli vendor-import [--root DIR] [--add-unregistered] [--complete] [--json]\n"
    "                                 FILE\n"
    "\n"
    "Reads the lines of FILE that begin with 1 or 2: characters 1-8 the date YYYYMMDD, 10-13\n"
    "the code, 15-16 the market tag, then open, high, low, close and volume separated by\n"
    "commas (after the first comma among characters 15-18); the third comma field is the\n"
    "name. A stock quoted on several markets takes the lines of its preferred one only, in\n"
    "the order t1, t2, o, n, q, m, j, i (other tags only when it has no such line). Each line\n"
    "becomes one bar, stored as the import stores a block (--complete, --add-unregistered).\n"
    "Exit 1 when FILE cannot be opened or a price file cannot be written. Local mode only.\n",
    {{"--add-unregistered", "--complete", "--json"}, {"--set"}},
    [](const CliArgs& args) { return RunImport<CVendorImportJob>(args, "vendor-import"); },
});

}  // namespace
}  // namespace korvale::cli
