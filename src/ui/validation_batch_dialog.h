// The progress dialog "抽出条件評価中": runs the back-test of every stock, five stocks per tick of
// a zero-interval timer (spread over the processor's cores), with a progress bar and a cancel
// button. Cancel stops between ticks and makes no report.
#ifndef KORVALE_UI_VALIDATION_BATCH_DIALOG_H_
#define KORVALE_UI_VALIDATION_BATCH_DIALOG_H_

#include <QDialog>
#include <memory>

#include "screening/validation_job.h"

class QProgressBar;
class QPushButton;
class QTimer;

namespace korvale {

class CValidationBatchDialog : public QDialog {
  Q_OBJECT

 public:
  // A modeless dialog over `parent` for the back-test (see CValidationJob for the arguments,
  // which must outlive the dialog). It deletes itself when it closes.
  CValidationBatchDialog(const CStockDictionary& dictionary, const CRuleList& rules,
                         const SettingsRecord& settings, const CPriceSeries* indexSeries,
                         const ValidationParams& params, QWidget* parent);
  ~CValidationBatchDialog() override;

  // Takes the rules, shows the dialog and starts the timer.
  void Start();
  // The report once Finished was emitted; null before, after a cancel, or once taken.
  std::unique_ptr<CAnalizeRuleReportDoc> TakeReport() { return std::move(report_); }

  const CValidationJob& job() const { return *job_; }
  QProgressBar* progressBar() const { return progress_; }
  QPushButton* cancelButton() const { return cancel_; }

 signals:
  // Every stock is handled and the report is ready (TakeReport). Not emitted after a cancel.
  void Finished();

 protected:
  // Closing the dialog by its close box or Esc cancels the batch.
  void reject() override;

 private:
  void tick();

  std::unique_ptr<CValidationJob> job_;
  std::unique_ptr<CAnalizeRuleReportDoc> report_;
  QTimer* timer_;
  QProgressBar* progress_;
  QPushButton* cancel_;
};

}  // namespace korvale

#endif  // KORVALE_UI_VALIDATION_BATCH_DIALOG_H_
