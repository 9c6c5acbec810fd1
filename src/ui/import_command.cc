#include "ui/import_command.h"

#include <QFileDialog>
#include <QString>
#include <QMessageBox>
#include <QStringList>

#include "acquisition/import_dictionary_update.h"
#include "acquisition/import_sources.h"
#include "acquisition/margin_update_job.h"
#include "acquisition/price_update_job.h"
#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "store/dictionary_file.h"
#include "ui/file_filters.h"
#include "ui/import_options_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/update_progress_dialog.h"

namespace korvale {

namespace {

// The open-file dialog's filters, one per import source in list order.
QStringList ImportFilters(const ImportSourceList& list) {
  QStringList filters;
  for (const ImportFileType& type : ImportFileTypes(list)) {
    QStringList patterns;
    for (const std::string& p : type.patterns) patterns << AnyCasePattern(p);
    filters << QString("%1 (%2)").arg(QString::fromStdString(type.description), patterns.join(' '));
  }
  return filters;
}

std::vector<std::string> LocalPaths(const QStringList& files) {
  std::vector<std::string> paths;
  for (const QString& f : files) paths.push_back(f.toStdString());
  return paths;
}

}  // namespace

QString UpdateSummary(const QString& caption, const CUpdateJob& job) {
  const UpdateCounts& c = job.counts();
  QString outcome;
  switch (job.status()) {
    case UpdateJobStatus::kCancelled:
      outcome = "中止";
      break;
    case UpdateJobStatus::kFailed:
      outcome = "失敗";
      break;
    default:
      outcome = "完了";
  }
  QString text = QString("%1%2: %3/%4ファイル, 読込 %5件, 反映 %6件, スキップ %7件")
                     .arg(caption, outcome)
                     .arg(c.filesDone)
                     .arg(job.fileCount())
                     .arg(c.records)
                     .arg(c.applied)
                     .arg(c.skipped);
  if (c.writeFailures > 0) text += QString(", 書き込み失敗 %1件").arg(c.writeFailures);
  if (c.newStocks > 0) text += QString(", 新規銘柄 %1").arg(c.newStocks);
  return text;
}

CImportCommand::CImportCommand(CKorvaleApp* app, CMainFrame* frame)
    : QObject(frame), app_(app), frame_(frame) {}

bool CImportCommand::localMode() const { return app_->settings().dataSourceMode == 0; }

void ShowReloadedNames(CMainFrame* frame, const std::string& dataRootDir) {
  CKorvaleDoc* doc = frame->document();
  if (!doc->mutableDictionary()) return;
  doc->mutableDictionary()->names.Load(dataRootDir);
  doc->mutableDictionary()->Rebuild();
  doc->ShowAll();
  frame->RefreshStockList();
}

void CImportCommand::runUpdateJob(std::unique_ptr<CUpdateJob> job, const char* caption,
                                  const QString& name) {
  RunInProgressDialog(frame_, std::move(job), caption,
                      [frame = frame_, name](const CBatchJob& done) {
                        frame->document()->ShowAll();  // new stocks appear in the list
                        frame->RefreshStockList();
                        // Only update jobs are run here.
                        frame->ShowStatusMessage(
                            UpdateSummary(name, static_cast<const CUpdateJob&>(done)));
                      });
}

void CImportCommand::UpdatePrices() {
  if (!localMode()) return;
  const SettingsRecord& s = app_->settings();
  ImportSourceList sources = LoadImportSources(s.dataRootDir);
  if (sources.sources.empty()) {
    QString text = QString::fromUtf8(kNoImportSourceMessage);
    for (const SkippedLibrary& skipped : sources.skipped) {
      text +=
          QString("\n%1: %2")
              .arg(QString::fromStdString(skipped.path), QString::fromStdString(skipped.reason));
    }
    QMessageBox::warning(frame_, "Error", text);
    return;
  }
  CImportOptionsDlg options(frame_);
  if (options.exec() != QDialog::Accepted) return;
  const QStringList filters = ImportFilters(sources);
  QString chosenFilter = filters.value(0);
  const QStringList files = QFileDialog::getOpenFileNames(frame_, "株価データの更新", s.dataRootDir,
                                                          filters.join(";;"), &chosenFilter);
  if (files.isEmpty()) return;
  ImportSourcePtr source = ChooseImportSource(&sources, filters.indexOf(chosenFilter) + 1);
  if (!source) return;
  runUpdateJob(std::make_unique<CPriceUpdateJob>(
                   std::move(source), frame_->document()->mutableDictionary(), &app_->folders(),
                   s.dataRootDir, options.options(), LocalPaths(files)),
               kPriceUpdateCaption, "株価データの更新");
}

void CImportCommand::UpdateMargins() {
  if (!localMode()) return;
  const QStringList files = QFileDialog::getOpenFileNames(
      frame_, "信用残データの更新", app_->settings().dataRootDir,
      QString("信用残 Files (%1 %2)").arg(AnyCasePattern("sz*.dat"), AnyCasePattern("ys*.*")));
  if (files.isEmpty()) return;
  runUpdateJob(std::make_unique<CMarginUpdateJob>(frame_->document()->dictionary(),
                                                  &app_->folders(), LocalPaths(files)),
               kMarginUpdateCaption, "信用残データの更新");
}

void CImportCommand::UpdateDictionaryFromImportFile() {
  if (!localMode()) return;
  const SettingsRecord& s = app_->settings();
  ImportSourceList sources = LoadImportSources(s.dataRootDir);
  if (sources.sources.empty()) {
    QMessageBox::warning(frame_, "Error", QString::fromUtf8(kNoImportSourceMessage));
    return;
  }
  const QStringList filters = ImportFilters(sources);
  QString chosenFilter = filters.value(0);
  const QString file =
      QFileDialog::getOpenFileName(frame_, QString::fromUtf8(kZentakDictionaryUpdateMenu),
                                   s.dataRootDir, filters.join(";;"), &chosenFilter);
  if (file.isEmpty()) return;
  ImportSourcePtr source = ChooseImportSource(&sources, filters.indexOf(chosenFilter) + 1);
  if (!source) return;
  std::string error;
  if (!korvale::UpdateDictionaryFromImportFile(*source, file.toStdString(),
                                               DictionaryFilePath(s.dataRootDir), &error)) {
    QMessageBox::warning(frame_, "Error", QString::fromStdString(error));
    return;
  }
  // The list shows the new names.
  ShowReloadedNames(frame_, s.dataRootDir);
}

}  // namespace korvale
