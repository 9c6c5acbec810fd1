// Margin files: the balances attached to the weekly bars and drawn in the weekly chart's pane.
#include "fuzz/fuzz_support.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SettingsRecord settings = fuzzing::EveryPaneSettings();
  static const std::vector<PriceBar> bars = fuzzing::WalkBars(400);
  CPriceSeries series;
  series.bars = bars;
  series.SetMarginPath(fuzzing::BytesAsFile(data, size));
  series.BuildWeekly(0, nullptr);
  fuzzing::DrawEveryKind(settings, &series);
  return 0;
}
