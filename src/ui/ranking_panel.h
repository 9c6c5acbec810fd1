// The page "ランキング／レコード" of the screening window: the stocks ranked by a field of their
// analysis records (all markets or one, the top N), or the stocks at a new high or low.
#ifndef KORVALE_UI_RANKING_PANEL_H_
#define KORVALE_UI_RANKING_PANEL_H_

#include <QWidget>

#include "screening/ranking.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace korvale {

class CKorvaleDoc;

class CRankingPanel : public QWidget {
  Q_OBJECT

 public:
  // Reads the analysis records of `doc` and fills its stock list. Starts in ranking mode, key 0,
  // kind 0, all markets, the top 20.
  explicit CRankingPanel(CKorvaleDoc* doc, QWidget* parent = nullptr);

  // The controls into the choice: mode, market, key, kind and the count read as an integer.
  void CollectControls();
  const RankingChoice& choice() const { return choice_; }

  // The button "銘柄抽出": lists the ranking or the records in the main window's stock list.
  void RunRanking();

  QRadioButton* rankingButton() const { return rankingButton_; }
  QRadioButton* recordsButton() const { return recordsButton_; }
  QComboBox* marketCombo() const { return marketCombo_; }
  QComboBox* keyCombo() const { return keyCombo_; }
  QLineEdit* countEdit() const { return countEdit_; }
  QComboBox* kindCombo() const { return kindCombo_; }
  QPushButton* runButton() const { return runButton_; }

 signals:
  // A run filled the document's stock list; `title` is what the thumbnail window shows.
  void Listed(const QString& title);

 private:
  void createRankingRow();
  void createRecordsRow();

  CKorvaleDoc* doc_;
  RankingChoice choice_;
  QRadioButton* rankingButton_ = nullptr;
  QRadioButton* recordsButton_ = nullptr;
  QComboBox* marketCombo_ = nullptr;
  QComboBox* keyCombo_ = nullptr;
  QLineEdit* countEdit_ = nullptr;
  QComboBox* kindCombo_ = nullptr;
  QPushButton* runButton_ = nullptr;
};

}  // namespace korvale

#endif  // KORVALE_UI_RANKING_PANEL_H_
