#include "ui/rule_editor_frame.h"

#include <QMenu>
#include <QMenuBar>

#include "ui/rule_editor.h"

namespace korvale {

CRuleEditorFrame::CRuleEditorFrame(CRuleList* rules, QWidget* parent)
    : QMainWindow(parent, Qt::Window) {
  setObjectName("ruleEditorFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("銘柄抽出条件編集");
  editor_ = new CRuleEditor(rules, this);
  setCentralWidget(editor_);
  createMenus();
  adjustSize();
}

void CRuleEditorFrame::createMenus() {
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  file->addAction("閉じる(&C)", this, &QWidget::close);
}

}  // namespace korvale
