#include "ui/update_progress_dialog.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/user_messages.h"

namespace korvale {

CUpdateProgressDlg::CUpdateProgressDlg(std::unique_ptr<CBatchJob> job, const QString& caption,
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
  const BatchStatus status = job_->Start();
  if (status == BatchStatus::kFailed) {
    closeDialog(true);
    return false;
  }
  if (status == BatchStatus::kFinished) {
    closeDialog(false);
    return true;
  }
  showProgress();
  timer_.start();
  return true;
}

void CUpdateProgressDlg::tick() {
  const BatchStatus status = job_->Step(kBatchItemsPerTick);
  showProgress();
  if (status == BatchStatus::kRunning) return;
  closeDialog(status == BatchStatus::kFailed);
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
    if (job_->writeFailures() > 0) {
      // Records were lost to a failed write: a warning, not a note, and the files that carried
      // them keep their names (the notes say which).
      QMessageBox::warning(parentWidget(), QString::fromUtf8(kErrorCaption),
                           QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + text.trimmed());
    } else {
      QMessageBox::information(parentWidget(), windowTitle(), text.trimmed());
    }
  }
  emit Closed();
  close();
}

CUpdateProgressDlg* RunInProgressDialog(QWidget* parent, std::unique_ptr<CBatchJob> job,
                                        const char* caption,
                                        std::function<void(const CBatchJob&)> closed) {
  auto* dialog = new CUpdateProgressDlg(std::move(job), QString::fromUtf8(caption), parent);
  QObject::connect(dialog, &CUpdateProgressDlg::Closed, parent,
                   [dialog, closed = std::move(closed)] { closed(dialog->job()); });
  dialog->show();
  dialog->StartJob();
  return dialog;
}

}  // namespace korvale
