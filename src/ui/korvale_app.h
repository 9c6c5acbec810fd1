// The application object: the run's shared state (settings record, rules, market-index series),
// the folder preparer, and the documents with their main windows.
#ifndef KORVALE_UI_KORVALE_APP_H_
#define KORVALE_UI_KORVALE_APP_H_

#include <QObject>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "store/price_series.h"
#include "store/settings_record.h"
#include "store/store_folders.h"

namespace korvale {

class CKorvaleDoc;
class CMainFrame;

class CKorvaleApp : public QObject {
  Q_OBJECT

 public:
  // Loads the settings of `dataRoot` as at start-up. `rootStorePath` is the file of the stored
  // root folder.
  CKorvaleApp(const QString& dataRoot, const QString& rootStorePath);
  ~CKorvaleApp() override;

  // Why the start-up load refused the data root (""; a path too long for the settings).
  const QString& startError() const { return startError_; }

  SettingsRecord& settings() { return context_->settings(); }
  CRuleList& rules() { return context_->rules(); }
  CFolderPreparer& folders() { return *folders_; }
  // The file that keeps the root folder chosen in the settings dialog.
  const std::string& rootStorePath() const { return rootStorePath_; }
  const CPriceSeries* indexSeries() const { return context_->indexSeries(); }

  // Creates the first document (dictionary, list, latest date, index series in local mode; the
  // stock list of the network modes fetched behind its dialog) and its main window, and returns
  // the window. `problem` (may be null) gets what the user must be told, such as a dictionary
  // file that cannot be created or a server that did not answer ("" when all is well), and
  // `caption` (may be null) the caption of its message box.
  CMainFrame* CreateFirstWindow(QString* problem = nullptr, QString* caption = nullptr);
  // A new document sharing `from`'s dictionary and list, with a main window of its own.
  CMainFrame* CreateWindowFor(std::unique_ptr<CKorvaleDoc> doc);
  // Called by a main window when it closes: its document goes with it.
  void WindowClosed(CMainFrame* frame);
  // Redraws every main window (after a settings change).
  void RedrawAll();

 private:
  void LoadIndexSeriesFor(const CKorvaleDoc& doc);

  std::unique_ptr<CAppContext> context_;
  std::unique_ptr<CFolderPreparer> folders_;
  std::vector<std::unique_ptr<CKorvaleDoc>> documents_;
  std::vector<CMainFrame*> frames_;
  QString startError_;
  std::string rootStorePath_;
};

}  // namespace korvale

#endif  // KORVALE_UI_KORVALE_APP_H_
