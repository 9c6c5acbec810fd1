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
#include <algorithm>

#include "store/cp932.h"

namespace korvale {

namespace {

// Where each field of the lines starts, in pixels of `metrics`: the name at the left edge, the
// four numbers at the tab stops 104, 134, 164 and 194 (the padded name always passes the stop
// at 64, as it does in the fixed-width font the stops were made for). A proportional font can
// make a field wider than its column; the next column then moves right by as much, for every
// line at once, so the columns stay straight and no number runs into the next.
std::vector<int> ColumnPixels(const QFontMetrics& metrics, const QStringList& lines) {
  const std::vector<int>& stops = CAnalizeRuleReportView::TabStops();
  const int gap = metrics.averageCharWidth();
  std::vector<int> columns = {0};
  for (size_t k = 1; k < stops.size(); ++k) {
    int widest = 0;
    for (const QString& line : lines) {
      widest = std::max(widest, metrics.horizontalAdvance(line.section('\t', int(k - 1),
                                                                        int(k - 1))));
    }
    // A dialog unit across is a quarter of the font's average character width.
    const int stop = stops[k] * metrics.averageCharWidth() / 4;
    columns.push_back(std::max(stop, columns.back() + widest + gap));
  }
  return columns;
}

// Draws each line's tab-separated fields at the columns.
class TabStopDelegate : public QStyledItemDelegate {
 public:
  TabStopDelegate(std::vector<int> columns, QObject* parent)
      : QStyledItemDelegate(parent), columns_(std::move(columns)) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter);
    painter->save();
    painter->setPen(opt.state & QStyle::State_Selected
                        ? opt.palette.color(QPalette::HighlightedText)
                        : opt.palette.color(QPalette::Text));
    const QStringList fields = text.split('\t');
    for (int k = 0; k < fields.size() && k < static_cast<int>(columns_.size()); ++k) {
      const int x = 2 + columns_[static_cast<size_t>(k)];
      painter->drawText(QRect(opt.rect.left() + x, opt.rect.top(), opt.rect.width() - x,
                              opt.rect.height()),
                        Qt::AlignLeft | Qt::AlignVCenter, fields[k]);
    }
    painter->restore();
  }

 private:
  std::vector<int> columns_;
};

// The column titles over the list, at its tab stops; the three outcome columns with arrows.
class ColumnTitles : public QWidget {
 public:
  ColumnTitles(const QListWidget* list, std::vector<int> columns, QWidget* parent)
      : QWidget(parent), list_(list), columns_(std::move(columns)) {
    setFixedHeight(fontMetrics().height() + 4);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const int left = list_->frameWidth() + 2;
    const struct {
      const char* text;
      int column;
      QStyle::StandardPixmap arrow;
      bool hasArrow;
    } titles[] = {{"抽出条件", 0, QStyle::SP_ArrowUp, false},
                  {"hit数", 1, QStyle::SP_ArrowUp, false},
                  {"上昇", 2, QStyle::SP_ArrowUp, true},
                  {"中立", 3, QStyle::SP_ArrowRight, true},
                  {"下落", 4, QStyle::SP_ArrowDown, true}};
    const int h = height();
    for (const auto& t : titles) {
      int x = left + columns_[static_cast<size_t>(t.column)];
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
  std::vector<int> columns_;
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

std::vector<int> CAnalizeRuleReportView::ColumnPixels() const {
  return ::korvale::ColumnPixels(list_->fontMetrics(), lines());
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
  // The lines are laid out at the columns, not as their raw text would be.
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int line = 0; line < doc.lineCount(); ++line) {
    list_->addItem(QString::fromStdString(Cp932ToUtf8(doc.ViewLine(line))));
  }
  const std::vector<int> columns = ColumnPixels();
  list_->setItemDelegate(new TabStopDelegate(columns, list_));
  layout->addWidget(new ColumnTitles(list_, columns, this));
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
