// What the fuzz targets share: the bytes of an input as a file the readers open by path, a
// scratch folder, and small series to draw.
#ifndef KORVALE_FUZZ_FUZZ_SUPPORT_H_
#define KORVALE_FUZZ_FUZZ_SUPPORT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "store/price_series.h"
#include "store/settings_record.h"

namespace korvale::fuzzing {

// A path through which the bytes read back as a regular file (an in-memory file of this
// process, rewritten by every call). Valid until the next call.
std::string BytesAsFile(const uint8_t* data, size_t size);

// A folder of this process for files that need a name of their own, created on first use and
// removed at exit.
const std::string& ScratchFolder();

// Writes `size` bytes to `path`, replacing it.
void WriteFileBytes(const std::string& path, const uint8_t* data, size_t size);

// `count` weekday bars from 2000-01-03 on, a deterministic walk around 1000 with volumes.
std::vector<PriceBar> WalkBars(int count);

// Settings with every pane of the daily and weekly charts on and a fixed daily span.
SettingsRecord EveryPaneSettings();

// Attaches the series to a painter made from `settings` and draws every chart kind onto a
// recording canvas, with the read-out of a few pixels: what the windows do with what was read.
void DrawEveryKind(const SettingsRecord& settings, CPriceSeries* series,
                   const CPriceSeries* index = nullptr);

}  // namespace korvale::fuzzing

#endif  // KORVALE_FUZZ_FUZZ_SUPPORT_H_
