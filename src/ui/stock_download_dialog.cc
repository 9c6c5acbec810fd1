#include "ui/stock_download_dialog.h"

#include "app/user_messages.h"

namespace korvale {

CStockDownloadDlg::CStockDownloadDlg(const WebStockRequest& request, QWidget* parent)
    : CWebWorkerDlg(QString::fromUtf8(kStockDownloadCaption), true, parent), request_(request) {}

void CStockDownloadDlg::Run() {
  RunModal([this](const std::atomic<bool>* stop, const Progress& progress) {
    WebStockRequest request = request_;
    request.fetch.stop = stop;
    result_ = DownloadWebStock(request, progress);
  });
}

}  // namespace korvale
