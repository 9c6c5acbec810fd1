#include "ui/import_command.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "acquisition/import_dictionary_update.h"
#include "acquisition/import_sources.h"
#include "acquisition/margin_update_job.h"
#include "acquisition/price_update_job.h"
#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "store/dictionary_file.h"
#include "ui/import_options_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/update_progress_dialog.h"

namespace korvale {

namespace {

// A file pattern matching without regard to case, as the daily files' patterns are meant:
// "ds*.*" becomes "[dD][sS]*.*".
QString AnyCasePattern(const std::string& pattern) {
  QString out;
  for (QChar c : QString::fromStdString(pattern)) {
    if (c.isLetter() && c.toLower() != c.toUpper()) {
      out += QString("[%1%2]").arg(c.toLower()).arg(c.toUpper());
    } else {
      out += c;
    }
  }
  return out;
}

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

CImportCommand::CImportCommand(CKorvaleApp* app, CMainFrame* frame)
    : QObject(frame), app_(app), frame_(frame) {}

bool CImportCommand::localMode() const { return app_->settings().dataSourceMode == 0; }

void CImportCommand::runUpdateJob(std::unique_ptr<CUpdateJob> job, const char* caption) {
  auto* dialog = new CUpdateProgressDlg(std::move(job), QString::fromUtf8(caption), frame_);
  connect(dialog, &CUpdateProgressDlg::Closed, frame_, [frame = frame_] {
    frame->document()->ShowAll();  // new stocks appear in the list
    frame->RefreshStockList();
  });
  dialog->show();
  dialog->StartJob();
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
               kPriceUpdateCaption);
}

void CImportCommand::UpdateMargins() {
  if (!localMode()) return;
  const QStringList files = QFileDialog::getOpenFileNames(
      frame_, "信用残データの更新", app_->settings().dataRootDir,
      QString("信用残 Files (%1 %2)").arg(AnyCasePattern("sz*.dat"), AnyCasePattern("ys*.*")));
  if (files.isEmpty()) return;
  runUpdateJob(std::make_unique<CMarginUpdateJob>(frame_->document()->dictionary(),
                                                  &app_->folders(), LocalPaths(files)),
               kMarginUpdateCaption);
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
  // The list shows the new names: the name table is read again and the stocks rescanned.
  CKorvaleDoc* doc = frame_->document();
  doc->mutableDictionary()->names.Load(s.dataRootDir);
  doc->mutableDictionary()->Rebuild();
  doc->ShowAll();
  frame_->RefreshStockList();
}

}  // namespace korvale
