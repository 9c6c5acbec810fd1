// The control pane of the signal chart: four combo boxes, one per row, each listing the rules of
// the rule list; a choice picks the rule of its row.
#ifndef KORVALE_UI_SIGNAL_CHART_CNTL_H_
#define KORVALE_UI_SIGNAL_CHART_CNTL_H_

#include <QWidget>
#include <cstdint>

#include "screening/rule_list.h"
#include "screening/signal_rows.h"

class QComboBox;

namespace korvale {

class CSignalChartCntl : public QWidget {
  Q_OBJECT

 public:
  // The pane's width in the frame's splitter.
  static constexpr int kWidth = 120;

  // Combo boxes over `rules` (which must outlive the pane), each showing the slot the rule list
  // keeps for the signal chart.
  explicit CSignalChartCntl(const CRuleList& rules, QWidget* parent = nullptr);

  // Fills every combo box with the rule names again, keeping each one's choice.
  void Refill();
  QComboBox* combo(int slot) const { return combos_[slot]; }
  int slotRule(int slot) const { return slotRule_[slot]; }

 signals:
  // The user chose rule `index` of the list for row `slot`.
  void SlotChosen(int slot, int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RefillOne(int slot);
  void Place();

  const CRuleList& rules_;
  QComboBox* combos_[kSignalSlots] = {};
  int32_t slotRule_[kSignalSlots] = {};
};

}  // namespace korvale

#endif  // KORVALE_UI_SIGNAL_CHART_CNTL_H_
