// One screening rule in memory: which of the 34 condition types are on, their parameters and
// weights, and how they combine.
#ifndef KORVALE_SCREENING_CONDITION_SET_H_
#define KORVALE_SCREENING_CONDITION_SET_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/settings_record.h"

namespace korvale {

inline constexpr int kConditionTypeCount = 34;
inline constexpr size_t kConditionSetNameSize = 64;

// Directions of the numeric conditions: 0 以上 (at or above), non-zero 以下 (at or below).
inline constexpr int32_t kAtOrAbove = 0;
inline constexpr int32_t kAtOrBelow = 1;

// Copied by value. The day-count fields only copy an indicator period for the description;
// no test reads them. `name` is cp932, terminated within its 64 bytes.
struct ConditionSet {
  int32_t mode;  // 0: every enabled condition must hold; 1: weighted score
  double scoreThreshold;
  int32_t enabled[kConditionTypeCount];
  double weights[kConditionTypeCount];
  char name[kConditionSetNameSize];
  // [0]
  int32_t minPrice;
  // [1]
  int32_t maxPrice;
  // [2]
  double changePercent;
  int32_t changeDirection;
  // [3]
  double volumeTimes;
  // [4]
  int32_t dev1Days;
  double dev1Value;
  int32_t dev1Direction;
  // [5]
  int32_t dev2Days;
  double dev2Value;
  int32_t dev2Direction;
  // [6]
  int32_t rci1Days;
  double rci1Value;
  int32_t rci1Direction;
  // [7]
  int32_t rci2Days;
  double rci2Value;
  int32_t rci2Direction;
  // [8]
  int32_t positionChoice;
  // [9]
  int32_t maCrossChoice;
  // [10]
  int32_t levelZone;  // 0 高値圏, non-zero 安値圏
  int32_t levelMonths;
  double levelPercent;
  // [13]
  int32_t vrDays;
  double vrValue;
  int32_t vrDirection;
  // [14]
  int32_t oscLongDays;
  int32_t oscShortDays;
  int32_t oscDirection;
  double oscValue;
  // [15]
  int32_t rsi1Days;
  double rsi1Value;
  int32_t rsi1Direction;
  // [16]
  int32_t rsi2Days;
  double rsi2Value;
  int32_t rsi2Direction;
  // [17]
  int32_t ichimoku1Choice;
  // [18]
  int32_t ichimoku2Choice;
  // [19]
  int32_t ichimoku3Choice;
  // [20]
  int32_t stochKDays;
  double stochKValue;
  int32_t stochKDirection;
  // [21]
  int32_t stochDDays;
  double stochDValue;
  int32_t stochDDirection;
  // [22]
  int32_t trendLineChoice;
  // [23]
  int32_t bbWidthDays;
  double bbWidthValue;
  int32_t bbWidthDirection;
  // [24]
  int32_t bbBreakChoice;
  // [25]
  int32_t cciDays;
  double cciValue;
  int32_t cciDirection;
  // [26]
  int32_t dmiAdxChoice;
  // [27]
  int32_t dmiCrossChoice;
  // [28]
  int32_t macdDays;
  double macdValue;
  int32_t macdDirection;
  // [29]
  int32_t macdCrossChoice;
  // [30]
  double obvValue;
  int32_t obvDirection;
  // [31]
  int32_t sarChoice;
  // [32]
  int32_t corrDays;
  double corrValue;
  int32_t corrDirection;
  // [33]
  int32_t devIndexDays;
  double devIndexValue;
  int32_t devIndexDirection;
};

// The defaults of a new set: every field 0 (mode 0, nothing enabled, empty name, thresholds 0,
// directions 以上, zone 高値圏, choices 0), then the informational day counts copied from the
// settings' indicator periods.
void InitConditionSet(ConditionSet* set, const SettingsRecord& settings);

// Sets the name from cp932 text, cut to the 63 bytes the field holds without splitting a
// double-byte character.
void SetConditionSetName(ConditionSet* set, const std::string& cp932);

// The parameter fields by name, in layout order, for printing and for setting a field by name.
enum class ParamType { kInt32, kDouble };
struct ParamField {
  const char* name;
  int type;  // the condition type the field belongs to
  ParamType valueType;
  size_t offset;
};
const std::vector<ParamField>& ConditionParamFields();
const ParamField* FindConditionParamField(const std::string& name);

// A parameter field's value as a double (exact for the int32 fields) and written back; a value
// for an int32 field is truncated toward zero and must lie in the int32 range (false if not).
double GetConditionParam(const ConditionSet& set, const ParamField& field);
bool SetConditionParam(ConditionSet* set, const ParamField& field, double value);

}  // namespace korvale

#endif  // KORVALE_SCREENING_CONDITION_SET_H_
