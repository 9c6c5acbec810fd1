// The settings file: the start-up load (with its ranges) and, to show that no number can make
// the arithmetic overflow, the record as read without them; each draws every chart kind and
// computes an analysis record.
#include <vector>

#include "app/settings_file.h"
#include "fuzz/fuzz_support.h"
#include "screening/compute_analysis_record.h"

using namespace korvale;

namespace {

void Use(const SettingsRecord& settings, const CPriceSeries& stock, const CPriceSeries& index) {
  CPriceSeries series = stock;
  fuzzing::DrawEveryKind(settings, &series, &index);
  AnalysisRecord record;
  ComputeAnalysisRecord(series, 1, settings, &index, &record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const CPriceSeries stock = [] {
    CPriceSeries s;
    s.bars = fuzzing::WalkBars(260);
    return s;
  }();
  static const CPriceSeries index = [] {
    CPriceSeries s;
    s.bars = fuzzing::WalkBars(300);
    s.BuildWeekly(0, nullptr);
    return s;
  }();
  const std::string& folder = fuzzing::ScratchFolder();
  fuzzing::WriteFileBytes(folder + "/" + kSettingsFileName, data, size);
  SettingsRecord loaded;
  std::string error;
  std::vector<SettingsMend> mends;
  LoadSettingsAtStart(folder, folder + "/no-RootDir", &loaded, &error, &mends);
  Use(loaded, stock, index);

  SettingsRecord raw;
  ApplySettingsDefaults(&raw, folder);
  DecodeSettingsRecord(data, size, &raw);
  Use(raw, stock, index);
  return 0;
}
