#include "store/settings_sanity.h"

namespace korvale {

namespace {

constexpr int32_t kBars = kMaxSettingsBars;
constexpr int32_t kWindowMin = 320;
constexpr int32_t kWindowMax = 2400;

// The ranges the settings dialog accepts; the fields it does not edit (the window sizes the
// other windows keep, the months of the period highs and lows) get a range no chart or record
// can outgrow. A daily span of 0 means "from the window's width"; an Ichimoku shift of 0 bars
// is no shift; an index code of 0 means no market index.
constexpr SettingsRange kRanges[] = {
    {"dailySpanDays", 0, kBars, false},
    {"dailyMaShort", 1, kBars, false},
    {"dailyMaLong", 1, kBars, false},
    {"dailyVolumeMaShort", 1, kBars, false},
    {"dailyVolumeMaLong", 1, kBars, false},
    {"rciPeriod1", 1, kBars, false},
    {"rciPeriod2", 1, kBars, false},
    {"volumeRatioPeriod", 1, kBars, false},
    {"histogramPeriod", 1, kBars, false},
    {"rsiPeriod1", 1, kBars, false},
    {"rsiPeriod2", 1, kBars, false},
    {"stochasticsPeriod", 1, kBars, false},
    {"stochasticsSumPeriod", 1, kBars, false},
    {"macdPeriod1", 1, kBars, false},
    {"macdPeriod2", 1, kBars, false},
    {"macdSignalPeriod", 1, kBars, false},
    {"dmiPeriod", 1, kBars, false},
    {"cciPeriod", 1, kBars, false},
    {"bollingerPeriod", 1, kBars, false},
    {"dailyIndexPeriod", 1, kBars, false},
    {"weeklySpanWeeks", 1, kBars, false},
    {"weeklyMaShort", 1, kBars, false},
    {"weeklyMaLong", 1, kBars, false},
    {"weeklyVolumeMaShort", 1, kBars, false},
    {"weeklyVolumeMaLong", 1, kBars, false},
    {"weeklyMomentumMa", 1, kBars, false},
    {"weeklyMomentumPeriod", 1, kBars, false},
    {"weeklyStochasticsPeriod", 1, kBars, false},
    {"weeklyStochasticsSumPeriod", 1, kBars, false},
    {"weeklyIndexPeriod", 1, kBars, false},
    {"monthlySpanMonths", 1, kBars, false},
    {"monthlyMaShort", 1, kBars, false},
    {"monthlyMaLong", 1, kBars, false},
    {"monthlyVolumeMaShort", 1, kBars, false},
    {"monthlyVolumeMaLong", 1, kBars, false},
    {"newPriceReversalLines", 1, 10, false},
    {"newPriceSpanDays", 1, kBars, false},
    {"kagiReversalYen", 1, 99999, false},
    {"kagiReversalPercent", 0, 100, false},
    {"kagiSpanDays", 1, kBars, false},
    {"reverseWatchMaDays", 1, kBars, false},
    {"reverseWatchSpanDays", 1, kBars, false},
    {"dailyTableDays", 1, kBars, false},
    {"weeklyTableWeeks", 1, kBars, false},
    {"monthlyTableMonths", 1, kBars, false},
    {"thumbnailWidth", 32, 320, false},
    {"thumbnailHeight", 32, 320, false},
    {"thumbnailRows", 1, 20, false},
    {"thumbnailColumns", 1, 20, false},
    {"ichimokuDailyBase", 1, kBars, false},
    {"ichimokuDailyConversion", 1, kBars, false},
    {"ichimokuDailyLeadShiftB", 0, kBars, false},
    {"ichimokuDailySpanPeriod", 1, kBars, false},
    {"ichimokuDailyLeadShiftA", 0, kBars, false},
    {"ichimokuDailyLagging", 0, kBars, false},
    {"ichimokuWeeklyBase", 1, kBars, false},
    {"ichimokuWeeklyConversion", 1, kBars, false},
    {"ichimokuWeeklyLeadShiftB", 0, kBars, false},
    {"ichimokuWeeklySpanPeriod", 1, kBars, false},
    {"ichimokuWeeklyLeadShiftA", 0, kBars, false},
    {"ichimokuWeeklyLagging", 0, kBars, false},
    {"ichimokuMonthlyBase", 1, kBars, false},
    {"ichimokuMonthlyConversion", 1, kBars, false},
    {"ichimokuMonthlyLeadShiftB", 0, kBars, false},
    {"ichimokuMonthlySpanPeriod", 1, kBars, false},
    {"ichimokuMonthlyLeadShiftA", 0, kBars, false},
    {"ichimokuMonthlyLagging", 0, kBars, false},
    {"indexStockCode", 0, 9999, false},
    {"highLowMonths", 0, kBars, false},
    {"dailyWindowWidth", kWindowMin, kWindowMax, true},
    {"dailyWindowHeight", kWindowMin, kWindowMax, true},
    {"ichimokuWindowWidth", kWindowMin, kWindowMax, true},
    {"ichimokuWindowHeight", kWindowMin, kWindowMax, true},
    {"signalWindowWidth", kWindowMin, kWindowMax, true},
    {"signalWindowHeight", kWindowMin, kWindowMax, true},
    {"lineEditorWindowWidth", kWindowMin, kWindowMax, true},
    {"lineEditorWindowHeight", kWindowMin, kWindowMax, true},
};

int64_t Sane(const SettingsRange& r, int64_t value) {
  if (value > r.maximum) return r.maximum;
  if (value < r.minimum) return r.zeroAllowed ? 0 : r.minimum;
  return value;
}

}  // namespace

const SettingsRange* FindSettingsRange(const std::string& name) {
  for (const SettingsRange& r : kRanges) {
    if (name == r.name) return &r;
  }
  return nullptr;
}

std::vector<std::string> BringSettingsIntoRange(SettingsRecord* rec) {
  std::vector<std::string> warnings;
  for (const SettingsField& field : SettingsFields()) {
    const SettingsRange* range = FindSettingsRange(field.name);
    if (!range) continue;
    const int64_t value = SettingsFieldNumber(*rec, field);
    const int64_t sane = Sane(*range, value);
    if (sane == value) continue;
    SetSettingsFieldText(rec, field, std::to_string(sane));
    warnings.push_back(std::string(kSettingsFileName) + ": " + field.name + " " +
                       std::to_string(value) + " is outside " +
                       (range->zeroAllowed ? "0 or " : "") + std::to_string(range->minimum) +
                       ".." + std::to_string(range->maximum) + "; " + std::to_string(sane) +
                       " is used");
  }
  return warnings;
}

}  // namespace korvale
