// The progress dialog "株価データ分析中": runs the analysis batch on the user-interface thread,
// twenty stocks per tick of a zero-interval timer, with a progress bar and a cancel button.
#ifndef KORVALE_UI_ANALYSIS_BATCH_DIALOG_H_
#define KORVALE_UI_ANALYSIS_BATCH_DIALOG_H_

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

#include "screening/analysis_batch_job.h"

class QProgressBar;
class QPushButton;
class QTimer;

namespace korvale {

class CAnalysisBatchDialog : public QDialog {
  Q_OBJECT

 public:
  // A modeless dialog over `parent` for the batch over `dictionary` into `store` (see
  // CAnalysisBatchJob for the other arguments, which must outlive the dialog). It deletes itself
  // when it closes.
  CAnalysisBatchDialog(const CStockDictionary& dictionary, CAnalysisStore* store,
                       const SettingsRecord& settings, const CPriceSeries* indexSeries,
                       std::string lineFolder, std::string cachePath, QWidget* parent);
  ~CAnalysisBatchDialog() override;

  // Analyses the data up to a date instead of the latest data; call before Start.
  void SetAsOfDate(int year, int month, int day);
  // Clears the store, shows the dialog and starts the timer.
  void Start();

  const CAnalysisBatchJob& job() const { return *job_; }
  QProgressBar* progressBar() const { return progress_; }
  QPushButton* cancelButton() const { return cancel_; }

 signals:
  // Every stock is handled (and, for the latest data, the cache written): the screening window
  // opens with `documentTitle`. Not emitted after a cancel.
  void Finished(const QString& documentTitle);

 protected:
  // Closing the dialog by its close box or Esc cancels the batch.
  void reject() override;

 private:
  void tick();

  std::unique_ptr<CAnalysisBatchJob> job_;
  QTimer* timer_;
  QProgressBar* progress_;
  QPushButton* cancel_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALYSIS_BATCH_DIALOG_H_
