// The text routines of the scrapers and the EUC-JP conversion, against hand-made bytes and
// against the system's converter.
#include "acquisition/web_text.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include "acquisition/euc_sjis.h"
#include "acquisition/quote_service_pages.h"
#include "support/dictionary_fixtures.h"
#include "support/web_fixtures.h"

namespace korvale {
namespace {

TEST(WebTextTest, FindTextGivesTheOneBasedPositionOfTheFirstOccurrence) {
  EXPECT_EQ(FindText("<td>a</td>", "</td>"), 6u);
  EXPECT_EQ(FindText("abcabc", "c"), 3u);
  EXPECT_EQ(FindText("abc", "C"), 0u);  // case matters
  EXPECT_EQ(FindText("ab", "abc"), 0u);
}

TEST(WebTextTest, StripTagsLeavesOutTagsAndBoundsBothSides) {
  struct Case {
    std::string source;
    size_t capacity;
    std::string expected;
  } cases[] = {
      {"<td align=right><b>1,234</b></td>", 256, "1,234"},
      {"a<b", 256, "a"},                                       // a tag cut off at the end
      {"x>y", 256, "x>y"},                                     // a lone ">" is text
      {std::string("ab\0cd", 5), 256, "ab"},                   // a zero byte ends the source
      {"abcdef", 4, "abc"},                                    // capacity - 1 bytes
      {std::string(2000, 'a'), 4096, std::string(1024, 'a')},  // at most 1024 source bytes
  };
  for (const Case& c : cases) EXPECT_EQ(StripTags(c.source, c.capacity), c.expected) << c.source;
}

TEST(WebTextTest, NumberCleanUpsKeepLongTextsUnchanged) {
  std::string text = "\xA4\xB3-1,234.5円(連)";
  KeepNumberChars(&text);
  EXPECT_EQ(text, "-1234.5");
  text = "1,234,567";
  RemoveCommas(&text);
  EXPECT_EQ(text, "1234567");
  std::string longText(255, ',');
  RemoveCommas(&longText);
  EXPECT_EQ(longText, "");
  longText.assign(256, ',');
  RemoveCommas(&longText);
  EXPECT_EQ(longText.size(), 256u);
  KeepNumberChars(&longText);
  EXPECT_EQ(longText.size(), 256u);
}

TEST(WebTextTest, NumbersReadAsAtoiWithoutOverflow) {
  EXPECT_EQ(LeadingInt("  -12x"), -12);
  EXPECT_EQ(LeadingInt("abc"), 0);
  EXPECT_EQ(LeadingInt("99999999999999999999"), 2147483647);
  EXPECT_EQ(LeadingInt("-99999999999999999999"), -2147483648LL);
  EXPECT_DOUBLE_EQ(LeadingDouble("12.50.3"), 12.5);
  EXPECT_DOUBLE_EQ(LeadingDouble("-0.25"), -0.25);
  EXPECT_DOUBLE_EQ(LeadingDouble("-"), 0);
}

// Every character of JIS X 0208 comes out as the system's converter gives it, and goes back
// through the stand-in service's inverse.
TEST(EucToSjisTest, MatchesTheSystemConverterForEveryJisX0208Character) {
  iconv_t cd = iconv_open("SHIFT_JIS", "EUC-JP");
  ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
  int compared = 0;
  for (int row = 0xA1; row <= 0xFE; ++row) {
    for (int cell = 0xA1; cell <= 0xFE; ++cell) {
      char in[2] = {static_cast<char>(row), static_cast<char>(cell)};
      char out[8];
      char* src = in;
      char* dst = out;
      size_t srcLeft = 2, dstLeft = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) continue;
      const std::string expected(out, dst);
      if (expected.size() != 2) continue;
      const std::string euc(in, 2);
      ASSERT_EQ(EucToSjis(euc), expected) << std::hex << row << " " << cell;
      ASSERT_EQ(SjisToEuc(expected), euc) << std::hex << row << " " << cell;
      ++compared;
    }
  }
  iconv_close(cd);
  EXPECT_GT(compared, 6000);  // the defined characters of the 94 x 94 table
}

TEST(EucToSjisTest, KeepsAsciiDropsACutLeadByteAndNeverMakesAZero) {
  EXPECT_EQ(EucToSjis("a<b>"), "a<b>");
  EXPECT_EQ(EucToSjis("ab\xA4"), "ab");  // a lead byte at the end of the buffer
  EXPECT_EQ(EucToSjis(std::string("a\xA4\0b", 4)), "a");
  EXPECT_EQ(EucToSjis(testing::EucOf("2005年5月12日")), testing::Sjis("2005年5月12日"));
  for (int b = 0x80; b <= 0xFF; ++b) {
    for (int c : {0x01, 0x7F, 0x80, 0xFF}) {
      const std::string out = EucToSjis(std::string{static_cast<char>(b), static_cast<char>(c)});
      ASSERT_EQ(out.size(), 2u);
      EXPECT_NE(out[0], '\0');
      EXPECT_NE(out[1], '\0');
    }
  }
}

}  // namespace
}  // namespace korvale
