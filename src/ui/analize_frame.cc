#include "ui/analize_frame.h"

#include "ui/analize_main.h"

namespace korvale {

CAnalizeFrame::CAnalizeFrame(CKorvaleDoc* doc, CRuleList* rules, const QString& documentTitle,
                             QWidget* parent)
    : QMainWindow(parent, Qt::Window), documentTitle_(documentTitle) {
  setObjectName("analizeFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(documentTitle + " - 銘柄抽出");
  // The client area is the view: the window's size less its title bar and borders.
  resize(CAnalizeMain::kViewWidth, CAnalizeMain::kTechnicalViewHeight);
  view_ = new CAnalizeMain(doc, rules, this);
  setCentralWidget(view_);
  setFixedSize(CAnalizeMain::kViewWidth, CAnalizeMain::kTechnicalViewHeight);
  connect(view_, &CAnalizeMain::Listed, this, &CAnalizeFrame::Listed);
}

}  // namespace korvale
