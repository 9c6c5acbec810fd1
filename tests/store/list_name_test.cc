#include "store/list_name.h"

#include <gtest/gtest.h>

#include "support/dictionary_fixtures.h"

namespace korvale {
namespace {

using testing::Sjis;

TEST(ListNameTest, HalfWidthKatakanaBecomesFullWidthAndIsCutAt12Bytes) {
  EXPECT_EQ(NormaliseName(Sjis("ﾄﾖﾀ")), Sjis("トヨタ"));
  EXPECT_EQ(NormaliseName(Sjis("ｱｲｳｴｵｶｷｸ")), Sjis("アイウエオカ"));
  EXPECT_EQ(NormaliseName(Sjis("ｶﾞ｡｢｣､･ｦ")), Sjis("カ゛。「」，"));
  EXPECT_EQ(NormaliseName("\xA0"), Sjis("　"));
  EXPECT_EQ(NormaliseName(Sjis("ﾝﾟ")), Sjis("ン゜"));
}

TEST(ListNameTest, DoubleByteCharactersAreKeptWholeUntilTheCut) {
  EXPECT_EQ(NormaliseName(Sjis("日本水産")), Sjis("日本水産"));
  // 1 + 2 * 6 bytes: the sixth character is split at byte 12.
  const std::string cut = NormaliseName(Sjis("Aトヨタ自動車"));
  ASSERT_EQ(cut.size(), 12u);
  EXPECT_EQ(cut.substr(0, 11), Sjis("Aトヨタ自動"));
  EXPECT_EQ(cut[11], Sjis("車")[0]);
  EXPECT_EQ(NormaliseName("AB-123 x"), "AB-123 x");
  EXPECT_EQ(NormaliseName(""), "");
}

TEST(ListNameTest, TrailBytesOfUpperLeadByteKanjiAreNotTakenForKatakana) {
  const std::string rin = Sjis("凜");  // 0xEA 0xA3: the trail byte looks like katakana
  ASSERT_EQ(rin, "\xEA\xA3");
  EXPECT_EQ(NormaliseName(rin + Sjis("として")), Sjis("凜として"));
  // A lead byte as the very last byte is copied alone.
  EXPECT_EQ(NormaliseName("AB\x88"), "AB\x88");
}

}  // namespace
}  // namespace korvale
