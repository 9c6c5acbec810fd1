#include "sample/sample_rules.h"

#include <filesystem>
#include <system_error>

#include "screening/condition_set.h"
#include "screening/rule_file.h"

namespace korvale {

namespace {

void Enable(ConditionSet* s, int type, double weight = 0) {
  s->enabled[type] = 1;
  s->weights[type] = weight;
}

}  // namespace

bool WriteSampleRules(const std::string& root, const SettingsRecord& settings, std::string* error,
                      int64_t* bytes) {
  if (bytes) *bytes = 0;
  const std::string folder = root + "/Rules";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);

  struct Rule {
    const char* title;
    ConditionSet set;
  };
  Rule rules[4];

  // RSI at or below 35 while MACD turns up through its signal.
  rules[0].title = "RSI売られすぎ反発";
  ConditionSet* s = &rules[0].set;
  InitConditionSet(s, settings);
  Enable(s, 15);
  s->rsi1Value = 35;
  s->rsi1Direction = kAtOrBelow;
  Enable(s, 29);
  s->macdCrossChoice = 0;  // MACDとシグナルとのゴールデンクロス

  // The short average rises above the long one on at least one and a half times the volume.
  rules[1].title = "出来高ゴールデンクロス";
  s = &rules[1].set;
  InitConditionSet(s, settings);
  Enable(s, 3);
  s->volumeTimes = 1.5;
  Enable(s, 9);
  s->maCrossChoice = 5;  // 長期線が短期線を上からクロス

  // Weighted: near the period high counts twice, buying volume, the cloud and volume once; four
  // points are needed.
  rules[2].title = "高値圏スコア";
  s = &rules[2].set;
  InitConditionSet(s, settings);
  s->mode = 1;
  s->scoreThreshold = 4;
  Enable(s, 10, 2);
  s->levelZone = 0;
  s->levelPercent = 5;
  Enable(s, 13, 1);
  s->vrValue = 150;
  Enable(s, 19, 1);
  s->ichimoku3Choice = 0;  // 株価線が抵抗帯の上
  Enable(s, 3, 1);
  s->volumeTimes = 2;

  // The conversion line crosses above the base line while the close is above the cloud.
  rules[3].title = "一目均衡表好転";
  s = &rules[3].set;
  InitConditionSet(s, settings);
  Enable(s, 17);
  s->ichimoku1Choice = 2;  // 転換線が基準線を下からクロス
  Enable(s, 19);
  s->ichimoku3Choice = 0;

  static_assert(sizeof rules / sizeof rules[0] == kSampleRuleCount);
  for (const Rule& r : rules) {
    if (!WriteRuleFile(folder + "/" + r.title + ".ERL", r.set, error)) return false;
    if (bytes) *bytes += static_cast<int64_t>(RuleFileText(r.set).size());
  }
  return true;
}

}  // namespace korvale
