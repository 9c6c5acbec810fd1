#include "ui/update_progress_dialog.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "acquisition/update_job.h"
#include "app/user_messages.h"

namespace korvale {

CUpdateProgressDlg::CUpdateProgressDlg(std::unique_ptr<CUpdateJob> job, const QString& caption,
                                       QWidget* parent)
    : QDialog(parent), job_(std::move(job)) {
  setWindowTitle(caption);
  setModal(false);
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  text_ = new QLabel(caption, this);
  text_->setMinimumWidth(320);
  layout->addWidget(text_);
  records_ = new QProgressBar(this);
  layout->addWidget(records_);
  if (job_->fileCount() > 1) {
    files_ = new QProgressBar(this);
    files_->setRange(0, job_->fileCount());
    layout->addWidget(files_);
  }
  cancel_ = new QPushButton("キャンセル", this);
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, [this] {
    job_->Cancel();
    closeDialog(false);
  });
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &CUpdateProgressDlg::tick);
}

CUpdateProgressDlg::~CUpdateProgressDlg() { job_->Finish(); }

bool CUpdateProgressDlg::StartJob() {
  const UpdateJobStatus status = job_->Start();
  if (status == UpdateJobStatus::kFailed) {
    closeDialog(true);
    return false;
  }
  if (status == UpdateJobStatus::kFinished) {
    closeDialog(false);
    return true;
  }
  showProgress();
  timer_.start();
  return true;
}

void CUpdateProgressDlg::tick() {
  const UpdateJobStatus status = job_->Step(kRecordsPerTick);
  showProgress();
  if (status == UpdateJobStatus::kRunning) return;
  closeDialog(status == UpdateJobStatus::kFailed);
}

void CUpdateProgressDlg::showProgress() {
  text_->setText(QString::fromStdString(job_->ProgressText()));
  records_->setRange(0, std::max(1, job_->total()));
  records_->setValue(std::min(job_->done(), std::max(1, job_->total())));
  if (files_) files_->setValue(job_->fileIndex());
}

void CUpdateProgressDlg::closeDialog(bool failed) {
  if (closed_) return;
  closed_ = true;
  timer_.stop();
  job_->Finish();
  if (failed) {
    QMessageBox::warning(parentWidget(), QString::fromUtf8(kErrorCaption),
                         QString::fromStdString(job_->message()));
  }
  if (!job_->notes().empty()) {
    QString text;
    for (const std::string& note : job_->notes()) text += QString::fromStdString(note) + "\n";
    QMessageBox::information(parentWidget(), windowTitle(), text.trimmed());
  }
  emit Closed();
  close();
}

}  // namespace korvale
