#include "screening/analysis_record.h"

#include <charconv>
#include <cstring>
#include <type_traits>

#include "store/byte_order.h"

namespace korvale {

static_assert(std::is_standard_layout_v<AnalysisRecord>);
static_assert(std::is_trivially_copyable_v<AnalysisRecord>);
static_assert(sizeof(AnalysisRecord) == kAnalysisRecordSize);

// Every named field with its file offset; each offset is checked against the layout, so the
// struct, the codec and the printed field list cannot drift apart.
#define KORVALE_RECORD_FIELDS(X)     \
  X(stockIndex, 0, kInt32)           \
  X(lastClose, 4, kInt32)            \
  X(priceChange, 8, kInt32)          \
  X(priceChangePercent, 16, kDouble) \
  X(lastVolume, 24, kInt32)          \
  X(volumeChange, 32, kDouble)       \
  X(maShort, 40, kDouble)            \
  X(maShortPrev, 48, kDouble)        \
  X(maLong, 56, kDouble)             \
  X(maLongPrev, 64, kDouble)         \
  X(rci1, 72, kDouble)               \
  X(rci2, 88, kDouble)               \
  X(positionCode, 104, kInt32)       \
  X(crossFlags, 108, kInt32)         \
  X(highThisYear, 112, kInt32)       \
  X(lowThisYear, 116, kInt32)        \
  X(highSinceLastYear, 120, kInt32)  \
  X(lowSinceLastYear, 124, kInt32)   \
  X(highFiveYears, 128, kInt32)      \
  X(lowFiveYears, 132, kInt32)       \
  X(highAll, 136, kInt32)            \
  X(lowAll, 140, kInt32)             \
  X(periodHigh, 144, kInt32)         \
  X(periodLow, 148, kInt32)          \
  X(rsi1, 152, kDouble)              \
  X(rsi2, 160, kDouble)              \
  X(volumeRatio, 168, kDouble)       \
  X(oscillator, 176, kDouble)        \
  X(ichimokuCross, 184, kInt32)      \
  X(ichimokuSlope, 188, kInt32)      \
  X(ichimokuCloud, 192, kInt32)      \
  X(stochK, 200, kDouble)            \
  X(stochD, 208, kDouble)            \
  X(trendLineCode, 216, kInt32)      \
  X(bollingerWidth, 224, kDouble)    \
  X(bollingerBreak, 232, kInt32)     \
  X(cci, 240, kDouble)               \
  X(dmiAdxCode, 248, kInt32)         \
  X(dmiCrossCode, 252, kInt32)       \
  X(macdLevel, 256, kDouble)         \
  X(macdCrossCode, 264, kInt32)      \
  X(obvLevel, 272, kDouble)          \
  X(sarCode, 280, kInt32)            \
  X(indexCorrelation, 288, kDouble)  \
  X(indexDeviation, 296, kDouble)

#define KORVALE_CHECK_OFFSET(name, offset, type) \
  static_assert(offsetof(AnalysisRecord, name) == (offset), #name " is not at its offset");
KORVALE_RECORD_FIELDS(KORVALE_CHECK_OFFSET)
#undef KORVALE_CHECK_OFFSET

// The reserved words between the fields.
static_assert(offsetof(AnalysisRecord, reserved12) == 12);
static_assert(offsetof(AnalysisRecord, reserved28) == 28);
static_assert(offsetof(AnalysisRecord, reserved80) == 80);
static_assert(offsetof(AnalysisRecord, reserved96) == 96);
static_assert(offsetof(AnalysisRecord, reserved196) == 196);
static_assert(offsetof(AnalysisRecord, reserved220) == 220);
static_assert(offsetof(AnalysisRecord, reserved236) == 236);
static_assert(offsetof(AnalysisRecord, reserved268) == 268);
static_assert(offsetof(AnalysisRecord, reserved284) == 284);

namespace {

template <typename T>
void Put(uint8_t* out, size_t offset, T value) {
  StoreLE<T>(out + offset, value);
}

template <typename T>
void Get(const uint8_t* in, size_t offset, T* value) {
  *value = LoadLE<T>(in + offset);
}

}  // namespace

void EncodeAnalysisRecord(const AnalysisRecord& rec, uint8_t* out) {
  std::memset(out, 0, kAnalysisRecordSize);
#define KORVALE_PUT(name, offset, type) Put(out, offset, rec.name);
  KORVALE_RECORD_FIELDS(KORVALE_PUT)
#undef KORVALE_PUT
}

AnalysisRecord DecodeAnalysisRecord(const uint8_t* in) {
  AnalysisRecord rec;
#define KORVALE_GET(name, offset, type) Get(in, offset, &rec.name);
  KORVALE_RECORD_FIELDS(KORVALE_GET)
#undef KORVALE_GET
  return rec;
}

const std::vector<RecordField>& AnalysisRecordFields() {
  static const std::vector<RecordField> fields = {
#define KORVALE_ENTRY(name, offset, type) {#name, offset, RecordFieldType::type},
      KORVALE_RECORD_FIELDS(KORVALE_ENTRY)
#undef KORVALE_ENTRY
  };
  return fields;
}

std::string RecordFieldText(const AnalysisRecord& rec, const RecordField& field) {
  const auto* base = reinterpret_cast<const uint8_t*>(&rec);
  char buf[40];
  std::to_chars_result r;
  if (field.type == RecordFieldType::kInt32) {
    r = std::to_chars(buf, buf + sizeof buf, LoadLE<int32_t>(base + field.offset));
  } else {
    // Locale-independent and round-trip exact, as printf "%.17g" in the C locale.
    r = std::to_chars(buf, buf + sizeof buf, LoadLE<double>(base + field.offset),
                      std::chars_format::general, 17);
  }
  return std::string(buf, r.ptr);
}

#undef KORVALE_RECORD_FIELDS

}  // namespace korvale
