#include "ui/imoku_chart_view.h"

#include <QScrollBar>
#include <cstdlib>

#include "app/korvale_doc.h"
#include "charts/ichimoku_chart.h"

namespace korvale {

CIMokuChartView::CIMokuChartView(CKorvaleDoc* doc, const SettingsRecord& settings, QWidget* parent)
    : CKorvaleView(doc, settings, parent) {}

const ChartKindEntry& CIMokuChartView::entry() const {
  const ChartKindEntry* e = FindChartKind(IchimokuKindId(doc()->ichimokuKind()));
  return e ? *e : *FindChartKind(IchimokuKindId(kChartDaily));
}

void CIMokuChartView::updateScrollRange() {
  const int client = viewport()->width();
  int width = doc()->painter() ? chartWidth() : client;
  if (std::abs(width - client) <= 1) width = client;
  horizontalScrollBar()->setPageStep(client);
  horizontalScrollBar()->setSingleStep(16);
  horizontalScrollBar()->setRange(0, std::max(0, width - client));
}

void CIMokuChartView::drawWithoutPainter(Canvas& canvas) { DrawIchimokuCaption(canvas); }

}  // namespace korvale
