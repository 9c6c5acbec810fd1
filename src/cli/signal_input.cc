#include "cli/signal_input.h"

#include "cli/cli.h"

namespace korvale::cli {

CSignalInput::CSignalInput(const SettingsRecord& settings) : settings_(settings) {}

void CSignalInput::Load() {
  if (rules_) return;
  rules_ = std::make_unique<CRuleList>(&settings_);
  rules_->LoadRules();
  source_ = std::make_unique<CRuleSignalSource>(*rules_, slots_);
}

const CRuleList& CSignalInput::rules() {
  Load();
  return *rules_;
}

bool CSignalInput::PickRules(const std::string& commaList) {
  Load();
  int slot = 0;
  size_t from = 0;
  while (from <= commaList.size()) {
    const size_t comma = std::min(commaList.find(',', from), commaList.size());
    const std::string name = commaList.substr(from, comma - from);
    from = comma + 1;
    if (slot == kSignalSlots) {
      PrintError("--rules takes at most four rule names");
      return false;
    }
    const int index = rules_->FindByName(RuleNameFromTitle(name));
    if (index < 0) {
      PrintError("no rule named " + name + " in " + rules_->RulesFolder());
      return false;
    }
    slots_[slot++] = index;
  }
  for (; slot < kSignalSlots; ++slot) slots_[slot] = -1;
  return true;
}

const SignalChartRows& CSignalInput::Rows(const CChartPainter& painter) {
  Load();
  return source_->Rows(painter);
}

}  // namespace korvale::cli
