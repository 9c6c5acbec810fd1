#include "store/settings_field_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace korvale {
namespace {

// A record holding the defaults must pass the dialog's checks, or OK could never be pressed on
// a first start.
TEST(SettingsFieldRulesTest, DefaultsAreAcceptedAndEveryPageEditsFields) {
  SettingsRecord r;
  ApplySettingsDefaults(&r, "/data/root");
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    EXPECT_TRUE(SettingsFieldAccepted(r, rule)) << rule.field->name;
  }
  for (int page = 0; page < kSettingsPageCount; ++page) {
    EXPECT_FALSE(SettingsPageFields(page).empty()) << page;
  }
  EXPECT_TRUE(SettingsPageFields(kSettingsPageCount).empty());
  EXPECT_EQ(FindSettingsFieldRule("proxyHost"), nullptr);  // not on any page
  EXPECT_EQ(FindSettingsFieldRule("thumbnailWidth")->page, kSettingsPageAuxiliary);
}

// Every field at both of its bounds is stored; one past either bound is refused and leaves
// the record as it was.
TEST(SettingsFieldRulesTest, EveryFieldTakesItsBoundsAndRefusesOnePast) {
  for (const SettingsFieldRule& rule : SettingsFieldRules()) {
    SCOPED_TRACE(rule.field->name);
    SettingsRecord r;
    ApplySettingsDefaults(&r, "");
    if (rule.control == SettingsControl::kText) {
      EXPECT_EQ(SetCheckedSettingsValue(&r, rule, std::string(rule.maxBytes, 'u')),
                SettingsValueCheck::kAccepted);
      EXPECT_EQ(SettingsFieldText(r, *rule.field).size(), rule.maxBytes);
      EXPECT_EQ(SetCheckedSettingsValue(&r, rule, std::string(rule.maxBytes + 1, 'v')),
                SettingsValueCheck::kTooLong);
      EXPECT_EQ(SettingsFieldText(r, *rule.field), std::string(rule.maxBytes, 'u'));
      continue;
    }
    for (int64_t bound : {rule.minimum, rule.maximum}) {
      EXPECT_EQ(SetCheckedSettingsValue(&r, rule, std::to_string(bound)),
                SettingsValueCheck::kAccepted);
      EXPECT_EQ(SettingsFieldNumber(r, *rule.field), bound);
    }
    const SettingsValueCheck belowMin =
        rule.minimum == 0 ? SettingsValueCheck::kNotANumber : SettingsValueCheck::kOutOfRange;
    EXPECT_EQ(SetCheckedSettingsValue(&r, rule, std::to_string(rule.minimum - 1)),
              rule.zeroAllowed ? SettingsValueCheck::kOutOfRange : belowMin);
    EXPECT_EQ(SetCheckedSettingsValue(&r, rule, std::to_string(rule.maximum + 1)),
              SettingsValueCheck::kOutOfRange);
    EXPECT_EQ(SettingsFieldNumber(r, *rule.field), rule.maximum);
  }
}

TEST(SettingsFieldRulesTest, OnlyDigitsAreANumberAndTextsCountShiftJisBytes) {
  const SettingsFieldRule& width = *FindSettingsFieldRule("thumbnailWidth");
  const SettingsFieldRule& size = *FindSettingsFieldRule("dailyWindowWidth");
  const SettingsFieldRule& url = *FindSettingsFieldRule("savedServerUrl");
  const std::string kanji = "表";  // two bytes in Shift-JIS
  struct Case {
    const SettingsFieldRule* rule;
    std::string text;
    SettingsValueCheck expected;
    std::string stored;
  } cases[] = {
      {&width, " 64 ", SettingsValueCheck::kAccepted, "64"},
      {&width, "", SettingsValueCheck::kNotANumber, ""},
      {&width, "abc", SettingsValueCheck::kNotANumber, ""},
      {&width, "64px", SettingsValueCheck::kNotANumber, ""},
      {&width, "+64", SettingsValueCheck::kNotANumber, ""},
      {&width, "-64", SettingsValueCheck::kNotANumber, ""},
      {&width, "6 4", SettingsValueCheck::kNotANumber, ""},
      {&width, "0000000064", SettingsValueCheck::kOutOfRange, ""},  // too many digits to read
      {&width, "99999999999999999999", SettingsValueCheck::kOutOfRange, ""},
      {&size, "0", SettingsValueCheck::kAccepted, "0"},  // not set
      {&size, "1", SettingsValueCheck::kOutOfRange, ""},
      {&url, "", SettingsValueCheck::kAccepted, ""},
      {&url, std::string(125, 'a') + kanji, SettingsValueCheck::kAccepted,
       std::string(125, 'a') + "\x95\x5c"},
      {&url, std::string(126, 'a') + kanji, SettingsValueCheck::kTooLong, ""},
      {&url, "http://h/\u2603", SettingsValueCheck::kNotCp932, ""},  // would become '?'
  };
  for (const Case& c : cases) {
    std::string stored;
    EXPECT_EQ(CheckSettingsValue(*c.rule, c.text, &stored), c.expected) << c.text;
    if (c.expected == SettingsValueCheck::kAccepted) EXPECT_EQ(stored, c.stored) << c.text;
  }
  EXPECT_EQ(SettingsRangeText(size), "0 or 320 to 2400");
  EXPECT_EQ(SettingsRefusalMessage(width, SettingsValueCheck::kNotANumber),
            "32 から 320 までの整数を入力してください。");
}

}  // namespace
}  // namespace korvale
