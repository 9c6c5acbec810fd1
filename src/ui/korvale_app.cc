#include "ui/korvale_app.h"

#include <algorithm>

#include "app/index_series.h"
#include "app/korvale_doc.h"
#include "app/settings_file.h"
#include "app/user_messages.h"
#include "ui/main_frame.h"
#include "ui/web_mode_command.h"

namespace korvale {

CKorvaleApp::CKorvaleApp(const QString& dataRoot, const QString& rootStorePath)
    : rootStorePath_(rootStorePath.toStdString()) {
  SettingsRecord settings;
  std::string error;
  if (!LoadSettingsAtStart(dataRoot.toStdString(), rootStorePath_, &settings, &error)) {
    startError_ = QString::fromStdString(error);
  }
  // Settings first, then every rule of the Rules folder, as the program starts.
  context_ = std::make_unique<CAppContext>(settings);
  folders_ = std::make_unique<CFolderPreparer>(settings.dataRootDir, settings.dataSourceMode);
}

CKorvaleApp::~CKorvaleApp() {
  // Windows still open close with the application, each taking its document with it.
  const std::vector<CMainFrame*> open = frames_;
  for (CMainFrame* frame : open) delete frame;
}

void CKorvaleApp::LoadIndexSeriesFor(const CKorvaleDoc& doc) {
  const CStockDictionary* dict = doc.dictionary();
  context_->LoadIndex(
      [dict](int code, std::string* folder) { return dict && dict->GetFolder(code, folder) != 0; });
}

CMainFrame* CKorvaleApp::CreateFirstWindow(QString* problem, QString* caption) {
  auto doc = std::make_unique<CKorvaleDoc>(settings(), *folders_);
  std::string error;
  doc->Start(&error);
  if (settings().dataSourceMode == 0) LoadIndexSeriesFor(*doc);
  // The network modes list the stocks of the fetch list or the peer's stock page, fetched
  // before the window opens.
  const QString listProblem = settings().dataSourceMode == 1
                                  ? LoadPeerList(doc.get(), settings(), nullptr)
                                  : LoadFetchList(doc.get(), settings(), nullptr);
  CMainFrame* frame = CreateWindowFor(std::move(doc));
  if (problem) {
    *problem = error.empty() ? QString()
                             : QString::fromUtf8(kDiskAccessErrorMessage) + "\n" +
                                   QString::fromStdString(error);
    if (!listProblem.isEmpty()) *problem += (problem->isEmpty() ? "" : "\n") + listProblem;
  }
  if (caption) {
    *caption = QString::fromUtf8(listProblem.isEmpty() ? kErrorCaption : kServerErrorCaption);
  }
  return frame;
}

CMainFrame* CKorvaleApp::CreateWindowFor(std::unique_ptr<CKorvaleDoc> doc) {
  doc->SetIndexSeries(context_->indexSeries());
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
