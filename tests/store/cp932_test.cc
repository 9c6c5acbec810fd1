#include "store/cp932.h"

#include <gtest/gtest.h>

namespace korvale {
namespace {

TEST(Cp932Test, RoundTripsJapaneseTextAndKeepsAscii) {
  const std::string utf8 = "トヨタ自動車（株）ｶﾌﾞ 7203";
  const std::string cp932 = Utf8ToCp932(utf8);
  EXPECT_EQ(cp932.substr(0, 2), "\x83\x67");  // ト
  EXPECT_EQ(Cp932ToUtf8(cp932), utf8);
  EXPECT_EQ(Cp932ToUtf8("plain"), "plain");
}

TEST(Cp932Test, BrokenBytesNeverMakeInvalidUtf8) {
  // A name cut inside its last character shows without the half character.
  std::string cut = Utf8ToCp932("福岡自動車");
  cut.pop_back();
  EXPECT_EQ(Cp932ToUtf8(cut), "福岡自動");
  // A lone lead byte in the middle, and a byte no table holds, become U+FFFD.
  EXPECT_EQ(Cp932ToUtf8("a\x83 b"), "a\xEF\xBF\xBD b");
  EXPECT_EQ(Cp932ToUtf8("\xFF"), "\xEF\xBF\xBD");
  // Characters cp932 cannot hold become '?'.
  EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80z"), "a?z");
}

TEST(Cp932Test, PrefixNeverEndsInsideACharacter) {
  const std::string name = Utf8ToCp932("ab株式");  // 2 + 2 + 2 bytes
  EXPECT_EQ(Cp932PrefixLength(name, 3), 2u);
  EXPECT_EQ(Cp932PrefixLength(name, 4), 4u);
  EXPECT_EQ(Cp932PrefixLength(name, 5), 4u);
  EXPECT_EQ(Cp932PrefixLength(name, 100), 6u);
}

}  // namespace
}  // namespace korvale
