#include "ui/analize_rule_report_view.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "store/cp932.h"

namespace korvale {

namespace {

// A dialog unit across is a quarter of the font's average character width.
std::vector<int> StopPixels(const QFontMetrics& metrics) {
  std::vector<int> pixels;
  for (int stop : CAnalizeRuleReportView::TabStops()) {
    pixels.push_back(stop * metrics.averageCharWidth() / 4);
  }
  return pixels;
}

// Draws a line's tab-separated fields as a list box with tab stops does: each tab moves on to
// the first stop beyond the text so far.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter);
    const QFontMetrics metrics(opt.font);
    const std::vector<int> stops = StopPixels(metrics);
    painter->save();
    painter->setPen(opt.state & QStyle::State_Selected
                        ? opt.palette.color(QPalette::HighlightedText)
                        : opt.palette.color(QPalette::Text));
    int x = 2;
    for (const QString& field : text.split('\t')) {
      painter->drawText(QRect(opt.rect.left() + x, opt.rect.top(), opt.rect.width(),
                              opt.rect.height()),
                        Qt::AlignLeft | Qt::AlignVCenter, field);
      const int end = x + metrics.horizontalAdvance(field);
      x = end + metrics.averageCharWidth();  // beyond the last stop: one character on
      for (int stop : stops) {
        if (stop > end) {
          x = stop;
          break;
        }
      }
    }
    painter->restore();
  }
};

// The column titles over the list, at its tab stops; the three outcome columns with arrows.
class ColumnTitles : public QWidget {
 public:
  explicit ColumnTitles(const QListWidget* list, QWidget* parent)
      : QWidget(parent), list_(list) {
    setFixedHeight(fontMetrics().height() + 4);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const std::vector<int> stops = StopPixels(list_->fontMetrics());
    const int left = list_->frameWidth() + 2;
    const struct {
      const char* text;
      int stop;  // -1: the left edge
      QStyle::StandardPixmap arrow;
      bool hasArrow;
    } titles[] = {{"抽出条件", -1, QStyle::SP_ArrowUp, false},
                  {"hit数", 1, QStyle::SP_ArrowUp, false},
                  {"上昇", 2, QStyle::SP_ArrowUp, true},
                  {"中立", 3, QStyle::SP_ArrowRight, true},
                  {"下落", 4, QStyle::SP_ArrowDown, true}};
    const int h = height();
    for (const auto& t : titles) {
      int x = left + (t.stop < 0 ? 0 : stops[static_cast<size_t>(t.stop)]);
      if (t.hasArrow) {
        const int size = fontMetrics().height() - 4;
        style()->standardIcon(t.arrow).paint(&p, QRect(x, (h - size) / 2, size, size));
        x += size + 1;
      }
      p.drawText(QRect(x, 0, width() - x, h), Qt::AlignLeft | Qt::AlignVCenter,
                 QString::fromUtf8(t.text));
    }
  }

 private:
  const QListWidget* list_;
};

QLineEdit* TextField(const std::string& utf8, QWidget* parent) {
  auto* field = new QLineEdit(QString::fromStdString(utf8), parent);
  field->setReadOnly(true);
  return field;
}

}  // namespace

const std::vector<int>& CAnalizeRuleReportView::TabStops() {
  static const std::vector<int> kStops = {64, 104, 134, 164, 194};
  return kStops;
}

std::vector<int> CAnalizeRuleReportView::TabStopPixels() const {
  return StopPixels(list_->fontMetrics());
}

CAnalizeRuleReportView::CAnalizeRuleReportView(const CAnalizeRuleReportDoc& doc, QWidget* parent)
    : QWidget(parent) {
  setObjectName("analizeRuleReportView");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->setSpacing(3);
  auto* fields = new QGridLayout;
  criterion_ = TextField(doc.CriterionText(), this);
  period_ = TextField(doc.PeriodText(), this);
  universe_ = TextField(doc.UniverseText(), this);
  fields->addWidget(new QLabel("評価基準：", this), 0, 0);
  fields->addWidget(criterion_, 0, 1);
  fields->addWidget(new QLabel("検証期間：", this), 1, 0);
  fields->addWidget(period_, 1, 1);
  fields->addWidget(new QLabel("検証対象銘柄：", this), 2, 0);
  fields->addWidget(universe_, 2, 1);
  layout->addLayout(fields);

  list_ = new QListWidget(this);
  list_->setItemDelegate(new TabStopDelegate(list_));
  // The lines are laid out at the tab stops, not as their raw text would be.
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int line = 0; line < doc.lineCount(); ++line) {
    list_->addItem(QString::fromStdString(Cp932ToUtf8(doc.ViewLine(line))));
  }
  layout->addWidget(new ColumnTitles(list_, this));
  layout->addWidget(list_, 1);

  auto* row = new QHBoxLayout;
  row->addStretch(1);
  save_ = new QPushButton("ファイルに保存", this);
  row->addWidget(save_);
  layout->addLayout(row);
  connect(save_, &QPushButton::clicked, this, &CAnalizeRuleReportView::SaveRequested);
}

QStringList CAnalizeRuleReportView::lines() const {
  QStringList lines;
  for (int i = 0; i < list_->count(); ++i) lines << list_->item(i)->text();
  return lines;
}

}  // namespace korvale
