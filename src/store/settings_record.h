// The settings record: every tunable of the program, laid out as the exact 1448-byte image of
// the settings file Korvale2.INI.
#ifndef KORVALE_STORE_SETTINGS_RECORD_H_
#define KORVALE_STORE_SETTINGS_RECORD_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvale {

inline constexpr uint32_t kSettingsFormatVersion = 0x00020201;
inline constexpr size_t kSettingsRecordSize = 1448;
inline constexpr const char* kSettingsFileName = "Korvale2.INI";

// Strings are NUL-terminated cp932 text. Padding members keep every field at its file offset;
// they are never assigned and stay zero.
struct SettingsRecord {
  uint32_t formatVersion;
  int32_t dataSourceMode;
  char peerServerUrl[128];
  char dataRootDir[128];
  char workDir[128];
  char allStocksUrl[128];
  char quoteSearchUrl[128];
  char proxyHost[32];
  int32_t useProxy;
  int32_t proxyPort;
  int32_t savedDataSourceMode;
  char savedServerUrl[128];
  char savedRootDir[128];
  // Daily chart.
  int16_t dailySpanDays;
  int16_t unused950;
  int32_t dailyAllPeriod;
  int32_t dailyWeeklyBeforeSpan;
  int16_t dailyBarStyle;
  int16_t unused962;
  int32_t dailyShowVolume;
  int32_t dailyShowMa;
  int16_t dailyMaShort;
  int16_t dailyMaLong;
  int32_t dailyShowVolumeMa;
  int16_t dailyVolumeMaShort;
  int16_t dailyVolumeMaLong;
  int32_t dailyShowDeviation;
  int32_t dailyShowOscillator;
  int32_t dailyShowPsychological;
  int32_t dailyShowRci;
  int32_t rciPeriod1;
  int32_t rciPeriod2;
  int32_t dailyShowVolumeRatio;
  int32_t volumeRatioPeriod;
  int32_t dailyShowPriceVolumeHistogram;
  int32_t histogramPeriod;
  int32_t dailyShowRsi;
  int32_t rsiPeriod1;
  int32_t rsiPeriod2;
  int32_t dailyShowStochastics;
  int32_t stochasticsPeriod;
  int32_t stochasticsSumPeriod;
  int32_t dailyShowMacd;
  int32_t macdPeriod1;
  int32_t macdPeriod2;
  int32_t macdSignalPeriod;
  int32_t dailyShowObv;
  int32_t dailyShowDmi;
  int32_t dmiPeriod;
  int32_t dailyShowCci;
  int32_t cciPeriod;
  int32_t dailyShowBollinger;
  int32_t bollingerPeriod;
  int32_t dailyShowParabolic;
  double sarStep;
  double sarMax;
  int32_t dailyIndexAnalysis;
  int32_t dailyIndexPeriod;
  // Weekly chart.
  int16_t weeklySpanWeeks;
  int16_t unused1122;
  int32_t weeklyBarStyle;
  int32_t weeklyShowVolume;
  int32_t weeklyShowMa;
  int16_t weeklyMaShort;
  int16_t weeklyMaLong;
  int32_t weeklyShowVolumeMa;
  int16_t weeklyVolumeMaShort;
  int16_t weeklyVolumeMaLong;
  int32_t weeklyShowDeviation;
  int32_t weeklyShowOscillator;
  int32_t weeklyShowMomentum;
  int32_t weeklyMomentumMa;
  int32_t weeklyMomentumPeriod;
  int32_t weeklyShowMargin;
  int32_t weeklyShowStochastics;
  int32_t weeklyStochasticsPeriod;
  int32_t weeklyStochasticsSumPeriod;
  int32_t weeklyIndexAnalysis;
  int32_t weeklyIndexPeriod;
  // Monthly chart.
  int16_t monthlySpanMonths;
  int16_t unused1194;
  int32_t monthlyBarStyle;
  int32_t monthlyShowVolume;
  int32_t monthlyShowMa;
  int16_t monthlyMaShort;
  int16_t monthlyMaLong;
  int32_t monthlyShowVolumeMa;
  int16_t monthlyVolumeMaShort;
  int16_t monthlyVolumeMaLong;
  uint8_t unused1220[8];
  // Auxiliary charts, tables.
  int16_t newPriceReversalLines;
  int16_t newPriceSpanDays;
  int32_t kagiReversalYen;
  int32_t kagiReversalPercent;
  int16_t kagiReversalMode;
  int16_t kagiSpanDays;
  int16_t reverseWatchMaDays;
  int16_t reverseWatchSpanDays;
  int32_t newPriceAllPeriod;
  int32_t kagiAllPeriod;
  int32_t reverseWatchAllPeriod;
  int16_t dailyTableDays;
  int16_t weeklyTableWeeks;
  int16_t monthlyTableMonths;
  uint8_t unused1266[14];
  // Ichimoku.
  int32_t ichimokuDailyBase;
  int32_t ichimokuDailyConversion;
  int32_t ichimokuDailyLeadShiftB;
  int32_t ichimokuDailySpanPeriod;
  int32_t ichimokuDailyLeadShiftA;
  int32_t ichimokuDailyLagging;
  int32_t ichimokuWeeklyBase;
  int32_t ichimokuWeeklyConversion;
  int32_t ichimokuWeeklyLeadShiftB;
  int32_t ichimokuWeeklySpanPeriod;
  int32_t ichimokuWeeklyLeadShiftA;
  int32_t ichimokuWeeklyLagging;
  int32_t ichimokuMonthlyBase;
  int32_t ichimokuMonthlyConversion;
  int32_t ichimokuMonthlyLeadShiftB;
  int32_t ichimokuMonthlySpanPeriod;
  int32_t ichimokuMonthlyLeadShiftA;
  int32_t ichimokuMonthlyLagging;
  int32_t ichimokuBarStyle;
  // Other windows.
  int32_t colourTheme;
  int32_t highLowMonths;
  int32_t dailyWindowWidth;
  int32_t dailyWindowHeight;
  int32_t cursorMode;
  int32_t thumbnailWidth;
  int32_t thumbnailHeight;
  int32_t thumbnailRows;
  int32_t thumbnailColumns;
  int32_t thumbnailBarStyle;
  int32_t thumbnailShowVolume;
  int32_t ichimokuWindowWidth;
  int32_t ichimokuWindowHeight;
  int32_t signalWindowWidth;
  int32_t signalWindowHeight;
  int32_t lineEditorWindowWidth;
  int32_t lineEditorWindowHeight;
  int32_t reserved1424;
  int32_t reserved1428;
  int32_t dailyAutoPeriod;
  int32_t useIndexAnalysis;
  int32_t indexStockCode;
  uint8_t unused1444[4];
};

static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);

// Fills every field with its default; the three saved fields copy the values in effect and the
// two folders get `currentDir` (cut at 127 bytes). Bytes that carry nothing are zero.
void ApplySettingsDefaults(SettingsRecord* rec, const std::string& currentDir);

// The record's file image and back. Decoding takes up to 1448 bytes over the record in place
// (a short image leaves the tail as it was) and then terminates every string within its field.
void EncodeSettingsRecord(const SettingsRecord& rec, uint8_t* out);
void DecodeSettingsRecord(const uint8_t* in, size_t size, SettingsRecord* rec);

// Copies text into a fixed string field. Returns false, leaving the field unchanged, when the
// text does not fit (never cut into a different value).
template <size_t N>
bool SetSettingsString(char (&field)[N], const std::string& text);

// Field catalogue: every named field with its offset, used to print and to override settings
// by name.
enum class SettingsFieldType { kInt16, kInt32, kUInt32, kDouble, kString };
struct SettingsField {
  const char* name;
  size_t offset;
  SettingsFieldType type;
  size_t size;  // bytes of the field
};
const std::vector<SettingsField>& SettingsFields();
const SettingsField* FindSettingsField(const std::string& name);

// Reads a field as text (numbers in decimal, doubles to 17 significant digits, strings as the
// raw cp932 bytes).
std::string SettingsFieldText(const SettingsRecord& rec, const SettingsField& field);
// Sets a numeric or string field from text. False when the text is not a number of the field's
// range or a string too long for it.
bool SetSettingsFieldText(SettingsRecord* rec, const SettingsField& field, const std::string& text);
// The value of an integer field (int16, int32 or uint32); 0 for a double or string field.
int64_t SettingsFieldNumber(const SettingsRecord& rec, const SettingsField& field);

template <size_t N>
bool SetSettingsString(char (&field)[N], const std::string& text) {
  if (text.size() >= N || text.find('\0') != std::string::npos) return false;
  std::fill(field, field + N, '\0');
  text.copy(field, text.size());
  return true;
}

}  // namespace korvale

#endif  // KORVALE_STORE_SETTINGS_RECORD_H_
