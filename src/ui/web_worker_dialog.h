// The modal dialog behind a network download: a text, optionally a progress bar, and Cancel,
// shown while a worker thread runs the download. The dialog outlives its worker: it closes only
// once the worker has ended, Cancel or not, so nothing the worker uses is freed under it.
#ifndef KORVALE_UI_WEB_WORKER_DIALOG_H_
#define KORVALE_UI_WEB_WORKER_DIALOG_H_

#include <QDialog>
#include <atomic>
#include <functional>
#include <thread>

class QLabel;
class QProgressBar;
class QPushButton;

namespace korvale {

class CWebWorkerDlg : public QDialog {
  Q_OBJECT

 public:
  // What runs on the worker: it reads the stop flag (set by Cancel) and may report progress,
  // which reaches the progress bar on the window thread.
  using Progress = std::function<void(int done, int total)>;
  using Work = std::function<void(const std::atomic<bool>* stop, const Progress& progress)>;

  // `text` is the dialog's line ("株価データ取得中", "Webサーバ接続中").
  CWebWorkerDlg(const QString& text, bool withProgressBar, QWidget* parent = nullptr);
  ~CWebWorkerDlg() override;

  // Starts `work` on a worker thread and runs the dialog modally until the worker has ended.
  // Returns false when the user cancelled.
  bool RunModal(Work work);

  QProgressBar* progressBar() const { return progress_; }  // bar 1003, null when none
  QPushButton* cancelButton() const { return cancel_; }    // button 2
  bool cancelled() const { return stop_.load(); }

 public slots:
  // Cancel, Escape and the close box: the stop flag is set and the dialog waits for the worker.
  void reject() override;

 private:
  void showProgress(int done, int total);
  void workerEnded();

  QLabel* text_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  std::thread worker_;
  std::atomic<bool> stop_{false};
  bool ended_ = false;
};

}  // namespace korvale

#endif  // KORVALE_UI_WEB_WORKER_DIALOG_H_
