#include "app/app_context.h"

namespace korvale {

CAppContext::CAppContext(const SettingsRecord& settings) : settings_(settings) {}

const CPriceSeries* CAppContext::LoadIndex(const FolderOfCode& folderOfCode) {
  index_ = LoadIndexSeries(settings_, folderOfCode);
  return index_.get();
}

}  // namespace korvale
