// The main window's command "抽出条件の検証": the parameter dialog, the back-test behind its
// progress dialog, and a report window for each finished run.
#ifndef KORVALE_UI_VALIDATION_COMMAND_H_
#define KORVALE_UI_VALIDATION_COMMAND_H_

#include <QObject>
#include <QPointer>

#include "screening/backtest.h"

namespace korvale {

class CAnalizeRuleReportWnd;
class CKorvaleApp;
class CMainFrame;
class CValidationBatchDialog;

class CValidationCommand : public QObject {
  Q_OBJECT

 public:
  // The command of `frame` (which owns it) on the frame's document and `app`'s shared state.
  CValidationCommand(CKorvaleApp* app, CMainFrame* frame);

  // The menu command: asks for the parameters, then Start.
  void Run();
  // Starts the back-test with `params` behind its progress dialog; a finished run opens a
  // report window. While a run is going on, brings its dialog to the front instead.
  void Start(const ValidationParams& params);

  // The progress dialog while a run goes on, else null.
  CValidationBatchDialog* batchDialog() const { return batch_; }

 signals:
  // A run finished and its report window is open.
  void ReportOpened(CAnalizeRuleReportWnd* window);

 private:
  CKorvaleApp* app_;
  CMainFrame* frame_;
  QPointer<CValidationBatchDialog> batch_;
};

}  // namespace korvale

#endif  // KORVALE_UI_VALIDATION_COMMAND_H_
