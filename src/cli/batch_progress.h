// Running a batch job from the command line as the progress dialogs run it, with a progress
// line on stderr.
#ifndef KORVALE_CLI_BATCH_PROGRESS_H_
#define KORVALE_CLI_BATCH_PROGRESS_H_

#include "acquisition/batch_job.h"
#include "store/settings_record.h"

namespace korvale::cli {

class CliArgs;

// Runs the job to its end: Start, then Step(kBatchItemsPerTick) while it runs, then Finish.
// On a terminal the progress line is redrawn as items go by; otherwise each file (or the one
// job) gets one line when it starts. Returns the final status.
BatchStatus RunWithProgress(CBatchJob* job);

// "idle", "running", "finished", "failed" or "cancelled".
const char* StatusName(BatchStatus status);

// Prints the job's notes ("note: ...") and, when it failed, its message, on stderr.
void ReportNotes(const CBatchJob& job, BatchStatus status);

// The settings of the data root for a command that works on the local folders only; false,
// with the reason on stderr, when they cannot be read or dataSourceMode is not 0.
bool LoadLocalSettings(const CliArgs& args, const char* command, SettingsRecord* settings);

}  // namespace korvale::cli

#endif  // KORVALE_CLI_BATCH_PROGRESS_H_
