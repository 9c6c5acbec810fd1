#include "acquisition/zentak_file_source.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/acquisition_fixtures.h"
#include "support/dictionary_fixtures.h"
#include "support/test_support.h"

namespace korvale {
namespace {

using testing::CommaLine;
using testing::ReadThroughSource;
using testing::Sjis;
using testing::SourceRead;
using testing::TempDir;
using testing::WriteText;

struct Header {
  bool recognised = false;
  int form = -1, year = 0, month = 0, day = 0;
};

Header HeaderOf(const std::string& content) {
  TempDir dir;
  WriteText(dir.File("DS.DAT"), content);
  CLineFile file;
  EXPECT_TRUE(file.Open(dir.File("DS.DAT")));
  CZentakFileSource source;
  Header h;
  h.recognised = source.ReadHeader(file);
  h.form = source.headerForm;
  h.year = source.headerYear;
  h.month = source.headerMonth;
  h.day = source.headerDay;
  return h;
}

void ExpectHeader(const std::string& content, int form, int year, int month, int day) {
  const Header h = HeaderOf(content);
  EXPECT_TRUE(h.recognised) << content;
  EXPECT_EQ(h.form, form) << content;
  EXPECT_EQ(h.year, year) << content;
  EXPECT_EQ(h.month, month) << content;
  EXPECT_EQ(h.day, day) << content;
}

TEST(ZentakFileSourceTest, EightAndSixDigitDatesAndTheTwoDigitYearWindow) {
  ExpectHeader("20050512 daily\r\nheader 2\r\n", kHeaderEightDigitDate, 2005, 5, 12);
  ExpectHeader("050512\r\nheader 2\r\n", kHeaderSixDigitDate, 2005, 5, 12);
  ExpectHeader("690101\r\nx\r\n", kHeaderSixDigitDate, 2069, 1, 1);
  ExpectHeader("700101\r\nx\r\n", kHeaderSixDigitDate, 1970, 1, 1);
  // The year of an eight-digit date must exceed 1970; 19700101 falls through to the six-digit
  // form: year 19 (2019), month 70, day 01.
  ExpectHeader("19700101\r\nx\r\n", kHeaderSixDigitDate, 2019, 70, 1);
  ExpectHeader("19710101\r\nx\r\n", kHeaderEightDigitDate, 1971, 1, 1);
}

TEST(ZentakFileSourceTest, QuotedAndNamedHeadersTakeTheirDatesFromFixedPositions) {
  ExpectHeader(Sjis("\"2005年 - 05月 - 12日\"\r\n2\r\n3\r\n4\r\n"), kHeaderQuoted, 2005, 5, 12);
  // The named form's date line: a one-digit month moves the day one place to the left, and
  // a tab right after a one-digit day ends it.
  ExpectHeader(Sjis("Zentak 日足\r\n2005年 5月\t3日\t\r\n3\r\n4\r\n5\r\n"), kHeaderNamed, 2005, 5,
               3);
  ExpectHeader(Sjis("Zentak\r\n2005年 12月\t3日\t\r\n3\r\n4\r\n5\r\n"), kHeaderNamed, 2005, 12, 3);
  ExpectHeader(Sjis("Zentak\r\n2005年 12月\t25日\t\r\n3\r\n4\r\n5\r\n"), kHeaderNamed, 2005, 12,
               25);
  ExpectHeader(Sjis("Zentak\r\n2005年 5月\t25日\t\r\n3\r\n4\r\n5\r\n"), kHeaderNamed, 2005, 5, 25);
}

TEST(ZentakFileSourceTest, FilesOfNoFormAreRefused) {
  EXPECT_FALSE(HeaderOf("code,name\r\n1301,a\r\n").recognised);
  EXPECT_FALSE(HeaderOf("").recognised);
  EXPECT_FALSE(HeaderOf("0000ab\r\n").recognised);
  EXPECT_FALSE(HeaderOf(std::string("\0\0\0\0\0\0\0\0\r\n", 10)).recognised);
  // A named header without a date on its second line would give records without a date.
  EXPECT_FALSE(HeaderOf("Zentak\r\nno date here\r\n").recognised);
}

TEST(ZentakFileSourceTest, ThreeDataLinesCountFourAndTheFourthFindsNoLine) {
  TempDir dir;
  const std::string path = dir.File("DS050512.DAT");
  WriteText(path, "20050512\r\nheader\r\n" + CommaLine(1301, 1, "極洋", 250, 255, 248, 252, 120) +
                      "\r\n" + CommaLine(1332, 1, "日本水産", 500, 510, 490, 505, 3000) + "\r\n" +
                      CommaLine(7203, 1, "トヨタ", 4000, 4100, 3950, 4050, 90000) + "\r\n");
  CZentakFileSource source;
  const SourceRead read = ReadThroughSource(source, path);
  ASSERT_TRUE(read.opened);
  EXPECT_EQ(read.count, 4);
  ASSERT_EQ(read.records.size(), 3u);
  const ImportRecord& r = read.records[0];
  EXPECT_EQ(r.code, 1301);
  EXPECT_EQ(r.market, 1);
  EXPECT_EQ(std::string(r.name), Sjis("極洋"));
  EXPECT_EQ(r.year, 2005);
  EXPECT_EQ(r.month, 5);
  EXPECT_EQ(r.day, 12);
  EXPECT_EQ(r.open, 250);
  EXPECT_EQ(r.high, 255);
  EXPECT_EQ(r.low, 248);
  EXPECT_EQ(r.close, 252);
  EXPECT_EQ(r.volume, 120);
  EXPECT_EQ(read.records[2].code, 7203);

  // A last line without a line break is a record too; it is not lost.
  WriteText(path, "050512\r\nheader\r\n" + CommaLine(1301, 1, "a", 1, 2, 3, 4, 5) + "\r\n" +
                      CommaLine(1332, 1, "b", 6, 7, 8, 9, 10));
  const SourceRead last = ReadThroughSource(source, path);
  EXPECT_EQ(last.count, 3);
  ASSERT_EQ(last.records.size(), 2u);
  EXPECT_EQ(last.records[1].code, 1332);
  EXPECT_EQ(last.records[1].volume, 10);
}

TEST(ZentakFileSourceTest, HeaderLinesOfEachFormAreSkipped) {
  TempDir dir;
  const std::string path = dir.File("DS.DAT");
  const std::string tab = Sjis("1301\t東証１部\t極洋\t250\t255\t248\t252\t120\r\n");
  struct Case {
    std::string header;
    std::string data;
  } cases[] = {
      {"20050512\r\nh\r\n", CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n"},
      {"050512\r\nh\r\n", CommaLine(1301, 1, "a", 1, 1, 1, 1, 1) + "\r\n"},
      {Sjis("\"2005年 - 05月 - 12日\"\r\nh\r\nh\r\nh\r\n"), tab},
      {Sjis("Zentak\r\n2005年 5月\t3日\t\r\nh\r\nh\r\nh\r\n"), tab},
  };
  for (const Case& c : cases) {
    WriteText(path, c.header + c.data + c.data);
    CZentakFileSource source;
    const SourceRead read = ReadThroughSource(source, path);
    ASSERT_TRUE(read.opened) << c.header;
    EXPECT_EQ(read.count, 3) << c.header;
    ASSERT_EQ(read.records.size(), 2u) << c.header;
    EXPECT_EQ(read.records[1].code, 1301) << c.header;
  }
}

TEST(ZentakFileSourceTest, TabRecordsCutTheNameAt23BytesCommaRecordsKeepItWhole) {
  TempDir dir;
  const std::string path = dir.File("DS.DAT");
  const std::string name30 = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
  WriteText(path, Sjis("Zentak\r\n2005年 5月\t3日\t\r\nh\r\nh\r\nh\r\n") + "1301\t" +
                      Sjis("東証１部") + "\t" + name30 + "\t250\t255\t248\t252\t120\r\n");
  CZentakFileSource tabSource;
  SourceRead read = ReadThroughSource(tabSource, path);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(std::string(read.records[0].name), name30.substr(0, 23));
  EXPECT_EQ(read.records[0].market, 1);
  EXPECT_EQ(read.records[0].close, 252);
  EXPECT_EQ(read.records[0].volume, 120);

  WriteText(path, "20050512\r\nh\r\n1301,1," + name30 + ",250,255,248,252,120\r\n");
  CZentakFileSource commaSource;
  read = ReadThroughSource(commaSource, path);
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(std::string(read.records[0].name), name30);
}

TEST(ZentakFileSourceTest, TabRecordsMatchTheMarketTextExactly) {
  TempDir dir;
  const std::string path = dir.File("DS.DAT");
  const std::string header = Sjis("Zentak\r\n2005年 5月\t3日\t\r\nh\r\nh\r\nh\r\n");
  WriteText(path, header + Sjis("1301\tマザーズ\tA\t1\t2\t3\t4\t5\r\n") +
                      Sjis("1302\t東証１部市場\tB\t1\t2\t3\t4\t5\r\n") +
                      Sjis("1303\t全市場\tC\t1\t2\t3\t4\t5\r\n") + "1304 no tab at all\r\n");
  CZentakFileSource source;
  const SourceRead read = ReadThroughSource(source, path);
  ASSERT_EQ(read.records.size(), 4u);
  EXPECT_EQ(read.records[0].market, 11);
  EXPECT_EQ(read.records[1].market, 0);  // a longer text is no match
  EXPECT_EQ(read.records[2].market, 0);
  EXPECT_EQ(read.records[3].code, 1304);  // no tab after position 5: no name, no values
  EXPECT_EQ(std::string(read.records[3].name), "");
  EXPECT_EQ(read.records[3].open, 0);

  // The quoted form skips the quote before the market and the quotes around the name.
  WriteText(path, Sjis("\"2005年 - 05月 - 12日\"\r\nh\r\nh\r\nh\r\n") +
                      Sjis("1301 \"東証２部\t\"極洋\"\t250\t255\t248\t252\t120\r\n"));
  CZentakFileSource quoted;
  const SourceRead q = ReadThroughSource(quoted, path);
  ASSERT_EQ(q.records.size(), 1u);
  EXPECT_EQ(q.records[0].market, 2);
  EXPECT_EQ(std::string(q.records[0].name), Sjis("極洋"));
  EXPECT_EQ(q.records[0].open, 250);
}

TEST(ZentakFileSourceTest, HostDefaultsAcceptAnyFileAndYieldNothing) {
  TempDir dir;
  const std::string path = dir.File("any.txt");
  WriteText(path, "a\r\nb\r\nc\r\n");
  CHostImportSource source;
  char description[kImportFilterTextBytes], pattern[kImportFilterTextBytes];
  source.GetFileFilter(description, pattern);
  EXPECT_STREQ(description, "株価ファイル");
  EXPECT_STREQ(pattern, "*.*");
  int count = 0;
  std::unique_ptr<CLineFile> file = OpenImportFile(source, path, &count);
  ASSERT_TRUE(file);
  EXPECT_EQ(count, 3);  // no extra count
  ImportRecord r;
  r.code = 77;
  ReadImportRecord(source, *file, &r);
  EXPECT_EQ(r.code, 77);
  EXPECT_EQ(file->Position(), 3);  // one line consumed
}

}  // namespace
}  // namespace korvale
