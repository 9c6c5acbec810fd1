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
  kCmdDailyTable = 32775,
  kCmdWeeklyTable = 32776,
  kCmdMonthlyTable = 32777,
  kCmdNewPrice = 32778,
  kCmdKagi = 32779,
  kCmdReverseWatch = 32780,
  kCmdAllStocks = 32781,
  kCmdNameSearch = 32782,
  kCmdCodeRange = 32783,
  kCmdOpenList = 32812,
  kCmdSettings = 32814,
  kCmdPriceFileToText = 32815,
  kCmdPriceTextToFile = 32816,
  kCmdConsistencyCheck = 32819,
  kCmdBulkImport = 32821,
  kCmdBulkExport = 32822,
  kCmdHelp = 32830,
  kCmdMarginUpdate = 32831,
  kCmdIchimoku = 32845,
  kCmdMarginFileToText = 32847,
  kCmdMarginTextToFile = 32848,
  kCmdDeleteDate = 32849,
  kCmdStockListBar = 32851,
  kCmdLineEditor = 32861,
  kCmdVendorImport = 32866,
  kCmdThumbnails = 32867,
  kCmdSignalChart = 32868,
  kCmdValidation = 32871,  // "抽出条件の検証": an id of our own, between its neighbours
  kCmdAnalyze = 32870,
  kCmdRuleEditor = 32872,
  kCmdQuoteDetail = 32879,
  kCmdDetailBar = 32904,
  kCmdDictionaryFromImport = 32911,
  // The dictionary's own maintenance commands have no ids elsewhere.
  kCmdDictionaryToText = 32912,
  kCmdTextToDictionary = 32913,
  kCmdDictionaryFromVendor = 32914,
  kCmdNewWindow = 57600,
  kCmdSaveList = 57603,
  kCmdRecentFile = 57616,  // the file menu's recent files: 57616 .. 57619
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
