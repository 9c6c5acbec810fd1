#include "ui/free_line_edit_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include "app/korvale_doc.h"
#include "app/user_messages.h"
#include "charts/chart_kind.h"
#include "ui/free_line_edit_view.h"

namespace korvale {

CFreeLineEditFrame::CFreeLineEditFrame(CKorvaleDoc* doc, const SettingsRecord& settings,
                                       QWidget* parent)
    : QMainWindow(parent, Qt::Window), doc_(doc) {
  setObjectName("lineEditorFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("トレンドライン編集");
  view_ = new CFreeLineEditView(doc, settings, this);
  setCentralWidget(view_);
  createActions();
  createMenus();
  createToolBar();
  createStatusBar();
  connect(view_, &CFreeLineEditView::LinesChanged, this, &CFreeLineEditFrame::LinesChanged);
  connect(view_, &CFreeLineEditView::CommandStatesChanged, this,
          &CFreeLineEditFrame::updateCommandStates);
  connect(view_, &CKorvaleView::ReadOut, this,
          [this](const QString& text) { readOut_->setText(text); });
  if (settings.lineEditorWindowWidth > 0 && settings.lineEditorWindowHeight > 0) {
    resize(settings.lineEditorWindowWidth, settings.lineEditorWindowHeight);
  } else {
    resize(640, 480);
  }
  updateCommandStates();
  view_->ShowLatest();  // the status bar reads out the newest bar from the start
}

QAction* CFreeLineEditFrame::action(int commandId) const {
  auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

void CFreeLineEditFrame::createActions() {
  auto add = [this](int id, const char* text, auto run) {
    auto* a = new QAction(QString::fromUtf8(text), this);
    a->setData(id);
    connect(a, &QAction::triggered, this, run);
    actions_[id] = a;
    return a;
  };
  auto* modes = new QActionGroup(this);
  for (auto [id, text, mode] : {std::tuple{kCmdLineSelect, "選択", LineEditMode::kSelect},
                                {kCmdLineDraw, "線分", LineEditMode::kDraw}}) {
    QAction* a = add(id, text, [this, mode = mode] { view_->SetMode(mode); });
    a->setCheckable(true);
    modes->addAction(a);
  }
  add(kCmdLineDelete, "削除", [this] { view_->DeleteSelected(); });
  add(kCmdLineSwitchKind, "抵抗線<->支持線", [this] { view_->SwitchKind(); });
}

void CFreeLineEditFrame::createMenus() {
  QMenu* commands = menuBar()->addMenu("コマンド(&C)");
  for (int id : {kCmdLineSelect, kCmdLineDraw, kCmdLineDelete, kCmdLineSwitchKind}) {
    commands->addAction(actions_[id]);
  }
  commands->addSeparator();
  commands->addAction("閉じる(&C)", this, &QWidget::close);
}

void CFreeLineEditFrame::createToolBar() {
  QToolBar* bar = addToolBar("コマンド");
  bar->setObjectName("lineEditorToolBar");
  for (int id : {kCmdLineSelect, kCmdLineDraw, kCmdLineDelete, kCmdLineSwitchKind}) {
    bar->addAction(actions_[id]);
  }
}

void CFreeLineEditFrame::createStatusBar() {
  readOut_ = new QLabel(this);
  statusBar()->addWidget(readOut_, 1);
  statusBar()->addPermanentWidget(
      new QLabel(QString::fromUtf8(ChartKindOrDaily(kChartTrendLineEditor).caption), this));
}

void CFreeLineEditFrame::updateCommandStates() {
  const CTrendLineEditModel& model = view_->model();
  const bool select = model.mode() == LineEditMode::kSelect;
  actions_[kCmdLineSelect]->setChecked(select);
  actions_[kCmdLineDraw]->setChecked(!select);
  actions_[kCmdLineDelete]->setEnabled(model.CanEditSelection());
  actions_[kCmdLineSwitchKind]->setEnabled(model.CanEditSelection());
}

void CFreeLineEditFrame::DocumentChanged() { view_->DocumentChanged(); }

void CFreeLineEditFrame::closeEvent(QCloseEvent* event) {
  std::string error;
  if (!doc_->SaveTrendLines(&error)) {
    QMessageBox::warning(
        this, QString::fromUtf8(kErrorCaption),
        QString::fromUtf8(kDiskAccessErrorMessage) + "\n" + QString::fromStdString(error));
  }
  QMainWindow::closeEvent(event);
}

}  // namespace korvale
