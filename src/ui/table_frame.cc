#include "ui/table_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "app/korvale_doc.h"
#include "charts/price_table.h"
#include "store/cp932.h"
#include "ui/chart_table_view.h"

namespace korvale {

namespace {

struct KindCommand {
  int id;
  const char* text;
};
constexpr KindCommand kKinds[] = {
    {kTableDaily, "日足株価"}, {kTableWeekly, "週足株価"}, {kTableMonthly, "月足株価"}};

}  // namespace

CTableFrame::CTableFrame(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent)
    : QMainWindow(parent, Qt::Window), doc_(doc), settings_(settings) {
  setObjectName("tableFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  view_ = new CChartTableView(this);
  setCentralWidget(view_);
  createActions();
  createMenus();
  createToolBar();
  resize(420, 320);
  Refresh();
}

QAction* CTableFrame::action(int commandId) const {
  auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

void CTableFrame::createActions() {
  auto* kinds = new QActionGroup(this);
  for (const KindCommand& k : kKinds) {
    auto* a = new QAction(QString::fromUtf8(k.text), this);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this, id = k.id] { chooseKind(id); });
    kinds->addAction(a);
    actions_[k.id] = a;
  }
  actions_[kCmdTableSettings] = new QAction("初期設定...", this);
  connect(actions_[kCmdTableSettings], &QAction::triggered, this, &CTableFrame::SettingsWanted);
  actions_[kCmdTableClose] = new QAction("株価表の終了(&X)", this);
  connect(actions_[kCmdTableClose], &QAction::triggered, this, &QWidget::close);
}

void CTableFrame::createMenus() {
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  file->addAction(actions_[kCmdTableSettings]);
  file->addSeparator();
  file->addAction(actions_[kCmdTableClose]);
  QMenu* table = menuBar()->addMenu("株価表(&T)");
  for (const KindCommand& k : kKinds) table->addAction(actions_[k.id]);
}

void CTableFrame::createToolBar() {
  QToolBar* bar = addToolBar("株価表");
  bar->setObjectName("tableToolBar");
  for (const KindCommand& k : kKinds) bar->addAction(actions_[k.id]);
}

void CTableFrame::chooseKind(int kind) {
  doc_->SetTablePeriod(kind);
  Refresh();
  emit KindChosen(kind);
}

void CTableFrame::Refresh() {
  const int kind = doc_->tablePeriod() ? doc_->tablePeriod() : kTableDaily;
  if (QAction* a = action(kind)) a->setChecked(true);
  // The table shows the stock the chart shows; with none shown it is empty.
  view_->Fill(doc_->painter() ? &doc_->series() : nullptr, kind, settings_);
  QString title = "株価表";
  if (doc_->painter()) {
    title = QString("%1 %2 - 株価表")
                .arg(doc_->code(), 4, 10, QChar('0'))
                .arg(QString::fromStdString(Cp932ToUtf8(doc_->stockName())));
  }
  setWindowTitle(title);
}

}  // namespace korvale
