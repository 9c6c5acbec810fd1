#include "ui/extra_chart_cntl_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>

#include "app/korvale_doc.h"
#include "charts/auxiliary_chart.h"

namespace korvale {

namespace {

// What the slider sets, as the settings dialog names it.
const char* CaptionOf(const SettingsRecord& s, int kindId) {
  switch (kindId) {
    case kChartKagi:
      return s.kagiReversalMode ? "転換比率(%)" : "転換値(円)";
    case kChartNewPrice:
      return "転換本数";
    default:
      return "日線";
  }
}

}  // namespace

CExtraChartCntlView::CExtraChartCntlView(CKorvaleDoc* doc, const SettingsRecord& settings,
                                         int kindId, QWidget* chart, QWidget* parent)
    : QWidget(parent), doc_(doc), settings_(settings), kindId_(kindId), chart_(chart) {
  caption_ = new QLabel(this);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setTickPosition(QSlider::TicksBelow);
  number_ = new QLineEdit(this);
  number_->setReadOnly(true);
  number_->setAlignment(Qt::AlignRight);
  number_->setFixedWidth(number_->fontMetrics().horizontalAdvance("00000") + 12);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(caption_);
  layout->addWidget(slider_, 1);
  layout->addWidget(number_);
  connect(slider_, &QSlider::valueChanged, this, &CExtraChartCntlView::moved);
  Reload();
}

void CExtraChartCntlView::Reload() {
  const AuxiliaryParameter p = AuxiliaryParameterOf(settings_, kindId_);
  const QSignalBlocker quiet(slider_);
  caption_->setText(QString::fromUtf8(CaptionOf(settings_, kindId_)));
  slider_->setRange(p.low, p.high);
  slider_->setPageStep(std::max(1, (p.high - p.low + 1) / 10));
  slider_->setTickInterval(std::max(1, (p.high - p.low + 1) / 10));
  slider_->setValue(p.value);
  number_->setText(QString::number(p.value));
}

void CExtraChartCntlView::moved(int value) {
  number_->setText(QString::asprintf("%d", value));
  // Only the painter's copy changes: the move lasts until the document opens another stock.
  if (CChartPainter* painter = doc_->painter()) SetAuxiliaryParameter(*painter, kindId_, value);
  chart_->repaint();
}

}  // namespace korvale
