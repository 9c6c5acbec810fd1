// The main window's import commands: "株価データの更新...", "信用残データの更新..." and the
// dictionary update from an import file. Each asks for its files, builds the update job and runs
// it in the progress dialog; the frame's stock list is refreshed when the dialog closes. Local
// mode only: in the remote modes they do nothing.
#ifndef KORVALE_UI_IMPORT_COMMAND_H_
#define KORVALE_UI_IMPORT_COMMAND_H_

#include <QObject>
#include <memory>

namespace korvale {

class CKorvaleApp;
class CMainFrame;
class CUpdateJob;

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
  void runUpdateJob(std::unique_ptr<CUpdateJob> job, const char* caption);

  CKorvaleApp* app_;
  CMainFrame* frame_;
};

}  // namespace korvale

#endif  // KORVALE_UI_IMPORT_COMMAND_H_
