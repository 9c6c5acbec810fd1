#include "cli/stock_source.h"

#include <atomic>
#include <csignal>
#include <cstdio>

#include "acquisition/peer_list_fetch.h"
#include "acquisition/web_download.h"
#include "app/user_messages.h"
#include "app/web_messages.h"
#include "cli/cli.h"

namespace korvale::cli {

namespace {

// Ctrl-C stops the list fetch as the dialog's Cancel does.
std::atomic<bool> gStop{false};
extern "C" void OnPeerListInterrupt(int) { gStop.store(true); }

}  // namespace

std::unique_ptr<CStockDictionary> OpenStockDictionary(const SettingsRecord& s) {
  std::unique_ptr<CStockDictionary> dictionary;
  if (s.dataSourceMode == 1) {
    dictionary = std::make_unique<CStockDictionary>(s.peerServerUrl, s.workDir, s.useProxy,
                                                    s.proxyHost, s.proxyPort);
  } else {
    dictionary = std::make_unique<CStockDictionary>(s.dataRootDir, s.workDir);
  }
  if (!dictionary->nameTableError.empty()) {
    PrintError(std::string(kDiskAccessErrorMessage) + " (" + dictionary->nameTableError + ")");
  }
  if (s.dataSourceMode != 1) return dictionary;

  std::fprintf(stderr, "%s\n", kFetchListCaption);
  WebFetchOptions options = WebFetchOptionsOf(s);
  options.stop = &gStop;
  auto previous = std::signal(SIGINT, OnPeerListInterrupt);
  const PeerListFetch list = FetchPeerList(s.peerServerUrl, options, dictionary.get());
  std::signal(SIGINT, previous);
  if (!list.ok()) {
    PrintError(WebProblemText(true, list.detail));
    return nullptr;
  }
  return dictionary;
}

}  // namespace korvale::cli
