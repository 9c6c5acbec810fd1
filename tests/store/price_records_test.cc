#include "store/price_records.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvale {
namespace {

TEST(PriceRecordsTest, PriceAbove65535IsSplitIntoHalvesAroundTheVolume) {
  PriceBar bar = testing::Bar(2006, 5, 12, 70000, 65535, 65536, -1, 123456789);
  bar.reserved1 = 7;
  bar.reserved2 = 9;
  uint8_t bytes[kPriceFileRecordSize];
  EncodeBar(bar, bytes);
  // year 2006 = 0x07D6, month, day, reserved bytes
  EXPECT_EQ(bytes[0], 0xD6);
  EXPECT_EQ(bytes[1], 0x07);
  EXPECT_EQ(bytes[2], 5);
  EXPECT_EQ(bytes[3], 12);
  EXPECT_EQ(bytes[4], 7);
  EXPECT_EQ(bytes[5], 9);
  // open 70000: low half 4464 (0x1170) at 6, high half 1 at 18
  EXPECT_EQ(bytes[6] | bytes[7] << 8, 4464);
  EXPECT_EQ(bytes[18] | bytes[19] << 8, 1);
  // high 65535: low half 0xFFFF, high half 0
  EXPECT_EQ(bytes[8] | bytes[9] << 8, 0xFFFF);
  EXPECT_EQ(bytes[20] | bytes[21] << 8, 0);
  // low 65536: low half 0, high half 1
  EXPECT_EQ(bytes[10] | bytes[11] << 8, 0);
  EXPECT_EQ(bytes[22] | bytes[23] << 8, 1);
  // close -1: both halves 0xFFFF
  EXPECT_EQ(bytes[12] | bytes[13] << 8, 0xFFFF);
  EXPECT_EQ(bytes[24] | bytes[25] << 8, 0xFFFF);
  // volume, unaligned at 14
  EXPECT_EQ(bytes[14] | bytes[15] << 8 | bytes[16] << 16 | bytes[17] << 24, 123456789);

  PriceBar back = DecodeBar(bytes);
  EXPECT_EQ(back.open, 70000);
  EXPECT_EQ(back.high, 65535);
  EXPECT_EQ(back.low, 65536);
  EXPECT_EQ(back.close, -1);
  EXPECT_EQ(back.volume, 123456789);
  EXPECT_EQ(back.reserved1, 7);
  EXPECT_EQ(back.reserved2, 9);
}

TEST(PriceRecordsTest, ExtremePricesRoundTrip) {
  for (int32_t price : {0, 1, 65535, 65536, -65536, -70000, INT32_MAX, INT32_MIN, 2000000000}) {
    PriceBar bar = testing::Bar(2020, 1, 6, price, price, price, price, 0);
    uint8_t bytes[kPriceFileRecordSize];
    EncodeBar(bar, bytes);
    PriceBar back = DecodeBar(bytes);
    EXPECT_EQ(back.open, price);
    EXPECT_EQ(back.close, price);
  }
}

TEST(PriceRecordsTest, TrendLineAndMarginRecordsKeepTheirOffsets) {
  TrendLineFileRecord line;
  line.year1 = 2005;
  line.month1 = 3;
  line.day1 = 4;
  line.price1 = 1234;
  line.beyond1 = 4;
  line.year2 = 2006;
  line.month2 = 7;
  line.day2 = 8;
  line.price2 = -5;
  line.beyond2 = 0;
  line.kind = 2;
  uint8_t bytes[kTrendLineFileRecordSize];
  EncodeTrendLineFileRecord(line, bytes);
  EXPECT_EQ(bytes[4], 1234 & 0xFF);
  EXPECT_EQ(bytes[8], 4);
  EXPECT_EQ(bytes[12] | bytes[13] << 8, 2006);
  EXPECT_EQ(bytes[24], 2);
  TrendLineFileRecord back = DecodeTrendLineFileRecord(bytes);
  EXPECT_EQ(back.price2, -5);
  EXPECT_EQ(back.day2, 8);

  MarginRecord m{2005, 5, 13, 1500, 32000};
  uint8_t mb[kMarginRecordSize];
  EncodeMarginRecord(m, mb);
  EXPECT_EQ(mb[3], 13);
  EXPECT_EQ(mb[4] | mb[5] << 8, 1500);
  EXPECT_EQ(mb[8] | mb[9] << 8, 32000);
  MarginRecord mback = DecodeMarginRecord(mb);
  EXPECT_EQ(mback.buy, 32000);
  EXPECT_EQ(mback.sell, 1500);
}

}  // namespace
}  // namespace korvale
