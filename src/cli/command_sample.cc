// korvale-cli sample: makes the synthetic sample database.
#include <cstdio>
#include <string>

#include "app/sample_database.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

bool ParseUnsigned(const std::string& text, uint64_t max, uint64_t* value) {
  if (text.empty() || text.size() > 20) return false;
  uint64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    const uint64_t digit = static_cast<uint64_t>(c - '0');
    if (v > (max - digit) / 10) return false;
    v = v * 10 + digit;
  }
  *value = v;
  return true;
}

int RunSample(const CliArgs& args) {
  if (args.Positional().size() != 1) {
    PrintError("sample needs one folder DIR");
    return kExitUsage;
  }
  SampleOptions options;
  uint64_t v;
  if (args.Has("--stocks")) {
    if (!ParseUnsigned(args.Value("--stocks"), 6000, &v) || v < 1) {
      PrintError("--stocks needs a number 1-6000");
      return kExitUsage;
    }
    options.stocks = static_cast<int>(v);
  }
  if (args.Has("--years")) {
    if (!ParseUnsigned(args.Value("--years"), 60, &v) || v < 1) {
      PrintError("--years needs a number 1-60");
      return kExitUsage;
    }
    options.years = static_cast<int>(v);
  }
  if (args.Has("--seed")) {
    if (!ParseUnsigned(args.Value("--seed"), UINT64_MAX, &v)) {
      PrintError("--seed needs a whole number");
      return kExitUsage;
    }
    options.seed = v;
  }
  const std::string& dir = args.Positional()[0];
  SampleSummary summary;
  std::string error;
  if (!MakeSampleDatabase(dir, options, &summary, &error)) {
    PrintError(error);
    return kExitFailure;
  }
  std::printf(
      "sample database in %s: %d stocks (%d with margin files), %d dictionary records,\n"
      "%d trading days %s to %s, %.1f MB; list files %s and %s\n",
      dir.c_str(), summary.stocks, summary.marginFiles, summary.dictionaryRecords,
      summary.tradingDays, summary.firstDate.c_str(), summary.lastDate.c_str(),
      static_cast<double>(summary.bytes) / 1e6, kSampleWatchList, kSampleBankList);
  return kExitOk;
}

const CommandRegistration kRegistration({
    "sample",
    "make a deterministic synthetic sample database",
    "usage: korvale-cli sample DIR [--stocks N] [--years Y] [--seed S]\n"
    "\n"
    "Writes a synthetic data root into DIR (created when missing; it must be empty):\n"
    "  KorvaleEx.DIC            names (some half-width katakana, some with （株）), markets,\n"
    "                           industries, descriptive texts and figures\n"
    "  Data/<block>/KD####.KDT  price files in the thousand-block folders\n"
    "  Archive/KD####.KDT       delisted stocks, kept outside Data\n"
    "  Data/SZ/SZ####.SDT       weekly margin balances\n"
    "  Watchlist.LST, Banks.LST list files (open with korvale-cli list --open Watchlist.LST)\n"
    "Stock 1010 is the market index that drives the others. Prices are random walks with\n"
    "changing volatility, gaps, limit moves and splits over weekdays without holidays; a few\n"
    "stocks list late, stop early, trade rarely or have damaged files.\n"
    "--stocks N  price files, the index included (default 3800, at most 6000)\n"
    "--years Y   calendar years of trading days ending with 2025 (default 20)\n"
    "--seed S    the random seed (default 1); one seed always gives byte-identical files\n",
    {{}, {"--stocks", "--years", "--seed"}},
    RunSample,
});

}  // namespace
}  // namespace korvale::cli
