#include "cli/batch_progress.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "cli/cli.h"

namespace korvale::cli {

const char* StatusName(BatchStatus status) {
  switch (status) {
    case BatchStatus::kIdle:
      return "idle";
    case BatchStatus::kRunning:
      return "running";
    case BatchStatus::kFinished:
      return "finished";
    case BatchStatus::kFailed:
      return "failed";
    case BatchStatus::kCancelled:
      return "cancelled";
  }
  return "";
}

BatchStatus RunWithProgress(CBatchJob* job) {
  const bool live = ::isatty(STDERR_FILENO) != 0;
  int shownFile = -1;
  BatchStatus status = job->Start();
  for (;;) {
    if (status == BatchStatus::kRunning && job->fileIndex() != shownFile) {
      if (live && shownFile >= 0) std::fputc('\n', stderr);
      shownFile = job->fileIndex();
      if (!live) std::fprintf(stderr, "%s\n", job->ProgressText().c_str());
    }
    if (live && status == BatchStatus::kRunning) {
      std::string files;
      if (job->fileCount() > 1) {
        files = " (file " + std::to_string(job->fileIndex() + 1) + "/" +
                std::to_string(job->fileCount()) + ")";
      }
      std::fprintf(stderr, "\r%s %d/%d%s", job->ProgressText().c_str(), job->done(), job->total(),
                   files.c_str());
    }
    if (status != BatchStatus::kRunning) break;
    status = job->Step(kBatchItemsPerTick);
  }
  if (live && shownFile >= 0) std::fputc('\n', stderr);
  job->Finish();
  return status;
}

void ReportNotes(const CBatchJob& job, BatchStatus status) {
  for (const std::string& note : job.notes()) PrintError("note: " + note);
  if (status == BatchStatus::kFailed) PrintError(job.message());
}

bool LoadLocalSettings(const CliArgs& args, const char* command, SettingsRecord* settings) {
  if (!LoadSettings(args, settings)) return false;
  if (settings->dataSourceMode != 0) {
    PrintError(std::string(command) + " works on the local folders only (dataSourceMode 0)");
    return false;
  }
  return true;
}

}  // namespace korvale::cli
