// The price table's list ("株価表"): rows of date, open, high, low, close and volume in report
// style, the newest at the bottom. The rows live in a model the view reads as it scrolls, so a
// table of thousands of days fills at once.
#ifndef KORVALE_UI_CHART_TABLE_VIEW_H_
#define KORVALE_UI_CHART_TABLE_VIEW_H_

#include <QAbstractTableModel>
#include <QTableView>
#include <vector>

#include "charts/price_table.h"

namespace korvale {

class CPriceTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The rows of `kind` from the series (none for a null series), as FillPriceTableRows gives.
  void Fill(const CPriceSeries* series, int kind, const SettingsRecord& settings);
  const std::vector<PriceTableTexts>& rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<PriceTableTexts> rows_;
};

class CChartTableView : public QTableView {
  Q_OBJECT

 public:
  explicit CChartTableView(QWidget* parent = nullptr);

  // Fills the rows and scrolls so that the last one shows. Each column is as wide as the text
  // gives (86 pixels for the date, 60 for the numbers) or wider when its texts need it.
  void Fill(const CPriceSeries* series, int kind, const SettingsRecord& settings);
  const CPriceTableModel& table() const { return model_; }

 private:
  void fitColumns();

  CPriceTableModel model_;
};

}  // namespace korvale

#endif  // KORVALE_UI_CHART_TABLE_VIEW_H_
