#include "ui/ranking_panel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/korvale_doc.h"
#include "screening/c_locale_text.h"
#include "store/cp932.h"
#include "store/market_industry_tables.h"

namespace korvale {

CRankingPanel::CRankingPanel(CKorvaleDoc* doc, QWidget* parent) : QWidget(parent), doc_(doc) {
  setObjectName("rankingPanel");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(8);
  createRankingRow();
  createRecordsRow();
  layout->addStretch(1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  runButton_ = new QPushButton("銘柄抽出", this);
  runButton_->setAutoDefault(false);
  bottom->addWidget(runButton_);
  layout->addLayout(bottom);
  connect(runButton_, &QPushButton::clicked, this, &CRankingPanel::RunRanking);

  rankingButton_->setChecked(true);
}

void CRankingPanel::createRankingRow() {
  auto* row = new QHBoxLayout;
  rankingButton_ = new QRadioButton("ランキング", this);
  row->addWidget(rankingButton_);
  marketCombo_ = new QComboBox(this);
  for (int market = 0; market < kMarketCount; ++market) {
    marketCombo_->addItem(QString::fromUtf8(MarketNameUtf8(market)));
  }
  row->addWidget(marketCombo_);
  keyCombo_ = new QComboBox(this);
  for (int key = 0; key < kRankKeyCount; ++key) {
    keyCombo_->addItem(QString::fromUtf8(RankKeyText(key)));
  }
  row->addWidget(keyCombo_);
  row->addWidget(new QLabel("上位", this));
  countEdit_ = new QLineEdit(QString::number(kDefaultTopCount), this);
  countEdit_->setObjectName("topCount");
  countEdit_->setFixedWidth(56);
  countEdit_->setAlignment(Qt::AlignRight);
  countEdit_->setValidator(new QIntValidator(0, kMaxTopCount, countEdit_));
  row->addWidget(countEdit_);
  row->addWidget(new QLabel("銘柄", this));
  row->addStretch(1);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);

  // Choosing what to rank, or typing the count, means the ranking is wanted.
  auto pickRanking = [this] { rankingButton_->setChecked(true); };
  connect(marketCombo_, &QComboBox::activated, this, pickRanking);
  connect(keyCombo_, &QComboBox::activated, this, pickRanking);
  connect(countEdit_, &QLineEdit::textEdited, this, pickRanking);
}

void CRankingPanel::createRecordsRow() {
  auto* row = new QHBoxLayout;
  recordsButton_ = new QRadioButton("レコード", this);
  row->addWidget(recordsButton_);
  kindCombo_ = new QComboBox(this);
  for (int kind = 0; kind < kRecordKindCount; ++kind) {
    kindCombo_->addItem(QString::fromUtf8(RecordKindText(kind)));
  }
  row->addWidget(kindCombo_);
  row->addStretch(1);
  static_cast<QVBoxLayout*>(layout())->addLayout(row);
  connect(kindCombo_, &QComboBox::activated, this, [this] { recordsButton_->setChecked(true); });
}

void CRankingPanel::CollectControls() {
  choice_.listMode = recordsButton_->isChecked() ? 1 : 0;
  choice_.market = marketCombo_->currentIndex();
  choice_.rankKey = keyCombo_->currentIndex();
  choice_.recordKind = kindCombo_->currentIndex();
  // The validator keeps the field to 0..10000 or empty; empty lists nothing.
  choice_.topCount = AtoiC(countEdit_->text().toStdString().c_str());
}

void CRankingPanel::RunRanking() {
  CollectControls();
  if (!doc_ || !doc_->dictionary()) return;
  ShownStockList rows;
  korvale::RunRanking(doc_->analysisStore(), *doc_->dictionary(), choice_, &rows);
  const QString title = QString::fromStdString(Cp932ToUtf8(rows.title));
  doc_->ShowList(std::move(rows));
  emit Listed(title);
}

}  // namespace korvale
