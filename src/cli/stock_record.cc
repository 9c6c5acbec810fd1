#include "cli/stock_record.h"

#include <cstdio>

#include "app/main_window_layout.h"
#include "cli/stock_source.h"
#include "screening/compute_analysis_record.h"
#include "store/file_io.h"
#include "store/price_series.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"
#include "store/store_folders.h"
#include "store/string_printf.h"

namespace korvale::cli {

bool ClientWidthOption(const CliArgs& args, int* width) {
  *width = kRecordClientWidth;
  if (!args.Has("--width")) return true;
  char tail;
  const int scanned = std::sscanf(args.Value("--width").c_str(), "%d%c", width, &tail);
  if (scanned == 1 && *width >= 1 && *width <= 10000) return true;
  PrintError("--width needs a number of pixels 1-10000");
  return false;
}

int ComputeStockRecord(const CliArgs& args, CAppContext* context, const std::string& codeText,
                       AnalysisRecord* out) {
  // The span of the daily chart is the look-back of DMI, MACD and OBV; without a window it is
  // set as the main window sets it for a client of --width pixels with both side bars docked.
  int width;
  if (!ClientWidthOption(args, &width)) return kExitUsage;
  ApplyAutomaticSpan(&context->settings(), width, true, true);
  const SettingsRecord& settings = context->settings();
  int code;
  if (!ParseCode(codeText, &code)) {
    PrintError("CODE must be a securities code 1-9999: " + codeText);
    return kExitUsage;
  }
  StockLoadLimit limit;
  if (!AsOfOption(args, &limit)) return kExitUsage;
  const std::string root = settings.dataRootDir;
  const std::unique_ptr<CStockDictionary> opened = OpenStockDictionary(settings);
  if (!opened) return kExitFailure;
  const CStockDictionary& dictionary = *opened;
  const int position = dictionary.FindItem(code);
  StockFiles files;
  if (position < 0 || !ResolveItemFiles(dictionary, position, LineFolderOf(root), &files)) {
    PrintError(StringPrintf("stock %04d is not in the stock dictionary", code));
    return kExitFailure;
  }
  if (!files.remote && !FileExists(files.pricePath)) {
    PrintError(files.pricePath + " cannot open");
    return kExitFailure;
  }
  CPriceSeries series;
  std::string error;
  LoadStock(files, &series, limit, false, &error);
  if (!error.empty()) {
    PrintError(error);
    return kExitFailure;
  }

  context->LoadIndex([&](int indexCode, std::string* indexFolder) {
    return dictionary.GetFolder(indexCode, indexFolder) != 0;
  });
  ComputeAnalysisRecord(series, position, settings, context->indexSeries(), out);
  return kExitOk;
}

}  // namespace korvale::cli
