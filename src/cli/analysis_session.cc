#include "cli/analysis_session.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "app/main_window_layout.h"
#include "app/user_messages.h"
#include "cli/stock_record.h"
#include "cli/stock_source.h"
#include "screening/analysis_batch_job.h"
#include "screening/analysis_cache.h"
#include "store/file_io.h"
#include "store/store_folders.h"

namespace korvale::cli {

int OpenAnalysisSession(const CliArgs& args, AnalysisSession* session) {
  int width;
  if (!ClientWidthOption(args, &width)) return kExitUsage;
  SettingsRecord settings;
  if (!LoadSettings(args, &settings)) return kExitFailure;
  if (settings.dataSourceMode == 2) {
    PrintError("the analysis works on local folders or a peer (dataSourceMode 0 or 1)");
    return kExitFailure;
  }
  if (!std::filesystem::is_directory(settings.dataRootDir)) {
    PrintError(std::string(settings.dataRootDir) + " is not a folder");
    return kExitFailure;
  }
  // The span of the daily chart is the look-back of DMI, MACD and OBV; without a window it is
  // set as the main window sets it, as the record command does.
  ApplyAutomaticSpan(&settings, width, true, true);
  session->context = std::make_unique<CAppContext>(settings);
  session->dictionary = OpenStockDictionary(settings);
  if (!session->dictionary) return kExitFailure;
  const CStockDictionary& dict = *session->dictionary;
  session->context->LoadIndex(
      [&dict](int code, std::string* folder) { return dict.GetFolder(code, folder) != 0; });
  return kExitOk;
}

int RunBatch(AnalysisSession* session, const StockLoadLimit& asOf, int threads) {
  const SettingsRecord& settings = session->context->settings();
  CFolderPreparer folders(settings.dataRootDir, settings.dataSourceMode);
  // A peer's stocks have no trend lines here: no folder is made for them.
  const std::string lineFolder = settings.dataSourceMode == 1 ? "" : folders.PrepareLineFolder();
  CAnalysisBatchJob job(*session->dictionary, &session->store, settings,
                        session->context->indexSeries(), lineFolder,
                        AnalysisCachePath(settings.dataRootDir));
  if (asOf.asOf) job.SetAsOfDate(asOf.year, asOf.month, asOf.day);
  job.SetThreads(threads > 0 ? threads : DefaultBatchThreads());

  const bool live = ::isatty(STDERR_FILENO) != 0;
  AnalysisJobStatus status = job.Start();
  while (status == AnalysisJobStatus::kRunning) {
    status = job.Step(kStocksPerTick);
    if (live) std::fprintf(stderr, "\r%s %d/%d", kBatchProgressCaption, job.done(), job.total());
  }
  // On a terminal the line is redrawn as stocks go by; in a log it is written once, at the end.
  if (live) {
    std::fputc('\n', stderr);
  } else {
    std::fprintf(stderr, "%s %d/%d\n", kBatchProgressCaption, job.done(), job.total());
  }
  if (job.unreadable() > 0) {
    PrintError(std::to_string(job.unreadable()) + " stocks were not analysed: the peer did not " +
               "send their price files (" + job.firstUnreadable() + ")");
  }
  session->title = job.ScreeningTitle();
  std::string error;
  if (!job.Finish(&error)) {
    PrintError(std::string(kDiskAccessErrorMessage) + " (" + error + ")");
    return kExitFailure;
  }
  return kExitOk;
}

int ObtainRecords(const CliArgs& args, AnalysisSession* session) {
  if (args.Has("--cached")) {
    const std::string path = AnalysisCachePath(session->context->settings().dataRootDir);
    CacheLoadInfo info;
    if (LoadReusableCache(&session->store, path, *session->dictionary, &info)) {
      session->title = kLatestDataTitle;
      return kExitOk;
    }
    PrintError(FileExists(path)
                   ? "note: analize.tmp holds " + std::to_string(info.fileRecords) +
                         " records for " + std::to_string(session->dictionary->itemCount) +
                         " stocks; analysing the latest data"
                   : "note: no analize.tmp; analysing the latest data");
  }
  return RunBatch(session, StockLoadLimit{});
}

}  // namespace korvale::cli
