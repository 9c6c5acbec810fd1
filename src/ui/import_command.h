// The main window's import commands: "株価データの更新...", "信用残データの更新..." and the
// dictionary update from an import file. Each asks for its files, builds the update job and runs
// it in the progress dialog; the frame's stock list is refreshed when the dialog closes. Local
// mode only: in the remote modes they do nothing.
#ifndef KORVALE_UI_IMPORT_COMMAND_H_
#define KORVALE_UI_IMPORT_COMMAND_H_

#include <QObject>
#include <QString>
#include <memory>
#include <string>

namespace korvale {

class CKorvaleApp;
class CMainFrame;
class CUpdateJob;

// The status bar's summary of an update that ended: "<name>完了: done/files ファイル, 読込 n件,
// 反映 n件, スキップ n件", with write failures and new stocks when there were any ("中止" for a
// cancelled update, "失敗" for one that stopped on a file).
QString UpdateSummary(const QString& name, const CUpdateJob& job);

// After the dictionary file's names changed: the name table of `frame`'s document is read again
// from `dataRootDir`, the stocks rescanned and every stock listed.
void ShowReloadedNames(CMainFrame* frame, const std::string& dataRootDir);

class CImportCommand : public QObject {
  Q_OBJECT

 public:
  // The commands of `frame` (which owns this object) on its document and `app`'s settings.
  CImportCommand(CKorvaleApp* app, CMainFrame* frame);

  void UpdatePrices();
  void UpdateMargins();
  void UpdateDictionaryFromImportFile();

 private:
  bool localMode() const;
  // `caption` heads the progress dialog, `name` the summary shown when it closes.
  void runUpdateJob(std::unique_ptr<CUpdateJob> job, const char* caption, const QString& name);

  CKorvaleApp* app_;
  CMainFrame* frame_;
};

}  // namespace korvale

#endif  // KORVALE_UI_IMPORT_COMMAND_H_
