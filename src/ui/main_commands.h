// The main window's commands: their ids, and the shape of the one table that gives each id its
// menu text, its handler and where it is offered (main_frame.cc holds the table and the menu
// layout). The chart kinds' commands come from the chart-kind table, the market and industry
// commands from the list tables.
#ifndef KORVALE_UI_MAIN_COMMANDS_H_
#define KORVALE_UI_MAIN_COMMANDS_H_

namespace korvale {

class CMainFrame;

enum MainCommandId : int {
  kCmdSeparator = 0,  // in a menu layout: a separator
  kCmdPriceUpdate = 32771,
  kCmdNewPrice = 32778,
  kCmdKagi = 32779,
  kCmdReverseWatch = 32780,
  kCmdAllStocks = 32781,
  kCmdNameSearch = 32782,
  kCmdCodeRange = 32783,
  kCmdOpenList = 32812,
  kCmdSettings = 32814,
  kCmdHelp = 32830,
  kCmdMarginUpdate = 32831,
  kCmdIchimoku = 32845,
  kCmdStockListBar = 32851,
  kCmdSignalChart = 32868,
  kCmdValidation = 32871,  // "抽出条件の検証": an id of our own, between its neighbours
  kCmdAnalyze = 32870,
  kCmdRuleEditor = 32872,
  kCmdQuoteDetail = 32879,
  kCmdDetailBar = 32904,
  kCmdDictionaryFromImport = 32911,
  kCmdNewWindow = 57600,
  kCmdSaveList = 57603,
  kCmdAbout = 57664,
  kCmdExit = 57665,
};

// The data-source modes a command is offered in.
enum class CommandMode {
  kAny,
  kLocal,   // local folders only (dataSourceMode 0)
  kRemote,  // the peer server and the web quote service only
};

struct MainCommand {
  int id;
  const char* text;  // menu text with its accelerator, UTF-8
  void (*run)(CMainFrame& frame);
  CommandMode mode = CommandMode::kAny;
  bool checkable = false;
  const char* statusTip = nullptr;
  const char* toolTip = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_MAIN_COMMANDS_H_
