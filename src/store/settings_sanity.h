// The ranges the periods and sizes of the settings file are brought into when the record is
// loaded, so that a damaged or hand-edited Korvale2.INI never carries an absurd number into a
// chart, a record or a window. The numbers the settings dialog edits take the dialog's ranges
// (store/settings_field_rules.h); the few it does not edit have their own here.
#ifndef KORVALE_STORE_SETTINGS_SANITY_H_
#define KORVALE_STORE_SETTINGS_SANITY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "store/settings_record.h"

namespace korvale {

// The most bars a period or span of a field the settings dialog does not edit may count: 9999
// bars is some forty years of trading days, more than any stored history holds (the dialog's
// own limit for the periods it edits).
inline constexpr int32_t kMaxSettingsBars = 9999;

// The sane values of one numeric field: minimum..maximum, and 0 as well when zeroAllowed (a
// window size that is not set).
struct SettingsRange {
  const char* name;
  int32_t minimum;
  int32_t maximum;
  bool zeroAllowed;
};

// The range of a field by name; null for a field the load leaves as it is (the version, flags,
// choices, texts, the proxy).
const SettingsRange* FindSettingsRange(const std::string& name);

// One field the load brought into its range.
struct SettingsMend {
  const SettingsField* field;
  int64_t found;  // the number the file holds
  int64_t used;   // the number the record holds now
  // The warning naming the field, the value found and the value used ("Korvale2.INI: dmiPeriod
  // 0 is outside 1..9999; 1 is used").
  std::string warning;
};

// Brings every field that has a range into it: a value above the range becomes its maximum, one
// below it its minimum (0, "not set", when zeroAllowed). Returns one mend per field changed.
std::vector<SettingsMend> BringSettingsIntoRange(SettingsRecord* rec);

}  // namespace korvale

#endif  // KORVALE_STORE_SETTINGS_SANITY_H_
