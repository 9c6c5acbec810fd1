// The remote-mode half of CWebModeCommand: the peer's stock page at start and a picked stock's
// price file, each fetched on a worker behind the network dialog.
#include <QMessageBox>
#include <QStatusBar>

#include "acquisition/peer_list_fetch.h"
#include "acquisition/web_download.h"
#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "app/web_messages.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/web_mode_command.h"
#include "ui/web_worker_dialog.h"

namespace korvale {

QString LoadPeerList(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent) {
  if (!doc->NeedsPeerList()) return QString();
  // The worker reads into a dictionary of its own; the document takes it once the worker ended.
  std::unique_ptr<CStockDictionary> list = doc->NewPeerListDictionary();
  CStockDictionary* target = list.get();
  const std::string url = settings.peerServerUrl;
  WebFetchOptions options = WebFetchOptionsOf(settings);
  PeerListFetch fetched;
  CWebWorkerDlg dialog(QString::fromUtf8(kFetchListCaption), false, parent);
  dialog.RunModal([&, target](const std::atomic<bool>* stop, const CWebWorkerDlg::Progress&) {
    WebFetchOptions worker = options;
    worker.stop = stop;
    fetched = FetchPeerList(url, worker, target);
  });
  doc->ApplyPeerList(std::move(list));
  if (fetched.ok() || fetched.outcome == PeerListFetch::Outcome::kStopped) return QString();
  return QString::fromStdString(WebProblemText(true, fetched.detail));
}

void CWebModeCommand::fetchFromPeer(int row) {
  CKorvaleDoc* doc = frame_->document();
  StockFiles files;
  if (!doc->PeerStockFilesOf(row, &files)) return;
  selectRow(row);
  showStockBeforeDownload(files.code);

  // The series and the reason are the worker's until it has ended; the dialog waits for that.
  CPriceSeries series;
  std::string error;
  CWebWorkerDlg dialog(QString::fromUtf8(kStockDownloadCaption), false, frame_);
  const bool completed =
      dialog.RunModal([&](const std::atomic<bool>* stop, const CWebWorkerDlg::Progress&) {
        LoadStock(files, &series, {}, /*placeholderWhenEmpty=*/true, &error, stop);
      });
  if (!completed) {
    frame_->statusBar()->showMessage("取得を中止しました", 20000);
    restoreShownStock();
    return;
  }
  if (!error.empty()) {
    // Never an error page drawn as prices: the stock shown before stays.
    QMessageBox::warning(frame_, kServerErrorCaption,
                         QString::fromStdString(WebProblemText(true, error)));
    restoreShownStock();
    return;
  }
  doc->ShowPeerStock(files, series);
  frame_->statusBar()->clearMessage();
  emit StockShown();
}

}  // namespace korvale
