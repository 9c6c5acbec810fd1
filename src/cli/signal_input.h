// The rules of the signal chart on the command line: --rules NAME,... puts rules of the data
// root's rule list into the chart's slots in order; without it the slots are those the window
// starts with, the list's first four rules.
#ifndef KORVALE_CLI_SIGNAL_INPUT_H_
#define KORVALE_CLI_SIGNAL_INPUT_H_

#include <memory>
#include <string>

#include "app/rule_signal_source.h"
#include "charts/signal_chart.h"
#include "screening/rule_list.h"
#include "store/settings_record.h"

namespace korvale::cli {

class CSignalInput : public SignalRowSource {
 public:
  // The rule list is that of settings.dataRootDir, read when first needed.
  explicit CSignalInput(const SettingsRecord& settings);

  // Reads the rule list and puts the rules named in `commaList` (UTF-8, or the file titles of
  // Rules/*.ERL) into slots 0.. in order; the slots after them name no rule. Prints the reason
  // and returns false for a name the list does not hold or more than four names.
  bool PickRules(const std::string& commaList);

  const SignalChartRows& Rows(const CChartPainter& painter) override;
  // The rule list (read on the first call) and the slots.
  const CRuleList& rules();
  const int32_t* slots() const { return slots_; }
  // The values of the last Rows call, by slot.
  const std::array<SignalRowValues, kSignalSlots>& values() const { return source_->values(); }

 private:
  void Load();

  SettingsRecord settings_;
  std::unique_ptr<CRuleList> rules_;
  int32_t slots_[kSignalSlots] = {0, 1, 2, 3};
  std::unique_ptr<CRuleSignalSource> source_;
};

}  // namespace korvale::cli

#endif  // KORVALE_CLI_SIGNAL_INPUT_H_
