#include "store/settings_field_rules.h"

#include <cstring>

#include "store/cp932.h"

namespace korvale {

namespace {

struct RuleRow {
  const char* name;
  int page;
  SettingsControl control;
  int32_t minimum;
  int32_t maximum;
};

constexpr SettingsControl kNum = SettingsControl::kNumber;
constexpr SettingsControl kChk = SettingsControl::kCheck;
constexpr SettingsControl kPick = SettingsControl::kChoice;
constexpr SettingsControl kTxt = SettingsControl::kText;

// Periods and spans count bars; 9999 bars is some forty years of trading days, more than any
// stored history. A daily span of 0 means "from the window's width"; a shift of 0 bars is no
// shift.
constexpr int32_t kMaxBars = 9999;

constexpr RuleRow kRows[] = {
    // 日足チャート: the left column, then the indicator column.
    {"dailySpanDays", kSettingsPageDaily, kNum, 0, kMaxBars},
    {"dailyAllPeriod", kSettingsPageDaily, kChk, 0, 1},
    {"dailyAutoPeriod", kSettingsPageDaily, kChk, 0, 1},
    {"dailyWeeklyBeforeSpan", kSettingsPageDaily, kChk, 0, 1},
    {"dailyBarStyle", kSettingsPageDaily, kPick, 0, 1},
    {"dailyShowVolume", kSettingsPageDaily, kChk, 0, 1},
    {"dailyShowMa", kSettingsPageDaily, kChk, 0, 1},
    {"dailyMaShort", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyMaLong", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowVolumeMa", kSettingsPageDaily, kChk, 0, 1},
    {"dailyVolumeMaShort", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyVolumeMaLong", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyWindowWidth", kSettingsPageDaily, kNum, kWindowSizeMin, kWindowSizeMax},
    {"dailyWindowHeight", kSettingsPageDaily, kNum, kWindowSizeMin, kWindowSizeMax},
    {"dailyShowDeviation", kSettingsPageDaily, kChk, 0, 1},
    {"dailyShowOscillator", kSettingsPageDaily, kChk, 0, 1},
    {"dailyShowPsychological", kSettingsPageDaily, kChk, 0, 1},
    {"dailyShowRci", kSettingsPageDaily, kChk, 0, 1},
    {"rciPeriod1", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"rciPeriod2", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowVolumeRatio", kSettingsPageDaily, kChk, 0, 1},
    {"volumeRatioPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowPriceVolumeHistogram", kSettingsPageDaily, kChk, 0, 1},
    {"histogramPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowRsi", kSettingsPageDaily, kChk, 0, 1},
    {"rsiPeriod1", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"rsiPeriod2", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowStochastics", kSettingsPageDaily, kChk, 0, 1},
    {"stochasticsPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"stochasticsSumPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowMacd", kSettingsPageDaily, kChk, 0, 1},
    {"macdPeriod1", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"macdPeriod2", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"macdSignalPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowObv", kSettingsPageDaily, kChk, 0, 1},
    {"dailyShowDmi", kSettingsPageDaily, kChk, 0, 1},
    {"dmiPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowCci", kSettingsPageDaily, kChk, 0, 1},
    {"cciPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowBollinger", kSettingsPageDaily, kChk, 0, 1},
    {"bollingerPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    {"dailyShowParabolic", kSettingsPageDaily, kChk, 0, 1},
    {"dailyIndexAnalysis", kSettingsPageDaily, kChk, 0, 1},
    {"dailyIndexPeriod", kSettingsPageDaily, kNum, 1, kMaxBars},
    // 週足チャート.
    {"weeklySpanWeeks", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyBarStyle", kSettingsPageWeekly, kPick, 0, 1},
    {"weeklyShowVolume", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyShowMa", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyMaShort", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyMaLong", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyShowVolumeMa", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyVolumeMaShort", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyVolumeMaLong", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyShowDeviation", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyShowOscillator", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyShowMomentum", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyMomentumMa", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyMomentumPeriod", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyShowMargin", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyShowStochastics", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyStochasticsPeriod", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyStochasticsSumPeriod", kSettingsPageWeekly, kNum, 1, kMaxBars},
    {"weeklyIndexAnalysis", kSettingsPageWeekly, kChk, 0, 1},
    {"weeklyIndexPeriod", kSettingsPageWeekly, kNum, 1, kMaxBars},
    // 月足チャート.
    {"monthlySpanMonths", kSettingsPageMonthly, kNum, 1, kMaxBars},
    {"monthlyBarStyle", kSettingsPageMonthly, kPick, 0, 1},
    {"monthlyShowVolume", kSettingsPageMonthly, kChk, 0, 1},
    {"monthlyShowMa", kSettingsPageMonthly, kChk, 0, 1},
    {"monthlyMaShort", kSettingsPageMonthly, kNum, 1, kMaxBars},
    {"monthlyMaLong", kSettingsPageMonthly, kNum, 1, kMaxBars},
    {"monthlyShowVolumeMa", kSettingsPageMonthly, kChk, 0, 1},
    {"monthlyVolumeMaShort", kSettingsPageMonthly, kNum, 1, kMaxBars},
    {"monthlyVolumeMaLong", kSettingsPageMonthly, kNum, 1, kMaxBars},
    // 補助チャート. The new-price chart counts at most 10 lines; a kagi reversal of 0 yen would
    // turn on every tick.
    {"newPriceReversalLines", kSettingsPageAuxiliary, kNum, 1, 10},
    {"newPriceSpanDays", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"newPriceAllPeriod", kSettingsPageAuxiliary, kChk, 0, 1},
    {"kagiReversalMode", kSettingsPageAuxiliary, kPick, 0, 1},
    {"kagiReversalYen", kSettingsPageAuxiliary, kNum, 1, 99999},
    {"kagiReversalPercent", kSettingsPageAuxiliary, kNum, 0, 100},
    {"kagiSpanDays", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"kagiAllPeriod", kSettingsPageAuxiliary, kChk, 0, 1},
    {"reverseWatchMaDays", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"reverseWatchSpanDays", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"reverseWatchAllPeriod", kSettingsPageAuxiliary, kChk, 0, 1},
    {"dailyTableDays", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"weeklyTableWeeks", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"monthlyTableMonths", kSettingsPageAuxiliary, kNum, 1, kMaxBars},
    {"thumbnailWidth", kSettingsPageAuxiliary, kNum, 32, 320},
    {"thumbnailHeight", kSettingsPageAuxiliary, kNum, 32, 320},
    {"thumbnailRows", kSettingsPageAuxiliary, kNum, 1, 20},
    {"thumbnailColumns", kSettingsPageAuxiliary, kNum, 1, 20},
    {"thumbnailBarStyle", kSettingsPageAuxiliary, kPick, 0, 1},
    {"thumbnailShowVolume", kSettingsPageAuxiliary, kChk, 0, 1},
    // 一目均衡表: the daily, weekly and monthly groups; periods from 1 bar, shifts from 0.
    {"ichimokuBarStyle", kSettingsPageIchimoku, kPick, 0, 1},
    {"ichimokuDailyBase", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuDailyConversion", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuDailyLeadShiftB", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuDailySpanPeriod", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuDailyLeadShiftA", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuDailyLagging", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuWeeklyBase", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuWeeklyConversion", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuWeeklyLeadShiftB", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuWeeklySpanPeriod", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuWeeklyLeadShiftA", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuWeeklyLagging", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuMonthlyBase", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuMonthlyConversion", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuMonthlyLeadShiftB", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuMonthlySpanPeriod", kSettingsPageIchimoku, kNum, 1, kMaxBars},
    {"ichimokuMonthlyLeadShiftA", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuMonthlyLagging", kSettingsPageIchimoku, kNum, 0, kMaxBars},
    {"ichimokuWindowWidth", kSettingsPageIchimoku, kNum, kWindowSizeMin, kWindowSizeMax},
    {"ichimokuWindowHeight", kSettingsPageIchimoku, kNum, kWindowSizeMin, kWindowSizeMax},
    // その他. A code of 0 means no market index.
    {"savedDataSourceMode", kSettingsPageOther, kPick, 0, 2},
    {"savedRootDir", kSettingsPageOther, kTxt, 0, 0},
    {"savedServerUrl", kSettingsPageOther, kTxt, 0, 0},
    {"allStocksUrl", kSettingsPageOther, kTxt, 0, 0},
    {"quoteSearchUrl", kSettingsPageOther, kTxt, 0, 0},
    {"colourTheme", kSettingsPageOther, kPick, 0, 5},
    {"cursorMode", kSettingsPageOther, kPick, 0, 2},
    {"useIndexAnalysis", kSettingsPageOther, kChk, 0, 1},
    {"indexStockCode", kSettingsPageOther, kNum, 0, 9999},
};

bool IsWindowSize(const RuleRow& row) {
  return row.minimum == kWindowSizeMin && row.maximum == kWindowSizeMax;
}

std::string TrimSpaces(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

}  // namespace

const std::vector<SettingsFieldRule>& SettingsFieldRules() {
  static const std::vector<SettingsFieldRule> rules = [] {
    std::vector<SettingsFieldRule> out;
    for (const RuleRow& row : kRows) {
      const SettingsField* field = FindSettingsField(row.name);
      const bool text = row.control == SettingsControl::kText;
      out.push_back({field, row.page, row.control, row.minimum, row.maximum, IsWindowSize(row),
                     text ? field->size - 1 : 0});
    }
    return out;
  }();
  return rules;
}

const SettingsFieldRule* FindSettingsFieldRule(const std::string& name) {
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    if (name == rule.field->name) return &rule;
  }
  return nullptr;
}

std::vector<const SettingsFieldRule*> SettingsPageFields(int page) {
  std::vector<const SettingsFieldRule*> out;
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    if (rule.page == page) out.push_back(&rule);
  }
  return out;
}

bool SettingsNumberAccepted(const SettingsFieldRule& rule, int64_t value) {
  if (rule.control == SettingsControl::kText) return false;
  return (value >= rule.minimum && value <= rule.maximum) || (rule.zeroAllowed && value == 0);
}

bool SettingsFieldAccepted(const SettingsRecord& rec, const SettingsFieldRule& rule) {
  if (rule.control != SettingsControl::kText) {
    return SettingsNumberAccepted(rule, SettingsFieldNumber(rec, *rule.field));
  }
  const char* text = reinterpret_cast<const char*>(&rec) + rule.field->offset;
  return strnlen(text, rule.field->size) <= rule.maxBytes;
}

SettingsValueCheck CheckSettingsValue(const SettingsFieldRule& rule, const std::string& utf8,
                                      std::string* stored) {
  if (rule.control == SettingsControl::kText) {
    const std::string cp932 = Utf8ToCp932(utf8);
    // A character cp932 cannot hold would be stored as '?', a different path or address.
    if (utf8.find('\0') != std::string::npos || Cp932ToUtf8(cp932) != utf8) {
      return SettingsValueCheck::kNotCp932;
    }
    if (cp932.size() > rule.maxBytes) return SettingsValueCheck::kTooLong;
    if (stored) *stored = cp932;
    return SettingsValueCheck::kAccepted;
  }
  const std::string digits = TrimSpaces(utf8);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
    return SettingsValueCheck::kNotANumber;
  }
  // Ten digits and more are out of every range; reading them could overflow.
  if (digits.size() > 9) return SettingsValueCheck::kOutOfRange;
  const int64_t value = std::stoll(digits);
  if (!SettingsNumberAccepted(rule, value)) return SettingsValueCheck::kOutOfRange;
  if (stored) *stored = std::to_string(value);
  return SettingsValueCheck::kAccepted;
}

SettingsValueCheck SetCheckedSettingsValue(SettingsRecord* rec, const SettingsFieldRule& rule,
                                           const std::string& utf8) {
  std::string stored;
  const SettingsValueCheck check = CheckSettingsValue(rule, utf8, &stored);
  if (check == SettingsValueCheck::kAccepted) SetSettingsFieldText(rec, *rule.field, stored);
  return check;
}

std::string SettingsRangeText(const SettingsFieldRule& rule) {
  if (rule.control == SettingsControl::kText) {
    return "at most " + std::to_string(rule.maxBytes) + " bytes of Shift-JIS text";
  }
  const std::string range = std::to_string(rule.minimum) + " to " + std::to_string(rule.maximum);
  return rule.zeroAllowed ? "0 or " + range : range;
}

std::string SettingsRefusalMessage(const SettingsFieldRule& rule, SettingsValueCheck why) {
  switch (why) {
    case SettingsValueCheck::kAccepted:
      return "";
    case SettingsValueCheck::kTooLong:
      return std::to_string(rule.maxBytes) +
             " バイト以内で入力してください (全角文字は 2 バイトです)。";
    case SettingsValueCheck::kNotCp932:
      return "Shift-JIS で表せない文字は使えません。";
    default:
      break;
  }
  const std::string range =
      std::to_string(rule.minimum) + " から " + std::to_string(rule.maximum) + " までの整数";
  return (rule.zeroAllowed ? "0 (未設定) または " + range : range) + "を入力してください。";
}

void ApplyDialogWindowSizes(SettingsRecord* rec) {
  rec->signalWindowWidth = rec->lineEditorWindowWidth = rec->dailyWindowWidth;
  rec->signalWindowHeight = rec->lineEditorWindowHeight = rec->dailyWindowHeight;
}

}  // namespace korvale
