// korvale-cli export: "一括エキスポート" — every stock's bars, or a year's, or a run of months',
// written into one bulk price file.
#include <cstdio>

#include "acquisition/bulk_export_job.h"
#include "cli/batch_progress.h"
#include "cli/cli.h"
#include "store/stock_dictionary.h"

namespace korvale::cli {
namespace {

bool ParseRange(const CliArgs& args, ExportRange* range) {
  const bool year = args.Has("--year"), from = args.Has("--from"), months = args.Has("--months");
  if (year && (from || months)) return false;
  if (year) {
    range->kind = ExportRange::kYear;
    return ParseWholeNumber(args.Value("--year"), kExportFirstYear, kExportLastYear, &range->year);
  }
  if (from != months) return false;
  if (from) {
    range->kind = ExportRange::kMonths;
    return ParseMonth(args.Value("--from"), &range->startYear, &range->startMonth) &&
           range->startYear >= kExportFirstYear && range->startYear <= kExportLastYear &&
           ParseWholeNumber(args.Value("--months"), 0, kExportMaxMonths, &range->months);
  }
  return true;
}

int RunExport(const CliArgs& args) {
  std::string output;
  std::vector<std::string> rest;
  ExportRange range;
  if (!OutputOption(args, &output, &rest) || !rest.empty() || !ParseRange(args, &range)) {
    PrintError(
        "export takes --year Y (1970-2069) or --from YYYY-MM --months N (0-60), and -o "
        "FILE");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadLocalSettings(args, "export", &settings)) return kExitFailure;
  const std::string root(settings.dataRootDir);
  if (output.empty()) output = root + "/" + BulkExportFileName(range);
  CStockDictionary dictionary(root, settings.workDir);
  CBulkExportJob job(dictionary, range, output);
  const BatchStatus status = RunWithProgress(&job);
  ReportNotes(job, status);
  if (status != BatchStatus::kFinished) return kExitFailure;
  std::printf("%s: %d stocks, %lld bars\n", output.c_str(), job.counts().stocks, job.counts().bars);
  return kExitOk;
}

const CommandRegistration kExport({
    "export",
    "write every stock's bars (or a year's, or some months') into one bulk price file",
    "usage: korvale-cli export [--root DIR] [--year Y | --from YYYY-MM --months N] [-o FILE]\n"
    "\n"
    "Writes, for every stock of the data root whose price file holds bars in the range, a\n"
    "header line \"%s%d, \\\"%s\\\"\" (market letter, code, list name) and one line\n"
    "YYMMDD,open,high,low,close,volume x 100 a bar (cp932, CR LF). The range: every bar of a\n"
    "year after 1900 (the default), the bars of year Y, or N months from YYYY-MM. The file is\n"
    "\"株価All\", \"株価YYYY\" or \"株価YYYYMM\" in the data root unless -o names another; it is\n"
    "written to a temporary file and renamed into place when complete, so an interrupted\n"
    "export leaves an earlier file of the name as it was. Years before 2000 are written as\n"
    "year - 1900, later ones as year - 2000: an import reads 00-69 as 2000-2069 and 70-99\n"
    "as 1970-1999. Local mode only.\n",
    {{}, {"--year", "--from", "--months", "--output", "--set"}},
    RunExport,
});

}  // namespace
}  // namespace korvale::cli
