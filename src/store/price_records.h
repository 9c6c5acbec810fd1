// The records of the per-stock files: the daily bar in memory, the 26-byte price-file record,
// the 28-byte trend-line record and the 12-byte margin record, with their byte codecs.
#ifndef KORVALE_STORE_PRICE_RECORDS_H_
#define KORVALE_STORE_PRICE_RECORDS_H_

#include <cstddef>
#include <cstdint>

namespace korvale {

// One trading day in memory.
struct PriceBar {
  int16_t year = 0;
  int8_t month = 0;
  int8_t day = 0;
  uint8_t reserved1 = 0;  // carried unchanged by loads and saves, 0 on new bars
  uint8_t reserved2 = 0;
  int32_t open = 0;
  int32_t high = 0;
  int32_t low = 0;
  int32_t close = 0;
  int32_t volume = 0;
};

// Date key used wherever bars are compared by date: year * 10000 + month * 100 + day.
inline int32_t DateKey(int year, int month, int day) { return year * 10000 + month * 100 + day; }
inline int32_t DateKey(const PriceBar& b) { return DateKey(b.year, b.month, b.day); }

// The price-file record as stored: each price split into an unsigned low half (before the
// volume) and a signed high half (after it).
struct PriceFileRecord {
  int16_t year = 0;
  int8_t month = 0;
  int8_t day = 0;
  uint8_t reserved1 = 0;
  uint8_t reserved2 = 0;
  uint16_t openLow = 0;
  uint16_t highLow = 0;
  uint16_t lowLow = 0;
  uint16_t closeLow = 0;
  int32_t volume = 0;
  int16_t openHigh = 0;
  int16_t highHigh = 0;
  int16_t lowHigh = 0;
  int16_t closeHigh = 0;
};

constexpr size_t kPriceFileRecordSize = 26;
constexpr size_t kTrendLineFileRecordSize = 28;
constexpr size_t kMarginRecordSize = 12;

// The most records a file is read to. A price file of more records than a thousand years of
// calendar days, a margin file of more weeks than a thousand years, a trend-line file of more
// lines than anyone draws is damaged: it is refused rather than read into memory.
constexpr size_t kMaxPriceFileRecords = 400000;
constexpr size_t kMaxMarginFileRecords = 60000;
constexpr size_t kMaxTrendLineFileRecords = 10000;

// Byte offsets within a price-file record.
namespace price_offsets {
constexpr size_t kYear = 0, kMonth = 2, kDay = 3, kReserved1 = 4, kReserved2 = 5;
constexpr size_t kOpenLow = 6, kHighLow = 8, kLowLow = 10, kCloseLow = 12;
constexpr size_t kVolume = 14;
constexpr size_t kOpenHigh = 18, kHighHigh = 20, kLowHigh = 22, kCloseHigh = 24;
}  // namespace price_offsets
static_assert(price_offsets::kCloseHigh + 2 == kPriceFileRecordSize);
static_assert(price_offsets::kVolume + 4 == price_offsets::kOpenHigh);

// One user-drawn line as stored: each point anchored to a trading day by date, plus the
// number of bars beyond the newest bar for points drawn in the empty future area.
struct TrendLineFileRecord {
  int16_t year1 = 0;
  int8_t month1 = 0;
  int8_t day1 = 0;
  int32_t price1 = 0;
  int32_t beyond1 = 0;
  int16_t year2 = 0;
  int8_t month2 = 0;
  int8_t day2 = 0;
  int32_t price2 = 0;
  int32_t beyond2 = 0;
  int32_t kind = 0;
};

namespace line_offsets {
constexpr size_t kYear1 = 0, kMonth1 = 2, kDay1 = 3, kPrice1 = 4, kBeyond1 = 8;
constexpr size_t kYear2 = 12, kMonth2 = 14, kDay2 = 15, kPrice2 = 16, kBeyond2 = 20;
constexpr size_t kKind = 24;
}  // namespace line_offsets
static_assert(line_offsets::kKind + 4 == kTrendLineFileRecordSize);

// Weekly margin balances of a stock at a reference date.
struct MarginRecord {
  int16_t year = 0;
  int8_t month = 0;
  int8_t day = 0;
  int32_t sell = 0;  // 売り残
  int32_t buy = 0;   // 買い残
};

namespace margin_offsets {
constexpr size_t kYear = 0, kMonth = 2, kDay = 3, kSell = 4, kBuy = 8;
}  // namespace margin_offsets
static_assert(margin_offsets::kBuy + 4 == kMarginRecordSize);

// Byte codecs (little-endian). `in`/`out` point at a whole record of the named size.
PriceFileRecord DecodePriceFileRecord(const uint8_t* in);
void EncodePriceFileRecord(const PriceFileRecord& rec, uint8_t* out);
TrendLineFileRecord DecodeTrendLineFileRecord(const uint8_t* in);
void EncodeTrendLineFileRecord(const TrendLineFileRecord& rec, uint8_t* out);
MarginRecord DecodeMarginRecord(const uint8_t* in);
void EncodeMarginRecord(const MarginRecord& rec, uint8_t* out);

// Bar <-> record. A price is high half * 65536 + unsigned low half; the reverse splits by the
// low 16 bits and an arithmetic shift, so negative prices convert back to themselves.
void BarFromFileRecord(const PriceFileRecord& rec, PriceBar* bar);
void BarToFileRecord(const PriceBar& bar, PriceFileRecord* rec);

// Shortcuts straight between bytes and bars, used by the loaders and writers.
PriceBar DecodeBar(const uint8_t* in);
void EncodeBar(const PriceBar& bar, uint8_t* out);

}  // namespace korvale

#endif  // KORVALE_STORE_PRICE_RECORDS_H_
