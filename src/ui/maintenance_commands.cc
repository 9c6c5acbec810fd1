#include "ui/maintenance_commands.h"

#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusBar>

#include "acquisition/bulk_export_job.h"
#include "acquisition/bulk_import_job.h"
#include "acquisition/consistency_check_job.h"
#include "acquisition/delete_date_job.h"
#include "acquisition/vendor_import_job.h"
#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "store/dictionary_file.h"
#include "store/dictionary_text.h"
#include "store/dictionary_vendor_update.h"
#include "ui/delete_date_dialog.h"
#include "ui/export_range_dialog.h"
#include "ui/file_filters.h"
#include "ui/import_command.h"
#include "ui/import_options_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/update_progress_dialog.h"

namespace korvale {

namespace {

constexpr const char* kPriceFileFilter = "株価データ Files (KD*.KDT)|kd*.kdt||";
constexpr const char* kPriceTextFilter = "株価テキスト Files (KD*.CSV)|kd*.csv||";
constexpr const char* kMarginFileFilter = "信用残データ Files (SZ*.SDT)|sz*.sdt||";
constexpr const char* kMarginTextFilter = "株価テキスト Files (SZ*.CSV)|sz*.csv||";
constexpr const char* kBulkFileFilter = "株価更新データ (株価*)|株価*||";
constexpr const char* kVendorFileFilter = "Ombrell株価データ (*.txt)|*.txt||";
constexpr const char* kDictionaryTextSaveFilter = "銘柄辞書TEXT変換 Files (*.TXT)|*.txt||";
constexpr const char* kDictionaryTextOpenFilter = "辞書テキスト Files (*.TXT)|*.txt||";
constexpr const char* kVendorInfoFilter = "Ombrell銘柄情報 Files (*.*)|*.*||";

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CMaintenanceCommands::CMaintenanceCommands(CKorvaleApp* app, CMainFrame* frame)
    : QObject(frame), app_(app), frame_(frame) {}

CUpdateProgressDlg* CMaintenanceCommands::progressDialog() const { return progress_.data(); }

QString CMaintenanceCommands::dataRoot() const { return QString(app_->settings().dataRootDir); }

void CMaintenanceCommands::showError(const QString& message) const {
  QMessageBox::warning(frame_, QString::fromUtf8(kErrorCaption), message);
}

void CMaintenanceCommands::showStatus(const QString& message) const {
  frame_->statusBar()->showMessage(message, 15000);
}

void CMaintenanceCommands::convert(const char* title, const char* filter, ConvertKind kind) {
  const QString path = QFileDialog::getOpenFileName(frame_, QString::fromUtf8(title), dataRoot(),
                                                    DialogFilter(filter));
  if (path.isEmpty()) return;
  const std::string input = path.toStdString();
  // The output's name comes from the input's: a file of another kind could name the input
  // itself as the output.
  if (ConvertKindOf(input) != kind) {
    showError(QString("%1 cannot open: %2").arg(path, DialogFilter(filter)));
    return;
  }
  const std::string output = DefaultConvertOutput(input, dataRoot().toStdString());
  ConversionCounts counts;
  std::string error;
  if (!ConvertFile(input, output, &counts, &error)) {
    showError(Utf8(error));
    return;
  }
  if (counts.unterminatedLastLine) {
    QMessageBox::information(
        frame_, QString::fromUtf8(title),
        QString("%1 の最終行は改行で終わっていないため変換されませんでした。").arg(path));
  }
  showStatus(QString("%1 を書き出しました（%2 件、読み飛ばした行 %3）")
                 .arg(Utf8(output))
                 .arg(counts.records)
                 .arg(counts.skipped));
}

void CMaintenanceCommands::PriceFileToText() {
  convert(kPriceFileToTextMenu, kPriceFileFilter, ConvertKind::kPriceFile);
}
void CMaintenanceCommands::PriceTextToFile() {
  convert(kPriceTextToFileMenu, kPriceTextFilter, ConvertKind::kPriceText);
}
void CMaintenanceCommands::MarginFileToText() {
  convert(kMarginFileToTextMenu, kMarginFileFilter, ConvertKind::kMarginFile);
}
void CMaintenanceCommands::MarginTextToFile() {
  convert(kMarginTextToFileMenu, kMarginTextFilter, ConvertKind::kMarginText);
}

void CMaintenanceCommands::runBatch(std::unique_ptr<CBatchJob> job, const char* caption,
                                    std::function<void(const CBatchJob&)> closed) {
  progress_ = RunInProgressDialog(frame_, std::move(job), caption, std::move(closed));
}

void CMaintenanceCommands::CheckConsistency() {
  CKorvaleDoc* doc = frame_->document();
  if (!doc->dictionary()) return;
  runBatch(std::make_unique<CConsistencyCheckJob>(*doc->dictionary()), kConsistencyCheckCaption,
           [this](const CBatchJob& job) {
             // The list shows the failing stocks found, also after a cancel.
             frame_->document()->ShowList(static_cast<const CConsistencyCheckJob&>(job).list());
             frame_->RefreshStockList();
           });
}

void CMaintenanceCommands::DeleteDate() {
  CKorvaleDoc* doc = frame_->document();
  if (!doc->dictionary()) return;
  CDeleteDateDialog dialog(frame_);
  if (dialog.exec() != QDialog::Accepted) return;
  const DeleteDateTarget target = dialog.target();
  runBatch(
      std::make_unique<CDeleteDateJob>(*doc->dictionary(), target),
      target.margin ? kDeleteMarginCaption : kDeletePriceCaption, [this](const CBatchJob& job) {
        const DeleteDateCounts& c = static_cast<const CDeleteDateJob&>(job).counts();
        // A cancelled removal leaves the files not reached as they were: say it stopped early.
        const QString stopped = job.status() == BatchStatus::kCancelled ? "中止しました: " : "";
        showStatus(stopped +
                   QString("削除 %1 件、書き直したファイル %2").arg(c.removed).arg(c.rewritten));
        // The chart shows the stock's file as it is now.
        const int row = frame_->stockList()->currentRow();
        if (row >= 0) frame_->OpenListRow(row);
      });
}

void CMaintenanceCommands::BulkExport() {
  const SettingsRecord& s = app_->settings();
  CKorvaleDoc* doc = frame_->document();
  if (s.dataSourceMode != 0 || !doc->dictionary()) return;
  CExportRangeDialog dialog(QDate::currentDate(), frame_);
  if (dialog.exec() != QDialog::Accepted) return;
  const ExportRange range = dialog.range();
  const std::string output = std::string(s.dataRootDir) + "/" + BulkExportFileName(range);
  runBatch(std::make_unique<CBulkExportJob>(*doc->dictionary(), range, output), kBulkExportCaption,
           [this](const CBatchJob& job) {
             if (job.status() != BatchStatus::kFinished) return;
             const auto& exported = static_cast<const CBulkExportJob&>(job);
             showStatus(QString("%1 を書き出しました（%2 銘柄、%3 日分）")
                            .arg(Utf8(exported.outputPath()))
                            .arg(exported.counts().stocks)
                            .arg(exported.counts().bars));
           });
}

template <typename Job>
void CMaintenanceCommands::importFile(const char* title, const char* filter) {
  const SettingsRecord& s = app_->settings();
  CKorvaleDoc* doc = frame_->document();
  if (s.dataSourceMode != 0 || !doc->mutableDictionary()) return;
  CImportOptionsDlg options(frame_);
  if (options.exec() != QDialog::Accepted) return;
  const QString file = QFileDialog::getOpenFileName(frame_, QString::fromUtf8(title), dataRoot(),
                                                    DialogFilter(filter));
  if (file.isEmpty()) return;
  runBatch(std::make_unique<Job>(doc->mutableDictionary(), &app_->folders(), s.dataRootDir,
                                 options.options(), file.toStdString()),
           kImportCaption, [this](const CBatchJob&) {
             frame_->document()->ShowAll();  // new stocks appear in the list
             frame_->RefreshStockList();
           });
}

void CMaintenanceCommands::BulkImport() {
  importFile<CBulkImportJob>(kBulkImportMenu, kBulkFileFilter);
}

void CMaintenanceCommands::VendorImport() {
  importFile<CVendorImportJob>(kVendorImportMenu, kVendorFileFilter);
}

void CMaintenanceCommands::DictionaryToText() {
  QFileDialog dialog(frame_, QString::fromUtf8(kDictionaryToTextMenu), dataRoot(),
                     DialogFilter(kDictionaryTextSaveFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix("TXT");
  dialog.selectFile(QString::fromUtf8(kDictionaryTextDefaultName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const std::string text = dialog.selectedFiles().first().toStdString();
  std::string error;
  if (!ExportText(DictionaryFilePath(app_->settings().dataRootDir), text, &error)) {
    showError(Utf8(error));
    return;
  }
  showStatus(QString("%1 を書き出しました").arg(Utf8(text)));
}

void CMaintenanceCommands::TextToDictionary() {
  const QString file =
      QFileDialog::getOpenFileName(frame_, QString::fromUtf8(kTextToDictionaryMenu), dataRoot(),
                                   DialogFilter(kDictionaryTextOpenFilter));
  if (file.isEmpty()) return;
  std::string error;
  DictionaryUpdateCounts counts;
  if (!ImportText(file.toStdString(), DictionaryFilePath(app_->settings().dataRootDir), &error,
                  &counts)) {
    showError(Utf8(error));
    return;
  }
  ShowReloadedNames(frame_, app_->settings().dataRootDir);
  showStatus(QString("辞書を更新しました（%1 件、読み飛ばした行 %2）")
                 .arg(counts.updated)
                 .arg(counts.skipped));
}

void CMaintenanceCommands::DictionaryFromVendorInfo() {
  const QString file =
      QFileDialog::getOpenFileName(frame_, QString::fromUtf8(kDictionaryFromVendorMenu), dataRoot(),
                                   DialogFilter(kVendorInfoFilter));
  if (file.isEmpty()) return;
  std::string error;
  DictionaryUpdateCounts counts;
  if (!UpdateNamesFromVendorFile(
          file.toStdString(), DictionaryFilePath(app_->settings().dataRootDir), &error, &counts)) {
    showError(Utf8(error));
    return;
  }
  ShowReloadedNames(frame_, app_->settings().dataRootDir);
  showStatus(QString("辞書を更新しました（%1 件、読み飛ばした行 %2）")
                 .arg(counts.updated)
                 .arg(counts.skipped));
}

}  // namespace korvale
