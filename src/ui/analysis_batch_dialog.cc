#include "ui/analysis_batch_dialog.h"

#include <QMessageBox>
#include <QProgressBar>
#include <QTimer>

#include "app/user_messages.h"
#include "ui/batch_progress.h"

namespace korvale {

CAnalysisBatchDialog::CAnalysisBatchDialog(const CStockDictionary& dictionary,
                                           CAnalysisStore* store, const SettingsRecord& settings,
                                           const CPriceSeries* indexSeries, std::string lineFolder,
                                           std::string cachePath, QWidget* parent)
    : QDialog(parent),
      job_(std::make_unique<CAnalysisBatchJob>(dictionary, store, settings, indexSeries,
                                               std::move(lineFolder), std::move(cachePath))) {
  const BatchProgressParts parts = BuildBatchProgress(
      this, QString::fromUtf8(kBatchProgressCaption), "analysisBatchDialog", [this] { tick(); });
  progress_ = parts.bar;
  cancel_ = parts.cancel;
  timer_ = parts.timer;
  // Each tick's twenty stocks are spread over the cores; the records still go into the store in
  // dictionary order, so the ticks stay short without changing the result.
  job_->SetThreads(DefaultBatchThreads());
}

CAnalysisBatchDialog::~CAnalysisBatchDialog() = default;

void CAnalysisBatchDialog::SetAsOfDate(int year, int month, int day) {
  job_->SetAsOfDate(year, month, day);
}

void CAnalysisBatchDialog::Start() {
  job_->Start();
  progress_->setRange(0, job_->total());
  progress_->setValue(0);
  show();
  timer_->start();
}

void CAnalysisBatchDialog::tick() {
  const AnalysisJobStatus status = job_->Step(kStocksPerTick);
  progress_->setValue(job_->done());
  if (status == AnalysisJobStatus::kRunning) return;
  timer_->stop();
  if (status != AnalysisJobStatus::kFinished) return;
  std::string error;
  if (!job_->Finish(&error)) {
    // The records are in the store all the same; only the next run cannot reuse them.
    QMessageBox::warning(
        this, "Error",
        QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
  }
  const QString title = QString::fromStdString(job_->ScreeningTitle());
  hide();
  emit Finished(title);
  close();
}

void CAnalysisBatchDialog::reject() {
  // Between ticks: the records appended so far stay in the store, and no window opens.
  timer_->stop();
  if (job_->status() == AnalysisJobStatus::kRunning) job_->Cancel();
  QDialog::reject();
}

}  // namespace korvale
