// korvale-cli quote-service: the stand-in web quote service on loopback, for the demo and for
// trying web mode without the real service.
#include <pthread.h>

#include <csignal>
#include <cstdio>

#include "acquisition/quote_service.h"
#include "cli/cli.h"

namespace korvale::cli {
namespace {

int RunQuoteService(const CliArgs& args) {
  if (!args.Positional().empty()) {
    PrintError("quote-service takes no positional arguments");
    return kExitUsage;
  }
  int port = 0;
  if (args.Has("--port") && !ParseWholeNumber(args.Value("--port"), 0, 65535, &port)) {
    PrintError("--port needs a number 0-65535");
    return kExitUsage;
  }
  // Ctrl-C and SIGTERM are waited for here, so the server stops cleanly between requests.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  int delay = 0;
  if (args.Has("--delay") && !ParseWholeNumber(args.Value("--delay"), 0, 600000, &delay)) {
    PrintError("--delay needs milliseconds 0-600000");
    return kExitUsage;
  }
  const std::string root = args.Root();
  CQuoteService service(root);
  std::string error;
  if (!service.Start(port, &error)) {
    PrintError(error);
    return kExitFailure;
  }
  service.SetFault(CQuoteService::Page::kTable, 0, delay);
  if (args.Has("--make-root")) {
    const std::string client = args.Value("--make-root");
    if (!MakeWebModeRoot(client, service.BaseUrl(), root, &error)) {
      PrintError(error);
      return kExitFailure;
    }
    std::printf("web-mode data root %s\n", client.c_str());
  }
  std::printf("serving %d stocks of %s at %s\n", service.stockCount(), root.c_str(),
              service.BaseUrl().c_str());
  std::fflush(stdout);
  int received = 0;
  sigwait(&signals, &received);
  service.Stop();
  return kExitOk;
}

const CommandRegistration kRegistration({
    "quote-service",
    "a stand-in web quote service on loopback, made from the data root's prices",
    "usage: korvale-cli quote-service [--root DIR] [--port N] [--delay MS] [--make-root DIR2]\n"
    "\n"
    "Serves the stocks of the data root (its price files and stock dictionary) on\n"
    "http://127.0.0.1:N (N 0 or absent: a free port) in the page layouts web mode reads, until\n"
    "Ctrl-C: /fetchlist.csv (cp932 lines symbol,code,market,name), the profile\n"
    "/biz/fundamental/NNNN.html, the quote page /q?s=NNNN&d=v3 and the price table\n"
    "/t?s=SYMBOL&...&y=OFFSET (EUC-JP pages; 50 rows a page, newest first). Prints the address.\n"
    "--delay MS answers each price-table page after MS milliseconds, to watch the progress\n"
    "dialog and its Cancel.\n"
    "--make-root DIR2 makes DIR2 a web-mode data root that reads from this service: the\n"
    "settings file (dataSourceMode 2, allStocksUrl), webhosts.txt and a copy of the stock\n"
    "dictionary. Start korvale in DIR2, or run 'korvale-cli web-fetch CODE --root DIR2'.\n",
    {{}, {"--port", "--delay", "--make-root"}},
    RunQuoteService,
});

}  // namespace
}  // namespace korvale::cli
