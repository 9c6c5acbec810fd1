#include "store/settings_record.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvale {
namespace {

TEST(SettingsRecordTest, DefaultsAreTheTabledValues) {
  SettingsRecord r;
  ApplySettingsDefaults(&r, "/data/root");
  EXPECT_EQ(r.formatVersion, 0x00020201u);
  EXPECT_STREQ(r.dataRootDir, "/data/root");
  EXPECT_STREQ(r.workDir, "/data/root");
  EXPECT_STREQ(r.savedRootDir, "/data/root");
  EXPECT_STREQ(r.savedServerUrl, r.peerServerUrl);
  EXPECT_NE(std::strstr(r.peerServerUrl, "/Korvale/KVISA.DLL"), nullptr);
  EXPECT_NE(std::strstr(r.peerServerUrl, "ALLST"), nullptr);
  EXPECT_EQ(r.proxyPort, 8080);
  EXPECT_EQ(r.dailySpanDays, 0);
  EXPECT_EQ(r.dailyMaShort, 65);
  EXPECT_EQ(r.dailyMaLong, 130);
  EXPECT_EQ(r.rciPeriod2, 26);
  EXPECT_EQ(r.macdPeriod2, 20);
  EXPECT_DOUBLE_EQ(r.sarStep, 0.02);
  EXPECT_DOUBLE_EQ(r.sarMax, 0.2);
  EXPECT_EQ(r.dailyIndexPeriod, 200);
  EXPECT_EQ(r.weeklySpanWeeks, 120);
  EXPECT_EQ(r.monthlySpanMonths, 200);
  EXPECT_EQ(r.kagiReversalMode, 1);
  EXPECT_EQ(r.ichimokuDailySpanPeriod, 52);
  EXPECT_EQ(r.ichimokuWeeklyConversion, 2);
  EXPECT_EQ(r.ichimokuMonthlyLagging, 26);
  EXPECT_EQ(r.highLowMonths, 6);
  EXPECT_EQ(r.thumbnailRows, 4);
  EXPECT_EQ(r.dailyAutoPeriod, 1);
  EXPECT_EQ(r.indexStockCode, 1010);
  EXPECT_EQ(r.reserved1424, 0);
}

TEST(SettingsRecordTest, ImageHasEveryFieldAtItsOffset) {
  SettingsRecord r;
  ApplySettingsDefaults(&r, "/x");
  uint8_t image[kSettingsRecordSize];
  EncodeSettingsRecord(r, image);
  auto i16 = [&](size_t off) { return static_cast<int16_t>(image[off] | image[off + 1] << 8); };
  auto i32 = [&](size_t off) {
    int32_t v;
    std::memcpy(&v, image + off, 4);
    return v;
  };
  EXPECT_EQ(i32(0), 0x00020201);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(image + 136)), "/x");
  EXPECT_EQ(i32(684), 8080);
  EXPECT_EQ(i16(972), 65);
  EXPECT_EQ(i16(974), 130);
  EXPECT_EQ(i32(1088), 21);
  double step;
  std::memcpy(&step, image + 1096, 8);
  EXPECT_DOUBLE_EQ(step, 0.02);
  EXPECT_EQ(i16(1120), 120);
  EXPECT_EQ(i16(1228), 3);
  EXPECT_EQ(i32(1304), 5);
  EXPECT_EQ(i32(1432), 1);
  EXPECT_EQ(i32(1440), 1010);
}

TEST(SettingsRecordTest, FieldsAreReachableByName) {
  SettingsRecord r;
  ApplySettingsDefaults(&r, "/x");
  const SettingsField* f = FindSettingsField("dailySpanDays");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->offset, 948u);
  EXPECT_TRUE(SetSettingsFieldText(&r, *f, "145"));
  EXPECT_EQ(r.dailySpanDays, 145);
  EXPECT_FALSE(SetSettingsFieldText(&r, *f, "40000"));  // beyond int16
  EXPECT_FALSE(SetSettingsFieldText(&r, *f, "12x"));
  EXPECT_EQ(r.dailySpanDays, 145);
  const SettingsField* step = FindSettingsField("sarStep");
  EXPECT_TRUE(SetSettingsFieldText(&r, *step, "0.05"));
  EXPECT_EQ(SettingsFieldText(r, *step), "0.050000000000000003");
  EXPECT_FALSE(SetSettingsFieldText(&r, *step, "nan"));
  const SettingsField* host = FindSettingsField("proxyHost");
  EXPECT_TRUE(SetSettingsFieldText(&r, *host, std::string(31, 'h')));
  EXPECT_FALSE(SetSettingsFieldText(&r, *host, std::string(32, 'h')));
  EXPECT_EQ(FindSettingsField("reserved1424"), nullptr);
  EXPECT_EQ(SettingsFields().size(), 138u);
}

TEST(SettingsRecordTest, UnterminatedStringsAreTerminatedWithinTheirField) {
  uint8_t image[kSettingsRecordSize];
  SettingsRecord r;
  ApplySettingsDefaults(&r, "/x");
  EncodeSettingsRecord(r, image);
  std::memset(image + 648, 'P', 32);  // proxyHost without a terminator
  std::memset(image + 8, 'U', 128);
  SettingsRecord back;
  DecodeSettingsRecord(image, sizeof image, &back);
  EXPECT_EQ(std::strlen(back.proxyHost), 31u);
  EXPECT_EQ(std::strlen(back.peerServerUrl), 127u);
  EXPECT_EQ(back.useProxy, 0);  // the field after it is untouched
}

}  // namespace
}  // namespace korvale
