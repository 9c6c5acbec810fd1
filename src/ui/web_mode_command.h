// The window's side of the two network modes: at start the stock list (web mode's fetch list,
// remote mode's stock page from the peer), and a stock picked in the list fetched behind
// "株価データ取得中" and handed to the document on the window thread.
#ifndef KORVALE_UI_WEB_MODE_COMMAND_H_
#define KORVALE_UI_WEB_MODE_COMMAND_H_

#include <QObject>
#include <QString>

#include "store/settings_record.h"

class QWidget;

namespace korvale {

class CKorvaleApp;
class CKorvaleDoc;
class CMainFrame;

// Downloads the fetch list behind "Webサーバ接続中" when `doc` lists no stock yet, and reads it
// into the document. Returns what the user must be told when it did not arrive ("" when it did,
// or when nothing was needed).
QString LoadFetchList(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent);
// Fetches the peer's stock page behind "Webサーバ接続中" when `doc` is in remote mode and lists
// no stock yet, and shows its stocks (after a Cancel or a broken transfer, the ones that
// arrived whole). Returns what the user must be told ("" when all is well or after a Cancel).
QString LoadPeerList(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent);

class CWebModeCommand : public QObject {
  Q_OBJECT

 public:
  // The web-mode opening of `frame` (which owns it).
  CWebModeCommand(CKorvaleApp* app, CMainFrame* frame);

  // Downloads the stock of a list row and shows it, once the list has shown the row picked (the
  // download's dialog is modal); of rows picked meanwhile the last one is downloaded. A download
  // that cannot start (no folder to write, no server) is reported, and the stock shown before
  // stays, selected in the list. In remote mode the row's price file comes from the peer; one
  // the peer does not send as a price file is reported the same way.
  void OpenRow(int row);

 signals:
  // A downloaded stock is now the document's: the window shows it.
  void StockShown();

 private:
  void download(int row);
  void fetchFromPeer(int row);
  // Selects the row whose download runs (a mouse press picked it; the modal dialog takes the
  // release).
  void selectRow(int row);
  void showStockBeforeDownload(int code);
  void restoreShownStock();

  CKorvaleApp* app_;
  CMainFrame* frame_;
  int pendingRow_ = -1;
  bool queued_ = false;
};

}  // namespace korvale

#endif  // KORVALE_UI_WEB_MODE_COMMAND_H_
