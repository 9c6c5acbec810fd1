// The downloads of web mode: the fetch list (the stock list of the quote service) and one
// stock's pages (profile, quote page, the price-table pages its daily span needs), saved under
// the data root's "webtemp" folder, scraped into a price series and removed again. Both are
// blocking functions for a worker thread: they touch no document and never change the current
// directory; the caller hands what they return to the window thread.
#ifndef KORVALE_ACQUISITION_WEB_DOWNLOAD_H_
#define KORVALE_ACQUISITION_WEB_DOWNLOAD_H_

#include <functional>
#include <string>
#include <vector>

#include "acquisition/page_scrapers.h"
#include "acquisition/quote_endpoints.h"
#include "acquisition/url_fetch.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

inline constexpr const char* kWebTempFolderName = "webtemp";

// "<dataRootDir>/webtemp".
std::string WebTempFolderOf(const std::string& dataRootDir);
// The proxy settings of the record as fetch options (timeouts and bound at their defaults).
WebFetchOptions WebFetchOptionsOf(const SettingsRecord& settings);
// Today's local date.
void LocalToday(int* year, int* month, int* day);

struct FetchListDownload {
  bool ok = false;
  std::string path;  // the saved fetch list when ok
  // When not ok: the file that could not be written, or (networkError) the address and why it
  // did not answer with the list.
  std::string detail;
  bool networkError = false;
  std::string privateFolder;  // a folder the download made in the temporary folder, or ""
};

// Saves the fetch list at `url` as "<webTempDir>/fetchlist.csv" (the folder is made when
// missing); when that file cannot be written, as "fetchlisttmp.csv" in a private folder of the
// system's temporary folder. Not ok when both fail, when the server cannot be reached or when
// it answers with a status other than 200. The caller reads the file, then discards it with
// DiscardFetchList.
FetchListDownload DownloadFetchList(const std::string& url, const std::string& webTempDir,
                                    const WebFetchOptions& options);
// Removes the saved fetch list and the private folder, if any.
void DiscardFetchList(const FetchListDownload& download);

struct WebStockRequest {
  int code = 0;
  std::string quoteSymbol;  // the stock's symbol from the fetch list
  int dailySpanDays = 0;
  int year = 0, month = 0, day = 0;  // today: the end date of the price-table requests
  QuoteEndpoints endpoints;
  WebFetchOptions fetch;
  std::string webTempDir;
};

struct WebStockDownload {
  enum class Outcome {
    kLoaded,        // the pages that arrived are in `series` (possibly none: the placeholder)
    kFolderError,   // no folder for the pages could be written: nothing was downloaded
    kNetworkError,  // the profile page's server could not be reached: nothing was downloaded
  };
  Outcome outcome = Outcome::kLoaded;
  // For kFolderError the path that could not be written, for kNetworkError the address and the
  // reason.
  std::string detail;
  bool hasProfile = false;
  ProfileText profile;
  bool hasQuote = false;
  QuoteSummary quote;
  CPriceSeries series;  // the loaded bars, or the one-bar placeholder when none loaded
  bool barsLoaded = false;
  int pageCount = 0;
  int pagesSaved = 0;
  bool cancelled = false;          // the stop flag ended the page loop early
  std::vector<std::string> notes;  // UTF-8: each page that failed, and why
};

// Called before each price-table page is fetched with the pages stepped so far and the total.
using WebProgress = std::function<void(int done, int total)>;

// One stock's download: profile, quote page, then the price-table pages in order while the
// stop flag is clear; the rows become a price file that is loaded into the series and removed.
// Stale pages are removed before each fetch and every page file is removed at the end, so the
// webtemp folder holds nothing of the download afterwards. When "webtemp" cannot be written the
// pages go to a private folder of the system's temporary folder, removed at the end.
WebStockDownload DownloadWebStock(const WebStockRequest& request, const WebProgress& progress);

}  // namespace korvale

#endif  // KORVALE_ACQUISITION_WEB_DOWNLOAD_H_
