// The main window's maintenance menu beyond the update commands: the single-file conversions
// between price or margin files and their texts, the consistency check, the removal of a date,
// the bulk export and import, the vendor import, and the dictionary's text form and vendor
// name update. The batches run behind the progress dialog of the updates.
#ifndef KORVALE_UI_MAINTENANCE_COMMANDS_H_
#define KORVALE_UI_MAINTENANCE_COMMANDS_H_

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "store/text_conversion.h"

namespace korvale {

class CBatchJob;
class CKorvaleApp;
class CMainFrame;
class CUpdateProgressDlg;

class CMaintenanceCommands : public QObject {
  Q_OBJECT

 public:
  // One command of the menu: its id, its text and what it runs.
  struct Entry {
    int id;
    const char* text;
    void (CMaintenanceCommands::*run)();
  };
  // The commands in menu order; a separator stands where `text` is null.
  static const std::vector<Entry>& Entries();

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
  CUpdateProgressDlg* progressDialog() const { return progress_.data(); }

 private:
  // Asks for a file of `kind` with `filter` and converts it to the other form, named and placed
  // as DefaultConvertOutput says.
  void convert(const char* title, const char* filter, ConvertKind kind);
  // Shows `job` behind a progress dialog; `closed` runs when the dialog closes.
  void runBatch(std::unique_ptr<CBatchJob> job, const char* caption,
                std::function<void(const CBatchJob&)> closed);
  // Reads the dictionary file's names again and lists every stock (after a name update).
  void reloadNames();
  QString dataRoot() const;
  void showError(const QString& message) const;
  void showStatus(const QString& message) const;

  CKorvaleApp* app_;
  CMainFrame* frame_;
  QPointer<CUpdateProgressDlg> progress_;
};

}  // namespace korvale

#endif  // KORVALE_UI_MAINTENANCE_COMMANDS_H_
