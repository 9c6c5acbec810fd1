// korvale-cli scrape: what the web download's scrapers read from a saved page.
#include <cstdio>

#include "acquisition/page_scrapers.h"
#include "cli/cli.h"
#include "cli/web_output.h"

namespace korvale::cli {
namespace {

int RunScrape(const CliArgs& args) {
  const auto& positional = args.Positional();
  if (positional.size() != 2) {
    PrintError("scrape needs a page kind (price-table, quote or profile) and a FILE");
    return kExitUsage;
  }
  const std::string& kind = positional[0];
  const std::string& path = positional[1];
  const bool json = args.Has("--json");
  std::string error;
  if (kind == "price-table") {
    CPriceTablePage page;
    if (!ScrapePriceTable(path, &page, &error)) {
      PrintError(error);
      return kExitFailure;
    }
    if (json) std::printf("{\"rowCount\": %d,\n", page.rowCount);
    PrintTableRows(page, json);
    if (json) std::printf("}\n");
  } else if (kind == "quote") {
    QuoteSummary quote;
    if (!ScrapeQuote(path, &quote, &error)) {
      PrintError(error);
      return kExitFailure;
    }
    if (json) std::printf("{");
    PrintQuote(quote, json);
    if (json) std::printf("}\n");
  } else if (kind == "profile") {
    ProfileText profile;
    if (!ScrapeProfile(path, &profile, &error)) {
      PrintError(error);
      return kExitFailure;
    }
    if (json) std::printf("{");
    PrintProfile(profile, json);
    if (json) std::printf("}\n");
  } else {
    PrintError("unknown page kind " + kind + ": price-table, quote or profile");
    return kExitUsage;
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "scrape",
    "what the web scrapers read from a saved quote-service page",
    "usage: korvale-cli scrape price-table|quote|profile FILE [--json]\n"
    "\n"
    "Reads a page of the web quote service saved in FILE (EUC-JP) as the web download does and\n"
    "prints, in UTF-8, what its scraper yields:\n"
    "  price-table  the stored daily rows in page order (newest first), one\n"
    "               'YYYY/MM/DD open high low close volume' a line (at most 50)\n"
    "  quote        code, name and the five figures of the first complete row (the page is\n"
    "               read from its first 25600 bytes)\n"
    "  profile      the market text and the industry text\n"
    "Exit 1 when FILE cannot be read (missing, not a regular file, larger than 8 MB).\n",
    {{"--json"}, {}},
    RunScrape,
});

}  // namespace
}  // namespace korvale::cli
