#include "screening/rule_file.h"

#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "screening/c_locale_text.h"
#include "store/byte_order.h"
#include "store/cp932.h"
#include "store/file_io.h"

namespace korvale {

namespace {

constexpr size_t kMaxRuleFileBytes = size_t{16} << 20;

// What one value line of a section holds.
enum class Item {
  kInt,           // "%d"
  kDouble,        // "%lf"
  kLevelPercent,  // "%.lf": a double written without decimals
  kDirection,     // "%d" of NOT the direction: 1 for 以上, 0 for 以下
  kDays,          // "%d" of an informational day count; skipped when read
  kOne,           // the constant "1" of the candle-pair types; skipped when read
};

struct ItemField {
  Item item;
  size_t offset;
};

struct Section {
  const char* key;  // UTF-8; stored as cp932
  std::vector<ItemField> items;
};

#define F(kind, field) \
  ItemField { Item::kind, offsetof(ConditionSet, field) }
#define ONE \
  ItemField { Item::kOne, 0 }

const std::vector<Section>& Sections() {
  static const std::vector<Section> sections = {
      {"[株価以上]", {F(kInt, minPrice)}},
      {"[株価以下]", {F(kInt, maxPrice)}},
      {"[株価前日比]", {F(kDouble, changePercent), F(kDirection, changeDirection)}},
      {"[出来高前日比]", {F(kDouble, volumeTimes)}},
      {"[移動平均乖離率1]",
       {F(kDays, dev1Days), F(kDouble, dev1Value), F(kDirection, dev1Direction)}},
      {"[移動平均乖離率2]",
       {F(kDays, dev2Days), F(kDouble, dev2Value), F(kDirection, dev2Direction)}},
      {"[RCI1]", {F(kDays, rci1Days), F(kDouble, rci1Value), F(kDirection, rci1Direction)}},
      {"[RCI2]", {F(kDays, rci2Days), F(kDouble, rci2Value), F(kDirection, rci2Direction)}},
      {"[位置関係]", {F(kInt, positionChoice)}},
      {"[移動平均線クロス]", {F(kInt, maCrossChoice)}},
      {"[株価水準]", {F(kInt, levelZone), F(kLevelPercent, levelPercent)}},
      {"[つつみ線]", {ONE}},
      {"[はらみ線]", {ONE}},
      {"[ボリュームレシオ]", {F(kDays, vrDays), F(kDouble, vrValue), F(kDirection, vrDirection)}},
      {"[オシレーター]",
       {F(kDays, oscLongDays), F(kDays, oscShortDays), F(kDouble, oscValue),
        F(kDirection, oscDirection)}},
      {"[RSI1]", {F(kDays, rsi1Days), F(kDouble, rsi1Value), F(kDirection, rsi1Direction)}},
      {"[RSI2]", {F(kDays, rsi2Days), F(kDouble, rsi2Value), F(kDirection, rsi2Direction)}},
      {"[一目均衡表1]", {F(kInt, ichimoku1Choice)}},
      {"[一目均衡表2]", {F(kInt, ichimoku2Choice)}},
      {"[一目均衡表3]", {F(kInt, ichimoku3Choice)}},
      {"[ストキャスティックK値]",
       {F(kDays, stochKDays), F(kDouble, stochKValue), F(kDirection, stochKDirection)}},
      {"[ストキャスティックD値]",
       {F(kDays, stochDDays), F(kDouble, stochDValue), F(kDirection, stochDDirection)}},
      {"[トレンドライン]", {F(kInt, trendLineChoice)}},
      {"[ボリンジャーバンド幅]",
       {F(kDays, bbWidthDays), F(kDouble, bbWidthValue), F(kDirection, bbWidthDirection)}},
      {"[ボリンジャーバンド位置]", {F(kInt, bbBreakChoice)}},
      {"[CCI値]", {F(kDays, cciDays), F(kDouble, cciValue), F(kDirection, cciDirection)}},
      {"[DMI-ADX傾き]", {F(kInt, dmiAdxChoice)}},
      {"[DMIクロス]", {F(kInt, dmiCrossChoice)}},
      {"[MACD値]", {F(kDays, macdDays), F(kDouble, macdValue), F(kDirection, macdDirection)}},
      {"[MACDクロス]", {F(kInt, macdCrossChoice)}},
      {"[OBV値]", {F(kDouble, obvValue), F(kDirection, obvDirection)}},
      {"[パラボリック]", {F(kInt, sarChoice)}},
      {"[INDEX相関値]", {F(kDays, corrDays), F(kDouble, corrValue), F(kDirection, corrDirection)}},
      {"[INDEX偏差]",
       {F(kDays, devIndexDays), F(kDouble, devIndexValue), F(kDirection, devIndexDirection)}},
  };
  return sections;
}

#undef F
#undef ONE

// The keys as the file holds them, converted once.
struct Keys {
  std::string mode, threshold;
  std::vector<std::string> types;
};

const Keys& CodePageKeys() {
  static const Keys keys = [] {
    Keys k;
    k.mode = Utf8ToCp932("[条件型]");
    k.threshold = Utf8ToCp932("[評価値]");
    for (const Section& s : Sections()) k.types.push_back(Utf8ToCp932(s.key));
    return k;
  }();
  return keys;
}

int32_t IntAt(const ConditionSet& set, size_t offset) {
  return LoadLE<int32_t>(reinterpret_cast<const uint8_t*>(&set) + offset);
}
double DoubleAt(const ConditionSet& set, size_t offset) {
  return LoadLE<double>(reinterpret_cast<const uint8_t*>(&set) + offset);
}
void SetInt(ConditionSet* set, size_t offset, int32_t v) {
  StoreLE<int32_t>(reinterpret_cast<uint8_t*>(set) + offset, v);
}
void SetDouble(ConditionSet* set, size_t offset, double v) {
  StoreLE<double>(reinterpret_cast<uint8_t*>(set) + offset, v);
}

// The file's lines: split at LF, a CR before the LF dropped (the file is written in text mode).
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    size_t stop = end;
    if (stop > start && bytes[stop - 1] == '\r') --stop;
    lines.emplace_back(bytes, start, stop - start);
    start = end + 1;
  }
  return lines;
}

bool StartsWith(const std::string& line, const std::string& key) {
  return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

}  // namespace

std::string RuleFileText(const ConditionSet& set) {
  const Keys& keys = CodePageKeys();
  std::string out;
  auto line = [&](const std::string& text) { out += text + "\r\n"; };
  line(keys.mode);
  line(FormatC("%d", set.mode));
  line(keys.threshold);
  line(FormatC("%.2f", set.scoreThreshold));
  for (int type = 0; type < kConditionTypeCount; ++type) {
    if (!set.enabled[type]) continue;
    line(keys.types[type]);
    for (const ItemField& f : Sections()[type].items) {
      switch (f.item) {
        case Item::kInt:
        case Item::kDays:
          line(FormatC("%d", IntAt(set, f.offset)));
          break;
        case Item::kDouble:
          line(FormatC("%f", DoubleAt(set, f.offset)));
          break;
        case Item::kLevelPercent:
          line(FormatC("%.0f", DoubleAt(set, f.offset)));
          break;
        case Item::kDirection:
          line(FormatC("%d", IntAt(set, f.offset) == 0 ? 1 : 0));
          break;
        case Item::kOne:
          line("1");
          break;
      }
    }
    line(FormatC("%.2f", set.weights[type]));
  }
  return out;
}

bool WriteRuleFile(const std::string& path, const ConditionSet& set, std::string* error) {
  const std::string text = RuleFileText(set);
  return WriteFileAtomically(path, text.data(), text.size(), error);
}

void ParseRuleFileText(const std::string& bytes, ConditionSet* set) {
  const Keys& keys = CodePageKeys();
  const std::vector<std::string> lines = Lines(bytes);
  const std::string none;
  size_t i = 0;
  // The next line, consumed; "" past the end.
  auto next = [&]() -> const std::string& { return i < lines.size() ? lines[i++] : none; };
  while (i < lines.size()) {
    const std::string& line = lines[i++];
    if (StartsWith(line, keys.mode)) {
      set->mode = AtoiC(next().c_str());
      continue;
    }
    if (StartsWith(line, keys.threshold)) {
      set->scoreThreshold = AtofC(next().c_str());
      continue;
    }
    for (int type = 0; type < kConditionTypeCount; ++type) {
      if (!StartsWith(line, keys.types[type])) continue;
      for (const ItemField& f : Sections()[type].items) {
        const std::string& value = next();
        switch (f.item) {
          case Item::kInt:
            SetInt(set, f.offset, AtoiC(value.c_str()));
            break;
          case Item::kDouble:
          case Item::kLevelPercent:
            SetDouble(set, f.offset, AtofC(value.c_str()));
            break;
          case Item::kDirection:
            SetInt(set, f.offset, AtoiC(value.c_str()) == 0 ? 1 : 0);
            break;
          case Item::kDays:
          case Item::kOne:
            break;
        }
      }
      // The weight line is optional: a line starting with "[" belongs to the next section.
      if (i < lines.size() && (lines[i].empty() || lines[i][0] != '[')) {
        set->weights[type] = AtofC(lines[i++].c_str());
      } else {
        set->weights[type] = 0;
      }
      set->enabled[type] = 1;
      break;
    }
  }
}

bool ReadRuleFileOver(const std::string& path, ConditionSet* set) {
  // Only a regular file is read: opening a pipe or a device named like a rule file could block
  // or never end.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::vector<uint8_t> data;
  if (!ReadWholeFile(path, &data, kMaxRuleFileBytes)) return false;
  ParseRuleFileText(std::string(data.begin(), data.end()), set);
  return true;
}

}  // namespace korvale
