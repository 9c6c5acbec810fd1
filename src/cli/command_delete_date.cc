// korvale-cli delete-date: removes one day or one month from every price file or every margin
// file, as "指定日の株価/信用残データ削除" does.
#include <cstdio>

#include "acquisition/delete_date_job.h"
#include "cli/batch_progress.h"
#include "cli/cli.h"
#include "store/stock_dictionary.h"

namespace korvale::cli {
namespace {

int RunDeleteDate(const CliArgs& args) {
  const bool price = args.Has("--price"), margin = args.Has("--margin");
  if (price == margin || args.Positional().size() != 1) {
    PrintError("delete-date needs --price or --margin and one date YYYY-MM or YYYY-MM-DD");
    return kExitUsage;
  }
  DeleteDateTarget target;
  target.margin = margin;
  const std::string& date = args.Positional()[0];
  if (ParseMonth(date, &target.year, &target.month)) {
    target.wholeMonth = true;
  } else if (!ParseDate(date, &target.year, &target.month, &target.day)) {
    PrintError("delete-date needs a date YYYY-MM (a whole month) or YYYY-MM-DD, not " + date);
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  CStockDictionary dictionary(settings.dataRootDir, settings.workDir);
  CDeleteDateJob job(dictionary, target);
  const BatchStatus status = RunWithProgress(&job);
  ReportNotes(job, status);
  const DeleteDateCounts& c = job.counts();
  std::printf("%s removed %d, files rewritten %d, unchanged %d, passed over %d",
              margin ? "records" : "bars", c.removed, c.rewritten, c.unchanged, c.unreadable);
  if (c.failures) std::printf(", not written %d", c.failures);
  std::printf("\n");
  return status == BatchStatus::kFinished && c.failures == 0 ? kExitOk : kExitFailure;
}

const CommandRegistration kDeleteDate({
    "delete-date",
    "remove one day or one month from every price file or every margin file",
    "usage: korvale-cli delete-date [--root DIR] (--price | --margin) YYYY-MM[-DD]\n"
    "\n"
    "--price: every stock's price file is loaded sorted and de-duplicated and written back\n"
    "without the bars of the day (YYYY-MM-DD) or of the whole month (YYYY-MM), so each file\n"
    "also comes out sorted. --margin: the records of the day or month are left out of every\n"
    "stock's margin file, which is rewritten only when it held one. Files are replaced whole\n"
    "(a temporary file renamed over the old one); a file that cannot be written is named and\n"
    "left as it was, and the exit status is then 1.\n",
    {{"--price", "--margin"}, {"--set"}},
    RunDeleteDate,
});

}  // namespace
}  // namespace korvale::cli
