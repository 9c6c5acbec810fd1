// The main window's command "分析...": in local mode it asks how to get the analysis records
// (analyse the latest data, reuse the cache, or analyse as of a date), runs the batch when
// needed, and then opens a screening window on the records; in the remote modes it opens the
// quote service's search page in the browser instead.
#ifndef KORVALE_UI_ANALYSIS_COMMAND_H_
#define KORVALE_UI_ANALYSIS_COMMAND_H_

#include <QObject>
#include <QPointer>
#include <QString>

#include "ui/analysis_choice_dialog.h"

namespace korvale {

class CAnalizeFrame;
class CAnalysisBatchDialog;
class CKorvaleApp;
class CMainFrame;

class CAnalysisCommand : public QObject {
  Q_OBJECT

 public:
  // The command of `frame` (which owns it) on the frame's document and `app`'s shared state.
  CAnalysisCommand(CKorvaleApp* app, CMainFrame* frame);

  // The menu command.
  void Run();
  // What follows the dialog "株価分析" (the date only for kAsOf): the screening window at once
  // when the cache can stand for a fresh batch, else a batch behind its progress dialog.
  void Choose(CAnalysisChoiceDialog::Choice choice, int year = 0, int month = 0, int day = 0);

  // The batch dialog while a batch runs, else null.
  CAnalysisBatchDialog* batchDialog() const { return batch_; }

 private:
  void startBatch(bool asOf, int year, int month, int day);
  CAnalizeFrame* openScreeningWindow(const QString& documentTitle);

  CKorvaleApp* app_;
  CMainFrame* frame_;
  QPointer<CAnalysisBatchDialog> batch_;
};

}  // namespace korvale

#endif  // KORVALE_UI_ANALYSIS_COMMAND_H_
