// What the settings dialog accepts for each field it edits: the page that edits the field, the
// kind of control, the range of numbers and the length of texts. The dialog, the command line's
// save and the checks of a loaded record all take their limits from this one table.
#ifndef KORVALE_STORE_SETTINGS_FIELD_RULES_H_
#define KORVALE_STORE_SETTINGS_FIELD_RULES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/settings_record.h"

namespace korvale {

// The pages of the settings dialog, in tab order.
enum SettingsPage : int {
  kSettingsPageDaily = 0,
  kSettingsPageWeekly = 1,
  kSettingsPageMonthly = 2,
  kSettingsPageAuxiliary = 3,
  kSettingsPageIchimoku = 4,
  kSettingsPageOther = 5,
};
inline constexpr int kSettingsPageCount = 6;

// The window sizes the settings keep: 0 means "not set", anything else lies in this range.
inline constexpr int kWindowSizeMin = 320;
inline constexpr int kWindowSizeMax = 2400;

// How the dialog edits a field: a number typed into an edit field, a check box (0 or 1), the
// position of a chosen radio button or list entry, or a text.
enum class SettingsControl { kNumber, kCheck, kChoice, kText };

struct SettingsFieldRule {
  const SettingsField* field;
  int page;
  SettingsControl control;
  // Numbers, checks and choices: the accepted values, minimum..maximum, and 0 as well when
  // zeroAllowed (a window size that is not set).
  int32_t minimum;
  int32_t maximum;
  bool zeroAllowed;
  // Texts: the most cp932 bytes the field holds (its size less the terminator).
  size_t maxBytes;
};

// Every field the dialog edits, page by page, each page in the order of its controls (the order
// in which the dialog checks them).
const std::vector<SettingsFieldRule>& SettingsFieldRules();

// The rule of a field by name; null when the dialog does not edit the field.
const SettingsFieldRule* FindSettingsFieldRule(const std::string& name);

// The fields page `page` (0-5) edits, in the order of its controls; empty for another page.
std::vector<const SettingsFieldRule*> SettingsPageFields(int page);

// Whether `value` is accepted for a number, check or choice field (false for a text field).
bool SettingsNumberAccepted(const SettingsFieldRule& rule, int64_t value);

// Whether the value the record holds in the rule's field is one the dialog accepts: a number
// in range, a text of at most maxBytes bytes.
bool SettingsFieldAccepted(const SettingsRecord& rec, const SettingsFieldRule& rule);

enum class SettingsValueCheck { kAccepted, kNotANumber, kOutOfRange, kTooLong, kNotCp932 };

// Checks a value as typed, UTF-8. A number is a run of decimal digits (spaces around it
// allowed; no sign, nothing else: an empty or other text is not a number and never counts as
// 0). A text must be expressible in cp932 within maxBytes bytes, with no NUL. When accepted,
// `stored` (may be null) gets what SetSettingsFieldText takes: the number in decimal, or the
// text in cp932.
SettingsValueCheck CheckSettingsValue(const SettingsFieldRule& rule, const std::string& utf8,
                                      std::string* stored);

// Checks `utf8` and, when accepted, stores it in the record. Returns the check's result; the
// record is unchanged unless kAccepted.
SettingsValueCheck SetCheckedSettingsValue(SettingsRecord* rec, const SettingsFieldRule& rule,
                                           const std::string& utf8);

// The accepted values in words for the command line: "32 to 320", "0 or 320 to 2400",
// "at most 127 bytes of Shift-JIS text".
std::string SettingsRangeText(const SettingsFieldRule& rule);

// The dialog's message (UTF-8 Japanese) for a refused value of the field.
std::string SettingsRefusalMessage(const SettingsFieldRule& rule, SettingsValueCheck why);

// What applying the dialog does besides copying its fields: the window size of the daily page
// also becomes the signal-chart and trend-line-editor window sizes.
void ApplyDialogWindowSizes(SettingsRecord* rec);

}  // namespace korvale

#endif  // KORVALE_STORE_SETTINGS_FIELD_RULES_H_
