// Price records held in memory, as the body of a peer server's answer or a price file a peer
// sent: every load over the bytes, then every chart kind drawn over what was kept.
#include "fuzz/fuzz_support.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SettingsRecord settings = fuzzing::EveryPaneSettings();
  CPriceSeries series;
  series.LoadTailBytes(data, size, "body");
  series.LoadUntilBytes(2005, 6, 30, data, size, "body");
  PriceBar extra;
  extra.year = 2005;
  extra.month = 6;
  extra.day = 1;
  extra.open = extra.high = extra.low = extra.close = 500;
  series.LoadMergedBytes(data, size, "body", &extra, 1);
  series.LoadAllBytes(data, size, "body");
  fuzzing::DrawEveryKind(settings, &series);
  return 0;
}
