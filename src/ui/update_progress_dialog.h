// The modeless progress dialog of the batches (price and margin updates, maintenance batches):
// it runs a batch job from a zero-interval timer, 20 items a tick, with a bar for the items
// (of the current file) and, for several files, one for the files; Cancel stops between ticks.
#ifndef KORVALE_UI_UPDATE_PROGRESS_DIALOG_H_
#define KORVALE_UI_UPDATE_PROGRESS_DIALOG_H_

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

#include "acquisition/batch_job.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvale {

class CUpdateProgressDlg : public QDialog {
  Q_OBJECT

 public:
  // Takes the job; `caption` is the first text of the dialog ("株価データ更新中",
  // "株価データチェック中", ...).
  CUpdateProgressDlg(std::unique_ptr<CBatchJob> job, const QString& caption,
                     QWidget* parent = nullptr);
  ~CUpdateProgressDlg() override;

  // Starts the job and the timer; a job that cannot begin (a file that cannot be opened) is
  // reported and the dialog closes. Returns false then.
  bool StartJob();
  const CBatchJob& job() const { return *job_; }
  QProgressBar* recordsBar() const { return records_; }
  QProgressBar* filesBar() const { return files_; }

 signals:
  // The dialog closed (finished, failed or cancelled); the stock list should be refreshed.
  void Closed();

 private:
  void tick();
  void showProgress();
  void closeDialog(bool failed);

  std::unique_ptr<CBatchJob> job_;
  QTimer timer_;
  QLabel* text_ = nullptr;           // text 1058
  QProgressBar* records_ = nullptr;  // bar 1003
  QProgressBar* files_ = nullptr;    // bar 1059 (several files only)
  QPushButton* cancel_ = nullptr;
  bool closed_ = false;
};

// Shows `job` behind a new progress dialog of `parent` (deleted when it closes) and starts it;
// `closed` runs with the job when the dialog closes, finished, failed or cancelled. Returns the
// dialog.
CUpdateProgressDlg* RunInProgressDialog(QWidget* parent, std::unique_ptr<CBatchJob> job,
                                        const char* caption,
                                        std::function<void(const CBatchJob&)> closed);

}  // namespace korvale

#endif  // KORVALE_UI_UPDATE_PROGRESS_DIALOG_H_
