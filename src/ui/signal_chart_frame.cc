#include "ui/signal_chart_frame.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "app/user_messages.h"
#include "charts/signal_chart.h"
#include "ui/kept_window_size.h"
#include "ui/korvale_app.h"
#include "ui/main_commands.h"
#include "ui/main_frame.h"
#include "ui/signal_chart_cntl.h"
#include "ui/signal_chart_view.h"

namespace korvale {

CSignalChartFrame::CSignalChartFrame(CKorvaleApp* app, CMainFrame* main)
    : QMainWindow(main), app_(app) {
  setObjectName("signalChartFrame");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::Window);
  setWindowTitle(QString::fromUtf8(kSignalChartTitle));
  const SettingsRecord& s = app_->settings();
  const WindowSize size = StoredWindowSize(s, KeptWindow::kSignal);
  if (size.width > 0) {
    resize(size.width, size.height);
  } else {
    resize(700, 520);
  }

  QToolBar* bar = addToolBar("ツールバー");
  bar->setObjectName("signalToolbar");
  ruleEditor_ = bar->addAction("銘柄抽出条件編集...");
  // The main window's command: it opens the rule editor, or closes it when it is open.
  connect(ruleEditor_, &QAction::triggered, main,
          [main] { main->action(kCmdRuleEditor)->trigger(); });
  auto* styles = new QActionGroup(this);
  candles_ = styles->addAction("ローソク足");
  ichimoku_ = styles->addAction("一目均衡表");
  for (QAction* a : {candles_, ichimoku_}) {
    a->setCheckable(true);
    bar->addAction(a);
  }
  candles_->setChecked(true);

  for (int i = 0; i < 3; ++i) panes_[i] = new QLabel(this);
  statusBar()->addWidget(panes_[0], 1);  // the read-out
  statusBar()->addPermanentWidget(panes_[1]);
  statusBar()->addPermanentWidget(panes_[2]);
  panes_[1]->setText("日足");

  splitter_ = new QSplitter(Qt::Horizontal, this);
  view_ = new CSignalChartView(main->document(), &app_->rules(), s, splitter_);
  cntl_ = new CSignalChartCntl(app_->rules(), splitter_);
  splitter_->addWidget(view_);
  splitter_->addWidget(cntl_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->setChildrenCollapsible(false);
  setCentralWidget(splitter_);

  connect(candles_, &QAction::triggered, this, [this] { view_->SetStyle(kSignalStyleCandles); });
  connect(ichimoku_, &QAction::triggered, this,
          [this] { view_->SetStyle(kSignalStyleIchimoku); });
  connect(view_, &CSignalChartView::ReadOut, panes_[0], &QLabel::setText);
  connect(cntl_, &CSignalChartCntl::SlotChosen, this, &CSignalChartFrame::chooseSlot);
}

CSignalChartFrame::~CSignalChartFrame() = default;

void CSignalChartFrame::Redraw() { view_->Redraw(); }

void CSignalChartFrame::chooseSlot(int slot, int index) {
  // The rule list keeps the choice for the run, so a reopened chart shows it.
  app_->rules().chartSlots[slot] = index;
  view_->MarkDirty();
  view_->repaint();
}

void CSignalChartFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // The control pane keeps its 120 pixels; the chart takes the rest.
  const int w = splitter_->width();
  splitter_->setSizes({std::max(16, w - CSignalChartCntl::kWidth), CSignalChartCntl::kWidth});
}

void CSignalChartFrame::closeEvent(QCloseEvent* event) {
  KeepClosingWindowSize(*this, KeptWindow::kSignal, &app_->settings());
  QMainWindow::closeEvent(event);
}

}  // namespace korvale
