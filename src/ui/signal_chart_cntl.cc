#include "ui/signal_chart_cntl.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QSignalBlocker>
#include <QString>
#include <cstring>

#include "store/cp932.h"

namespace korvale {

CSignalChartCntl::CSignalChartCntl(const CRuleList& rules, QWidget* parent)
    : QWidget(parent), rules_(rules) {
  setObjectName("signalChartCntl");
  setMinimumWidth(16);
  for (int k = 0; k < kSignalSlots; ++k) {
    slotRule_[k] = rules_.chartSlots[k];
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString("slot%1").arg(k));
    combo->setFixedWidth(110);
    combo->setMaxVisibleItems(5);  // a drop-down about 110 pixels high
    combo->installEventFilter(this);
    combos_[k] = combo;
    connect(combo, &QComboBox::activated, this, [this, k](int index) {
      if (index < 0) return;
      slotRule_[k] = index;
      emit SlotChosen(k, index);
    });
  }
  Refill();
}

void CSignalChartCntl::RefillOne(int slot) {
  QComboBox* combo = combos_[slot];
  const QSignalBlocker quiet(combo);
  combo->clear();
  for (int i = 0; i < rules_.count; ++i) {
    const ConditionSet& set = rules_.sets[static_cast<size_t>(i)];
    combo->addItem(
        QString::fromStdString(Cp932ToUtf8(std::string(set.name, strnlen(set.name, sizeof set.name)))));
  }
  // With an empty list, or a slot past its end, nothing is shown and the slot keeps its index.
  combo->setCurrentIndex(slotRule_[slot] < combo->count() ? slotRule_[slot] : -1);
}

void CSignalChartCntl::Refill() {
  for (int k = 0; k < kSignalSlots; ++k) RefillOne(k);
}

bool CSignalChartCntl::eventFilter(QObject* watched, QEvent* event) {
  // A combo box getting the focus lists the rules as they are now: rules created or saved under
  // a new name elsewhere appear. Not when the focus comes back from its own drop-down, whose
  // choice is being made.
  if (event->type() == QEvent::FocusIn &&
      static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
    for (int k = 0; k < kSignalSlots; ++k) {
      if (watched == combos_[k]) RefillOne(k);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void CSignalChartCntl::Place() {
  // Row k's combo box at 45 % of the height plus k eighths of it, down the pane.
  const int h = height();
  for (int k = 0; k < kSignalSlots; ++k) {
    combos_[k]->move(0, static_cast<int>(0.45 * h) + k * static_cast<int>(0.125 * h));
  }
}

void CSignalChartCntl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Place();
}

}  // namespace korvale
