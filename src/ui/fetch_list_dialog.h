// The modal dialog "Webサーバ接続中" of the fetch-list download at start in web mode.
#ifndef KORVALE_UI_FETCH_LIST_DIALOG_H_
#define KORVALE_UI_FETCH_LIST_DIALOG_H_

#include <string>

#include "acquisition/web_download.h"
#include "ui/web_worker_dialog.h"

namespace korvale {

class CFetchListDlg : public CWebWorkerDlg {
  Q_OBJECT

 public:
  // The download of the fetch list at `url` into `webTempDir` with `options`.
  CFetchListDlg(const std::string& url, const std::string& webTempDir,
                const WebFetchOptions& options, QWidget* parent = nullptr);

  // Runs the download behind the dialog and returns when it has ended.
  void Run();
  // What the download brought (valid after Run); the caller reads and then discards the file.
  const FetchListDownload& result() const { return result_; }

 private:
  std::string url_;
  std::string webTempDir_;
  WebFetchOptions options_;
  FetchListDownload result_;
};

}  // namespace korvale

#endif  // KORVALE_UI_FETCH_LIST_DIALOG_H_
