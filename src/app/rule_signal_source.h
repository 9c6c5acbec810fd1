// The rows of the signal chart from the rule list: the rules chosen for its four slots, judged
// on each displayed bar, computed again only when the stock, a slot, the settings or the
// displayed span change.
#ifndef KORVALE_APP_RULE_SIGNAL_SOURCE_H_
#define KORVALE_APP_RULE_SIGNAL_SOURCE_H_

#include <array>
#include <cstdint>
#include <string>

#include "charts/signal_chart.h"
#include "screening/rule_list.h"
#include "screening/signal_rows.h"
#include "store/settings_record.h"

namespace korvale {

class CRuleSignalSource : public SignalRowSource {
 public:
  // Rows of `rules` in the slots `slots` (four indexes into the list: the list's chartSlots in
  // the window), both kept by reference and read at each computation.
  CRuleSignalSource(const CRuleList& rules, const int32_t* slots);

  // The rows for the painter's series and displayed bars, under the painter's settings and
  // index series, computed when anything they depend on changed since the last call.
  const SignalChartRows& Rows(const CChartPainter& painter) override;

  // A slot or a rule changed: the next Rows computes again.
  void MarkDirty() { dirty_ = true; }
  void SetStyle(int style) { rows_.style = style; }
  int style() const { return rows_.style; }
  // The values of the last computation, by slot.
  const std::array<SignalRowValues, kSignalSlots>& values() const { return values_; }
  // How many times the values were computed.
  int computations() const { return computations_; }

 private:
  const CRuleList& rules_;
  const int32_t* slots_;
  CSignalRowBuilder builder_;
  std::array<SignalRowValues, kSignalSlots> values_;
  SignalChartRows rows_;
  int computations_ = 0;

  // What the values were computed for.
  bool dirty_ = true;
  const CPriceSeries* series_ = nullptr;
  const CPriceSeries* index_ = nullptr;
  std::string path_;
  int32_t bars_ = -1;
  int shown_ = -1;
  SettingsRecord settingsUsed_{};
};

}  // namespace korvale

#endif  // KORVALE_APP_RULE_SIGNAL_SOURCE_H_
