// The state the application holds for the whole run: the settings record in effect, the
// screening rules and the market-index series. The windows, the command line and the batches share
// it; nothing in it is global, so core functions take what they need from it as parameters.
#ifndef KORVALE_APP_APP_CONTEXT_H_
#define KORVALE_APP_APP_CONTEXT_H_

#include <memory>

#include "app/index_series.h"
#include "screening/rule_list.h"
#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale {

class CAppContext {
 public:
  // Takes the settings as loaded at start (LoadSettingsAtStart plus any overrides) and loads
  // every rule file of the data root. The index series stays empty until LoadIndex.
  explicit CAppContext(const SettingsRecord& settings);
  CAppContext(const CAppContext&) = delete;
  CAppContext& operator=(const CAppContext&) = delete;

  SettingsRecord& settings() { return settings_; }
  const SettingsRecord& settings() const { return settings_; }

  // The rules, loaded at construction; they read the settings held here.
  CRuleList& rules() { return rules_; }
  const CRuleList& rules() const { return rules_; }

  // Loads the market-index series as the first document does at start (see LoadIndexSeries),
  // replacing any earlier one. Returns the series, or null when there is no index.
  const CPriceSeries* LoadIndex(const FolderOfCode& folderOfCode);
  // The index series, or null.
  const CPriceSeries* indexSeries() const { return index_.get(); }

 private:
  SettingsRecord settings_;
  CRuleList rules_;
  std::unique_ptr<CPriceSeries> index_;
};

}  // namespace korvale

#endif  // KORVALE_APP_APP_CONTEXT_H_
