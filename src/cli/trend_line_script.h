// `korvale-cli lines CODE`: a stock's trend lines listed, added and deleted as the trend-line
// editor does it, for scripts and tests.
#ifndef KORVALE_CLI_TREND_LINE_SCRIPT_H_
#define KORVALE_CLI_TREND_LINE_SCRIPT_H_

#include <string>

#include "cli/cli.h"

namespace korvale::cli {

// One --add value, "Y/M/D[+N]:PRICE-Y/M/D[+N]:PRICE[:support|resistance]": two points, each a
// trading day (N bars beyond it) and a price, and the kind (0 when the editor's rule decides).
struct LineToAdd {
  int year1 = 0, month1 = 0, day1 = 0, beyond1 = 0, price1 = 0;
  int year2 = 0, month2 = 0, day2 = 0, beyond2 = 0, price2 = 0;
  int kind = 0;
};
// False for anything else.
bool ParseLineToAdd(const std::string& text, LineToAdd* add);

// Deletes the lines --delete names, adds those of --add, writes the stock's line file as the
// editor does and prints the lines. Returns the exit status.
int RunTrendLines(const CliArgs& args, int code);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_TREND_LINE_SCRIPT_H_
