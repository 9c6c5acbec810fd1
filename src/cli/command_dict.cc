// korvale-cli dict: the dictionary file of the data root — one record, the text export and
// import, and the name update from a vendor's stock-information file.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/user_messages.h"
#include "cli/cli.h"
#include "cli/dict_zentak_update.h"
#include "store/cp932.h"
#include "store/dictionary_file.h"
#include "store/dictionary_text.h"
#include "store/dictionary_vendor_update.h"
#include "store/file_io.h"
#include "store/market_industry_tables.h"

namespace korvale::cli {
namespace {

constexpr const char* kFigureNames[kDictionaryFigureCount] = {
    "marketCapitalisation", "earningsPerShare", "priceEarningsRatio", "bookValuePerShare",
    "priceBookRatio"};

// The shortest text that reads back as the same double.
std::string DoubleText(double v) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, end) : "0";
}

int Show(const std::string& dic, const std::string& codeText, bool json) {
  int code;
  if (!ParseCode(codeText, &code, 0)) {
    PrintError("dict show needs a code 0-9999");
    return kExitUsage;
  }
  DictionaryFileRecord r;
  if (!ReadDictionaryRecord(dic, code, &r)) {
    PrintError(dic + " cannot open (or holds no record " + std::to_string(code) + ")");
    return kExitFailure;
  }
  const std::string symbol = Cp932ToUtf8(FieldText(r.quoteSymbol));
  const std::string name = Cp932ToUtf8(FieldText(r.name));
  const std::string text1 = Cp932ToUtf8(FieldText(r.text1));
  const std::string text2 = Cp932ToUtf8(FieldText(r.text2));
  if (json) {
    std::printf(
        "{\"slot\": %d, \"code\": %d, \"market\": %d, \"marketName\": %s, \"industry\": %d, "
        "\"industryName\": %s, \"reserved\": %d, \"quoteSymbol\": %s, \"name\": %s, "
        "\"text1\": %s, \"text2\": %s",
        code, r.code, r.market, JsonQuote(MarketNameUtf8(r.market)).c_str(), r.industry,
        JsonQuote(IndustryNameUtf8(r.industry & 0xFF)).c_str(), r.reserved,
        JsonQuote(symbol).c_str(), JsonQuote(name).c_str(), JsonQuote(text1).c_str(),
        JsonQuote(text2).c_str());
    for (int i = 0; i < kDictionaryFigureCount; ++i) {
      std::printf(", \"%s\": %s", kFigureNames[i], DoubleText(r.figures[i]).c_str());
    }
    std::printf("}\n");
    return kExitOk;
  }
  std::printf("slot=%d\ncode=%d\nmarket=%d %s\nindustry=%d %s\nreserved=%d\n", code, r.code,
              r.market, MarketNameUtf8(r.market), r.industry, IndustryNameUtf8(r.industry & 0xFF),
              r.reserved);
  std::printf("quoteSymbol=%s\nname=%s\ntext1=%s\ntext2=%s\n", symbol.c_str(), name.c_str(),
              text1.c_str(), text2.c_str());
  for (int i = 0; i < kDictionaryFigureCount; ++i) {
    std::printf("%s=%s\n", kFigureNames[i], DoubleText(r.figures[i]).c_str());
  }
  return kExitOk;
}

void PrintCounts(const char* what, const DictionaryUpdateCounts& c) {
  std::printf("%s: %d lines read, %d records updated, %d lines skipped\n", what, c.lines, c.updated,
              c.skipped);
}

int RunDict(const CliArgs& args) {
  const auto& pos = args.Positional();
  if (pos.size() != 2) {
    PrintError("dict needs a subcommand and its argument (see korvale-cli dict --help)");
    return kExitUsage;
  }
  const std::string& sub = pos[0];
  if (sub != "show" && sub != "export" && sub != "import" && sub != "vendor-update" &&
      sub != "zentak-update") {
    PrintError("unknown dict subcommand " + sub);
    return kExitUsage;
  }
  SettingsRecord rec;
  if (!LoadSettings(args, &rec)) return kExitFailure;
  if (!std::filesystem::is_directory(rec.dataRootDir)) {
    PrintError(std::string(rec.dataRootDir) + " is not a folder");
    return kExitFailure;
  }
  const std::string dic = DictionaryFilePath(rec.dataRootDir);
  if (sub == "show") return Show(dic, pos[1], args.Has("--json"));

  std::string error;
  if (sub == "export") {
    if (!FileExists(dic)) {
      PrintError(dic + " cannot open");
      return kExitFailure;
    }
    if (!ExportText(dic, pos[1], &error)) {
      PrintError(std::string(kDiskAccessErrorMessage) + " (" + error + ")");
      return kExitFailure;
    }
    return kExitOk;
  }
  if (!FileExists(pos[1])) {
    PrintError(pos[1] + " cannot open");
    return kExitFailure;
  }
  if (sub == "zentak-update") return RunDictZentakUpdate(args, rec, dic, pos[1]);
  DictionaryUpdateCounts counts;
  const bool ok = sub == "import" ? ImportText(pos[1], dic, &error, &counts)
                                  : UpdateNamesFromVendorFile(pos[1], dic, &error, &counts);
  if (!ok) {
    PrintError(std::string(kDiskAccessErrorMessage) + " (" + error + ")");
    return kExitFailure;
  }
  PrintCounts(sub == "import" ? "import" : "vendor update", counts);
  return kExitOk;
}

const CommandRegistration kRegistration({
    "dict",
    "the dictionary file: show a record, export and import its text form, vendor name update",
    "usage: korvale-cli dict show CODE [--root DIR] [--json]\n"
    "       korvale-cli dict export OUT.TXT [--root DIR]\n"
    "       korvale-cli dict import IN.TXT [--root DIR]\n"
    "       korvale-cli dict vendor-update FILE [--root DIR]\n"
    "       korvale-cli dict zentak-update FILE [--source NUMBER] [--root DIR]\n"
    "\n"
    "Works on KorvaleEx.DIC in the data root.\n"
    "show           every field of record CODE (texts in UTF-8); --json as one object\n"
    "export         writes the text form, one line per record whose code equals its slot:\n"
    "               \"code, quote symbol, market, industry, name, text 1, text 2\" (cp932)\n"
    "import         reads the text form into the dictionary (created when missing); a line\n"
    "               never takes over the slot of another code; figures are kept\n"
    "vendor-update  renames stocks from a vendor's stock-information file (code, ..., name)\n"
    "zentak-update  sets code, market and name of each record of another program's daily\n"
    "               file, read through import source NUMBER (see korvale-cli sources)\n",
    {{"--json"}, {"--set", "--source"}},
    RunDict,
});

}  // namespace
}  // namespace korvale::cli
