// korvale-cli lines: the lines the program's line reader returns from a text file.
#include <cstdio>
#include <string>

#include "cli/cli.h"
#include "store/cp932.h"
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
    PrintError("lines needs one FILE");
    return kExitUsage;
  }
  const std::string& path = args.Positional()[0];
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
    "the lines the program's line reader returns from a text file",
    "usage: korvale-cli lines FILE [--json]\n"
    "\n"
    "Opens FILE as every text reader of the program does (line ends CR LF, LF or CR, decided\n"
    "by the first line end within the first 250 bytes) and prints each line ReadLine returns\n"
    "with a 250-byte buffer, one per output line, in UTF-8. Each line ends in its CR, shown as\n"
    "\\r (a LF or NUL inside a line shows as \\n or \\0). A line of 249 bytes or more is cut:\n"
    "its first 249 bytes are printed followed by \" [cut]\", and the rest follows as the next\n"
    "line. A last line without a line end is not returned.\n"
    "--json prints {\"lineEndMode\": 0|1|2, \"lines\": [{\"text\", \"cut\"}]}.\n",
    {{"--json"}, {}},
    RunLines,
});

}  // namespace
}  // namespace korvale::cli
