// The one-line descriptions of the condition types' parameters.
#include <cstring>

#include "screening/c_locale_text.h"
#include "screening/condition_catalogue.h"

namespace korvale {

namespace {

// "(%d日線) %.2lf%%%s": the period, threshold and direction of a numeric type.
std::string Period(int32_t days, double value, int32_t direction) {
  return FormatC("(%d日線) %.2f%%%s", days, value, DirectionText(direction));
}

std::string Choice(int type, int32_t value) {
  const char* text = ConditionChoiceText(type, value);
  // A choice no list offers (a hand-edited file) has no text to show.
  return text ? text : " ";
}

std::string Describe(const ConditionSet& s, int type) {
  switch (type) {
    case 0:
      return FormatC("%d円以上", s.minPrice);
    case 1:
      return FormatC("%d円以下", s.maxPrice);
    case 2:
      return FormatC("%.2f%%%s", s.changePercent, DirectionText(s.changeDirection));
    case 3:
      return FormatC("%.2f倍以上", s.volumeTimes);
    case 4:
      return Period(s.dev1Days, s.dev1Value, s.dev1Direction);
    case 5:
      return Period(s.dev2Days, s.dev2Value, s.dev2Direction);
    case 6:
      return Period(s.rci1Days, s.rci1Value, s.rci1Direction);
    case 7:
      return Period(s.rci2Days, s.rci2Value, s.rci2Direction);
    case 8:
      return Choice(8, s.positionChoice);
    case 9:
      return Choice(9, s.maCrossChoice);
    case 10:
      return FormatC("%dヶ月来%sから%.1f%%以内", s.levelMonths,
                     ConditionChoiceText(10, s.levelZone == 0 ? 0 : 1), s.levelPercent);
    case 13:
      return Period(s.vrDays, s.vrValue, s.vrDirection);
    case 14:
      return FormatC("(短期線/長期線) %.2f%%%s", s.oscValue, DirectionText(s.oscDirection));
    case 15:
      return Period(s.rsi1Days, s.rsi1Value, s.rsi1Direction);
    case 16:
      return Period(s.rsi2Days, s.rsi2Value, s.rsi2Direction);
    case 17:
      return Choice(17, s.ichimoku1Choice);
    case 18:
      return Choice(18, s.ichimoku2Choice);
    case 19:
      return Choice(19, s.ichimoku3Choice);
    case 20:
      return Period(s.stochKDays, s.stochKValue, s.stochKDirection);
    case 21:
      return Period(s.stochDDays, s.stochDValue, s.stochDDirection);
    case 22:
      return Choice(22, s.trendLineChoice);
    case 23:
      return Period(s.bbWidthDays, s.bbWidthValue, s.bbWidthDirection);
    case 24:
      return Choice(24, s.bbBreakChoice);
    case 25:
      return Period(s.cciDays, s.cciValue, s.cciDirection);
    case 26:
      return Choice(26, s.dmiAdxChoice);
    case 27:
      return Choice(27, s.dmiCrossChoice);
    case 28:
      return Period(s.macdDays, s.macdValue, s.macdDirection);
    case 29:
      return Choice(29, s.macdCrossChoice);
    case 30:
      return FormatC("   %.2f%%%s", s.obvValue, DirectionText(s.obvDirection));
    case 31:
      return Choice(31, s.sarChoice);
    case 32:
      return FormatC("(%d日) %.2f%%%s", s.corrDays, s.corrValue, DirectionText(s.corrDirection));
    case 33:
      return FormatC("(%d日) %.2f%%%s", s.devIndexDays, s.devIndexValue,
                     DirectionText(s.devIndexDirection));
    default:
      return " ";  // 11, 12 and any other index
  }
}

// Length of the longest prefix of at most `max` bytes that ends on a UTF-8 character boundary.
size_t Utf8PrefixLength(const std::string& text, size_t max) {
  if (text.size() <= max) return text.size();
  size_t n = max;
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return n;
}

}  // namespace

void DescribeCondition(const ConditionSet& set, int type, char* buffer, size_t size) {
  if (size == 0) return;
  // A huge threshold prints hundreds of digits; the line is cut, never the buffer overrun.
  const std::string text = Describe(set, type);
  const size_t n = Utf8PrefixLength(text, size - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

std::string DescribeCondition(const ConditionSet& set, int type) {
  char buffer[kDescriptionSize];
  DescribeCondition(set, type, buffer, sizeof buffer);
  return buffer;
}

}  // namespace korvale
