// korvale-cli rank and records: the rows of the screening window's page "ランキング／レコード".
#include <string>

#include "cli/analysis_session.h"
#include "cli/cli.h"
#include "screening/ranking.h"

namespace korvale::cli {
namespace {

bool ParseOption(const CliArgs& args, const char* name, int low, int high, int* value) {
  if (!args.Has(name)) return true;
  if (ParseWholeNumber(args.Value(name), low, high, value)) return true;
  PrintError(std::string(name) + " needs a number " + std::to_string(low) + "-" +
             std::to_string(high));
  return false;
}

int RunPage(const CliArgs& args, RankingChoice choice) {
  AnalysisSession session;
  if (const int opened = OpenAnalysisSession(args, &session); opened != kExitOk) return opened;
  const int status = ObtainRecords(args, &session);
  ShownStockList list;
  RunRanking(session.store, *session.dictionary, choice, &list);
  PrintRows(list, args.Has("--json"));
  return status;
}

int RunRank(const CliArgs& args) {
  RankingChoice choice;
  choice.listMode = 0;
  if (!args.Positional().empty()) {
    PrintError("rank takes no positional arguments");
    return kExitUsage;
  }
  if (!args.Has("--key")) {
    PrintError("rank needs --key 0-4");
    return kExitUsage;
  }
  if (!ParseOption(args, "--key", 0, kRankKeyCount - 1, &choice.rankKey) ||
      !ParseOption(args, "--market", 0, 13, &choice.market) ||
      !ParseOption(args, "--top", 0, kMaxTopCount, &choice.topCount)) {
    return kExitUsage;
  }
  return RunPage(args, choice);
}

int RunRecords(const CliArgs& args) {
  RankingChoice choice;
  choice.listMode = 1;
  if (!args.Positional().empty()) {
    PrintError("records takes no positional arguments");
    return kExitUsage;
  }
  if (!args.Has("--kind")) {
    PrintError("records needs --kind 0-7");
    return kExitUsage;
  }
  if (!ParseOption(args, "--kind", 0, kRecordKindCount - 1, &choice.recordKind)) {
    return kExitUsage;
  }
  return RunPage(args, choice);
}

const char* const kCommonHelp =
    "The records come from a fresh analysis batch over the latest data (which also writes\n"
    "analize.tmp), or with --cached from analize.tmp when its record count equals the number\n"
    "of stocks, as \"前回の分析結果を使用\" does. Prints one row \"%04d %s\" (code, list name)\n"
    "per line in UTF-8; --json prints {\"title\": ..., \"rows\": [{\"text\", \"itemData\",\n"
    "\"itemIndex\", \"code\"}]}, the title being the one the thumbnail window takes.\n"
    "The batch reads the periods of the settings; the daily span (the look-back of DMI, MACD\n"
    "and OBV) is set as the main window sets it for a client W pixels wide (default 1200)\n"
    "unless the settings fix it. --set NAME=VALUE overrides a settings field.\n";

const CommandRegistration kRankRegistration({
    "rank",
    "the stocks ranked by price change, change rate or volume, as the ranking page lists them",
    std::string(
        "usage: korvale-cli rank --key 0..4 [--market N] [--top N] [--root DIR]\n"
        "                        [--cached] [--width W] [--set NAME=VALUE]... [--json]\n"
        "\n"
        "Ranks the analysis records by --key: 0 株価上昇 (price change, largest first),\n"
        "1 株価下落 (smallest first), 2 株価上昇率 (change rate, largest first), 3 株価下落率\n"
        "(smallest first), 4 出来高 (volume, largest first), and lists the first --top N\n"
        "(default 20, 0-10000) stocks of market --market N (1-13; 0, the default, for\n"
        "every market).\n") +
        kCommonHelp,
    {{"--cached", "--json"}, {"--key", "--market", "--top", "--set", "--width"}},
    RunRank,
});

const CommandRegistration kRecordsRegistration({
    "records",
    "the stocks at a new high or low, as the ranking page's records list them",
    std::string("usage: korvale-cli records --kind 0..7 [--root DIR] [--cached] [--width W]\n"
                "                           [--set NAME=VALUE]... [--json]\n"
                "\n"
                "Lists, in analysis order, the stocks whose last close reaches the high (even\n"
                "kinds) or low (odd kinds) of --kind: 0 年初来高値銘柄, 1 年初来安値銘柄,\n"
                "2 昨年来高値銘柄, 3 昨年来安値銘柄, 4 ５年間高値銘柄, 5 ５年間安値銘柄,\n"
                "6 蓄積データ中高値銘柄, 7 蓄積データ中安値銘柄.\n") +
        kCommonHelp,
    {{"--cached", "--json"}, {"--kind", "--set", "--width"}},
    RunRecords,
});

}  // namespace
}  // namespace korvale::cli
