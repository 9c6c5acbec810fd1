// What the chart commands draw: a stock by CODE (its files found below the data root) or a
// price file by PATH, loaded as the document loads a stock, with the market-index series.
#ifndef KORVALE_CLI_CHART_INPUT_H_
#define KORVALE_CLI_CHART_INPUT_H_

#include <memory>
#include <string>

#include "charts/chart_kind.h"
#include "cli/cli.h"
#include "cli/signal_input.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/stock_dictionary.h"
#include "store/stock_files.h"

namespace korvale::cli {

struct ChartInput {
  std::unique_ptr<CPriceSeries> series;
  std::unique_ptr<CPriceSeries> index;  // null when there is no index
  std::unique_ptr<CSignalInput> signals;  // the signal chart's rules (--rules)
};

// Loads the single positional argument: a CODE (1 to 4 digits, looked up in the stock dictionary
// of the data root) or a PATH to a price file, with --margin and --lines for a PATH, and the
// signal chart's --rules. A price file without a usable bar becomes the one-bar placeholder, as
// the document shows it. Prints the reason and returns false when the file cannot be opened or
// an argument is not usable.
bool LoadChartInput(const CliArgs& args, const std::string& argument,
                    const SettingsRecord& settings, ChartInput* input);

// The painter the main view would draw with for a client area of width x height: the settings
// get the automatic span for that width with both side bars docked (when dailySpanDays is 0 or
// dailyAutoPeriod is set), the painter copies them, takes the index series and the signal
// chart's rules (its canvas the client area) and attaches to the series as the chart kind.
std::unique_ptr<CChartPainter> MakeChartPainter(SettingsRecord settings, ChartInput& input,
                                                const ChartKind& kind, int width, int height);

// The chart kind of "--chart NAME" (a name of the chart-kind table; default daily) and the
// client size of "--size WxH" (each side 1-10000, default 1200x800). Prints the reason and
// returns false for any other value.
bool ChartOptions(const CliArgs& args, const ChartKindEntry** kind, int* width, int* height);

// The date of a bar of the series as YYYY-MM-DD; `bar` must be one of its bars.
std::string BarDate(const CPriceSeries& series, int bar);

// "--param N": the slider value of a kagi, new-price or reverse-watch chart, stored in the
// settings as the slider stores it in the painter's copy (kagi: the percent or the yen amount by
// kagiReversalMode). N must lie in the slider's range. Without the option nothing changes.
// Prints the reason and returns false when it is given for another kind or out of range.
bool ParamOption(const CliArgs& args, const ChartKindEntry& kind, SettingsRecord* settings);

// The start of the commands that print a chart's construction (kagi, newprice): the single CODE
// or PATH, the settings with --set and --param applied for kind `kindId`, and the stock loaded.
// Returns -1 when the command goes on, else the exit status to end with (the reason printed).
int ConstructionInput(const CliArgs& args, const char* command, int kindId,
                      SettingsRecord* settings, ChartInput* input);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_CHART_INPUT_H_
