// What the progress dialogs of the long batches share: modeless, deleted when closed, a progress
// bar over a "キャンセル" button, and a zero-interval timer that runs the batch a slice a tick.
#ifndef KORVALE_UI_BATCH_PROGRESS_H_
#define KORVALE_UI_BATCH_PROGRESS_H_

#include <QString>
#include <functional>

class QDialog;
class QProgressBar;
class QPushButton;
class QTimer;

namespace korvale {

struct BatchProgressParts {
  QProgressBar* bar;
  QPushButton* cancel;  // rejects the dialog
  QTimer* timer;        // not started; each timeout calls the tick
};

// Lays out `dialog` as a batch's progress dialog titled `caption` (named `objectName` for tests)
// with its parts, all owned by the dialog.
BatchProgressParts BuildBatchProgress(QDialog* dialog, const QString& caption,
                                      const char* objectName, std::function<void()> tick);

}  // namespace korvale

#endif  // KORVALE_UI_BATCH_PROGRESS_H_
