// The application object: the settings record, the run's folder preparer, the market-index
// series, and the documents with their main windows.
#ifndef KORVALE_UI_KORVALE_APP_H_
#define KORVALE_UI_KORVALE_APP_H_

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

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

  SettingsRecord& settings() { return settings_; }
  CFolderPreparer& folders() { return *folders_; }
  const CPriceSeries* indexSeries() const { return indexSeries_.get(); }

  // Creates the first document (dictionary, list, latest date, index series in local mode) and
  // its main window, and returns the window.
  CMainFrame* CreateFirstWindow();
  // A new document sharing `from`'s dictionary and list, with a main window of its own.
  CMainFrame* CreateWindowFor(std::unique_ptr<CKorvaleDoc> doc);
  // Called by a main window when it closes: its document goes with it.
  void WindowClosed(CMainFrame* frame);
  // Redraws every main window (after a settings change).
  void RedrawAll();

 private:
  void LoadIndexSeriesFor(const CKorvaleDoc& doc);

  SettingsRecord settings_;
  std::unique_ptr<CFolderPreparer> folders_;
  std::unique_ptr<CPriceSeries> indexSeries_;
  std::vector<std::unique_ptr<CKorvaleDoc>> documents_;
  std::vector<CMainFrame*> frames_;
  QString startError_;
};

}  // namespace korvale

#endif  // KORVALE_UI_KORVALE_APP_H_
