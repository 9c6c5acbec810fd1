// The modal dialog "株価データ取得中" of a stock's web download: the download runs on a worker,
// the bar steps with the price-table pages, Cancel keeps the pages fetched so far.
#ifndef KORVALE_UI_STOCK_DOWNLOAD_DIALOG_H_
#define KORVALE_UI_STOCK_DOWNLOAD_DIALOG_H_

#include "acquisition/web_download.h"
#include "ui/web_worker_dialog.h"

namespace korvale {

class CStockDownloadDlg : public CWebWorkerDlg {
  Q_OBJECT

 public:
  // The download of `request` (a copy: the worker shares nothing with the window).
  CStockDownloadDlg(const WebStockRequest& request, QWidget* parent = nullptr);

  // Runs the download behind the dialog and returns when it has ended.
  void Run();
  // What the download brought (valid after Run).
  const WebStockDownload& result() const { return result_; }

 private:
  WebStockRequest request_;
  WebStockDownload result_;
};

}  // namespace korvale

#endif  // KORVALE_UI_STOCK_DOWNLOAD_DIALOG_H_
