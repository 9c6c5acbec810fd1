// Price records arriving in pieces, as the body of a peer server's answer: the first byte sets
// the piece size, the rest is the body.
#include <algorithm>

#include "fuzz/fuzz_support.h"

using namespace korvale;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const SettingsRecord settings = fuzzing::EveryPaneSettings();
  const size_t piece = size_t{data[0]} + 1;
  CPriceSeries series;
  series.BeginRecordStream();
  for (size_t at = 1; at < size; at += piece) {
    series.FeedRecordBytes(reinterpret_cast<const char*>(data + at), std::min(piece, size - at));
  }
  series.EndRecordStream();
  fuzzing::DrawEveryKind(settings, &series);
  return 0;
}
