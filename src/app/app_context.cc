#include "app/app_context.h"

namespace korvale {

CAppContext::CAppContext(const SettingsRecord& settings) : settings_(settings), rules_(&settings_) {
  rules_.LoadRules();
}

const CPriceSeries* CAppContext::LoadIndex(const FolderOfCode& folderOfCode) {
  index_ = LoadIndexSeries(settings_, folderOfCode);
  return index_.get();
}

}  // namespace korvale
