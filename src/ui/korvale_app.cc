#include "ui/korvale_app.h"

#include <QMessageBox>
#include <algorithm>

#include "app/index_series.h"
#include "app/korvale_doc.h"
#include "app/settings_file.h"
#include "store/user_messages.h"
#include "ui/main_frame.h"

namespace korvale {

CKorvaleApp::CKorvaleApp(const QString& dataRoot, const QString& rootStorePath) {
  std::string error;
  if (!LoadSettingsAtStart(dataRoot.toStdString(), rootStorePath.toStdString(), &settings_,
                           &error)) {
    startError_ = QString::fromStdString(error);
  }
  folders_ = std::make_unique<CFolderPreparer>(settings_.dataRootDir, settings_.dataSourceMode);
}

CKorvaleApp::~CKorvaleApp() {
  // Windows still open close with the application, each taking its document with it.
  const std::vector<CMainFrame*> open = frames_;
  for (CMainFrame* frame : open) delete frame;
}

void CKorvaleApp::LoadIndexSeriesFor(const CKorvaleDoc& doc) {
  const CStockDictionary* dict = doc.dictionary();
  indexSeries_ = LoadIndexSeries(settings_, [dict](int code, std::string* folder) {
    return dict && dict->GetFolder(code, folder) != 0;
  });
}

CMainFrame* CKorvaleApp::CreateFirstWindow() {
  auto doc = std::make_unique<CKorvaleDoc>(settings_, *folders_);
  std::string error;
  doc->Start(&error);
  if (settings_.dataSourceMode == 0) LoadIndexSeriesFor(*doc);
  doc->SetIndexSeries(indexSeries_.get());
  CMainFrame* frame = CreateWindowFor(std::move(doc));
  if (!error.empty()) {
    QMessageBox::warning(frame, "Error", QString::fromUtf8(kDiskAccessErrorMessage) + "\n" +
                                             QString::fromStdString(error));
  }
  return frame;
}

CMainFrame* CKorvaleApp::CreateWindowFor(std::unique_ptr<CKorvaleDoc> doc) {
  doc->SetIndexSeries(indexSeries_.get());
  auto* frame = new CMainFrame(this, doc.get());
  frame->setAttribute(Qt::WA_DeleteOnClose);
  documents_.push_back(std::move(doc));
  frames_.push_back(frame);
  return frame;
}

void CKorvaleApp::WindowClosed(CMainFrame* frame) {
  frames_.erase(std::remove(frames_.begin(), frames_.end(), frame), frames_.end());
  CKorvaleDoc* doc = frame->document();
  documents_.erase(std::remove_if(documents_.begin(), documents_.end(),
                                  [doc](const auto& d) { return d.get() == doc; }),
                   documents_.end());
}

void CKorvaleApp::RedrawAll() {
  for (CMainFrame* frame : frames_) {
    frame->document()->ApplySettings();
    frame->RefreshStockList();
  }
}

}  // namespace korvale
