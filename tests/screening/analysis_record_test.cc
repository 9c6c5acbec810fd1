#include "screening/analysis_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "store/byte_order.h"

namespace korvale {
namespace {

TEST(AnalysisRecordTest, ANewRecordHoldsTheInvalidValues) {
  AnalysisRecord r;
  EXPECT_EQ(r.lastClose, 0);
  EXPECT_EQ(r.rci1, -10000);
  EXPECT_EQ(r.rsi2, -10000);
  EXPECT_EQ(r.volumeRatio, -10000);
  EXPECT_EQ(r.oscillator, -10000);
  EXPECT_EQ(r.positionCode, 9999);
  EXPECT_EQ(r.ichimokuCloud, 100);
  EXPECT_EQ(r.stochK, 0);
  EXPECT_EQ(r.stochD, -1000);
  EXPECT_EQ(r.trendLineCode, 255);
  EXPECT_EQ(r.bollingerWidth, -1000);
  EXPECT_EQ(r.bollingerBreak, -1);
  EXPECT_EQ(r.macdLevel, -1000);
  EXPECT_EQ(r.obvLevel, -1000);
  EXPECT_EQ(r.sarCode, -1);
  EXPECT_EQ(r.indexCorrelation, 0);
}

TEST(AnalysisRecordTest, EncodesEachFieldLittleEndianAtItsOffset) {
  AnalysisRecord r;
  r.stockIndex = 0x01020304;
  r.lastClose = -2;
  r.priceChangePercent = 1.5;
  r.rci2 = -97.8;
  r.crossFlags = 64 + 2;
  r.lowAll = 77;
  r.periodLow = 88;
  r.ichimokuCloud = 6;
  r.trendLineCode = 3;
  r.sarCode = 1;
  r.indexDeviation = -100;
  uint8_t bytes[kAnalysisRecordSize];
  std::memset(bytes, 0xAA, sizeof bytes);
  EncodeAnalysisRecord(r, bytes);
  EXPECT_EQ(bytes[0], 0x04);
  EXPECT_EQ(bytes[3], 0x01);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 4), -2);
  EXPECT_EQ(LoadLE<double>(bytes + 16), 1.5);
  EXPECT_EQ(LoadLE<double>(bytes + 88), -97.8);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 108), 66);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 140), 77);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 148), 88);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 192), 6);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 216), 3);
  EXPECT_EQ(LoadLE<int32_t>(bytes + 280), 1);
  EXPECT_EQ(LoadLE<double>(bytes + 296), -100);
  // Reserved words are written as zeros, not left as whatever the buffer held.
  for (size_t off : {12, 28, 196, 220, 236, 268, 284}) {
    EXPECT_EQ(LoadLE<int32_t>(bytes + off), 0) << off;
  }
  for (size_t off : {80, 96}) EXPECT_EQ(LoadLE<int64_t>(bytes + off), 0) << off;

  const AnalysisRecord back = DecodeAnalysisRecord(bytes);
  EXPECT_EQ(std::memcmp(&back, &r, sizeof r), 0);
}

TEST(AnalysisRecordTest, FieldListCoversEveryNamedFieldOnceInLayoutOrder) {
  const auto& fields = AnalysisRecordFields();
  EXPECT_EQ(fields.size(), 45u);
  std::set<std::string> names;
  size_t previous = 0;
  for (const RecordField& f : fields) {
    EXPECT_TRUE(names.insert(f.name).second) << f.name;
    EXPECT_TRUE(f.offset == 0 || f.offset > previous) << f.name;
    previous = f.offset;
  }
  EXPECT_EQ(fields.front().name, std::string("stockIndex"));
  EXPECT_EQ(fields.back().name, std::string("indexDeviation"));
  EXPECT_EQ(fields.back().offset, 296u);
}

TEST(AnalysisRecordTest, FieldTextReadsBackToTheSameValue) {
  AnalysisRecord r;
  r.maShort = 0.1;
  r.rci1 = -97.802197802197796;
  r.lastClose = -15;
  for (const RecordField& f : AnalysisRecordFields()) {
    const std::string text = RecordFieldText(r, f);
    if (f.type == RecordFieldType::kDouble) {
      double v;
      std::memcpy(&v, reinterpret_cast<const uint8_t*>(&r) + f.offset, sizeof v);
      EXPECT_EQ(std::stod(text), v) << f.name << " " << text;
    }
  }
  const auto& fields = AnalysisRecordFields();
  EXPECT_EQ(RecordFieldText(r, fields[1]), "-15");
  EXPECT_EQ(RecordFieldText(r, fields[6]), "0.10000000000000001");  // maShort
  EXPECT_EQ(RecordFieldText(r, fields[11]), "-10000");              // rci2
}

}  // namespace
}  // namespace korvale
