#include "ui/web_mode_command.h"

#include <QListWidget>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>

#include "acquisition/quote_endpoints.h"
#include "app/detail_panel.h"
#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "app/web_messages.h"
#include "ui/detail_bar.h"
#include "ui/fetch_list_dialog.h"
#include "ui/korvale_app.h"
#include "ui/main_frame.h"
#include "ui/stock_download_dialog.h"

namespace korvale {

namespace {

constexpr int kNoteMilliseconds = 20000;

// The addresses of the service; a faulty webhosts.txt is reported, and what it holds that is
// sound still applies.
QuoteEndpoints EndpointsOf(const SettingsRecord& s, QString* problem) {
  QuoteEndpoints endpoints;
  std::string error;
  if (!LoadQuoteEndpoints(s.dataRootDir, s.allStocksUrl, &endpoints, &error)) {
    *problem = QString::fromStdString(error);
  }
  return endpoints;
}

}  // namespace

QString LoadFetchList(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent) {
  if (!doc->NeedsFetchList()) return QString();
  QString problem;
  const QuoteEndpoints endpoints = EndpointsOf(settings, &problem);
  CFetchListDlg dialog(endpoints.fetchListUrl, WebTempFolderOf(settings.dataRootDir),
                       WebFetchOptionsOf(settings), parent);
  dialog.Run();
  const FetchListDownload& list = dialog.result();
  if (!list.ok) {
    if (!problem.isEmpty()) problem += "\n";
    return problem + QString::fromStdString(WebProblemText(list.networkError, list.detail));
  }
  doc->ApplyFetchList(list.path);
  DiscardFetchList(list);
  return problem;
}

CWebModeCommand::CWebModeCommand(CKorvaleApp* app, CMainFrame* frame)
    : QObject(frame), app_(app), frame_(frame) {}

void CWebModeCommand::OpenRow(int row) {
  pendingRow_ = row;
  if (queued_) return;
  queued_ = true;
  QTimer::singleShot(0, this, [this] {
    queued_ = false;
    if (app_->settings().dataSourceMode == 1) {
      fetchFromPeer(pendingRow_);
    } else {
      download(pendingRow_);
    }
  });
}

void CWebModeCommand::selectRow(int row) {
  QListWidget* list = frame_->stockList();
  QSignalBlocker quiet(list);
  list->setCurrentRow(row);
}

void CWebModeCommand::download(int row) {
  CKorvaleDoc* doc = frame_->document();
  QString problem;
  const QuoteEndpoints endpoints = EndpointsOf(app_->settings(), &problem);
  if (!problem.isEmpty()) QMessageBox::warning(frame_, "Error", problem);
  WebStockRequest request;
  if (!doc->WebStockRequestOf(row, endpoints, &request)) return;

  selectRow(row);
  showStockBeforeDownload(request.code);
  CStockDownloadDlg dialog(request, frame_);
  dialog.Run();
  const WebStockDownload& download = dialog.result();
  if (download.outcome != WebStockDownload::Outcome::kLoaded) {
    const bool server = download.outcome == WebStockDownload::Outcome::kNetworkError;
    QMessageBox::warning(frame_, server ? kServerErrorCaption : kErrorCaption,
                         QString::fromStdString(WebProblemText(server, download.detail)));
    restoreShownStock();
    return;
  }
  doc->ShowWebStock(request.code, download);
  emit StockShown();
  // A cancel and pages that failed are named in the status bar for a while; the chart shows
  // what arrived.
  if (download.cancelled) {
    frame_->statusBar()->showMessage(QString("取得を中止しました（%1 ページ中 %2 ページ）")
                                         .arg(download.pageCount)
                                         .arg(download.pagesSaved),
                                     kNoteMilliseconds);
  } else if (!download.notes.empty()) {
    frame_->statusBar()->showMessage(QString("取得できなかったページ %1: %2")
                                         .arg(download.notes.size())
                                         .arg(QString::fromStdString(download.notes.front())),
                                     kNoteMilliseconds);
  } else {
    frame_->statusBar()->clearMessage();
  }
}

void CWebModeCommand::showStockBeforeDownload(int code) {
  const CStockDictionary* dictionary = frame_->document()->dictionary();
  std::string name;
  int industry = 0;
  const int market = dictionary->names.Lookup(code, &name, &industry);
  const double none[5] = {};
  frame_->detailBar()->ShowStockInfo(MakeStockInfoTexts(name, market, industry, "", "", none));
}

void CWebModeCommand::restoreShownStock() {
  CKorvaleDoc* doc = frame_->document();
  const StockInfo& info = doc->stockInfo();
  frame_->detailBar()->ShowStockInfo(MakeStockInfoTexts(
      doc->stockName(), doc->market(), doc->industry(), info.text1, info.text2, info.figures));
  // The list points at the stock shown again, so picking the failed one retries it.
  QListWidget* list = frame_->stockList();
  QSignalBlocker quiet(list);
  int shownRow = -1;
  for (size_t i = 0; doc->painter() && i < doc->list().rows.size() && shownRow < 0; ++i) {
    if (doc->list().rows[i].code == doc->code()) shownRow = static_cast<int>(i);
  }
  list->setCurrentRow(shownRow);
}

}  // namespace korvale
