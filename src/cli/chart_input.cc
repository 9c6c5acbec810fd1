#include "cli/chart_input.h"

#include <cstdio>

#include "app/index_series.h"
#include "app/main_window_layout.h"
#include "charts/auxiliary_chart.h"
#include "charts/chart_painter.h"
#include "charts/pane_drawing.h"
#include "cli/stock_source.h"
#include "store/file_io.h"
#include "store/store_folders.h"

namespace korvale::cli {

namespace {

// "WxH" with both sides 1-10000. False on anything else.
bool ParseSize(const std::string& text, int* width, int* height) {
  int w = 0, h = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%dx%d%c", &w, &h, &tail) != 2) return false;
  if (w < 1 || h < 1 || w > 10000 || h > 10000) return false;
  *width = w;
  *height = h;
  return true;
}

}  // namespace

bool LoadChartInput(const CliArgs& args, const std::string& argument,
                    const SettingsRecord& settings, ChartInput* input) {
  const std::string root = settings.dataRootDir;
  int code = 0;
  const bool byCode = ParseCode(argument, &code) && !FileExists(argument);
  // The dictionary of the data root, as the document builds it at start; needed to find a
  // stock by code and the index series (only read when index analysis is on).
  std::unique_ptr<CStockDictionary> dictionary;
  if (byCode || settings.useIndexAnalysis) {
    dictionary = OpenStockDictionary(settings);
    if (!dictionary) return false;
  }
  StockFiles files;
  if (byCode) {
    if (!ResolveStockFiles(*dictionary, code, LineFolderOf(root), &files)) {
      PrintError(StringPrintf("no price file of %04d in the stock list of %s", code,
                              root.c_str()));
      return false;
    }
  } else {
    files.pricePath = argument;
    files.marginPath = args.Value("--margin");
    files.linePath = args.Value("--lines");
  }
  if (!files.remote && !FileExists(files.pricePath)) {
    PrintError(files.pricePath + " cannot open");
    return false;
  }
  input->signals = std::make_unique<CSignalInput>(settings);
  if (args.Has("--rules") && !input->signals->PickRules(args.Value("--rules"))) return false;
  input->series = std::make_unique<CPriceSeries>();
  std::string error;
  LoadStock(files, input->series.get(), {}, /*placeholderWhenEmpty=*/true, &error);
  if (!error.empty()) {
    PrintError(error);
    return false;
  }
  if (input->series->priceFileRefused()) return ReportReadProblems(*input->series);
  if (dictionary) {
    input->index = LoadIndexSeries(settings, [&](int indexCode, std::string* folder) {
      return dictionary->GetFolder(indexCode, folder) != 0;
    });
  }
  return true;
}

std::unique_ptr<CChartPainter> MakeChartPainter(SettingsRecord settings, ChartInput& input,
                                                const ChartKind& kind, int width, int height) {
  ApplyAutomaticSpan(&settings, width, true, true);
  auto painter = std::make_unique<CChartPainter>(settings);
  painter->SetIndexSeries(input.index.get());
  painter->SetSignalSource(input.signals.get());
  kind.Attach(*painter, *input.series);
  kind.SetClientSize(*painter, width, height);
  // The attach built the weekly bars, so the margin file's problems are known by now.
  ReportReadProblems(*input.series);
  return painter;
}

bool ChartOptions(const CliArgs& args, const ChartKindEntry** kind, int* width, int* height) {
  *kind = FindChartKindByOption(args.Value("--chart", "daily"));
  if (!*kind) {
    PrintError("--chart takes " + ChartKindOptions());
    return false;
  }
  *width = 1200;
  *height = 800;
  if (args.Has("--size") && !ParseSize(args.Value("--size"), width, height)) {
    PrintError("--size needs WxH, each 1-10000");
    return false;
  }
  return true;
}

std::string BarDate(const CPriceSeries& series, int bar) {
  const PriceBar& b = series.bars[bar];
  return StringPrintf("%04d-%02d-%02d", b.year, b.month, b.day);
}

bool ParamOption(const CliArgs& args, const ChartKindEntry& kind, SettingsRecord* settings) {
  if (!args.Has("--param")) return true;
  if (kind.group != ChartKindGroup::kAuxiliary) {
    PrintError("--param applies to the kagi, newprice and reverse charts");
    return false;
  }
  const AuxiliaryParameter range = AuxiliaryParameterOf(*settings, kind.id);
  int value = 0;
  if (!ParseWholeNumber(args.Value("--param"), range.low, range.high, &value)) {
    PrintError(StringPrintf("--param takes %d-%d for %s", range.low, range.high, kind.option));
    return false;
  }
  SetAuxiliaryParameter(settings, kind.id, value);
  return true;
}

int ConstructionInput(const CliArgs& args, const char* command, int kindId,
                      SettingsRecord* settings, ChartInput* input) {
  if (args.Positional().size() != 1) {
    PrintError(std::string(command) + " needs one CODE or PATH");
    return kExitUsage;
  }
  if (!LoadSettings(args, settings)) return kExitFailure;
  if (!ParamOption(args, *FindChartKind(kindId), settings)) return kExitUsage;
  if (!LoadChartInput(args, args.Positional()[0], *settings, input)) return kExitFailure;
  return -1;
}

}  // namespace korvale::cli
