#include "ui/batch_progress.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace korvale {

BatchProgressParts BuildBatchProgress(QDialog* dialog, const QString& caption,
                                      const char* objectName, std::function<void()> tick) {
  dialog->setObjectName(objectName);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowTitle(caption);
  dialog->setModal(false);
  BatchProgressParts parts;
  auto* layout = new QVBoxLayout(dialog);
  parts.bar = new QProgressBar(dialog);
  parts.bar->setMinimumWidth(280);
  layout->addWidget(parts.bar);
  auto* row = new QHBoxLayout;
  row->addStretch(1);
  parts.cancel = new QPushButton("キャンセル", dialog);
  row->addWidget(parts.cancel);
  layout->addLayout(row);
  QObject::connect(parts.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  parts.timer = new QTimer(dialog);
  parts.timer->setInterval(0);
  QObject::connect(parts.timer, &QTimer::timeout, dialog, std::move(tick));
  return parts;
}

}  // namespace korvale
