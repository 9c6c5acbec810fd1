// The main window's maintenance menu beyond the update commands: the single-file conversions
// between price or margin files and their texts, the consistency check, the removal of a date,
// the bulk export and import, the vendor import, and the dictionary's text form and vendor
// name update. The batches run behind the progress dialog of the updates. Local mode only: the
// bulk export and the imports do nothing in the remote modes.
#ifndef KORVALE_UI_MAINTENANCE_COMMANDS_H_
#define KORVALE_UI_MAINTENANCE_COMMANDS_H_

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

#include "store/text_conversion.h"

namespace korvale {

class CBatchJob;
class CKorvaleApp;
class CMainFrame;
class CUpdateProgressDlg;

// Menu texts of the commands (UTF-8); the batches' own texts are with their jobs.
inline constexpr const char* kPriceFileToTextMenu = "株価KDT->TEXT変換";
inline constexpr const char* kPriceTextToFileMenu = "株価TEXT->KDT変換";
inline constexpr const char* kMarginFileToTextMenu = "信用残SZT->TEXT変換";
inline constexpr const char* kMarginTextToFileMenu = "信用残TEXT->SZT変換";
inline constexpr const char* kDeleteDateMenu = "指定日の株価/信用残データ削除";
inline constexpr const char* kBulkExportMenu = "一括エキスポート";
inline constexpr const char* kBulkImportMenu = "一括インポート";
inline constexpr const char* kVendorImportMenu = "Pelstar株価データインポート";
inline constexpr const char* kDictionaryToTextMenu = "辞書DIC->TEXT変換";
inline constexpr const char* kTextToDictionaryMenu = "辞書TEXT->DIC変換";
inline constexpr const char* kDictionaryFromVendorMenu = "Pelstar銘柄情報から辞書更新";

class CMaintenanceCommands : public QObject {
  Q_OBJECT

 public:
  // The commands of `frame` (which owns this object) on its document and `app`'s settings.
  CMaintenanceCommands(CKorvaleApp* app, CMainFrame* frame);

  void PriceFileToText();
  void PriceTextToFile();
  void MarginFileToText();
  void MarginTextToFile();
  void CheckConsistency();
  void DeleteDate();
  void BulkExport();
  void BulkImport();
  void VendorImport();
  void DictionaryToText();
  void TextToDictionary();
  void DictionaryFromVendorInfo();

  // The progress dialog of the batch now running (the last one started), else null.
  CUpdateProgressDlg* progressDialog() const;

 private:
  // Asks for a file of `kind` with `filter` and converts it to the other form, named and placed
  // as DefaultConvertOutput says.
  void convert(const char* title, const char* filter, ConvertKind kind);
  // Asks for the import options and a file of `filter`, then runs a `Job` (the bulk or the
  // vendor import) on it in local mode.
  template <typename Job>
  void importFile(const char* title, const char* filter);
  // Shows `job` behind a progress dialog; `closed` runs when the dialog closes.
  void runBatch(std::unique_ptr<CBatchJob> job, const char* caption,
                std::function<void(const CBatchJob&)> closed);
  QString dataRoot() const;
  void showError(const QString& message) const;
  void showStatus(const QString& message) const;

  CKorvaleApp* app_;
  CMainFrame* frame_;
  QPointer<CUpdateProgressDlg> progress_;
};

}  // namespace korvale

#endif  // KORVALE_UI_MAINTENANCE_COMMANDS_H_
