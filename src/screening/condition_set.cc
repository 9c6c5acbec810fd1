#include "screening/condition_set.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "store/byte_order.h"
#include "store/cp932.h"

namespace korvale {

static_assert(std::is_trivially_copyable_v<ConditionSet>);
static_assert(std::is_standard_layout_v<ConditionSet>);

void InitConditionSet(ConditionSet* set, const SettingsRecord& s) {
  std::memset(set, 0, sizeof *set);
  set->levelMonths = s.highLowMonths;
  set->dev1Days = s.dailyMaShort;
  set->dev2Days = s.dailyMaLong;
  set->rci1Days = s.rciPeriod1;
  set->rci2Days = s.rciPeriod2;
  set->vrDays = s.volumeRatioPeriod;
  set->oscLongDays = s.dailyMaLong;
  set->oscShortDays = s.dailyMaShort;
  set->rsi1Days = s.rsiPeriod1;
  set->rsi2Days = s.rsiPeriod2;
  set->stochKDays = s.stochasticsPeriod;
  set->stochDDays = s.stochasticsPeriod;
  set->macdDays = s.macdPeriod1;
  set->cciDays = s.cciPeriod;
  set->bbWidthDays = s.bollingerPeriod;
  // A period of five days per week; the product of an absurd setting wraps as the int it is.
  const int32_t corrDays = static_cast<int32_t>(static_cast<uint32_t>(s.weeklyIndexPeriod) * 5u);
  set->corrDays = corrDays;
  set->devIndexDays = corrDays;
}

void SetConditionSetName(ConditionSet* set, const std::string& cp932) {
  // Text after a NUL would not show; the name ends there.
  const std::string text = cp932.substr(0, cp932.find('\0'));
  const size_t length = Cp932PrefixLength(text, kConditionSetNameSize - 1);
  std::memset(set->name, 0, sizeof set->name);
  std::memcpy(set->name, text.data(), length);
}

#define KORVALE_PARAM_FIELDS(X)   \
  X(minPrice, 0, kInt32)          \
  X(maxPrice, 1, kInt32)          \
  X(changePercent, 2, kDouble)    \
  X(changeDirection, 2, kInt32)   \
  X(volumeTimes, 3, kDouble)      \
  X(dev1Days, 4, kInt32)          \
  X(dev1Value, 4, kDouble)        \
  X(dev1Direction, 4, kInt32)     \
  X(dev2Days, 5, kInt32)          \
  X(dev2Value, 5, kDouble)        \
  X(dev2Direction, 5, kInt32)     \
  X(rci1Days, 6, kInt32)          \
  X(rci1Value, 6, kDouble)        \
  X(rci1Direction, 6, kInt32)     \
  X(rci2Days, 7, kInt32)          \
  X(rci2Value, 7, kDouble)        \
  X(rci2Direction, 7, kInt32)     \
  X(positionChoice, 8, kInt32)    \
  X(maCrossChoice, 9, kInt32)     \
  X(levelZone, 10, kInt32)        \
  X(levelMonths, 10, kInt32)      \
  X(levelPercent, 10, kDouble)    \
  X(vrDays, 13, kInt32)           \
  X(vrValue, 13, kDouble)         \
  X(vrDirection, 13, kInt32)      \
  X(oscLongDays, 14, kInt32)      \
  X(oscShortDays, 14, kInt32)     \
  X(oscDirection, 14, kInt32)     \
  X(oscValue, 14, kDouble)        \
  X(rsi1Days, 15, kInt32)         \
  X(rsi1Value, 15, kDouble)       \
  X(rsi1Direction, 15, kInt32)    \
  X(rsi2Days, 16, kInt32)         \
  X(rsi2Value, 16, kDouble)       \
  X(rsi2Direction, 16, kInt32)    \
  X(ichimoku1Choice, 17, kInt32)  \
  X(ichimoku2Choice, 18, kInt32)  \
  X(ichimoku3Choice, 19, kInt32)  \
  X(stochKDays, 20, kInt32)       \
  X(stochKValue, 20, kDouble)     \
  X(stochKDirection, 20, kInt32)  \
  X(stochDDays, 21, kInt32)       \
  X(stochDValue, 21, kDouble)     \
  X(stochDDirection, 21, kInt32)  \
  X(trendLineChoice, 22, kInt32)  \
  X(bbWidthDays, 23, kInt32)      \
  X(bbWidthValue, 23, kDouble)    \
  X(bbWidthDirection, 23, kInt32) \
  X(bbBreakChoice, 24, kInt32)    \
  X(cciDays, 25, kInt32)          \
  X(cciValue, 25, kDouble)        \
  X(cciDirection, 25, kInt32)     \
  X(dmiAdxChoice, 26, kInt32)     \
  X(dmiCrossChoice, 27, kInt32)   \
  X(macdDays, 28, kInt32)         \
  X(macdValue, 28, kDouble)       \
  X(macdDirection, 28, kInt32)    \
  X(macdCrossChoice, 29, kInt32)  \
  X(obvValue, 30, kDouble)        \
  X(obvDirection, 30, kInt32)     \
  X(sarChoice, 31, kInt32)        \
  X(corrDays, 32, kInt32)         \
  X(corrValue, 32, kDouble)       \
  X(corrDirection, 32, kInt32)    \
  X(devIndexDays, 33, kInt32)     \
  X(devIndexValue, 33, kDouble)   \
  X(devIndexDirection, 33, kInt32)

// The member types agree with the catalogue.
#define KORVALE_CHECK_TYPE(name, type, kind)       \
  static_assert(                                   \
      std::is_same_v<decltype(ConditionSet::name), \
                     std::conditional_t<ParamType::kind == ParamType::kInt32, int32_t, double>>);
KORVALE_PARAM_FIELDS(KORVALE_CHECK_TYPE)
#undef KORVALE_CHECK_TYPE

const std::vector<ParamField>& ConditionParamFields() {
  static const std::vector<ParamField> fields = {
#define KORVALE_ENTRY(name, type, kind) \
  {#name, type, ParamType::kind, offsetof(ConditionSet, name)},
      KORVALE_PARAM_FIELDS(KORVALE_ENTRY)
#undef KORVALE_ENTRY
  };
  return fields;
}

#undef KORVALE_PARAM_FIELDS

const ParamField* FindConditionParamField(const std::string& name) {
  for (const ParamField& f : ConditionParamFields()) {
    if (name == f.name) return &f;
  }
  return nullptr;
}

double GetConditionParam(const ConditionSet& set, const ParamField& field) {
  const auto* base = reinterpret_cast<const uint8_t*>(&set) + field.offset;
  if (field.valueType == ParamType::kInt32) return LoadLE<int32_t>(base);
  return LoadLE<double>(base);
}

bool SetConditionParam(ConditionSet* set, const ParamField& field, double value) {
  auto* base = reinterpret_cast<uint8_t*>(set) + field.offset;
  if (field.valueType == ParamType::kDouble) {
    if (std::isnan(value)) return false;
    StoreLE<double>(base, value);
    return true;
  }
  if (!(value >= -2147483648.0 && value < 2147483648.0)) return false;
  StoreLE<int32_t>(base, static_cast<int32_t>(value));
  return true;
}

}  // namespace korvale
