#include "store/settings_sanity.h"

#include <iterator>

#include "store/settings_field_rules.h"

namespace korvale {

namespace {

// Fields the settings dialog does not edit, with a range no chart, record or window can outgrow:
// the window sizes the signal chart and the trend-line editor keep (0 is "not set"), and the
// months of the period highs and lows.
constexpr SettingsRange kOwnRanges[] = {
    {"signalWindowWidth", kWindowSizeMin, kWindowSizeMax, true},
    {"signalWindowHeight", kWindowSizeMin, kWindowSizeMax, true},
    {"lineEditorWindowWidth", kWindowSizeMin, kWindowSizeMax, true},
    {"lineEditorWindowHeight", kWindowSizeMin, kWindowSizeMax, true},
    {"highLowMonths", 0, kMaxSettingsBars, false},
};

// The numbers the dialog edits take its ranges; its check boxes and choices are left as they
// are (a flag stored as another non-zero value still means "on").
const std::vector<SettingsRange>& Ranges() {
  static const std::vector<SettingsRange> ranges = [] {
    std::vector<SettingsRange> out(std::begin(kOwnRanges), std::end(kOwnRanges));
    for (const SettingsFieldRule& rule : SettingsFieldRules()) {
      if (rule.control != SettingsControl::kNumber) continue;
      out.push_back({rule.field->name, rule.minimum, rule.maximum, rule.zeroAllowed});
    }
    return out;
  }();
  return ranges;
}

int64_t Sane(const SettingsRange& r, int64_t value) {
  if (value > r.maximum) return r.maximum;
  if (value < r.minimum) return r.zeroAllowed ? 0 : r.minimum;
  return value;
}

}  // namespace

const SettingsRange* FindSettingsRange(const std::string& name) {
  for (const SettingsRange& r : Ranges()) {
    if (name == r.name) return &r;
  }
  return nullptr;
}

std::vector<SettingsMend> BringSettingsIntoRange(SettingsRecord* rec) {
  std::vector<SettingsMend> mends;
  for (const SettingsField& field : SettingsFields()) {
    const SettingsRange* range = FindSettingsRange(field.name);
    if (!range) continue;
    const int64_t value = SettingsFieldNumber(*rec, field);
    const int64_t sane = Sane(*range, value);
    if (sane == value) continue;
    SetSettingsFieldText(rec, field, std::to_string(sane));
    mends.push_back({&field, value, sane,
                     std::string(kSettingsFileName) + ": " + field.name + " " +
                       std::to_string(value) + " is outside " +
                       (range->zeroAllowed ? "0 or " : "") + std::to_string(range->minimum) +
                       ".." + std::to_string(range->maximum) + "; " + std::to_string(sane) +
                       " is used"});
  }
  return mends;
}

}  // namespace korvale
