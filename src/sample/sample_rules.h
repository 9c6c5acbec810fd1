// The rules the sample database comes with.
#ifndef KORVALE_APP_SAMPLE_RULES_H_
#define KORVALE_APP_SAMPLE_RULES_H_

#include <cstdint>
#include <string>

#include "store/settings_record.h"

namespace korvale {

inline constexpr int kSampleRuleCount = 4;

// Writes the sample rule files into "<root>/Rules" (made when absent), their day counts from
// `settings`: an oversold RSI as MACD turns up through its signal, a golden cross on rising
// volume, a near-high score in weighted mode, and an Ichimoku turn above the cloud. `bytes`
// (may be null) gets the bytes written. False with the reason in `error` when a file cannot be
// written.
bool WriteSampleRules(const std::string& root, const SettingsRecord& settings, std::string* error,
                      int64_t* bytes = nullptr);

}  // namespace korvale

#endif  // KORVALE_APP_SAMPLE_RULES_H_
