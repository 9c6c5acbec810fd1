// korvale-cli lines: the lines the program's line reader returns from a text file, or a stock's
// trend lines.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "cli/trend_line_script.h"
#include "store/cp932.h"
#include "store/file_io.h"
#include "store/line_file.h"

namespace korvale::cli {
namespace {

constexpr int kCapacity = 250;  // what every reader of the program passes

// Line-end bytes and NULs made visible, so each line prints as one output line.
std::string Visible(const char* bytes, int length) {
  std::string out;
  for (int i = 0; i < length; ++i) {
    switch (bytes[i]) {
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\0':
        out += "\\0";
        break;
      default:
        out += bytes[i];
    }
  }
  return out;
}

int RunLines(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("lines needs one FILE or CODE");
    return kExitUsage;
  }
  const std::string& path = args.Positional()[0];
  // A code that names no file in the current folder is a stock.
  int code = 0;
  const bool editing = args.Has("--add") || args.Has("--delete");
  if (ParseCode(path, &code, 1000) && !FileExists(path)) return RunTrendLines(args, code);
  if (editing) {
    PrintError("--add and --delete need a stock CODE (1000-9999)");
    return kExitUsage;
  }
  CLineFile file;
  if (!file.Open(path)) {
    PrintError(path + " cannot open");
    return kExitFailure;
  }
  const bool json = args.Has("--json");
  if (json) std::printf("{\"lineEndMode\": %d, \"lines\": [", file.lineEndMode);
  char line[kCapacity];
  int length = 0;
  bool first = true;
  for (;;) {
    const int got = ReadLine(file, line, kCapacity, &length);
    if (got == kNoLine) break;
    if (json) {
      std::printf("%s\n  {\"text\": %s, \"cut\": %s}", first ? "" : ",",
                  JsonQuote(Cp932ToUtf8(std::string(line, static_cast<size_t>(length)))).c_str(),
                  got == kCutLine ? "true" : "false");
    } else {
      std::printf("%s%s\n", Cp932ToUtf8(Visible(line, length)).c_str(),
                  got == kCutLine ? " [cut]" : "");
    }
    first = false;
  }
  if (json) std::printf("\n]}\n");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "lines",
    "the lines of a text file as the line reader returns them, or a stock's trend lines",
    "usage: korvale-cli lines FILE [--json]\n"
    "       korvale-cli lines CODE\n"
    "           [--add Y/M/D[+N]:PRICE-Y/M/D[+N]:PRICE[:support|resistance]]...\n"
    "           [--delete N]... [--json]\n"
    "\n"
    "Opens FILE as every text reader of the program does (line ends CR LF, LF or CR, decided\n"
    "by the first line end within the first 250 bytes) and prints each line ReadLine returns\n"
    "with a 250-byte buffer, one per output line, in UTF-8. Each line ends in its CR, shown as\n"
    "\\r (a LF or NUL inside a line shows as \\n or \\0). A line of 249 bytes or more is cut:\n"
    "its first 249 bytes are printed followed by \" [cut]\", and the rest follows as the next\n"
    "line. A last line without a line end is not returned.\n"
    "--json prints {\"lineEndMode\": 0|1|2, \"lines\": [{\"text\", \"cut\"}]}.\n"
    "\n"
    "With a stock CODE (1000-9999; a file of that name in the current folder is read as a file)\n"
    "the stock's trend lines are listed from its line file below the data root, one a line:\n"
    "  N Y/M/D[+B]:PRICE-Y/M/D[+B]:PRICE KIND\n"
    "N counts from 0 in file order; +B is the number of bars beyond the newest day; KIND is\n"
    "support, resistance or \"kind K\"; a line whose day is not among the bars is marked\n"
    "[not among the bars]. --delete N removes line N (numbers as listed before the command);\n"
    "--add puts a line through two points, each a trading day (N bars beyond it) and a price,\n"
    "its kind decided as the trend-line editor decides it (support when more closes of the\n"
    "shown days it spans lie above it) unless support or resistance is given. Deletions come\n"
    "first, then the additions in order; the line file is written as the editor writes it\n"
    "(every line deleted: the file is removed) and the lines are listed. --json prints\n"
    "{\"linePath\", \"lines\": [{\"year1\", \"month1\", \"day1\", \"beyond1\", \"price1\", ...2,\n"
    "\"kind\", \"unresolved\"}]}. The settings are those of the data root, then every --set.\n",
    {{"--json"}, {"--add", "--delete", "--set"}},
    RunLines,
});

}  // namespace
}  // namespace korvale::cli
