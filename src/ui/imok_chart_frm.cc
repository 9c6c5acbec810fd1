#include "ui/imok_chart_frm.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "app/korvale_doc.h"
#include "charts/chart_kind.h"
#include "ui/imoku_chart_view.h"

namespace korvale {

CIMokChartFrm::CIMokChartFrm(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent)
    : QMainWindow(parent, Qt::Window), doc_(doc) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("一目均衡表");
  if (settings.ichimokuWindowWidth > 0 && settings.ichimokuWindowHeight > 0) {
    resize(settings.ichimokuWindowWidth, settings.ichimokuWindowHeight);
  } else {
    resize(640, 420);
  }
  view_ = new CIMokuChartView(doc_, settings, this);
  setCentralWidget(view_);
  createToolBar();
  createStatusBar();
  connect(view_, &CKorvaleView::ReadOut, this,
          [this](const QString& text) { statusPanes_[0]->setText(text); });
  setPeriod(doc_->ichimokuKind());
}

QAction* CIMokChartFrm::action(int commandId) const {
  auto it = actions_.find(commandId);
  return it == actions_.end() ? nullptr : it->second;
}

void CIMokChartFrm::createToolBar() {
  QToolBar* bar = addToolBar("一目均衡表");
  bar->setObjectName("toolbar");
  auto* periods = new QActionGroup(this);
  for (const ChartKindEntry& kind : ChartKinds()) {
    if (kind.group != ChartKindGroup::kIchimoku) continue;
    const int period = kind.id - kIchimokuKindOffset;
    QAction* a = bar->addAction(QString::fromUtf8(kind.caption));
    a->setCheckable(true);
    a->setData(period);
    periods->addAction(a);
    connect(a, &QAction::triggered, this, [this, period] { setPeriod(period); });
    actions_[period] = a;
  }
  bar->addSeparator();
  QAction* settings = bar->addAction("初期設定...");
  settings->setIconText(settings->text());  // a tool button would drop the dots
  settings->setData(kSettingsCommand);
  // Opens the settings dialog at its Ichimoku page; after OK the application's settings take
  // the new values, the document's painter copies them and lays out again, and every view
  // repaints. Offered once the program has that dialog.
  settings->setEnabled(false);
  actions_[kSettingsCommand] = settings;
}

void CIMokChartFrm::createStatusBar() {
  for (QLabel*& pane : statusPanes_) pane = new QLabel(this);
  statusBar()->addWidget(statusPanes_[0], 1);
  statusBar()->addPermanentWidget(statusPanes_[1]);
}

void CIMokChartFrm::setPeriod(int period) {
  if (period != kChartWeekly && period != kChartMonthly) period = kChartDaily;
  doc_->SetIchimokuKind(period);
  actions_[period]->setChecked(true);
  statusPanes_[1]->setText(QString::fromUtf8(FindChartKind(IchimokuKindId(period))->caption));
  Refresh();
}

void CIMokChartFrm::Refresh() { view_->ShowLatest(); }

}  // namespace korvale
