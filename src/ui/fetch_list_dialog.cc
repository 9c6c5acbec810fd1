#include "ui/fetch_list_dialog.h"

#include "app/user_messages.h"

namespace korvale {

CFetchListDlg::CFetchListDlg(const std::string& url, const std::string& webTempDir,
                             const WebFetchOptions& options, QWidget* parent)
    : CWebWorkerDlg(QString::fromUtf8(kFetchListCaption), false, parent),
      url_(url),
      webTempDir_(webTempDir),
      options_(options) {}

void CFetchListDlg::Run() {
  RunModal([this](const std::atomic<bool>* stop, const Progress&) {
    WebFetchOptions options = options_;
    options.stop = stop;
    result_ = DownloadFetchList(url_, webTempDir_, options);
  });
}

}  // namespace korvale
