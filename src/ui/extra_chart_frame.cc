#include "ui/extra_chart_frame.h"

#include <QSplitter>
#include <QVBoxLayout>

#include "charts/chart_kind.h"
#include "ui/extra_chart_cntl_view.h"
#include "ui/extra_chart_view.h"

namespace korvale {

CExtraChartFrame::CExtraChartFrame(CKorvaleDoc* doc, const SettingsRecord& settings, int kindId,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), kindId_(kindId) {
  setAttribute(Qt::WA_DeleteOnClose);
  if (const ChartKindEntry* entry = FindChartKind(kindId)) {
    setWindowTitle(QString::fromUtf8(entry->caption));
  }
  splitter_ = new QSplitter(Qt::Vertical, this);
  view_ = new CExtraChartView(doc, kindId, splitter_);
  controls_ = new CExtraChartCntlView(doc, settings, kindId, view_, splitter_);
  splitter_->addWidget(view_);
  splitter_->addWidget(controls_);
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->setChildrenCollapsible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(splitter_);
  resize(320, 334);
  splitter_->setSizes({236, 80});
}

void CExtraChartFrame::Refresh() {
  controls_->Reload();
  view_->update();
}

}  // namespace korvale
