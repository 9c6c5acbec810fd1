#include "ui/analysis_command.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "app/korvale_doc.h"
#include "screening/analysis_cache.h"
#include "store/cp932.h"
#include "ui/analize_frame.h"
#include "ui/analysis_batch_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"

namespace korvale {

CAnalysisCommand::CAnalysisCommand(CKorvaleApp* app, CMainFrame* frame)
    : QObject(frame), app_(app), frame_(frame) {}

void CAnalysisCommand::Run() {
  const SettingsRecord& s = app_->settings();
  if (s.dataSourceMode != 0) {
    // Remote and web data have no local records to analyse: the quote service's search page
    // stands in, the address handed to the desktop as one argument.
    const QString url = QString::fromStdString(Cp932ToUtf8(s.quoteSearchUrl));
    if (url.isEmpty() || !QDesktopServices::openUrl(QUrl(url))) {
      QMessageBox::warning(frame_, "Error", QString("%1 cannot open").arg(url));
    }
    return;
  }
  if (batch_) {  // one batch at a time: the store is being filled
    batch_->raise();
    batch_->activateWindow();
    return;
  }
  CAnalysisChoiceDialog dialog(QDate::currentDate(), frame_);
  if (dialog.exec() != QDialog::Accepted) return;
  Choose(dialog.choice(), dialog.year(), dialog.month(), dialog.day());
}

void CAnalysisCommand::Choose(CAnalysisChoiceDialog::Choice choice, int year, int month, int day) {
  CKorvaleDoc* doc = frame_->document();
  if (!doc->dictionary() || batch_) return;
  if (choice == CAnalysisChoiceDialog::Choice::kPrevious) {
    const std::string cache = AnalysisCachePath(app_->settings().dataRootDir);
    if (LoadReusableCache(&doc->analysisStore(), cache, *doc->dictionary())) {
      openScreeningWindow(QString::fromUtf8(kLatestDataTitle));
      return;
    }
    // A missing cache, or one that no longer matches the stocks: analyse afresh.
  }
  startBatch(choice == CAnalysisChoiceDialog::Choice::kAsOf, year, month, day);
}

void CAnalysisCommand::startBatch(bool asOf, int year, int month, int day) {
  CKorvaleDoc* doc = frame_->document();
  const SettingsRecord& s = app_->settings();
  batch_ = new CAnalysisBatchDialog(*doc->dictionary(), &doc->analysisStore(), s,
                                    app_->indexSeries(), app_->folders().PrepareLineFolder(),
                                    AnalysisCachePath(s.dataRootDir), frame_);
  if (asOf) batch_->SetAsOfDate(year, month, day);
  connect(batch_, &CAnalysisBatchDialog::Finished, this,
          [this](const QString& title) { openScreeningWindow(title); });
  // The screening windows already open would read a store being refilled: they wait, disabled,
  // until the batch ends one way or the other.
  const auto open = frame_->findChildren<CAnalizeFrame*>(Qt::FindDirectChildrenOnly);
  for (CAnalizeFrame* window : open) window->setEnabled(false);
  connect(batch_, &QObject::destroyed, this, [this] {
    for (CAnalizeFrame* window : frame_->findChildren<CAnalizeFrame*>(Qt::FindDirectChildrenOnly)) {
      window->setEnabled(true);
    }
  });
  batch_->Start();
}

CAnalizeFrame* CAnalysisCommand::openScreeningWindow(const QString& documentTitle) {
  auto* window = new CAnalizeFrame(frame_->document(), &app_->rules(), documentTitle, frame_);
  connect(window, &CAnalizeFrame::Listed, frame_, &CMainFrame::ShowListedStocks);
  window->show();
  return window;
}

}  // namespace korvale
