// korvale-cli convert: a price or margin file to its text, or such a text back to its file, as
// the maintenance menu's four conversion commands do.
#include <cstdio>

#include "cli/cli.h"
#include "store/text_conversion.h"

namespace korvale::cli {
namespace {

int RunConvert(const CliArgs& args) {
  std::string output;
  std::vector<std::string> rest;
  if (!OutputOption(args, &output, &rest) || rest.size() != 1) {
    PrintError("convert needs one FILE (and -o OUT when given)");
    return kExitUsage;
  }
  const std::string& input = rest[0];
  if (ConvertKindOf(input) == ConvertKind::kUnknown) {
    PrintError(input +
               " is neither a price or margin file (.KDT, .SDT) nor their text (KD*.CSV, "
               "SZ*.CSV)");
    return kExitUsage;
  }
  if (output.empty()) output = DefaultConvertOutput(input, args.Root());
  ConversionCounts counts;
  std::string error;
  if (!ConvertFile(input, output, &counts, &error)) {
    PrintError(error);
    return kExitFailure;
  }
  if (counts.unterminatedLastLine) {
    PrintError("note: the last line of " + input + " has no line end and was not converted");
  }
  const ConvertKind kind = ConvertKindOf(input);
  if (kind == ConvertKind::kPriceText || kind == ConvertKind::kMarginText) {
    std::printf("%s: %d records from %d lines (%d skipped)\n", output.c_str(), counts.records,
                counts.lines, counts.skipped);
  } else {
    std::printf("%s: %d lines\n", output.c_str(), counts.records);
  }
  return kExitOk;
}

const CommandRegistration kConvert({
    "convert",
    "a price or margin file to its text form, or such a text back to its file",
    "usage: korvale-cli convert [--root DIR] FILE [-o OUT]\n"
    "\n"
    "Converts by the kind of FILE (its name, any case):\n"
    "  *.KDT    price file  -> price text  \"年月日\",\"始値\",...; one line\n"
    "           YYYY/MM/DD,open,high,low,close,volume a bar, the file loaded as the chart\n"
    "           loads it (a day without prices or volume at the previous close)\n"
    "  *.SDT    margin file -> margin text \"年月日\",\"売り残\",\"買い残\"; YYYY/MM/DD,sell,buy\n"
    "  KD*.CSV  price text  -> price file, one record a line in line order\n"
    "  SZ*.CSV  margin text -> margin file\n"
    "A text gets the file's name with the extension CSV and is written into the data root; a\n"
    "file gets the text's name with KDT or SDT, beside the text. -o OUT writes elsewhere. The\n"
    "output is replaced whole (written to a temporary file, then renamed). Text lines that do\n"
    "not hold a date and the numbers, lines of 128 characters or more, price lines whose open\n"
    "is 0 and margin lines whose balances are both 0 are skipped; a last line without a line\n"
    "end is not converted (a note says so). Exit 1 when FILE or OUT cannot be opened.\n",
    {{}, {"--output"}},
    RunConvert,
});

}  // namespace
}  // namespace korvale::cli
