// korvale-cli validate: the rule validation report of "抽出条件の検証", run by the same job
// object as the progress dialog.
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "cli/analysis_session.h"
#include "cli/cli.h"
#include "screening/condition_set.h"
#include "screening/validation_job.h"
#include "store/cp932.h"
#include "store/file_io.h"
#include "app/user_messages.h"

namespace korvale::cli {
namespace {

// Stocks per step: enough to keep every thread busy between two progress lines.
constexpr int kStocksPerStep = 40;

bool ParsePercent(const CliArgs& args, const char* option, int32_t* value) {
  if (!args.Has(option)) return true;
  int v;
  if (!ParseWholeNumber(args.Value(option), 0, 100, &v)) {
    PrintError(std::string(option) + " needs a whole percentage 0-100");
    return false;
  }
  *value = v;
  return true;
}

// YYYY-MM of the period, with the dialog's ranges.
bool ParseMonth(const std::string& text, int32_t* year, int32_t* month) {
  int y, m;
  if (text.size() != 7 || text[4] != '-') return false;
  if (!ParseWholeNumber(text.substr(0, 4), kValidationFirstYear, kValidationLastYear, &y)) {
    return false;
  }
  if (!ParseWholeNumber(text.substr(5, 2), 1, 12, &m)) return false;
  *year = y;
  *month = m;
  return true;
}

// The parameters the options give, the dialog's defaults for the others.
bool ParseParams(const CliArgs& args, ValidationParams* p) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  *p = DefaultValidationParams(local.tm_year + 1900, local.tm_mon + 1);
  const std::string period = args.Value("--period", "all");
  if (period != "all") {
    const size_t colon = period.find(':');
    if (colon == std::string::npos || !ParseMonth(period.substr(0, colon), &p->fromYear,
                                                  &p->fromMonth) ||
        !ParseMonth(period.substr(colon + 1), &p->toYear, &p->toMonth)) {
      PrintError("--period needs all or YYYY-MM:YYYY-MM (years 1980-2100)");
      return false;
    }
    p->wholePeriod = 0;
  }
  if (args.Has("--after") && args.Has("--within")) {
    PrintError("--after and --within exclude each other");
    return false;
  }
  if (args.Has("--within")) p->afterMode = 0;
  if (args.Has("--days")) {
    int days;
    if (!ParseWholeNumber(args.Value("--days"), 0, kHorizonDaysMax, &days)) {
      PrintError("--days needs a number of days 0-300");
      return false;
    }
    p->horizonDays = days;
  }
  return ParsePercent(args, "--rise", &p->risePercent) &&
         ParsePercent(args, "--fall", &p->fallPercent) &&
         ParsePercent(args, "--traded", &p->tradedPercent);
}

void PrintJson(const CAnalizeRuleReportDoc& report) {
  std::printf("{\"criterion\": %s, \"period\": %s, \"universe\": %s, \"lines\": [",
              JsonQuote(report.CriterionText()).c_str(), JsonQuote(report.PeriodText()).c_str(),
              JsonQuote(report.UniverseText()).c_str());
  for (int line = 0; line < report.lineCount(); ++line) {
    const OutcomeCounters& c = report.counters(line);
    std::printf("%s\n  {\"name\": %s, \"events\": %d, \"rises\": %d, \"neutrals\": %d, "
                "\"falls\": %d}",
                line == 0 ? "" : ",", JsonQuote(Cp932ToUtf8(report.LineName(line))).c_str(),
                c.events, c.rises, c.neutrals, c.falls);
  }
  std::printf("\n]}\n");
}

// The file's text as UTF-8 with plain line ends.
void PrintText(const CAnalizeRuleReportDoc& report) {
  std::string text = Cp932ToUtf8(report.FileText());
  std::string out;
  for (char c : text) {
    if (c != '\r') out += c;
  }
  std::fputs(out.c_str(), stdout);
}

int RunValidate(const CliArgs& args) {
  std::string output;
  std::vector<std::string> rest;
  if (!OutputOption(args, &output, &rest)) {
    PrintError("-o needs a file name");
    return kExitUsage;
  }
  if (!rest.empty()) {
    PrintError("validate takes no positional arguments");
    return kExitUsage;
  }
  ValidationParams params;
  if (!ParseParams(args, &params)) return kExitUsage;
  int threads = DefaultBatchThreads();
  if (args.Has("--threads") && !ParseWholeNumber(args.Value("--threads"), 1, 8, &threads)) {
    PrintError("--threads needs a number 1-8");
    return kExitUsage;
  }
  AnalysisSession session;
  if (const int opened = OpenAnalysisSession(args, &session); opened != kExitOk) return opened;
  const CRuleList& rules = session.context->rules();
  if (rules.count == 1 && rules.FilePath(0).empty()) {
    PrintError("note: " + rules.RulesFolder() + " holds no rule file; the list holds only " +
               Cp932ToUtf8(rules.sets[0].name) + ", which has no condition switched on");
  } else {
    for (int j = 0; j < rules.count; ++j) {
      const ConditionSet& set = rules.sets[static_cast<size_t>(j)];
      bool any = false;
      for (int type = 0; type < kConditionTypeCount; ++type) any = any || set.enabled[type] != 0;
      if (!any) {
        PrintError("note: rule " + Cp932ToUtf8(set.name) +
                   " has no condition switched on (its file holds none that can be read): it "
                   "counts every bar");
      }
    }
  }

  CValidationJob job(*session.dictionary, rules, session.context->settings(),
                     session.context->indexSeries(), params);
  job.SetThreads(threads);
  const bool live = ::isatty(STDERR_FILENO) != 0;
  AnalysisJobStatus status = job.Start();
  while (status == AnalysisJobStatus::kRunning) {
    status = job.Step(kStocksPerStep);
    if (live) {
      std::fprintf(stderr, "\r%s %d/%d", kValidationProgressCaption, job.done(), job.total());
    }
  }
  if (live) {
    std::fputc('\n', stderr);
  } else {
    std::fprintf(stderr, "%s %d/%d\n", kValidationProgressCaption, job.done(), job.total());
  }
  const std::unique_ptr<CAnalizeRuleReportDoc> report = job.Finish();
  if (job.evaluated() == 0) {
    PrintError("note: no stock has more than 162 bars with the traded share asked for");
  } else if (report->counters(0).events == 0) {
    PrintError("note: no bar of the " + std::to_string(job.evaluated()) +
               " stocks evaluated lies in the period with " +
               std::to_string(params.horizonDays) + " days after it");
  }
  if (args.Has("--json")) {
    PrintJson(*report);
  } else {
    PrintText(*report);
  }
  if (!output.empty()) {
    const std::string bytes = report->FileText();
    std::string error;
    if (!WriteFileAtomically(output, bytes.data(), bytes.size(), &error)) {
      PrintError(std::string(kDiskAccessErrorMessage) + " (" + error + ")");
      return kExitFailure;
    }
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "validate",
    "the rule validation report: how stocks fared after each rule picked them in the past",
    "usage: korvale-cli validate [--root DIR] [--period all|YYYY-MM:YYYY-MM] [--days N]\n"
    "                            [--after|--within] [--rise P] [--fall P] [--traded P]\n"
    "                            [--width W] [--threads N] [--set NAME=VALUE]... [--json]\n"
    "                            [-o FILE]\n"
    "\n"
    "The back-test of \"抽出条件の検証\": for every stock of the data root with more than 162\n"
    "bars and at least P% traded days (--traded, default 80), every bar from the 141st on\n"
    "that has N more bars after it (--days, default 20) and lies in the period (--period,\n"
    "default all; months of 1980-2100), the analysis record as of the bar before it is judged\n"
    "by every rule of the Rules folder, and the close N days after the bar (--after, the\n"
    "default) or any close within N days (--within) is compared with the bar's close: a rise\n"
    "of --rise P% (default 10) or a fall of --fall P% (default 8). Prints the criterion, the\n"
    "period, the universe and one line per rule after the baseline 全事象 (all bars): its\n"
    "name, the bars it picked, and the shares of rises, neutral bars and falls. With --json\n"
    "one object {criterion, period, universe, lines: [{name, events, rises, neutrals,\n"
    "falls}]}. -o FILE also writes the report file \"ファイルに保存\" writes (cp932, CR LF).\n"
    "The records are those of 'korvale-cli record' (the daily span for a client W pixels wide,\n"
    "default 1200; --set useIndexAnalysis=1 for the index fields); the trend-line conditions\n"
    "never hold here. The stocks are spread over N threads (--threads 1-8, default the\n"
    "processor's cores, at most 4); the counts are the same for any N. A progress line goes\n"
    "to stderr. Exit 1 when the report file cannot be written.\n",
    {{"--json", "--after", "--within"},
     {"--period", "--days", "--rise", "--fall", "--traded", "--set", "--width", "--threads",
      "--output"}},
    RunValidate,
});

}  // namespace
}  // namespace korvale::cli
