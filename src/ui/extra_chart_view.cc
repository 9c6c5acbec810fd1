#include "ui/extra_chart_view.h"

#include <QImage>
#include <QPainter>

#include "app/korvale_doc.h"
#include "charts/chart_kind.h"
#include "charts/information_text.h"
#include "render/qpainter_canvas.h"

namespace korvale {

CExtraChartView::CExtraChartView(CKorvaleDoc* doc, int kindId, QWidget* parent)
    : QWidget(parent), doc_(doc), kindId_(kindId) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(40, 40);
}

void CExtraChartView::paintEvent(QPaintEvent*) {
  QImage image(size(), QImage::Format_RGB32);
  if (image.isNull()) return;
  image.fill(Qt::white);
  {
    QPainterCanvas canvas(&image);
    const ChartKindEntry* entry = FindChartKind(kindId_);
    CChartPainter* painter = doc_->painter();
    if (painter && entry) {
      // The painter keeps the size of each kind's view; the chart fills it.
      entry->kind.SetClientSize(*painter, width(), height());
      entry->kind.Draw(*painter, canvas);
    } else if (entry) {
      canvas.SelectFont(LabelFont{});
      DrawInformationLine(canvas, 0, width(), entry->caption);
    }
  }
  QPainter(this).drawImage(0, 0, image);
}

}  // namespace korvale
