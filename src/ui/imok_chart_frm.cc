#include "ui/imok_chart_frm.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "app/korvale_doc.h"
#include "charts/chart_kind.h"
#include "store/settings_field_rules.h"
#include "ui/imoku_chart_view.h"
#include "ui/kept_window_size.h"
#include "ui/korvale_app.h"
#include "ui/settings_dialog.h"

namespace korvale {

CIMokChartFrm::CIMokChartFrm(CKorvaleApp* app, CKorvaleDoc* doc, QWidget* parent)
    : QMainWindow(parent, Qt::Window), app_(app), doc_(doc) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("一目均衡表");
  const WindowSize stored = StoredWindowSize(app_->settings(), KeptWindow::kIchimoku);
  if (stored.width > 0 && stored.height > 0) {
    resize(stored.width, stored.height);
  } else {
    resize(640, 420);
  }
  view_ = new CIMokuChartView(doc_, app_->settings(), this);
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
  connect(settings, &QAction::triggered, this, [this] { editSettings(); });
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

void CIMokChartFrm::editSettings() {
  if (CSettingsDialog::Edit(app_, kSettingsPageIchimoku, this)) emit SettingsApplied();
}

void CIMokChartFrm::closeEvent(QCloseEvent* event) {
  KeepClosingWindowSize(*this, KeptWindow::kIchimoku, &app_->settings());
  QMainWindow::closeEvent(event);
}

}  // namespace korvale
