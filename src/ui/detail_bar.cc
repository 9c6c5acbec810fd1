#include "ui/detail_bar.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "ui/day_page.h"

namespace korvale {

namespace {
QString U(const std::string& utf8) { return QString::fromStdString(utf8); }

QLabel* ValueLabel(QWidget* parent, const char* field) {
  auto* label = new QLabel(parent);
  label->setObjectName(field);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QPlainTextEdit* TextBox(QWidget* parent, const char* field) {
  auto* box = new QPlainTextEdit(parent);
  box->setObjectName(field);
  box->setReadOnly(true);
  box->setMaximumHeight(80);
  return box;
}

// A figure with its caption before and its unit after.
void AddFigure(QFormLayout* form, QWidget* page, const char* caption, const char* field,
               const char* unit) {
  auto* row = new QWidget(page);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  QLabel* value = ValueLabel(row, field);
  value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  h->addWidget(value, 1);
  h->addWidget(new QLabel(unit, row));
  form->addRow(caption, row);
}
}  // namespace

CDetailBar::CDetailBar(const SettingsRecord& settings, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pageSelector_ = new QComboBox(this);
  pageSelector_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  for (const char* name : kDetailPageNames) pageSelector_->addItem(name);
  layout->addWidget(pageSelector_);
  pages_ = new QStackedWidget(this);
  layout->addWidget(pages_, 1);
  createPages(settings);
  connect(pageSelector_, &QComboBox::currentIndexChanged, this, &CDetailBar::SetPage);
  connect(dayPage_->datePicker(), &QDateEdit::dateChanged, this, &CDetailBar::DayPicked);
  SetPage(detailPage_);
}

void CDetailBar::createPages(const SettingsRecord& settings) {
  stockPage_ = new QWidget(pages_);
  auto* form = new QFormLayout(stockPage_);
  form->setContentsMargins(2, 2, 2, 2);
  form->setRowWrapPolicy(QFormLayout::WrapAllRows);
  QLabel* name = ValueLabel(stockPage_, "name");
  name->setWordWrap(true);  // a long name takes two lines rather than widening the bar
  form->addRow(name);
  form->addRow("市場", ValueLabel(stockPage_, "market"));
  form->addRow("業種", ValueLabel(stockPage_, "industry"));
  form->addRow(TextBox(stockPage_, "text1"));
  form->addRow("連結事業", TextBox(stockPage_, "text2"));
  AddFigure(form, stockPage_, "時価総額", "figure0", "百万円");
  AddFigure(form, stockPage_, "1株利益", "figure1", "円");
  AddFigure(form, stockPage_, "株価収益率", "figure2", "倍");
  AddFigure(form, stockPage_, "1株株主資本", "figure3", "円");
  AddFigure(form, stockPage_, "純資産倍率", "figure4", "倍");
  pages_->addWidget(stockPage_);

  const DayCaptions captions = MakeDayCaptions(settings);
  dayPage_ = new CDayPage(captions, true, pages_);
  mousePage_ = new CDayPage(captions, false, pages_);
  pages_->addWidget(dayPage_);
  pages_->addWidget(mousePage_);
}

void CDetailBar::SetPage(int page) {
  if (page < kStockPage || page > kMousePage) return;
  detailPage_ = page;
  pages_->setCurrentIndex(page);
  if (pageSelector_->currentIndex() != page) {
    QSignalBlocker quiet(pageSelector_);
    pageSelector_->setCurrentIndex(page);
  }
}

void CDetailBar::ShowStockInfo(const StockInfoTexts& t) {
  stockPage_->findChild<QLabel*>("name")->setText(U(t.name));
  stockPage_->findChild<QLabel*>("market")->setText(U(t.market));
  stockPage_->findChild<QLabel*>("industry")->setText(U(t.industry));
  stockPage_->findChild<QPlainTextEdit*>("text1")->setPlainText(U(t.text1));
  stockPage_->findChild<QPlainTextEdit*>("text2")->setPlainText(U(t.text2));
  for (int i = 0; i < 5; ++i) {
    stockPage_->findChild<QLabel*>(QString("figure%1").arg(i))->setText(U(t.figures[i]));
  }
}

void CDetailBar::ShowDay(int page, int year, int month, int day, const DayTexts& texts) {
  if (page == kMousePage) {
    if (detailPage_ != kMousePage) return;  // the read-out fills it only while it is chosen
    mousePage_->Show(year, month, day, texts);
  } else if (page == kDayPage) {
    dayPage_->Show(year, month, day, texts);
  }
}

void CDetailBar::ClearDay(int page) {
  if (page == kMousePage) mousePage_->Clear();
  if (page == kDayPage) dayPage_->Clear();
}

QDateEdit* CDetailBar::dayPicker() const { return dayPage_->datePicker(); }

QString CDetailBar::FieldText(int page, const QString& field) const {
  if (page == kDayPage) return dayPage_->FieldText(field);
  if (page == kMousePage) return mousePage_->FieldText(field);
  if (auto* label = stockPage_->findChild<QLabel*>(field)) return label->text();
  if (auto* box = stockPage_->findChild<QPlainTextEdit*>(field)) return box->toPlainText();
  return {};
}

}  // namespace korvale
