// korvale-cli weekofyear: the week number and weekday of a date.
#include <cstdio>

#include "cli/cli.h"
#include "store/week_of_year.h"

namespace korvale::cli {
namespace {

int RunWeekOfYear(const CliArgs& args) {
  int y, m, d;
  if (args.Positional().size() != 1 || !ParseDate(args.Positional()[0], &y, &m, &d)) {
    PrintError("weekofyear needs one date YYYY-MM-DD");
    return kExitUsage;
  }
  int weekday = 0;
  int week = WeekOfYear(y, m, d, &weekday);
  if (args.Has("--json")) {
    std::printf("{\"week\": %d, \"weekday\": %d}\n", week, weekday);
  } else {
    std::printf("%d %d\n", week, weekday);
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "weekofyear",
    "week number (week 1 holds 1 January, weeks begin on Sunday) and weekday",
    "usage: korvale-cli weekofyear YYYY-MM-DD [--json]\n"
    "\n"
    "Prints the week number and the weekday (0 Sunday .. 6 Saturday).\n",
    {{"--json"}, {}},
    RunWeekOfYear,
});

}  // namespace
}  // namespace korvale::cli
