// The tests of the 34 condition types, one function each, and the two evaluation modes.
#include "screening/condition_catalogue.h"

#include <algorithm>
#include <cmath>

namespace korvale {

namespace {

enum End { kOpen, kClosed };

// The direction test D(lo, hi) of a numeric condition: the threshold is first clamped to the
// field's valid range, and a value beyond the range (an invalid marker) never holds. Written
// as "holds when" so that a NaN value or threshold holds in neither direction.
bool Directional(double v, double threshold, int32_t direction, double lo, End loEnd, double hi,
                 End hiEnd) {
  if (direction == kAtOrAbove) {
    const double t = std::max(threshold, lo);
    return v >= t && (hiEnd == kClosed ? v <= hi : v < hi);
  }
  const double t = std::min(threshold, hi);
  return v <= t && (loEnd == kClosed ? v >= lo : v > lo);
}

// Deviation of the close from an average, in per cent, within +-10000.
bool Deviation(const AnalysisRecord& r, double average, double threshold, int32_t direction) {
  if (!(average > 0)) return false;
  const double dev = (r.lastClose / average - 1) * 100;
  if (direction == kAtOrAbove) return dev >= threshold && dev < 10000;
  return dev > -10000 && dev <= threshold;
}

using Set = ConditionSet;
using Rec = AnalysisRecord;

bool MinPrice(const Set& s, const Rec& r) { return r.lastClose >= s.minPrice; }
bool MaxPrice(const Set& s, const Rec& r) { return r.lastClose <= s.maxPrice; }
bool PriceChange(const Set& s, const Rec& r) {
  const double v = r.priceChangePercent;
  return s.changeDirection == kAtOrAbove ? v >= s.changePercent : v <= s.changePercent;
}
bool VolumeChange(const Set& s, const Rec& r) { return r.volumeChange >= s.volumeTimes; }
bool DeviationShort(const Set& s, const Rec& r) {
  return Deviation(r, r.maShort, s.dev1Value, s.dev1Direction);
}
bool DeviationLong(const Set& s, const Rec& r) {
  return Deviation(r, r.maLong, s.dev2Value, s.dev2Direction);
}
bool Rci1(const Set& s, const Rec& r) {
  return Directional(r.rci1, s.rci1Value, s.rci1Direction, -100, kClosed, 100, kClosed);
}
bool Rci2(const Set& s, const Rec& r) {
  return Directional(r.rci2, s.rci2Value, s.rci2Direction, -100, kClosed, 100, kClosed);
}
bool Position(const Set& s, const Rec& r) { return r.positionCode == s.positionChoice; }
bool MaCross(const Set& s, const Rec& r) {
  // The shift is taken modulo 32, as the machine shift of a 32-bit word does.
  const uint32_t bit = uint32_t{1} << (static_cast<uint32_t>(s.maCrossChoice) & 31u);
  return (static_cast<uint32_t>(r.crossFlags) & bit) != 0;
}
bool PriceLevel(const Set& s, const Rec& r) {
  // The product is truncated toward zero before the comparison (kept as a double, so that an
  // absurd percentage cannot overflow an integer).
  const double p = s.levelPercent;
  if (s.levelZone == 0) return r.lastClose > std::trunc((100 - p) * r.periodHigh * 0.01);
  return r.lastClose < std::trunc((p + 100) * r.periodLow * 0.01);
}
bool Engulfing(const Set&, const Rec& r) { return (r.crossFlags & kCandleEngulfing) != 0; }
bool Inside(const Set&, const Rec& r) { return (r.crossFlags & kCandleInside) != 0; }
bool VolumeRatio(const Set& s, const Rec& r) {
  return Directional(r.volumeRatio, s.vrValue, s.vrDirection, 0, kClosed, 10000, kOpen);
}
bool Oscillator(const Set& s, const Rec& r) {
  if (s.oscDirection == kAtOrAbove) return r.oscillator >= std::max(s.oscValue, 0.0);
  return r.oscillator <= s.oscValue;
}
bool Rsi1(const Set& s, const Rec& r) {
  return Directional(r.rsi1, s.rsi1Value, s.rsi1Direction, -100, kClosed, 100, kClosed);
}
bool Rsi2(const Set& s, const Rec& r) {
  return Directional(r.rsi2, s.rsi2Value, s.rsi2Direction, -100, kClosed, 100, kClosed);
}
bool Ichimoku1(const Set& s, const Rec& r) { return r.ichimokuCross == s.ichimoku1Choice; }
bool Ichimoku2(const Set& s, const Rec& r) { return r.ichimokuSlope == s.ichimoku2Choice; }
bool Ichimoku3(const Set& s, const Rec& r) { return r.ichimokuCloud == s.ichimoku3Choice; }
bool StochK(const Set& s, const Rec& r) {
  return Directional(r.stochK, s.stochKValue, s.stochKDirection, -100, kClosed, 100, kClosed);
}
bool StochD(const Set& s, const Rec& r) {
  return Directional(r.stochD, s.stochDValue, s.stochDDirection, -100, kClosed, 100, kClosed);
}
bool TrendLine(const Set& s, const Rec& r) { return r.trendLineCode == s.trendLineChoice; }
bool BandWidth(const Set& s, const Rec& r) {
  return Directional(r.bollingerWidth, s.bbWidthValue, s.bbWidthDirection, 0, kClosed, 10000,
                     kOpen);
}
bool BandBreak(const Set& s, const Rec& r) { return r.bollingerBreak == s.bbBreakChoice; }
bool Cci(const Set& s, const Rec& r) {
  return Directional(r.cci, s.cciValue, s.cciDirection, -500, kOpen, 500, kOpen);
}
bool DmiAdx(const Set& s, const Rec& r) { return r.dmiAdxCode == s.dmiAdxChoice; }
bool DmiCross(const Set& s, const Rec& r) { return r.dmiCrossCode == s.dmiCrossChoice; }
bool Macd(const Set& s, const Rec& r) {
  return Directional(r.macdLevel, s.macdValue, s.macdDirection, -1000, kOpen, 1000, kOpen);
}
bool MacdCross(const Set& s, const Rec& r) { return r.macdCrossCode == s.macdCrossChoice; }
bool Obv(const Set& s, const Rec& r) {
  return Directional(r.obvLevel, s.obvValue, s.obvDirection, 0, kClosed, 100, kClosed);
}
bool Sar(const Set& s, const Rec& r) { return r.sarCode == s.sarChoice; }
bool IndexCorrelation(const Set& s, const Rec& r) {
  return Directional(r.indexCorrelation, s.corrValue, s.corrDirection, -100, kOpen, 100, kOpen);
}
bool IndexDeviation(const Set& s, const Rec& r) {
  return Directional(r.indexDeviation, s.devIndexValue, s.devIndexDirection, -100, kOpen, 100,
                     kOpen);
}

using Test = bool (*)(const Set&, const Rec&);
constexpr Test kTests[kConditionTypeCount] = {
    MinPrice,  MaxPrice,    PriceChange,      VolumeChange,   DeviationShort, DeviationLong,
    Rci1,      Rci2,        Position,         MaCross,        PriceLevel,     Engulfing,
    Inside,    VolumeRatio, Oscillator,       Rsi1,           Rsi2,           Ichimoku1,
    Ichimoku2, Ichimoku3,   StochK,           StochD,         TrendLine,      BandWidth,
    BandBreak, Cci,         DmiAdx,           DmiCross,       Macd,           MacdCross,
    Obv,       Sar,         IndexCorrelation, IndexDeviation,
};

}  // namespace

bool TestCondition(const ConditionSet& set, int type, const AnalysisRecord& record) {
  if (type < 0 || type >= kConditionTypeCount) return false;
  return kTests[type](set, record);
}

bool MatchesAll(const ConditionSet& set, const AnalysisRecord& record) {
  for (int type = 0; type < kConditionTypeCount; ++type) {
    if (set.enabled[type] && !kTests[type](set, record)) return false;
  }
  return true;
}

double Score(const ConditionSet& set, const AnalysisRecord& record) {
  double score = 0;
  for (int type = 0; type < kConditionTypeCount; ++type) {
    if (set.enabled[type] && kTests[type](set, record)) score += set.weights[type];
  }
  return score;
}

bool ListedByScreening(const ConditionSet& set, const AnalysisRecord& record) {
  if (set.mode == 0) return MatchesAll(set, record);
  return std::trunc(Score(set, record)) >= set.scoreThreshold;
}

bool CountedByValidation(const ConditionSet& set, const AnalysisRecord& record) {
  if (set.mode == 0) return MatchesAll(set, record);
  return Score(set, record) > set.scoreThreshold;
}

}  // namespace korvale
