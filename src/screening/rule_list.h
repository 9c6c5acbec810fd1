// All screening rules of the data root: one ConditionSet per rule file in the Rules folder,
// filled at start and changed by the new, save and delete commands of the screening window.
#ifndef KORVALE_SCREENING_RULE_LIST_H_
#define KORVALE_SCREENING_RULE_LIST_H_

#include <cstdint>
#include <string>
#include <vector>

#include "screening/condition_set.h"
#include "store/settings_record.h"

namespace korvale {

class CRuleList {
 public:
  // `settings` (the application's record, which must outlive the list) gives the data root and
  // the periods new sets copy.
  explicit CRuleList(const SettingsRecord* settings);

  // The folder "<dataRootDir>/Rules".
  std::string RulesFolder() const;

  // Fills the list from the rule folder (made first unless dataSourceMode is 2): one set per
  // file whose name ends in ".erl" in any case, in file-name order, each named after its file.
  // With no rule file (or no readable folder) the list holds one new set, ResetSet(0).
  void LoadRules();

  // Re-makes set `index` with InitConditionSet, names it after `title` (the file name without
  // extension, as on disk) and reads the file over it. A file that cannot be read leaves the
  // defaults under that name. Remembers `path` as the set's file.
  void ReadRuleFile(int index, const std::string& path, const std::string& title);

  // Appends a set made by InitConditionSet (unnamed, no file).
  void AddNewSet();
  // Re-makes set `index` with InitConditionSet and names it "新規抽出条件-<newCounter>", then
  // counts newCounter up.
  void ResetSet(int index);
  // Removes set `index`; when it is the only one, newCounter restarts at 0 and the set is
  // re-made by ResetSet(0).
  void RemoveSet(int index);

  // The save button: writes `workingCopy` to `path`; on success the copy, named after the
  // file's title, replaces set `index` and `path` becomes its file. On failure the list is
  // unchanged and the reason is in `error`.
  bool SaveSet(int index, const std::string& path, const ConditionSet& workingCopy,
               std::string* error);
  // The delete button after its confirmation: removes the set's file (the file it was read from
  // or saved to, else "Rules/<name>.ERL") and then RemoveSet(index). A set without a file on disk
  // leaves the list all the same; a file that exists but cannot be removed is reported in
  // `error` and the set stays.
  bool DeleteSet(int index, std::string* error);

  // The functions taking an index do nothing (or fail) for an index outside the list.

  // Index of the first set named `cp932Name`, or -1.
  int FindByName(const std::string& cp932Name) const;
  // The file set `index` was read from or saved to; "" when it has none.
  const std::string& FilePath(int index) const { return paths_[index]; }

  std::vector<ConditionSet> sets;  // exactly `count` sets
  int32_t count = 0;
  int32_t newCounter = 0;                // the number of the next default name
  int32_t chartSlots[4] = {0, 1, 2, 3};  // the rules the signal chart shows

 private:
  void Resize(int32_t n);
  bool Valid(int index) const;

  const SettingsRecord* settings_;
  std::vector<std::string> paths_;  // beside `sets`
};

// The rule name a file title on disk gives: the title (UTF-8 when it is valid UTF-8, else taken
// as cp932 bytes) in cp932, cut to the 63 bytes of `name` without splitting a character.
std::string RuleNameFromTitle(const std::string& title);
// The file title on disk for a rule name (cp932): its UTF-8 text.
std::string RuleTitleFromName(const std::string& cp932Name);

}  // namespace korvale

#endif  // KORVALE_SCREENING_RULE_LIST_H_
