#include "store/settings_record.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <type_traits>

namespace korvale {

static_assert(std::is_standard_layout_v<SettingsRecord>);
static_assert(std::is_trivially_copyable_v<SettingsRecord>);

// Every field with its file offset; the offsets are checked against the layout at compile time.
#define KORVALE_SETTINGS_FIELDS(X)                  \
  X(formatVersion, 0, kUInt32)                      \
  X(dataSourceMode, 4, kInt32)                      \
  X(peerServerUrl, 8, kString)                      \
  X(dataRootDir, 136, kString)                      \
  X(workDir, 264, kString)                          \
  X(allStocksUrl, 392, kString)                     \
  X(quoteSearchUrl, 520, kString)                   \
  X(proxyHost, 648, kString)                        \
  X(useProxy, 680, kInt32)                          \
  X(proxyPort, 684, kInt32)                         \
  X(savedDataSourceMode, 688, kInt32)               \
  X(savedServerUrl, 692, kString)                   \
  X(savedRootDir, 820, kString)                     \
  X(dailySpanDays, 948, kInt16)                     \
  X(dailyAllPeriod, 952, kInt32)                    \
  X(dailyWeeklyBeforeSpan, 956, kInt32)             \
  X(dailyBarStyle, 960, kInt16)                     \
  X(dailyShowVolume, 964, kInt32)                   \
  X(dailyShowMa, 968, kInt32)                       \
  X(dailyMaShort, 972, kInt16)                      \
  X(dailyMaLong, 974, kInt16)                       \
  X(dailyShowVolumeMa, 976, kInt32)                 \
  X(dailyVolumeMaShort, 980, kInt16)                \
  X(dailyVolumeMaLong, 982, kInt16)                 \
  X(dailyShowDeviation, 984, kInt32)                \
  X(dailyShowOscillator, 988, kInt32)               \
  X(dailyShowPsychological, 992, kInt32)            \
  X(dailyShowRci, 996, kInt32)                      \
  X(rciPeriod1, 1000, kInt32)                       \
  X(rciPeriod2, 1004, kInt32)                       \
  X(dailyShowVolumeRatio, 1008, kInt32)             \
  X(volumeRatioPeriod, 1012, kInt32)                \
  X(dailyShowPriceVolumeHistogram, 1016, kInt32)    \
  X(histogramPeriod, 1020, kInt32)                  \
  X(dailyShowRsi, 1024, kInt32)                     \
  X(rsiPeriod1, 1028, kInt32)                       \
  X(rsiPeriod2, 1032, kInt32)                       \
  X(dailyShowStochastics, 1036, kInt32)             \
  X(stochasticsPeriod, 1040, kInt32)                \
  X(stochasticsSumPeriod, 1044, kInt32)             \
  X(dailyShowMacd, 1048, kInt32)                    \
  X(macdPeriod1, 1052, kInt32)                      \
  X(macdPeriod2, 1056, kInt32)                      \
  X(macdSignalPeriod, 1060, kInt32)                 \
  X(dailyShowObv, 1064, kInt32)                     \
  X(dailyShowDmi, 1068, kInt32)                     \
  X(dmiPeriod, 1072, kInt32)                        \
  X(dailyShowCci, 1076, kInt32)                     \
  X(cciPeriod, 1080, kInt32)                        \
  X(dailyShowBollinger, 1084, kInt32)               \
  X(bollingerPeriod, 1088, kInt32)                  \
  X(dailyShowParabolic, 1092, kInt32)               \
  X(sarStep, 1096, kDouble)                         \
  X(sarMax, 1104, kDouble)                          \
  X(dailyIndexAnalysis, 1112, kInt32)               \
  X(dailyIndexPeriod, 1116, kInt32)                 \
  X(weeklySpanWeeks, 1120, kInt16)                  \
  X(weeklyBarStyle, 1124, kInt32)                   \
  X(weeklyShowVolume, 1128, kInt32)                 \
  X(weeklyShowMa, 1132, kInt32)                     \
  X(weeklyMaShort, 1136, kInt16)                    \
  X(weeklyMaLong, 1138, kInt16)                     \
  X(weeklyShowVolumeMa, 1140, kInt32)               \
  X(weeklyVolumeMaShort, 1144, kInt16)              \
  X(weeklyVolumeMaLong, 1146, kInt16)               \
  X(weeklyShowDeviation, 1148, kInt32)              \
  X(weeklyShowOscillator, 1152, kInt32)             \
  X(weeklyShowMomentum, 1156, kInt32)               \
  X(weeklyMomentumMa, 1160, kInt32)                 \
  X(weeklyMomentumPeriod, 1164, kInt32)             \
  X(weeklyShowMargin, 1168, kInt32)                 \
  X(weeklyShowStochastics, 1172, kInt32)            \
  X(weeklyStochasticsPeriod, 1176, kInt32)          \
  X(weeklyStochasticsSumPeriod, 1180, kInt32)       \
  X(weeklyIndexAnalysis, 1184, kInt32)              \
  X(weeklyIndexPeriod, 1188, kInt32)                \
  X(monthlySpanMonths, 1192, kInt16)                \
  X(monthlyBarStyle, 1196, kInt32)                  \
  X(monthlyShowVolume, 1200, kInt32)                \
  X(monthlyShowMa, 1204, kInt32)                    \
  X(monthlyMaShort, 1208, kInt16)                   \
  X(monthlyMaLong, 1210, kInt16)                    \
  X(monthlyShowVolumeMa, 1212, kInt32)              \
  X(monthlyVolumeMaShort, 1216, kInt16)             \
  X(monthlyVolumeMaLong, 1218, kInt16)              \
  X(newPriceReversalLines, 1228, kInt16)            \
  X(newPriceSpanDays, 1230, kInt16)                 \
  X(kagiReversalYen, 1232, kInt32)                  \
  X(kagiReversalPercent, 1236, kInt32)              \
  X(kagiReversalMode, 1240, kInt16)                 \
  X(kagiSpanDays, 1242, kInt16)                     \
  X(reverseWatchMaDays, 1244, kInt16)               \
  X(reverseWatchSpanDays, 1246, kInt16)             \
  X(newPriceAllPeriod, 1248, kInt32)                \
  X(kagiAllPeriod, 1252, kInt32)                    \
  X(reverseWatchAllPeriod, 1256, kInt32)            \
  X(dailyTableDays, 1260, kInt16)                   \
  X(weeklyTableWeeks, 1262, kInt16)                 \
  X(monthlyTableMonths, 1264, kInt16)               \
  X(ichimokuDailyBase, 1280, kInt32)                \
  X(ichimokuDailyConversion, 1284, kInt32)          \
  X(ichimokuDailyLeadShiftB, 1288, kInt32)          \
  X(ichimokuDailySpanPeriod, 1292, kInt32)          \
  X(ichimokuDailyLeadShiftA, 1296, kInt32)          \
  X(ichimokuDailyLagging, 1300, kInt32)             \
  X(ichimokuWeeklyBase, 1304, kInt32)               \
  X(ichimokuWeeklyConversion, 1308, kInt32)         \
  X(ichimokuWeeklyLeadShiftB, 1312, kInt32)         \
  X(ichimokuWeeklySpanPeriod, 1316, kInt32)         \
  X(ichimokuWeeklyLeadShiftA, 1320, kInt32)         \
  X(ichimokuWeeklyLagging, 1324, kInt32)            \
  X(ichimokuMonthlyBase, 1328, kInt32)              \
  X(ichimokuMonthlyConversion, 1332, kInt32)        \
  X(ichimokuMonthlyLeadShiftB, 1336, kInt32)        \
  X(ichimokuMonthlySpanPeriod, 1340, kInt32)        \
  X(ichimokuMonthlyLeadShiftA, 1344, kInt32)        \
  X(ichimokuMonthlyLagging, 1348, kInt32)           \
  X(ichimokuBarStyle, 1352, kInt32)                 \
  X(colourTheme, 1356, kInt32)                      \
  X(highLowMonths, 1360, kInt32)                    \
  X(dailyWindowWidth, 1364, kInt32)                 \
  X(dailyWindowHeight, 1368, kInt32)                \
  X(cursorMode, 1372, kInt32)                       \
  X(thumbnailWidth, 1376, kInt32)                   \
  X(thumbnailHeight, 1380, kInt32)                  \
  X(thumbnailRows, 1384, kInt32)                    \
  X(thumbnailColumns, 1388, kInt32)                 \
  X(thumbnailBarStyle, 1392, kInt32)                \
  X(thumbnailShowVolume, 1396, kInt32)              \
  X(ichimokuWindowWidth, 1400, kInt32)              \
  X(ichimokuWindowHeight, 1404, kInt32)             \
  X(signalWindowWidth, 1408, kInt32)                \
  X(signalWindowHeight, 1412, kInt32)               \
  X(lineEditorWindowWidth, 1416, kInt32)            \
  X(lineEditorWindowHeight, 1420, kInt32)           \
  X(dailyAutoPeriod, 1432, kInt32)                  \
  X(useIndexAnalysis, 1436, kInt32)                 \
  X(indexStockCode, 1440, kInt32)

#define KORVALE_CHECK_OFFSET(name, off, type) \
  static_assert(offsetof(SettingsRecord, name) == (off), #name " is not at its file offset");
KORVALE_SETTINGS_FIELDS(KORVALE_CHECK_OFFSET)
#undef KORVALE_CHECK_OFFSET
static_assert(offsetof(SettingsRecord, reserved1424) == 1424);
static_assert(offsetof(SettingsRecord, reserved1428) == 1428);
static_assert(offsetof(SettingsRecord, unused1220) == 1220);
static_assert(offsetof(SettingsRecord, unused1266) == 1266);
static_assert(offsetof(SettingsRecord, unused1444) == 1444);

namespace {

const char kDefaultPeerServerUrl[] = "http://localhost/Korvale/KVISA.DLL?ALLST";
const char kDefaultAllStocksUrl[] = "http://www.korvale.example.jp/data/fetchlist.csv";
const char kDefaultQuoteSearchUrl[] = "http://quote.finance.example.jp/";

template <size_t N>
void CopyCut(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

}  // namespace

void ApplySettingsDefaults(SettingsRecord* r, const std::string& currentDir) {
  std::memset(r, 0, sizeof *r);
  r->formatVersion = kSettingsFormatVersion;
  r->dataSourceMode = 0;
  CopyCut(r->peerServerUrl, kDefaultPeerServerUrl);
  CopyCut(r->dataRootDir, currentDir);
  CopyCut(r->workDir, currentDir);
  CopyCut(r->allStocksUrl, kDefaultAllStocksUrl);
  CopyCut(r->quoteSearchUrl, kDefaultQuoteSearchUrl);
  r->useProxy = 0;
  r->proxyPort = 8080;

  r->dailySpanDays = 0;
  r->dailyShowVolume = 1;
  r->dailyShowMa = 1;
  r->dailyMaShort = 65;
  r->dailyMaLong = 130;
  r->dailyShowVolumeMa = 1;
  r->dailyVolumeMaShort = 5;
  r->dailyVolumeMaLong = 15;
  r->dailyShowRci = 1;
  r->rciPeriod1 = 13;
  r->rciPeriod2 = 26;
  r->volumeRatioPeriod = 25;
  r->histogramPeriod = 130;
  r->rsiPeriod1 = 14;
  r->rsiPeriod2 = 42;
  r->stochasticsPeriod = 12;
  r->stochasticsSumPeriod = 12;
  r->dailyShowMacd = 1;
  r->macdPeriod1 = 5;
  r->macdPeriod2 = 20;
  r->macdSignalPeriod = 9;
  r->dmiPeriod = 14;
  r->dailyShowCci = 1;
  r->cciPeriod = 14;
  r->dailyShowBollinger = 1;
  r->bollingerPeriod = 21;
  r->dailyShowParabolic = 1;
  r->sarStep = 0.02;
  r->sarMax = 0.2;
  r->dailyIndexPeriod = 200;
  r->dailyAutoPeriod = 1;

  r->weeklySpanWeeks = 120;
  r->weeklyShowVolume = 1;
  r->weeklyShowMa = 1;
  r->weeklyMaShort = 13;
  r->weeklyMaLong = 26;
  r->weeklyVolumeMaShort = 13;
  r->weeklyVolumeMaLong = 26;
  r->weeklyMomentumMa = 20;
  r->weeklyMomentumPeriod = 6;
  r->weeklyStochasticsPeriod = 13;
  r->weeklyStochasticsSumPeriod = 13;
  r->weeklyIndexPeriod = 26;

  r->monthlySpanMonths = 200;
  r->monthlyShowVolume = 1;
  r->monthlyShowMa = 1;
  r->monthlyMaShort = 13;
  r->monthlyMaLong = 26;
  r->monthlyVolumeMaShort = 13;
  r->monthlyVolumeMaLong = 26;

  r->newPriceReversalLines = 3;
  r->newPriceSpanDays = 100;
  r->kagiReversalYen = 100;
  r->kagiReversalPercent = 10;
  r->kagiReversalMode = 1;
  r->kagiSpanDays = 200;
  r->reverseWatchMaDays = 10;
  r->reverseWatchSpanDays = 100;
  r->dailyTableDays = 40;
  r->weeklyTableWeeks = 52;
  r->monthlyTableMonths = 48;
  r->thumbnailWidth = 128;
  r->thumbnailHeight = 64;
  r->thumbnailRows = 4;
  r->thumbnailColumns = 4;
  r->thumbnailShowVolume = 1;

  const int32_t ichimoku[3][6] = {{26, 9, 26, 52, 26, 26}, {5, 2, 5, 10, 5, 5},
                                  {26, 9, 26, 52, 26, 26}};
  int32_t* groups[3] = {&r->ichimokuDailyBase, &r->ichimokuWeeklyBase, &r->ichimokuMonthlyBase};
  for (int g = 0; g < 3; ++g) {
    // The six fields of a group are consecutive int32 fields.
    std::memcpy(groups[g], ichimoku[g], sizeof ichimoku[g]);
  }

  r->colourTheme = 0;
  r->highLowMonths = 6;
  r->cursorMode = 0;
  r->useIndexAnalysis = 0;
  r->indexStockCode = 1010;

  r->savedDataSourceMode = r->dataSourceMode;
  std::memcpy(r->savedServerUrl, r->peerServerUrl, sizeof r->savedServerUrl);
  std::memcpy(r->savedRootDir, r->dataRootDir, sizeof r->savedRootDir);
}

void EncodeSettingsRecord(const SettingsRecord& rec, uint8_t* out) {
  std::memcpy(out, &rec, kSettingsRecordSize);  // the layout is the file image (checked above)
}

void DecodeSettingsRecord(const uint8_t* in, size_t size, SettingsRecord* rec) {
  std::memcpy(rec, in, std::min(size, kSettingsRecordSize));
  // A file may carry strings without their terminator; never let one run past its field.
  for (const SettingsField& f : SettingsFields()) {
    char* field = reinterpret_cast<char*>(rec) + f.offset;
    if (f.type == SettingsFieldType::kString && !std::memchr(field, 0, f.size)) {
      field[f.size - 1] = '\0';
    }
  }
}

const std::vector<SettingsField>& SettingsFields() {
#define KORVALE_FIELD_ENTRY(name, off, type) \
  {#name, off, SettingsFieldType::type, sizeof(SettingsRecord::name)},
  static const std::vector<SettingsField> fields = {KORVALE_SETTINGS_FIELDS(KORVALE_FIELD_ENTRY)};
#undef KORVALE_FIELD_ENTRY
  return fields;
}

const SettingsField* FindSettingsField(const std::string& name) {
  for (const SettingsField& f : SettingsFields()) {
    if (name == f.name) return &f;
  }
  return nullptr;
}

namespace {

template <typename T>
T FieldValue(const SettingsRecord& rec, const SettingsField& f) {
  T v;
  std::memcpy(&v, reinterpret_cast<const char*>(&rec) + f.offset, sizeof v);
  return v;
}

template <typename T>
void SetFieldValue(SettingsRecord* rec, const SettingsField& f, T v) {
  std::memcpy(reinterpret_cast<char*>(rec) + f.offset, &v, sizeof v);
}

template <typename T>
bool ParseInteger(const std::string& text, T* out) {
  long long v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return false;
  if (v < static_cast<long long>(std::numeric_limits<T>::min()) ||
      v > static_cast<long long>(std::numeric_limits<T>::max()))
    return false;
  *out = static_cast<T>(v);
  return true;
}

}  // namespace

std::string SettingsFieldText(const SettingsRecord& rec, const SettingsField& f) {
  switch (f.type) {
    case SettingsFieldType::kInt16:
      return std::to_string(FieldValue<int16_t>(rec, f));
    case SettingsFieldType::kInt32:
      return std::to_string(FieldValue<int32_t>(rec, f));
    case SettingsFieldType::kUInt32:
      return std::to_string(FieldValue<uint32_t>(rec, f));
    case SettingsFieldType::kDouble: {
      char buf[40];
      std::snprintf(buf, sizeof buf, "%.17g", FieldValue<double>(rec, f));
      return buf;
    }
    case SettingsFieldType::kString: {
      const char* s = reinterpret_cast<const char*>(&rec) + f.offset;
      return std::string(s, strnlen(s, f.size));
    }
  }
  return {};
}

int64_t SettingsFieldNumber(const SettingsRecord& rec, const SettingsField& f) {
  switch (f.type) {
    case SettingsFieldType::kInt16:
      return FieldValue<int16_t>(rec, f);
    case SettingsFieldType::kInt32:
      return FieldValue<int32_t>(rec, f);
    case SettingsFieldType::kUInt32:
      return FieldValue<uint32_t>(rec, f);
    default:
      return 0;
  }
}

bool SetSettingsFieldText(SettingsRecord* rec, const SettingsField& f, const std::string& text) {
  switch (f.type) {
    case SettingsFieldType::kInt16: {
      int16_t v;
      if (!ParseInteger(text, &v)) return false;
      SetFieldValue(rec, f, v);
      return true;
    }
    case SettingsFieldType::kInt32: {
      int32_t v;
      if (!ParseInteger(text, &v)) return false;
      SetFieldValue(rec, f, v);
      return true;
    }
    case SettingsFieldType::kUInt32: {
      uint32_t v;
      if (!ParseInteger(text, &v)) return false;
      SetFieldValue(rec, f, v);
      return true;
    }
    case SettingsFieldType::kDouble: {
      double v = 0;
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
      if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(v)) return false;
      SetFieldValue(rec, f, v);
      return true;
    }
    case SettingsFieldType::kString: {
      if (text.size() >= f.size || text.find('\0') != std::string::npos) return false;
      char* s = reinterpret_cast<char*>(rec) + f.offset;
      std::memset(s, 0, f.size);
      std::memcpy(s, text.data(), text.size());
      return true;
    }
  }
  return false;
}

}  // namespace korvale
