#include "store/price_records.h"

#include "store/byte_order.h"

namespace korvale {

PriceFileRecord DecodePriceFileRecord(const uint8_t* in) {
  namespace o = price_offsets;
  PriceFileRecord r;
  r.year = LoadLE<int16_t>(in + o::kYear);
  r.month = LoadLE<int8_t>(in + o::kMonth);
  r.day = LoadLE<int8_t>(in + o::kDay);
  r.reserved1 = in[o::kReserved1];
  r.reserved2 = in[o::kReserved2];
  r.openLow = LoadLE<uint16_t>(in + o::kOpenLow);
  r.highLow = LoadLE<uint16_t>(in + o::kHighLow);
  r.lowLow = LoadLE<uint16_t>(in + o::kLowLow);
  r.closeLow = LoadLE<uint16_t>(in + o::kCloseLow);
  r.volume = LoadLE<int32_t>(in + o::kVolume);
  r.openHigh = LoadLE<int16_t>(in + o::kOpenHigh);
  r.highHigh = LoadLE<int16_t>(in + o::kHighHigh);
  r.lowHigh = LoadLE<int16_t>(in + o::kLowHigh);
  r.closeHigh = LoadLE<int16_t>(in + o::kCloseHigh);
  return r;
}

void EncodePriceFileRecord(const PriceFileRecord& r, uint8_t* out) {
  namespace o = price_offsets;
  StoreLE(out + o::kYear, r.year);
  StoreLE(out + o::kMonth, r.month);
  StoreLE(out + o::kDay, r.day);
  out[o::kReserved1] = r.reserved1;
  out[o::kReserved2] = r.reserved2;
  StoreLE(out + o::kOpenLow, r.openLow);
  StoreLE(out + o::kHighLow, r.highLow);
  StoreLE(out + o::kLowLow, r.lowLow);
  StoreLE(out + o::kCloseLow, r.closeLow);
  StoreLE(out + o::kVolume, r.volume);
  StoreLE(out + o::kOpenHigh, r.openHigh);
  StoreLE(out + o::kHighHigh, r.highHigh);
  StoreLE(out + o::kLowHigh, r.lowHigh);
  StoreLE(out + o::kCloseHigh, r.closeHigh);
}

TrendLineFileRecord DecodeTrendLineFileRecord(const uint8_t* in) {
  namespace o = line_offsets;
  TrendLineFileRecord r;
  r.year1 = LoadLE<int16_t>(in + o::kYear1);
  r.month1 = LoadLE<int8_t>(in + o::kMonth1);
  r.day1 = LoadLE<int8_t>(in + o::kDay1);
  r.price1 = LoadLE<int32_t>(in + o::kPrice1);
  r.beyond1 = LoadLE<int32_t>(in + o::kBeyond1);
  r.year2 = LoadLE<int16_t>(in + o::kYear2);
  r.month2 = LoadLE<int8_t>(in + o::kMonth2);
  r.day2 = LoadLE<int8_t>(in + o::kDay2);
  r.price2 = LoadLE<int32_t>(in + o::kPrice2);
  r.beyond2 = LoadLE<int32_t>(in + o::kBeyond2);
  r.kind = LoadLE<int32_t>(in + o::kKind);
  return r;
}

void EncodeTrendLineFileRecord(const TrendLineFileRecord& r, uint8_t* out) {
  namespace o = line_offsets;
  StoreLE(out + o::kYear1, r.year1);
  StoreLE(out + o::kMonth1, r.month1);
  StoreLE(out + o::kDay1, r.day1);
  StoreLE(out + o::kPrice1, r.price1);
  StoreLE(out + o::kBeyond1, r.beyond1);
  StoreLE(out + o::kYear2, r.year2);
  StoreLE(out + o::kMonth2, r.month2);
  StoreLE(out + o::kDay2, r.day2);
  StoreLE(out + o::kPrice2, r.price2);
  StoreLE(out + o::kBeyond2, r.beyond2);
  StoreLE(out + o::kKind, r.kind);
}

MarginRecord DecodeMarginRecord(const uint8_t* in) {
  namespace o = margin_offsets;
  MarginRecord r;
  r.year = LoadLE<int16_t>(in + o::kYear);
  r.month = LoadLE<int8_t>(in + o::kMonth);
  r.day = LoadLE<int8_t>(in + o::kDay);
  r.sell = LoadLE<int32_t>(in + o::kSell);
  r.buy = LoadLE<int32_t>(in + o::kBuy);
  return r;
}

void EncodeMarginRecord(const MarginRecord& r, uint8_t* out) {
  namespace o = margin_offsets;
  StoreLE(out + o::kYear, r.year);
  StoreLE(out + o::kMonth, r.month);
  StoreLE(out + o::kDay, r.day);
  StoreLE(out + o::kSell, r.sell);
  StoreLE(out + o::kBuy, r.buy);
}

namespace {
// high * 65536 + low, computed unsigned so that the wrap of a negative high half is defined.
int32_t JoinHalves(int16_t high, uint16_t low) {
  return static_cast<int32_t>((static_cast<uint32_t>(static_cast<int32_t>(high)) << 16) |
                              static_cast<uint32_t>(low));
}
uint16_t LowHalf(int32_t v) { return static_cast<uint16_t>(static_cast<uint32_t>(v) & 0xFFFFu); }
int16_t HighHalf(int32_t v) { return static_cast<int16_t>(v >> 16); }
}  // namespace

void BarFromFileRecord(const PriceFileRecord& r, PriceBar* bar) {
  bar->year = r.year;
  bar->month = r.month;
  bar->day = r.day;
  bar->reserved1 = r.reserved1;
  bar->reserved2 = r.reserved2;
  bar->open = JoinHalves(r.openHigh, r.openLow);
  bar->high = JoinHalves(r.highHigh, r.highLow);
  bar->low = JoinHalves(r.lowHigh, r.lowLow);
  bar->close = JoinHalves(r.closeHigh, r.closeLow);
  bar->volume = r.volume;
}

void BarToFileRecord(const PriceBar& bar, PriceFileRecord* r) {
  r->year = bar.year;
  r->month = bar.month;
  r->day = bar.day;
  r->reserved1 = bar.reserved1;
  r->reserved2 = bar.reserved2;
  r->openLow = LowHalf(bar.open);
  r->highLow = LowHalf(bar.high);
  r->lowLow = LowHalf(bar.low);
  r->closeLow = LowHalf(bar.close);
  r->volume = bar.volume;
  r->openHigh = HighHalf(bar.open);
  r->highHigh = HighHalf(bar.high);
  r->lowHigh = HighHalf(bar.low);
  r->closeHigh = HighHalf(bar.close);
}

PriceBar DecodeBar(const uint8_t* in) {
  PriceBar bar;
  BarFromFileRecord(DecodePriceFileRecord(in), &bar);
  return bar;
}

void EncodeBar(const PriceBar& bar, uint8_t* out) {
  PriceFileRecord rec;
  BarToFileRecord(bar, &rec);
  EncodePriceFileRecord(rec, out);
}

}  // namespace korvale
