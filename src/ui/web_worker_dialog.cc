#include "ui/web_worker_dialog.h"

#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace korvale {

CWebWorkerDlg::CWebWorkerDlg(const QString& text, bool withProgressBar, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle("Korvale");
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  text_ = new QLabel(text, this);
  text_->setMinimumWidth(280);
  layout->addWidget(text_);
  if (withProgressBar) {
    progress_ = new QProgressBar(this);
    progress_->setObjectName("1003");
    progress_->setRange(0, 1);
    progress_->setValue(0);
    layout->addWidget(progress_);
  }
  cancel_ = new QPushButton("キャンセル", this);
  cancel_->setObjectName("2");
  layout->addWidget(cancel_, 0, Qt::AlignRight);
  connect(cancel_, &QPushButton::clicked, this, &CWebWorkerDlg::reject);
}

CWebWorkerDlg::~CWebWorkerDlg() {
  // Never left running: the worker posts to this dialog.
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

bool CWebWorkerDlg::RunModal(Work work) {
  stop_ = false;
  ended_ = false;
  // The worker reaches the dialog only through queued calls, which run on the window thread
  // while the dialog's own event loop turns.
  worker_ = std::thread([this, work = std::move(work)] {
    work(&stop_, [this](int done, int total) {
      QMetaObject::invokeMethod(
          this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(
        this, [this] { workerEnded(); }, Qt::QueuedConnection);
  });
  exec();
  if (!ended_) stop_ = true;  // closed by other means: the worker must not run on unseen
  worker_.join();
  return !stop_.load();
}

void CWebWorkerDlg::reject() {
  if (ended_) {
    QDialog::reject();
    return;
  }
  if (stop_) return;  // already cancelling
  stop_ = true;
  cancel_->setEnabled(false);
  text_->setText(text_->text() + "（キャンセル中）");
}

void CWebWorkerDlg::showProgress(int done, int total) {
  if (!progress_) return;
  progress_->setRange(0, std::max(total, 1));
  progress_->setValue(std::min(done, std::max(total, 1)));
}

void CWebWorkerDlg::workerEnded() {
  ended_ = true;
  accept();
}

}  // namespace korvale
