#include "ui/validation_batch_dialog.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/user_messages.h"

namespace korvale {

CValidationBatchDialog::CValidationBatchDialog(const CStockDictionary& dictionary,
                                               const CRuleList& rules,
                                               const SettingsRecord& settings,
                                               const CPriceSeries* indexSeries,
                                               const ValidationParams& params, QWidget* parent)
    : QDialog(parent),
      job_(std::make_unique<CValidationJob>(dictionary, rules, settings, indexSeries, params)) {
  setObjectName("validationBatchDialog");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromUtf8(kValidationProgressCaption));
  setModal(false);
  // Each tick's five stocks are spread over the cores; the counts do not depend on it.
  job_->SetThreads(DefaultBatchThreads());

  auto* layout = new QVBoxLayout(this);
  progress_ = new QProgressBar(this);
  progress_->setMinimumWidth(280);
  layout->addWidget(progress_);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  cancel_ = new QPushButton("キャンセル", this);
  row->addWidget(cancel_);
  layout->addLayout(row);
  connect(cancel_, &QPushButton::clicked, this, &CValidationBatchDialog::reject);

  timer_ = new QTimer(this);
  timer_->setInterval(0);
  connect(timer_, &QTimer::timeout, this, &CValidationBatchDialog::tick);
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
