#include "ui/chart_table_view.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <algorithm>

namespace korvale {

void CPriceTableModel::Fill(const CPriceSeries* series, int kind, const SettingsRecord& settings) {
  beginResetModel();
  if (series) {
    FillPriceTableRows(*series, kind, settings, &rows_);
  } else {
    rows_.clear();
  }
  endResetModel();
}

int CPriceTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int CPriceTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kPriceTableColumnCount;
}

QVariant CPriceTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
  if (role == Qt::DisplayRole) {
    return QString::fromStdString(rows_[static_cast<size_t>(index.row())][index.column()]);
  }
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

QVariant CPriceTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= kPriceTableColumnCount) return {};
  if (role == Qt::DisplayRole) return QString::fromUtf8(PriceTableColumns()[section].caption);
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
  return {};
}

CChartTableView::CChartTableView(QWidget* parent) : QTableView(parent), model_(this) {
  setModel(&model_);
  setObjectName("priceTable");
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  verticalHeader()->hide();
  // Every row is one line of the same height: the view need not measure them.
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setStretchLastSection(false);
  fitColumns();
}

void CChartTableView::Fill(const CPriceSeries* series, int kind, const SettingsRecord& settings) {
  model_.Fill(series, kind, settings);
  fitColumns();
  scrollToBottom();
}

void CChartTableView::fitColumns() {
  // The longest text of a column is its widest one: digits and the date's characters share a
  // width in the fonts a table uses, so only one text per column is measured.
  const QFontMetrics metrics(font());
  const int padding = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin) + 6;
  for (int c = 0; c < kPriceTableColumnCount; ++c) {
    const PriceTableColumn& column = PriceTableColumns()[c];
    size_t longest = 0;
    const std::string* widest = nullptr;
    for (const PriceTableTexts& row : model_.rows()) {
      if (row[c].size() > longest) {
        longest = row[c].size();
        widest = &row[c];
      }
    }
    int width = std::max(column.width,
                         metrics.horizontalAdvance(QString::fromUtf8(column.caption)) + padding);
    if (widest) {
      width = std::max(width, metrics.horizontalAdvance(QString::fromStdString(*widest)) + padding);
    }
    setColumnWidth(c, width);
  }
}

}  // namespace korvale
