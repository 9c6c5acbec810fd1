#include "ui/validation_batch_dialog.h"

#include <QProgressBar>
#include <QTimer>

#include "app/user_messages.h"
#include "ui/batch_progress.h"

namespace korvale {

CValidationBatchDialog::CValidationBatchDialog(const CStockDictionary& dictionary,
                                               const CRuleList& rules,
                                               const SettingsRecord& settings,
                                               const CPriceSeries* indexSeries,
                                               const ValidationParams& params, QWidget* parent)
    : QDialog(parent),
      job_(std::make_unique<CValidationJob>(dictionary, rules, settings, indexSeries, params)) {
  const BatchProgressParts parts =
      BuildBatchProgress(this, QString::fromUtf8(kValidationProgressCaption),
                         "validationBatchDialog", [this] { tick(); });
  progress_ = parts.bar;
  cancel_ = parts.cancel;
  timer_ = parts.timer;
  // Each tick's five stocks are spread over the cores; the counts do not depend on it.
  job_->SetThreads(DefaultBatchThreads());
}

CValidationBatchDialog::~CValidationBatchDialog() = default;

void CValidationBatchDialog::Start() {
  job_->Start();
  progress_->setRange(0, job_->total());
  progress_->setValue(0);
  show();
  timer_->start();
}

void CValidationBatchDialog::tick() {
  const AnalysisJobStatus status = job_->Step(kValidationStocksPerTick);
  progress_->setValue(job_->done());
  if (status == AnalysisJobStatus::kRunning) return;
  timer_->stop();
  if (status != AnalysisJobStatus::kFinished) return;
  report_ = job_->Finish();
  hide();
  emit Finished();
  close();
}

void CValidationBatchDialog::reject() {
  timer_->stop();
  job_->Cancel();
  QDialog::reject();
}

}  // namespace korvale
