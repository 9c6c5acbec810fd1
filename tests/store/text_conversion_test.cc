#include "store/text_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/file_io.h"
#include "store/price_series.h"
#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::Bar;
using testing::Sjis;
using testing::StoredBars;
using testing::StoredMargins;
using testing::TempDir;
using testing::WritePriceFile;
using testing::WriteText;

bool SameBar(const PriceBar& a, const PriceBar& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.open == b.open &&
         a.high == b.high && a.low == b.low && a.close == b.close && a.volume == b.volume;
}

TEST(TextConversionTest, PriceTextKeepsItsLineOrderAndDropsWhatIsNoBar) {
  TempDir dir;
  const std::string text = dir.File("KD7203.CSV");
  WriteText(text, Sjis("\"年月日\",\"始値\",\"高値\",\"安値\",\"終値\",\"出来高\"\r\n") +
                      "2006/01/05,100,110,90,105,1000\r\n"
                      "2006/01/04,0,0,0,0,0\r\n"           // all zero
                      "2006/01/04,98,101,97,99,900\r\n"    // out of order: kept so
                      "2006/13/04,98,101,97,99,900\r\n"    // no month 13
                      "2006/01/06,3000000000,1,1,1,1\r\n"  // beyond 32 bits
                      "2006/01/06,-5,1,1,1,1\r\n"          // negative, as stored
                      "\x01\xff\x80,binary\r\n" +
                      std::string(200, '9') +
                      "\r\n"                               // too long a line
                      "2006/01/10,120,125,118,121,1500");  // no line end
  ConversionCounts counts;
  std::string error;
  ASSERT_TRUE(PriceTextToFile(text, DefaultConvertOutput(text, dir.path()), &counts, &error))
      << error;
  const std::vector<PriceBar> bars = StoredBars(dir.File("KD7203.KDT"));
  ASSERT_EQ(bars.size(), 3u);
  EXPECT_TRUE(SameBar(bars[0], Bar(2006, 1, 5, 100, 110, 90, 105, 1000)));
  EXPECT_TRUE(SameBar(bars[1], Bar(2006, 1, 4, 98, 101, 97, 99, 900)));
  EXPECT_EQ(bars[2].open, -5);
  EXPECT_EQ(counts.records, 3);
  EXPECT_EQ(counts.skipped, 6);
  EXPECT_TRUE(counts.unterminatedLastLine);
}

TEST(TextConversionTest, FilesGoToTextAndBackUnchanged) {
  TempDir dir;
  // A day without trading and prices is shown (and so written) at the previous close.
  WritePriceFile(dir.File("KD1301.KDT"),
                 {Bar(1999, 12, 30, 250, 260, 240, 255, 12000), Bar(2000, 1, 4, 0, 0, 0, 0, 0),
                  Bar(2000, 1, 5, 70000, 70001, 65535, 65536, 3)});
  std::vector<uint8_t> margin(2 * kMarginRecordSize);
  EncodeMarginRecord({2006, 1, 6, 1200, 3400}, margin.data());
  EncodeMarginRecord({2006, 1, 13, 0, 7}, margin.data() + kMarginRecordSize);
  testing::WriteBytes(dir.File("SZ1301.SDT"), margin);

  ConversionCounts counts;
  std::string error;
  std::filesystem::create_directories(dir.File("texts"));
  for (const char* name : {"KD1301.KDT", "SZ1301.SDT"}) {
    const std::string text = DefaultConvertOutput(dir.File(name), dir.File("texts"));
    ASSERT_TRUE(ConvertFile(dir.File(name), text, &counts, &error)) << error;
    ASSERT_TRUE(ConvertFile(text, DefaultConvertOutput(text, ""), &counts, &error)) << error;
  }
  const std::vector<PriceBar> back = StoredBars(dir.File("texts/KD1301.KDT"));
  CPriceSeries original;
  original.LoadAll(dir.File("KD1301.KDT"));
  ASSERT_EQ(back.size(), 3u);
  for (size_t i = 0; i < back.size(); ++i) EXPECT_TRUE(SameBar(back[i], original.bars[i])) << i;
  EXPECT_EQ(back[1].close, 255);
  EXPECT_EQ(testing::ReadBytes(dir.File("texts/SZ1301.SDT")), margin);
  std::vector<uint8_t> text;
  ASSERT_TRUE(ReadWholeFile(dir.File("texts/SZ1301.CSV"), &text));
  EXPECT_EQ(
      std::string(text.begin(), text.end()),
      Sjis("\"年月日\",\"売り残\",\"買い残\"\r\n") + "2006/01/06,1200,3400\r\n2006/01/13,0,7\r\n");
}

TEST(TextConversionTest, ANameGetsTheOtherFormsExtension) {
  struct Case {
    const char* path;
    ConvertKind kind;
    const char* output;
  } cases[] = {
      {"/d/Data/7000/KD7203.KDT", ConvertKind::kPriceFile, "/root/KD7203.CSV"},
      {"/d/kd7203.kdt", ConvertKind::kPriceFile, "/root/kd7203.CSV"},
      {"/d/SZ7203.SDT", ConvertKind::kMarginFile, "/root/SZ7203.CSV"},
      {"/d/KD7203.CSV", ConvertKind::kPriceText, "/d/KD7203.KDT"},
      {"/d/sz7203.csv", ConvertKind::kMarginText, "/d/sz7203.SDT"},
      {"/d/KD72031.KDT", ConvertKind::kPriceFile, "/root/KD72031.CSV"},
      {"/d/prices.csv", ConvertKind::kUnknown, ""},
      {"/d/KD7203.KDT.bak", ConvertKind::kUnknown, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertKindOf(c.path), c.kind) << c.path;
    EXPECT_EQ(DefaultConvertOutput(c.path, "/root"), c.output) << c.path;
  }
}

TEST(TextConversionTest, AnInputOrOutputThatDoesNotOpenIsReportedAndNothingIsWritten) {
  TempDir dir;
  ConversionCounts counts;
  std::string error;
  EXPECT_FALSE(ConvertFile(dir.File("KD0001.KDT"), dir.File("KD0001.CSV"), &counts, &error));
  EXPECT_EQ(error, dir.File("KD0001.KDT") + " cannot open");
  EXPECT_FALSE(FileExists(dir.File("KD0001.CSV")));

  WriteText(dir.File("KD0002.CSV"), "2006/01/05,100,110,90,105,1000\r\n");
  EXPECT_FALSE(
      ConvertFile(dir.File("KD0002.CSV"), dir.File("missing/KD0002.KDT"), &counts, &error));
  EXPECT_NE(error.find(dir.File("missing/KD0002.KDT")), std::string::npos) << error;
}

}  // namespace
}  // namespace korvale
