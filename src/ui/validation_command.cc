#include "ui/validation_command.h"

#include <QDate>

#include "app/korvale_doc.h"
#include "ui/analize_rule_report_wnd.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/validation_batch_dialog.h"
#include "ui/validation_param_dialog.h"

namespace korvale {

CValidationCommand::CValidationCommand(CKorvaleApp* app, CMainFrame* frame)
    : QObject(frame), app_(app), frame_(frame) {}

void CValidationCommand::Run() {
  if (batch_) {
    batch_->raise();
    batch_->activateWindow();
    return;
  }
  const QDate today = QDate::currentDate();
  CValidationParamDialog dialog(today.year(), today.month(), frame_);
  if (dialog.exec() != QDialog::Accepted) return;
  Start(dialog.params());
}

void CValidationCommand::Start(const ValidationParams& params) {
  const CKorvaleDoc* doc = frame_->document();
  if (!doc->dictionary()) return;
  if (batch_) {
    batch_->raise();
    return;
  }
  batch_ = new CValidationBatchDialog(*doc->dictionary(), app_->rules(), app_->settings(),
                                      app_->indexSeries(), params, frame_);
  connect(batch_, &CValidationBatchDialog::Finished, this, [this] {
    // Each run makes a report window of its own, which keeps its report.
    auto* window = new CAnalizeRuleReportWnd(batch_->TakeReport(), frame_);
    window->show();
    emit ReportOpened(window);
  });
  batch_->Start();
}

}  // namespace korvale
