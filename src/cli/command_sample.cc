// korvale-cli sample: makes the synthetic sample database.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/cli.h"
#include "sample/sample_database.h"

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

// The plug-in library beside the running korvale-cli, where the build puts it; "" when absent.
std::string PluginBesideProgram() {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  const std::filesystem::path plugin = self.parent_path() / "XZentakDOS.so";
  return std::filesystem::is_regular_file(plugin, ec) ? plugin.string() : "";
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
  if (!args.Has("--no-plugin")) options.pluginPath = PluginBesideProgram();
  const std::string& dir = args.Positional()[0];
  SampleSummary summary;
  std::string error;
  if (!MakeSampleDatabase(dir, options, &summary, &error)) {
    PrintError(error);
    return kExitFailure;
  }
  std::printf(
      "sample database in %s: %d stocks (%d with margin files), %d dictionary records,\n"
      "%d trading days %s to %s, %.1f MB; list files %s and %s; %d rules in Rules\n",
      dir.c_str(), summary.stocks, summary.marginFiles, summary.dictionaryRecords,
      summary.tradingDays, summary.firstDate.c_str(), summary.lastDate.c_str(),
      static_cast<double>(summary.bytes) / 1e6, kSampleWatchList, kSampleBankList, summary.rules);
  std::printf("update files in %s/%s: %d daily files (%d records), %d margin files; %s\n",
              dir.c_str(), kSampleImportFolder, summary.import.dailyFiles,
              summary.import.dailyRecords, summary.import.marginFiles,
              summary.import.plugin ? "the XZentakDOS plug-in in Plug-ins"
                                    : "no plug-in (the built-in source reads them)");
  return kExitOk;
}

const CommandRegistration kRegistration({
    "sample",
    "make a deterministic synthetic sample database",
    "usage: korvale-cli sample DIR [--stocks N] [--years Y] [--seed S] [--no-plugin]\n"
    "\n"
    "Writes a synthetic data root into DIR (created when missing; it must be empty):\n"
    "  KorvaleEx.DIC            names (some half-width katakana, some with （株）), markets,\n"
    "                           industries, descriptive texts and figures\n"
    "  Data/<block>/KD####.KDT  price files in the thousand-block folders\n"
    "  Archive/KD####.KDT       delisted stocks, kept outside Data\n"
    "  Data/SZ/SZ####.SDT       weekly margin balances\n"
    "  Watchlist.LST, Banks.LST list files (open with korvale-cli list --open Watchlist.LST)\n"
    "  Rules/*.ERL              four screening rules (korvale-cli rule list)\n"
    "  Import/DS260105.01       daily prices of the first trading day after the last bar, in\n"
    "                           the plug-in's DOS form; DS260106.DAT to DS260109.DAT the next\n"
    "                           days in the built-in source's four header forms (eight- and\n"
    "                           six-digit date, quoted, named), each with two new listings\n"
    "  Import/SZ260109.DAT, Import/YS202601.16  margin balances in both name forms\n"
    "  Plug-ins/XZentakDOS.so   the plug-in, copied from beside korvale-cli (not with\n"
    "                           --no-plugin); while it is there the update commands offer only\n"
    "                           the DOS source, without it only the built-in source\n"
    "Stock 1010 is the market index that drives the others. Prices are random walks with\n"
    "changing volatility, gaps, limit moves and splits over weekdays without holidays; a few\n"
    "stocks list late, stop early, trade rarely or have damaged files.\n"
    "--stocks N  price files, the index included (default 3800, at most 6000)\n"
    "--years Y   calendar years of trading days ending with 2025 (default 20)\n"
    "--seed S    the random seed (default 1); one seed always gives byte-identical files\n",
    {{"--no-plugin"}, {"--stocks", "--years", "--seed"}},
    RunSample,
});

}  // namespace
}  // namespace korvale::cli
