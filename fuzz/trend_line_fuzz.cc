// Trend-line files: the lines placed on the bars by date, drawn, hit and stored back.
#include "fuzz/fuzz_support.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SettingsRecord settings = fuzzing::EveryPaneSettings();
  static const std::vector<PriceBar> bars = fuzzing::WalkBars(300);
  CPriceSeries series;
  series.bars = bars;
  series.SetLinePath(fuzzing::BytesAsFile(data, size));
  series.LoadLines();
  fuzzing::DrawEveryKind(settings, &series);
  return 0;
}
