#include "ui/analize_rule_report_wnd.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>

#include "app/user_messages.h"
#include "store/file_io.h"
#include "ui/analize_rule_report_view.h"

namespace korvale {

CAnalizeRuleReportWnd::CAnalizeRuleReportWnd(std::unique_ptr<CAnalizeRuleReportDoc> doc,
                                             QWidget* parent)
    : QMainWindow(parent), doc_(std::move(doc)) {
  setObjectName("analizeRuleReportWnd");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::Window);
  setWindowTitle("抽出条件の検証レポート");
  resize(440, 280);
  view_ = new CAnalizeRuleReportView(*doc_, this);
  setCentralWidget(view_);
  save_ = new QAction("リストを保存(&S)", this);
  save_->setShortcut(QKeySequence::Save);
  menuBar()->addMenu("ファイル(&F)")->addAction(save_);
  connect(save_, &QAction::triggered, this, &CAnalizeRuleReportWnd::Save);
  connect(view_, &CAnalizeRuleReportView::SaveRequested, this, &CAnalizeRuleReportWnd::Save);
}

CAnalizeRuleReportWnd::~CAnalizeRuleReportWnd() = default;

void CAnalizeRuleReportWnd::Save() {
  QFileDialog dialog(this, "名前を付けて保存", QDir::currentPath(),
                     "レポート出力ファイル名 (*.TXT *.txt)");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // The extension is added before the dialog asks about overwriting, so it asks about the file
  // that is written.
  dialog.setDefaultSuffix("txt");
  dialog.selectFile("analize1.txt");
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().front();
  QString error;
  if (!SaveTo(path, &error)) {
    // The text leaves a failed save unreported; a report the user thinks is saved and is not
    // would be lost.
    QMessageBox::warning(this, QString::fromUtf8(kErrorCaption),
                         QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + error);
  }
}

bool CAnalizeRuleReportWnd::SaveTo(const QString& path, QString* error) const {
  const std::string bytes = doc_->FileText();
  std::string reason;
  if (WriteFileAtomically(path.toStdString(), bytes.data(), bytes.size(), &reason)) return true;
  if (error) *error = QString::fromStdString(reason);
  return false;
}

}  // namespace korvale
