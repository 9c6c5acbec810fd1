#include "ui/condition_list.h"

#include <QHeaderView>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

#include "screening/condition_catalogue.h"
#include "screening/condition_set.h"

namespace korvale {

const QColor CConditionList::kSelectedText(255, 255, 255);
const QColor CConditionList::kSelectedBack(0, 0, 128);
const QColor CConditionList::kEnabledText(128, 0, 0);
const QColor CConditionList::kEnabledBack(255, 255, 192);
const QColor CConditionList::kOtherText(96, 96, 96);
const QColor CConditionList::kOtherBack(255, 255, 255);

namespace {

constexpr int kEngulfingType = 11;  // つつみ線
constexpr int kHaramiType = 12;     // はらみ線

// One candle of the 16 x 16 pattern icons: body from `top` to `bottom`, a wick one pixel beyond.
void DrawCandle(QPainter& p, int x, int top, int bottom, bool rising) {
  p.setPen(Qt::black);
  p.drawLine(x + 2, top - 2, x + 2, bottom + 2);
  p.setBrush(rising ? Qt::white : Qt::black);
  p.drawRect(x, top, 4, bottom - top);
}

// The two candle patterns: a small falling candle engulfed by a large rising one, and a large
// rising candle holding a small falling one.
QIcon PatternIcon(int type) {
  // Drawn on white, so the pattern stays visible on the selected line's dark background.
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  if (type == kEngulfingType) {
    DrawCandle(p, 2, 6, 10, false);
    DrawCandle(p, 9, 2, 13, true);
  } else {
    DrawCandle(p, 2, 2, 13, true);
    DrawCandle(p, 9, 6, 10, false);
  }
  QIcon icon(pixmap);
  icon.addPixmap(pixmap, QIcon::Selected);  // not tinted by the selection colour
  return icon;
}

}  // namespace

CConditionList::CConditionList(QWidget* parent) : QTreeWidget(parent) {
  setColumnCount(3);
  setHeaderLabels({"項目名", "条件", "係数"});
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(true);
  setColumnWidth(0, kDescriptionX);
  setColumnWidth(1, kWeightX - kDescriptionX);
  setRootIsDecorated(false);
  setIndentation(0);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAllColumnsShowFocus(true);
  setIconSize(QSize(16, 16));
  // The columns stand at fixed places, as in a list drawn line by line: a long text is cut at
  // the next column (its tool tip shows it whole), and the list never scrolls sideways.
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  header()->setMinimumSectionSize(24);

  // The selected line keeps its colours when the list loses the focus.
  QPalette pal = palette();
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, QPalette::Highlight, kSelectedBack);
    pal.setColor(group, QPalette::HighlightedText, kSelectedText);
  }
  setPalette(pal);

  for (int type = 0; type < kConditionTypeCount; ++type) {
    auto* item = new QTreeWidgetItem(this);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    item->setText(0, QString::fromUtf8(ConditionTypeName(type)));
    item->setToolTip(0, item->text(0));
    if (type == kEngulfingType || type == kHaramiType) item->setIcon(0, PatternIcon(type));
    item->setText(1, " ");
    item->setText(2, "0.00");
    colourLine(item);
  }

  connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now) {
    if (now) emit LineSelected(indexOfTopLevelItem(now));
  });
  connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (column != 0) return;
    colourLine(item);
    emit Toggled(indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
  });
}

void CConditionList::colourLine(QTreeWidgetItem* item) {
  // The colours are item data too: setting them must not report the line as toggled again.
  const QSignalBlocker quiet(this);
  const bool enabled = item->checkState(0) == Qt::Checked;
  for (int column = 0; column < 3; ++column) {
    item->setForeground(column, enabled ? kEnabledText : kOtherText);
    item->setBackground(column, enabled ? kEnabledBack : kOtherBack);
  }
}

void CConditionList::SetLine(int type, bool enabled, const QString& description, double weight) {
  QTreeWidgetItem* item = topLevelItem(type);
  if (!item) return;
  {
    const QSignalBlocker quiet(this);
    item->setCheckState(0, enabled ? Qt::Checked : Qt::Unchecked);
  }
  colourLine(item);
  SetDescription(type, description, weight);
}

void CConditionList::SetDescription(int type, const QString& description, double weight) {
  QTreeWidgetItem* item = topLevelItem(type);
  if (!item) return;
  const QSignalBlocker quiet(this);
  item->setText(1, description);
  item->setToolTip(1, description);
  item->setText(2, QString::asprintf("%.2f", weight));
}

bool CConditionList::IsChecked(int type) const {
  const QTreeWidgetItem* item = topLevelItem(type);
  return item && item->checkState(0) == Qt::Checked;
}

int CConditionList::selectedType() const {
  return currentItem() ? indexOfTopLevelItem(currentItem()) : -1;
}

void CConditionList::SelectType(int type) {
  if (QTreeWidgetItem* item = topLevelItem(type)) setCurrentItem(item);
}

QString CConditionList::LineText(int type, int column) const {
  const QTreeWidgetItem* item = topLevelItem(type);
  return item ? item->text(column) : QString();
}

}  // namespace korvale
