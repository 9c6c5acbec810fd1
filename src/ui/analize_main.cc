#include "ui/analize_main.h"

#include <QTabWidget>

#include "ui/ranking_panel.h"
#include "ui/technical_panel.h"

namespace korvale {

namespace {

constexpr int kTabLeft = (CAnalizeMain::kViewWidth - CAnalizeMain::kTabWidth) / 2;
constexpr int kTabTop = 6;

}  // namespace

CAnalizeMain::CAnalizeMain(CKorvaleDoc* doc, CRuleList* rules, QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabWidget(this);
  tabs_->move(kTabLeft, kTabTop);
  // Each page holds its panel at a fixed size; the page area of the tab control is a little
  // taller than the panel.
  auto* technicalPage = new QWidget;
  technical_ = new CTechnicalPanel(rules, doc, CTechnicalPanel::Place::kScreening, technicalPage);
  technical_->setFixedSize(kPanelWidth, kTechnicalPanelHeight);
  auto* rankingPage = new QWidget;
  ranking_ = new CRankingPanel(doc, rankingPage);
  ranking_->setFixedSize(kPanelWidth, kRankingPanelHeight);
  tabs_->addTab(technicalPage, "テクニカル");
  tabs_->addTab(rankingPage, "ランキング／レコード");

  connect(technical_, &CTechnicalPanel::Listed, this, &CAnalizeMain::Listed);
  connect(ranking_, &CRankingPanel::Listed, this, &CAnalizeMain::Listed);
  connect(tabs_, &QTabWidget::currentChanged, this, &CAnalizeMain::showPage);
  showPage(kTechnicalPage);
}

void CAnalizeMain::showPage(int page) {
  const bool technical = page == kTechnicalPage;
  const int viewHeight = technical ? kTechnicalViewHeight : kRankingViewHeight;
  tabs_->setFixedSize(kTabWidth, technical ? kTechnicalTabHeight : kRankingTabHeight);
  setFixedSize(kViewWidth, viewHeight);
  // The frame follows its view: the window keeps its width and takes the page's height.
  if (QWidget* frame = window(); frame != this) {
    frame->setFixedSize(frame->width(), viewHeight);
  }
}

}  // namespace korvale
