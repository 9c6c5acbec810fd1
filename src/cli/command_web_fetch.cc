// korvale-cli web-fetch: one stock's web download as opening the stock in web mode runs it.
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>

#include "acquisition/web_download.h"
#include "app/detail_panel.h"
#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "app/web_messages.h"
#include "cli/cli.h"
#include "cli/web_output.h"
#include "store/cp932.h"
#include "store/store_folders.h"

namespace korvale::cli {
namespace {

// Ctrl-C stops the download as the dialog's Cancel does: the pages so far are kept.
std::atomic<bool> gStop{false};
static_assert(std::atomic<bool>::is_always_lock_free);
extern "C" void OnInterrupt(int) { gStop.store(true); }

std::string DateText(const PriceBar& bar) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", bar.year, bar.month, bar.day);
  return text;
}

// The fetch list, downloaded when the data root holds none, read into the document.
bool LoadStockList(CKorvaleDoc* doc, const SettingsRecord& s, const QuoteEndpoints& endpoints,
                   const WebFetchOptions& options) {
  if (!doc->NeedsFetchList()) return true;
  std::fprintf(stderr, "%s\n", kFetchListCaption);
  const FetchListDownload list =
      DownloadFetchList(endpoints.fetchListUrl, WebTempFolderOf(s.dataRootDir), options);
  if (!list.ok) {
    PrintError(WebProblemText(list.networkError, list.detail));
    return false;
  }
  doc->ApplyFetchList(list.path);
  DiscardFetchList(list);
  return true;
}

int RunWebFetch(const CliArgs& args) {
  int code = 0;
  if (args.Positional().size() != 1 || !ParseWholeNumber(args.Positional()[0], 1, 9999, &code)) {
    PrintError("web-fetch needs one securities code 1-9999");
    return kExitUsage;
  }
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  settings.dataSourceMode = 2;
  QuoteEndpoints endpoints;
  std::string error;
  if (!LoadQuoteEndpoints(settings.dataRootDir, settings.allStocksUrl, &endpoints, &error)) {
    PrintError(error);
    return kExitFailure;
  }
  WebFetchOptions options = WebFetchOptionsOf(settings);
  options.stop = &gStop;
  std::signal(SIGINT, OnInterrupt);

  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  CKorvaleDoc doc(settings, folders);
  doc.Start();
  if (!LoadStockList(&doc, settings, endpoints, options)) return kExitFailure;
  int row = -1;
  for (size_t i = 0; i < doc.list().rows.size() && row < 0; ++i) {
    if (doc.list().rows[i].code == code) row = static_cast<int>(i);
  }
  WebStockRequest request;
  if (row < 0 || !doc.WebStockRequestOf(row, endpoints, &request)) {
    PrintError("code " + std::to_string(code) + " is not in the fetch list");
    return kExitFailure;
  }
  request.fetch.stop = &gStop;

  const bool live = ::isatty(STDERR_FILENO) != 0;
  const WebStockDownload download = DownloadWebStock(request, [&](int done, int total) {
    if (live) std::fprintf(stderr, "\r%s %d/%d", kStockDownloadCaption, done, total);
  });
  if (live) std::fputc('\n', stderr);
  std::fprintf(stderr, "%s %d/%d pages saved%s\n", kStockDownloadCaption, download.pagesSaved,
               download.pageCount, download.cancelled ? " (stopped)" : "");
  for (const std::string& note : download.notes) PrintError(note);
  if (download.outcome != WebStockDownload::Outcome::kLoaded) {
    PrintError(WebProblemText(download.outcome == WebStockDownload::Outcome::kNetworkError,
                              download.detail));
    return kExitFailure;
  }
  doc.ShowWebStock(code, download);

  const CPriceSeries& s = doc.series();
  const int bars = download.barsLoaded ? s.barCount() : 0;
  const StockInfo& info = doc.stockInfo();
  const char* names[] = {"marketCapitalisation", "earningsPerShare", "priceEarningsRatio",
                         "bookValuePerShare", "priceBookRatio"};
  const std::string name = Cp932ToUtf8(doc.stockName());
  const std::string first = bars ? DateText(s.bars.front()) : "";
  const std::string last = bars ? DateText(s.bars.back()) : "";
  if (args.Has("--json")) {
    std::printf("{\"code\": %d,\n\"name\": %s,\n\"bars\": %d,\n\"first\": %s,\n\"last\": %s,\n",
                code, JsonQuote(name).c_str(), bars, JsonQuote(first).c_str(),
                JsonQuote(last).c_str());
    PrintProfile(download.profile, true);
    for (int i = 0; i < 5; ++i) {
      std::printf(",\n\"%s\": %s", names[i], NumberText(info.figures[i]).c_str());
    }
    std::printf("\n}\n");
  } else {
    std::printf("code=%04d\nname=%s\nbars=%d\nfirst=%s\nlast=%s\n", code, name.c_str(), bars,
                first.c_str(), last.c_str());
    PrintProfile(download.profile, false);
    // The figures as the detail bar shows them.
    for (int i = 0; i < 5; ++i)
      std::printf("%s=%s\n", names[i], FigureText(info.figures[i]).c_str());
  }
  if (bars == 0) {
    PrintError("no daily row arrived");
    return kExitFailure;
  }
  return kExitOk;
}

const CommandRegistration kRegistration({
    "web-fetch",
    "one stock's download from the web quote service, as opening it in web mode runs it",
    "usage: korvale-cli web-fetch CODE [--root DIR] [--set NAME=VALUE]... [--json]\n"
    "\n"
    "Runs the stock download of web mode for CODE, whatever dataSourceMode the settings hold:\n"
    "the fetch list from allStocksUrl when the data root holds no fetchlist.csv (for the\n"
    "stock's quote symbol), then the profile page, the quote page and the price-table pages the\n"
    "daily span (dailySpanDays) needs, saved under webtemp, scraped into a price series and\n"
    "removed again. The addresses are the quote service's unless webhosts.txt in the data root\n"
    "names others (lines profile=URL, quote=URL, table=URL, fetchlist=URL). The proxy comes\n"
    "from the settings. A progress line goes to stderr, with every page that failed; Ctrl-C\n"
    "stops the download at once and keeps the pages saved so far.\n"
    "Prints code, name, the number of bars loaded, the first and last date, the profile's two\n"
    "texts and the five figures as the detail bar shows them. Exit 1 when the download cannot\n"
    "start (no folder to write, no server), the code is not in the fetch list, or no row\n"
    "arrived.\n",
    {{"--json"}, {"--set"}},
    RunWebFetch,
});

}  // namespace
}  // namespace korvale::cli
