// Price files: every load, the derived bars and whole-history figures, the analysis record and
// the three candlestick charts over what was read.
#include "fuzz/fuzz_support.h"
#include "screening/compute_analysis_record.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const SettingsRecord settings = fuzzing::EveryPaneSettings();
  const std::string path = fuzzing::BytesAsFile(data, size);
  CPriceSeries series;
  series.LoadTail(path);
  series.LoadUntil(2005, 6, 30, path);
  PriceBar extra;
  extra.year = 2005;
  extra.month = 6;
  extra.day = 1;
  extra.open = extra.high = extra.low = extra.close = 500;
  series.LoadMerged(path, &extra, 1);
  series.LoadAll(path);
  series.HasBadBar();
  series.HasTradedShare(10);
  series.YearExtremes();
  series.WindowExtremes(120);
  AnalysisRecord record;
  ComputeAnalysisRecord(series, 1, settings, nullptr, &record);
  fuzzing::DrawEveryKind(settings, &series);
  return 0;
}
