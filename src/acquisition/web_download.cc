#include "acquisition/web_download.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "store/store_folders.h"

namespace korvale {

namespace {

namespace fs = std::filesystem;

// Where one download keeps its files: webtemp when a file can be made there, else a private
// folder of the system's temporary folder (made with mkdtemp, so no other user's file can
// stand in for ours).
struct DownloadFolder {
  std::string path;
  std::string privateFolder;  // removed with everything in it at the end
  std::string error;          // the path that could not be written, when no folder can be
};

bool CanWriteIn(const std::string& folder) {
  std::string probe = folder + "/.korvale-probe-XXXXXX";
  const int fd = ::mkstemp(probe.data());
  if (fd < 0) return false;
  ::close(fd);
  ::unlink(probe.c_str());
  return true;
}

DownloadFolder ChooseDownloadFolder(const std::string& webTempDir, const char* firstFile) {
  DownloadFolder folder;
  std::error_code ec;
  fs::create_directories(webTempDir, ec);
  if (CanWriteIn(webTempDir)) {
    folder.path = webTempDir;
    return folder;
  }
  const std::string temp = fs::temp_directory_path(ec).string();
  std::string name = (temp.empty() ? std::string("/tmp") : temp) + "/korvale-web-XXXXXX";
  if (::mkdtemp(name.data())) {
    folder.path = folder.privateFolder = name;
    return folder;
  }
  folder.error = (temp.empty() ? std::string("/tmp") : temp) + "/" + firstFile;
  return folder;
}

void RemoveQuietly(const std::string& path) {
  if (!path.empty()) std::remove(path.c_str());
}

void RemoveFolderQuietly(const std::string& folder) {
  std::error_code ec;
  if (!folder.empty()) fs::remove_all(folder, ec);
}

}  // namespace

std::string WebTempFolderOf(const std::string& dataRootDir) {
  return dataRootDir + "/" + kWebTempFolderName;
}

WebFetchOptions WebFetchOptionsOf(const SettingsRecord& settings) {
  WebFetchOptions options;
  options.useProxy = settings.useProxy;
  options.proxyHost = settings.proxyHost;
  options.proxyPort = settings.proxyPort;
  return options;
}

void LocalToday(int* year, int* month, int* day) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  *year = local.tm_year + 1900;
  *month = local.tm_mon + 1;
  *day = local.tm_mday;
}

FetchListDownload DownloadFetchList(const std::string& url, const std::string& webTempDir,
                                    const WebFetchOptions& options) {
  FetchListDownload download;
  const DownloadFolder folder = ChooseDownloadFolder(webTempDir, "fetchlisttmp.csv");
  if (!folder.error.empty()) {
    download.detail = folder.error;
    return download;
  }
  download.privateFolder = folder.privateFolder;
  download.path =
      folder.path + (folder.privateFolder.empty() ? "/fetchlist.csv" : "/fetchlisttmp.csv");
  const FetchResult fetch = FetchUrlToFile(url, download.path, options);
  switch (fetch.outcome) {
    case FetchOutcome::kSaved:
      download.ok = true;
      return download;
    case FetchOutcome::kFileError:
      download.detail = download.path;
      break;
    default:  // no answer, another status, a body past the bound, a stop: no list arrived
      download.detail = fetch.message;
      download.networkError = true;
      break;
  }
  DiscardFetchList(download);
  return download;
}

void DiscardFetchList(const FetchListDownload& download) {
  RemoveQuietly(download.path);
  RemoveFolderQuietly(download.privateFolder);
}

WebStockDownload DownloadWebStock(const WebStockRequest& request, const WebProgress& progress) {
  WebStockDownload result;
  CPriceTablePages pages(request.quoteSymbol, request.code, request.dailySpanDays, request.year,
                         request.month, request.day);
  result.pageCount = pages.pageCount;
  if (progress) progress(0, pages.pageCount);

  const DownloadFolder folder = ChooseDownloadFolder(request.webTempDir, "fundamental.html");
  if (!folder.error.empty()) {
    result.outcome = WebStockDownload::Outcome::kFolderError;
    result.detail = folder.error;
    return result;
  }
  const std::string profilePath = folder.path + "/fundamental.html";
  const std::string quotePath = folder.path + "/finance.html";
  const std::string pricePath = PriceFileName(folder.path, request.code);
  auto removeEverything = [&] {
    RemoveQuietly(profilePath);
    RemoveQuietly(quotePath);
    for (const CPriceTablePage& page : pages.pages)
      RemoveQuietly(folder.path + "/" + page.fileName);
    RemoveQuietly(pricePath);
    RemoveFolderQuietly(folder.privateFolder);
  };
  auto stopped = [&] { return request.fetch.stop && request.fetch.stop->load(); };

  // The profile decides whether the download goes on: without a folder or a server there is
  // nothing to show, and the document keeps what it had.
  const FetchResult profile =
      FetchUrlToFile(ProfileUrl(request.endpoints, request.code), profilePath, request.fetch);
  if (profile.outcome == FetchOutcome::kFileError ||
      profile.outcome == FetchOutcome::kNetworkError) {
    const bool disk = profile.outcome == FetchOutcome::kFileError;
    result.outcome =
        disk ? WebStockDownload::Outcome::kFolderError : WebStockDownload::Outcome::kNetworkError;
    result.detail = disk ? profilePath : profile.message;
    removeEverything();
    return result;
  }
  if (profile.outcome == FetchOutcome::kSaved) {
    result.hasProfile = ScrapeProfile(profilePath, &result.profile);
  } else if (profile.outcome != FetchOutcome::kStopped) {
    result.notes.push_back(profile.message);
  }

  if (!stopped()) {
    const FetchResult quote =
        FetchUrlToFile(QuoteUrl(request.endpoints, request.code), quotePath, request.fetch);
    if (quote.outcome == FetchOutcome::kSaved) {
      result.hasQuote = ScrapeQuote(quotePath, &result.quote);
    } else if (quote.outcome != FetchOutcome::kStopped) {
      result.notes.push_back(quote.message);
    }
  }

  for (int i = 0; i < pages.pageCount && !stopped(); ++i) {
    if (progress) progress(i + 1, pages.pageCount);
    CPriceTablePage& page = pages.pages[static_cast<size_t>(i)];
    const std::string pagePath = folder.path + "/" + page.fileName;
    const FetchResult fetch =
        FetchUrlToFile(TableUrl(request.endpoints, page), pagePath, request.fetch);
    if (fetch.outcome == FetchOutcome::kSaved) {
      ++result.pagesSaved;
      std::string error;
      if (!ScrapePriceTable(pagePath, &page, &error)) result.notes.push_back(error);
    } else if (fetch.outcome != FetchOutcome::kStopped) {
      result.notes.push_back(fetch.message);
    }
  }
  result.cancelled = stopped();

  std::string error;
  if (WritePriceTableFile(pages, pricePath, &error)) {
    result.barsLoaded = result.series.LoadAll(pricePath);
  } else {
    result.notes.push_back(error);
  }
  removeEverything();
  if (!result.barsLoaded) result.series.Reset();
  result.series.filePath.clear();  // the file is gone; the series came from the web
  return result;
}

}  // namespace korvale
