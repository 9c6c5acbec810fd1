#include "screening/rule_list.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "screening/rule_file.h"
#include "store/cp932.h"

namespace korvale {

namespace {

namespace fs = std::filesystem;

bool IsValidUtf8(const std::string& s) {
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t extra;
    if (c < 0x80) {
      extra = 0;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
    } else {
      return false;
    }
    if (extra > 0 && i + extra >= s.size()) return false;
    for (size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

bool EndsWithErl(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".erl";
}

}  // namespace

std::string RuleNameFromTitle(const std::string& title) {
  const std::string cp932 = IsValidUtf8(title) ? Utf8ToCp932(title) : title;
  return cp932.substr(
      0, Cp932PrefixLength(cp932.substr(0, cp932.find('\0')), kConditionSetNameSize - 1));
}

std::string RuleTitleFromName(const std::string& cp932Name) { return Cp932ToUtf8(cp932Name); }

CRuleList::CRuleList(const SettingsRecord* settings) : settings_(settings) {}

std::string CRuleList::RulesFolder() const {
  return std::string(settings_->dataRootDir) + "/Rules";
}

void CRuleList::Resize(int32_t n) {
  sets.resize(static_cast<size_t>(n));
  paths_.resize(static_cast<size_t>(n));
  count = n;
}

void CRuleList::LoadRules() {
  const std::string folder = RulesFolder();
  std::error_code ec;
  if (settings_->dataSourceMode != 2) fs::create_directory(folder, ec);

  std::vector<std::string> names;
  ec.clear();
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code typeError;
    if (it->is_directory(typeError)) continue;
    const std::string name = it->path().filename().string();
    if (EndsWithErl(name)) names.push_back(name);
  }
  // The platform lists a folder in no fixed order; file-name order makes the list the same on
  // every start.
  std::sort(names.begin(), names.end());
  if (names.empty()) {
    Resize(1);
    ResetSet(0);
    return;
  }
  Resize(static_cast<int32_t>(names.size()));
  for (size_t k = 0; k < names.size(); ++k) {
    ReadRuleFile(static_cast<int>(k), folder + "/" + names[k],
                 names[k].substr(0, names[k].size() - 4));
  }
}

bool CRuleList::Valid(int index) const { return index >= 0 && index < count; }

void CRuleList::ReadRuleFile(int index, const std::string& path, const std::string& title) {
  if (!Valid(index)) return;
  ConditionSet& set = sets[index];
  InitConditionSet(&set, *settings_);
  SetConditionSetName(&set, RuleNameFromTitle(title));
  ReadRuleFileOver(path, &set);  // an unreadable file keeps the defaults under its name
  paths_[index] = path;
}

void CRuleList::AddNewSet() {
  Resize(count + 1);
  InitConditionSet(&sets[count - 1], *settings_);
  paths_[count - 1].clear();
}

void CRuleList::ResetSet(int index) {
  if (!Valid(index)) return;
  InitConditionSet(&sets[index], *settings_);
  char name[64];
  std::snprintf(name, sizeof name, "-%d", newCounter);
  static const std::string prefix = Utf8ToCp932("新規抽出条件");
  SetConditionSetName(&sets[index], prefix + name);
  paths_[index].clear();
  ++newCounter;
}

void CRuleList::RemoveSet(int index) {
  if (!Valid(index)) return;
  if (count <= 1) {
    newCounter = 0;
    ResetSet(0);
    return;
  }
  sets.erase(sets.begin() + index);
  paths_.erase(paths_.begin() + index);
  count = static_cast<int32_t>(sets.size());
}

bool CRuleList::SaveSet(int index, const std::string& path, const ConditionSet& workingCopy,
                        std::string* error) {
  if (!Valid(index)) {
    if (error) *error = "no rule at that index";
    return false;
  }
  if (!WriteRuleFile(path, workingCopy, error)) return false;
  ConditionSet saved = workingCopy;
  SetConditionSetName(&saved, RuleNameFromTitle(fs::path(path).stem().string()));
  sets[index] = saved;
  paths_[index] = path;
  return true;
}

bool CRuleList::DeleteSet(int index, std::string* error) {
  if (!Valid(index)) {
    if (error) *error = "no rule at that index";
    return false;
  }
  std::string path = paths_[index];
  if (path.empty()) path = RulesFolder() + "/" + RuleTitleFromName(sets[index].name) + ".ERL";
  std::error_code ec;
  const bool exists = fs::exists(fs::symlink_status(path, ec));
  if (exists && !fs::remove(path, ec)) {
    if (error) *error = path + ": " + (ec ? ec.message() : std::string("cannot remove"));
    return false;
  }
  RemoveSet(index);
  return true;
}

int CRuleList::FindByName(const std::string& cp932Name) const {
  for (int32_t i = 0; i < count; ++i) {
    if (cp932Name == sets[i].name) return i;
  }
  return -1;
}

}  // namespace korvale
