// The analysis record: the fixed 304-byte snapshot of one stock that every screening condition
// reads. Its byte layout is also the record format of the analysis cache file.
#ifndef KORVALE_SCREENING_ANALYSIS_RECORD_H_
#define KORVALE_SCREENING_ANALYSIS_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvale {

inline constexpr size_t kAnalysisRecordSize = 304;

// Values a field holds when its computation lacks data. Conditions exclude them by their valid
// ranges or because no choice equals them.
inline constexpr double kRecordInvalid = -10000;      // rci, rsi, volume ratio, oscillator
inline constexpr double kRecordInvalidLevel = -1000;  // stochD, band width, MACD and OBV levels
inline constexpr int32_t kPositionCodeNone = 9999;
inline constexpr int32_t kIchimokuCodeNone = 100;
inline constexpr int32_t kTrendLineCodeNone = 255;
inline constexpr int32_t kCodeNone = -1;  // Bollinger break, DMI, MACD cross, SAR

// Bits of crossFlags.
inline constexpr int32_t kCrossPriceOverLong = 1;
inline constexpr int32_t kCrossPriceOverShort = 2;
inline constexpr int32_t kCrossPriceUnderLong = 4;
inline constexpr int32_t kCrossPriceUnderShort = 8;
inline constexpr int32_t kCrossLongOverShort = 16;
inline constexpr int32_t kCrossLongUnderShort = 32;
inline constexpr int32_t kCandleEngulfing = 64;  // つつみ線
inline constexpr int32_t kCandleInside = 128;    // はらみ線

// Members stand at their file offsets (checked in analysis_record.cc); the reserved words are
// never assigned and stay zero.
struct AnalysisRecord {
  int32_t stockIndex = 0;
  int32_t lastClose = 0;
  int32_t priceChange = 0;
  int32_t reserved12 = 0;
  double priceChangePercent = 0;
  int32_t lastVolume = 0;
  int32_t reserved28 = 0;
  double volumeChange = 0;
  double maShort = 0;
  double maShortPrev = 0;
  double maLong = 0;
  double maLongPrev = 0;
  double rci1 = kRecordInvalid;
  uint8_t reserved80[8] = {};
  double rci2 = kRecordInvalid;
  uint8_t reserved96[8] = {};
  int32_t positionCode = kPositionCodeNone;
  int32_t crossFlags = 0;
  int32_t highThisYear = 0;
  int32_t lowThisYear = 0;
  int32_t highSinceLastYear = 0;
  int32_t lowSinceLastYear = 0;
  int32_t highFiveYears = 0;
  int32_t lowFiveYears = 0;
  int32_t highAll = 0;
  int32_t lowAll = 0;
  int32_t periodHigh = 0;
  int32_t periodLow = 0;
  double rsi1 = kRecordInvalid;
  double rsi2 = kRecordInvalid;
  double volumeRatio = kRecordInvalid;
  double oscillator = kRecordInvalid;
  int32_t ichimokuCross = kIchimokuCodeNone;
  int32_t ichimokuSlope = kIchimokuCodeNone;
  int32_t ichimokuCloud = kIchimokuCodeNone;
  int32_t reserved196 = 0;
  double stochK = 0;
  double stochD = kRecordInvalidLevel;
  int32_t trendLineCode = kTrendLineCodeNone;
  int32_t reserved220 = 0;
  double bollingerWidth = kRecordInvalidLevel;
  int32_t bollingerBreak = kCodeNone;
  int32_t reserved236 = 0;
  double cci = 0;
  int32_t dmiAdxCode = kCodeNone;
  int32_t dmiCrossCode = kCodeNone;
  double macdLevel = kRecordInvalidLevel;
  int32_t macdCrossCode = kCodeNone;
  int32_t reserved268 = 0;
  double obvLevel = kRecordInvalidLevel;
  int32_t sarCode = kCodeNone;
  int32_t reserved284 = 0;
  double indexCorrelation = 0;
  double indexDeviation = 0;
};

// Writes the record as its 304 little-endian bytes at `out` (reserved words as zero).
void EncodeAnalysisRecord(const AnalysisRecord& rec, uint8_t* out);
// Reads 304 bytes at `in`. Every bit pattern decodes; the values are what the bytes say.
AnalysisRecord DecodeAnalysisRecord(const uint8_t* in);

// The named fields in layout order, for printing records and for reading a field by name.
enum class RecordFieldType { kInt32, kDouble };
struct RecordField {
  const char* name;
  size_t offset;
  RecordFieldType type;
};
const std::vector<RecordField>& AnalysisRecordFields();

// A field's value as text: integers in decimal, doubles with 17 significant digits so that the
// text reads back to the same value.
std::string RecordFieldText(const AnalysisRecord& rec, const RecordField& field);

}  // namespace korvale

#endif  // KORVALE_SCREENING_ANALYSIS_RECORD_H_
