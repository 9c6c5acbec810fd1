// korvale-cli screen: the stocks a rule lists, as the technical page's run writes them into the
// main window's stock list.
#include "cli/analysis_session.h"
#include "cli/cli.h"
#include "cli/rule_argument.h"
#include "screening/screening_run.h"

namespace korvale::cli {
namespace {

int RunScreen(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("screen needs one rule NAME or PATH");
    return kExitUsage;
  }
  AnalysisSession session;
  if (const int opened = OpenAnalysisSession(args, &session); opened != kExitOk) return opened;
  ConditionSet set;
  if (!ResolveRule(*session.context, args.Positional()[0], &set)) return kExitFailure;
  const int status = ObtainRecords(args, &session);
  ShownStockList list;
  RunRule(set, session.store, *session.dictionary, &list);
  PrintRows(list, args.Has("--json"));
  return status;
}

const CommandRegistration kRegistration({
    "screen",
    "the stocks a screening rule lists, as the screening window's run lists them",
    "usage: korvale-cli screen NAME|PATH [--root DIR] [--cached] [--width W]\n"
    "                          [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Applies a rule to the analysis record of every stock: a NAME is a rule of the data\n"
    "root's Rules folder, an argument with '/' or ending in .ERL a rule file's PATH. In mode\n"
    "0 (論理積) a stock is listed when every enabled condition holds, in mode 1 (線形和) when\n"
    "the integer part of its score reaches the rule's threshold. The records come from a\n"
    "fresh analysis batch over the latest data (which also writes analize.tmp), or with\n"
    "--cached from analize.tmp when its record count equals the number of stocks, as\n"
    "\"前回の分析結果を使用\" does. Prints one row \"%04d %s\" (code, list name) per listed stock\n"
    "in analysis order, in UTF-8; --json prints {\"title\": ..., \"rows\": [{\"text\",\n"
    "\"itemData\", \"itemIndex\", \"code\"}]}, the title being the rule's name.\n"
    "The batch reads the periods of the settings; the daily span (the look-back of DMI, MACD\n"
    "and OBV) is set as the main window sets it for a client W pixels wide (default 1200)\n"
    "unless the settings fix it. --set NAME=VALUE overrides a settings field.\n",
    {{"--cached", "--json"}, {"--set", "--width"}},
    RunScreen,
});

}  // namespace
}  // namespace korvale::cli
